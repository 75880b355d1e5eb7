// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QLineEdit>

namespace Lumora {

// A text box for one line of a text file: it takes text of any length (QLineEdit stops
// at 32,767 characters by default) and turns line breaks typed or pasted into it into
// spaces, since a line break would split the line in two when the file is read back.
class OneLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    OneLineEdit(const QString& name, QWidget* parent);

    // `text` with its line breaks made spaces.
    static QString oneLine(QString text);
};

} // namespace Lumora
