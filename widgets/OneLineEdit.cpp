// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "OneLineEdit.h"

#include <limits>

namespace Lumora {

OneLineEdit::OneLineEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setMaxLength(std::numeric_limits<int>::max());
    // Only what the user types or pastes is touched; text set from a file stays as read.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString fixed = oneLine(text);
        if (fixed != text) {
            const int cursor = cursorPosition();
            setText(fixed);
            setCursorPosition(cursor);
            // Still the user's edit, which setText() would forget.
            setModified(true);
        }
    });
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
