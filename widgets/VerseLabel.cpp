// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "VerseLabel.h"

#include "Elide.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
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
    QAction* all = menu->addAction(QStringLiteral("Select All"));
    all->setObjectName(QStringLiteral("selectAll"));
    connect(all, &QAction::triggered, this, [this] { setSelection(0, int(text().size())); });
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace Lumora
