// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "VerseLabel.h"

#include "Elide.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

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
    setAccessibleName(shortened(verse));
    // Until fitInto() places the label, it holds no more than a tooltip's worth, which
    // nothing lays out meanwhile.
    setText(shortened(verse));
    m_whole = text() == verse;
    setToolTip({});
}

int VerseLabel::heightOfVerse(int width, int most)
{
    // Laid out no further than a line past `most`: that is all anyone can show of it.
    const QString shown = text();
    setText(firstLines(m_verse, font(), width, most / fontMetrics().lineSpacing() + 2));
    const int height = heightForWidth(width);
    setText(shown);
    return height;
}

void VerseLabel::fitInto(const QRect& geometry)
{
    setGeometry(geometry);
    // One line more than the font's spacing suggests: the candidates are measured anyway.
    const Fitted fitted = fitToLines(
        m_verse, font(), geometry.width(), geometry.height() / fontMetrics().lineSpacing() + 1,
        [&](const QString& candidate) {
            setText(candidate);
            return heightForWidth(geometry.width()) <= geometry.height();
        });
    setText(fitted.text);
    m_whole = fitted.whole;
    setToolTip(fitted.whole ? QString() : shortened(m_verse));
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
    QAction* all = menu->addAction(QStringLiteral("Select All"));
    all->setObjectName(QStringLiteral("selectAll"));
    connect(all, &QAction::triggered, this, [this] { setSelection(0, int(text().size())); });
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace Lumora
