// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "VerseLabel.h"

#include "Elide.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

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
    setText(verse);
    setToolTip({});
    setAccessibleName(verse);
}

int VerseLabel::heightOfVerse(int width)
{
    const QString shown = text();
    setText(m_verse);
    const int height = heightForWidth(width);
    setText(shown);
    return height;
}

void VerseLabel::fitInto(const QRect& geometry)
{
    setGeometry(geometry);
    setText(m_verse);
    if (heightForWidth(geometry.width()) <= geometry.height()) {
        setToolTip({});
        return;
    }
    // One line more than the font's spacing suggests: the candidates are measured anyway.
    const int lines = geometry.height() / fontMetrics().lineSpacing() + 1;
    setText(elideToLines(m_verse, font(), geometry.width(), lines, [&](const QString& candidate) {
        setText(candidate);
        return heightForWidth(geometry.width()) <= geometry.height();
    }));
    setToolTip(m_verse);
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
    // As wide as the verse's place, and high enough for some lines.
    const int line = fontMetrics().lineSpacing();
    whole->resize(std::max(width(), 20 * line), 8 * line);
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
    return hasSelectedText() ? selectedText() : m_verse;
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
