// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "VerseLabel.h"

#include "Elide.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

namespace Lumora {

VerseLabel::VerseLabel(const QString& name, const QFont& font, const QColor& ink, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFont(font);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ink);
    setPalette(p);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Until a window sets the verse, a label shows its own name, never seen.
    setVerse(name);
}

void VerseLabel::setVerse(const QString& verse)
{
    m_verse = verse;
    m_measured.clear();
    setAccessibleName(shortened(verse));
    // Until fitInto() places the label, it holds no more than a tooltip's worth, which
    // nothing lays out meanwhile.
    setText(shortened(verse));
    m_shownWhole = text() == verse;
    setToolTip({});
}

int VerseLabel::heightOfVerse(int width, int most)
{
    // Laid out no further than a line past `most`: that is all anyone can show of it.
    return heightOf(firstLines(m_verse, font(), width, most / fontMetrics().lineSpacing() + 2),
                    width);
}

int VerseLabel::heightOf(const QString& text, int width)
{
    const QString fontKey = font().key();
    for (const Measured& measured : m_measured) {
        if (measured.width == width && measured.font == fontKey && measured.text == text)
            return measured.height;
    }
    const QString shown = this->text();
    setText(text);
    const int height = heightForWidth(width);
    setText(shown);
    // Enough for every step of the zoom, with a candidate or two of a cut verse each.
    constexpr std::size_t kKept = 16;
    if (m_measured.size() == kKept)
        m_measured.erase(m_measured.begin());
    m_measured.push_back({text, width, fontKey, height});
    return height;
}

void VerseLabel::fitInto(const QRect& geometry)
{
    setGeometry(geometry);
    // One line more than the font's spacing suggests: the candidates are measured anyway.
    const Fitted fitted = fitToLines(
        m_verse, font(), geometry.width(), geometry.height() / fontMetrics().lineSpacing() + 1,
        [&](const QString& candidate) {
            return heightOf(candidate, geometry.width()) <= geometry.height();
        });
    setText(fitted.text);
    m_shownWhole = fitted.whole;
    setToolTip(fitted.whole ? QString() : shortened(m_verse));
}

void VerseLabel::showWhole()
{
    // A small window of its own, beside the verse's window, that scrolls should the
    // verse be longer still; Escape closes it, as it does any dialog.
    if (m_whole) {
        m_whole->raise();
        m_whole->activateWindow();
        return;
    }
    auto* whole = new QDialog(window());
    whole->setObjectName(QStringLiteral("wholeVerse"));
    whole->setAttribute(Qt::WA_DeleteOnClose);
    whole->setWindowTitle(QStringLiteral("Whole Verse"));
    auto* text = new QPlainTextEdit(whole);
    text->setObjectName(QStringLiteral("verse"));
    text->setReadOnly(true);
    text->setPlainText(m_verse);
    text->setFont(font());
    text->setAccessibleName(QStringLiteral("Whole verse"));
    auto* layout = new QVBoxLayout(whole);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    // As wide as the verse's place, and eight whole lines high.
    // Its lines follow one another without the font's leading.
    const qreal line = QFontMetricsF(font()).height();
    const int edges = 2 * (text->frameWidth() + qCeil(text->document()->documentMargin()));
    whole->resize(std::max(width(), qCeil(20 * line)), qCeil(8 * line) + edges);
    m_whole = whole;
    whole->show();
}

void VerseLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    // A click, not the end of a selection, on a verse that shows only in part.
    if (event->button() == Qt::LeftButton && !showsWhole() && !hasSelectedText())
        showWhole();
}

QString VerseLabel::copyText() const
{
    return hasSelectedText() ? unbroken(selectedText()) : m_verse;
}

void VerseLabel::keyPressEvent(QKeyEvent* event)
{
    // The label's own copy would keep the breaks put into overlong words.
    if (event->matches(QKeySequence::Copy) && hasSelectedText()) {
        QApplication::clipboard()->setText(copyText());
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void VerseLabel::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(hasSelectedText() ? QStringLiteral("Copy")
                                                      : QStringLiteral("Copy Verse"));
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(copyText()); });
    QAction* whole = menu->addAction(QStringLiteral("Show Whole Verse"));
    whole->setObjectName(QStringLiteral("showWhole"));
    connect(whole, &QAction::triggered, this, &VerseLabel::showWhole);
    QAction* all = menu->addAction(QStringLiteral("Select All"));
    all->setObjectName(QStringLiteral("selectAll"));
    connect(all, &QAction::triggered, this, [this] { setSelection(0, int(text().size())); });
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace Lumora
