// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "OneLineEdit.h"

#include <algorithm>
#include <limits>

namespace Lumora {

OneLineEdit::OneLineEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setMaxLength(std::numeric_limits<int>::max());
    // Only what the user types or pastes is touched; text set from a file stays as read.
    connect(this, &QLineEdit::textEdited, this, &OneLineEdit::edited);
    connect(this, &QLineEdit::selectionChanged, this,
            [this] { m_allSelected = hasSelectedText() && selectionLength() == text().size(); });
}

void OneLineEdit::setLine(const QString& line)
{
    m_line = line;
    m_restFrom = std::min(line.size(), kEditable);
    setText(line.left(kEditable));
}

QString OneLineEdit::line() const
{
    QString line = text();
    line += rest();
    return line;
}

void OneLineEdit::edited(const QString& text)
{
    QString box = oneLine(text);
    if (m_allSelected)
        m_restFrom = m_line.size();
    // Typing may grow the box to twice its share before it is cut back, so that what is
    // typed at its end stays in view and in order; a paste larger than that is cut at once.
    if (box.size() > 2 * kEditable) {
        QString line = QStringView(box).sliced(kEditable).toString();
        line += rest();
        m_line = line;
        m_restFrom = 0;
        box.truncate(kEditable);
    } else if (box.size() < kEditable && !rest().isEmpty()) {
        const qsizetype taken = std::min(kEditable - box.size(), rest().size());
        box += rest().first(taken);
        m_restFrom += taken;
    }
    if (box != text) {
        const int cursor = std::min(cursorPosition(), int(box.size()));
        setText(box);
        setCursorPosition(cursor);
        // Still the user's edit, which setText() would forget.
        setModified(true);
    }
}

QString OneLineEdit::oneLine(QString text)
{
    for (QChar& c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return text;
}

} // namespace Lumora
