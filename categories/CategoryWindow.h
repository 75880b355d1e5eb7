// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "widgets/Form.h"

namespace Lumora {

class VerseLabel;
struct CategoryEntry;
struct CategoryLook;

// The window of one built-in category, `Form2` .. `Form12`: its verses centred over a
// picture with thin rules between them. Eleven windows, one class: each is built from its
// catalogue entry and the row of per-window details that stands beside it.
//
//   Image1             the background picture, stretched over the client area
//   Label1 .. Label5   the verses, top to bottom (three in Form5)
//   Line1              rules under the verses (index property 0..4), between them in Form5
//   Command1           opens the category's notes file in the desktop's editor
//   Command3           "Exit": closes the window
//   Text1, Text2       never shown: the data folder and notes file of the last notes launch
//   help               Form2 only: a menu entry that opens the tip window subhelp
class CategoryWindow : public Form
{
    Q_OBJECT
public:
    // `entry` is a row of Catalogue::kEntries, or a copy of one with other verses, which
    // must outlive the window.
    CategoryWindow(Program& program, const CategoryEntry& entry);

    void Form_Load() override;

protected:
    bool closesOnEscape() const override { return true; }
    void layOutContents() override { layOutVerses(); }

private:
    void layOutVerses();
    void Command1_Click();
    void Command3_Click();
    void help_Click();

    const CategoryEntry& m_entry;
    const CategoryLook& m_look;
    QList<VerseLabel*> m_labels;
    QList<QWidget*> m_lines;
};

} // namespace Lumora
