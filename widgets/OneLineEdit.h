// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QLineEdit>

namespace Lumora {

// A text box for one line of a text file: it takes text of any length (QLineEdit stops
// at 32,767 characters by default) and turns line breaks typed or pasted into it into
// spaces, since a line break would split the line in two when the file is read back.
//
// QLineEdit lays out its whole text again at every change, which for a line of a
// megabyte takes most of a second a keystroke. So a line longer than kEditable
// characters has only its first kEditable in the box, and the rest is kept aside: an
// edit changes what the box shows and the rest follows it unchanged, the box filling up
// from the rest as it shrinks; an edit that replaces everything the box shows (Select
// All, then typing, pasting or deleting) replaces the whole line. Untouched, the line is
// given back exactly as it was set.
class OneLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr qsizetype kEditable = 10000;

    OneLineEdit(const QString& name, QWidget* parent);

    // The whole line, which setText() and text() know only as much of as the box shows.
    void setLine(const QString& line);
    QString line() const;

    // `text` with its line breaks made spaces.
    static QString oneLine(QString text);

private:
    void edited(const QString& text);
    // What follows the box's text in the line: the end of m_line, which is shared with the
    // line as it was set until an edit makes a new one, so that setting a line copies none
    // of it.
    QStringView rest() const { return QStringView(m_line).sliced(m_restFrom); }

    QString m_line;
    qsizetype m_restFrom = 0;
    // Whether everything the box shows was selected before the edit that is being taken
    // in: QLineEdit reports an edit before the change of selection it made.
    bool m_allSelected = false;
};

} // namespace Lumora
