// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "files/FileState.h"
#include "widgets/Form.h"

#include <array>

class QLabel;

namespace Lumora {

class CaptionButton;
struct SlotRow;

// Two versions of an open slot's five verses side by side, line by line, for the person
// to take each line from either side: what a slot window holds beside its file when a save
// found the file changed by another program, or the file beside a copy that a sync tool
// left of it (see ConflictCopies). Lines that differ are marked and must be taken from one
// side; Save writes the lines taken to the slot verse file, only while the file still holds
// what this window read. Nothing is written otherwise: Keep Both, Return, Escape and the
// frame's close leave both versions as they are. One window per slot, `Compare2` ..
// `Compare15`, modal like the question it answers.
//
//   Label1             what is compared, and what Save and Keep Both do
//   Label2, Label3     the headings of the left and the right side
//   Label4             a mark before each row that differs (index property 0..4)
//   Option1, Option2   the left and the right line of each row (index property 0..4):
//                      pressing one takes that line
//   Label5             how many marked lines have been taken
//   Command3, Command4 take every line from the left, from the right
//   Command1           "Save"
//   Command2           "Keep Both": closes the window, writing nothing
class CompareWindow : public Form
{
    Q_OBJECT
public:
    CompareWindow(Program& program, const SlotRow& row);

    static QString nameFor(const SlotRow& row);
    static const SlotRow* rowOf(QStringView name);

    // Reads the data folder and the slot's verse file as they stand now; a file that is gone
    // reads as five empty lines, which a save puts back only while it is still gone. Until
    // one of the two below is called, both sides show the file.
    void Form_Load() override;

    // What the slot window holds (left) beside the file (right).
    void compareWithTyping(const QStringList& typed);
    // The file (left) beside its conflict copy `name` in the data folder, made by `tool`
    // (right). A copy that cannot be read is reported and the window closes: false.
    bool compareWithCopy(const QString& name, const QString& tool);

    // For each row: nothing taken yet (or the two lines are the same), the left, the right.
    enum class Side { None, Left, Right };

protected:
    bool closesOnEscape() const override { return true; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readFile();
    void showSides(const QString& explanation, const QString& left, const QString& right);
    void take(int row, Side side);
    void showChoices();
    bool differs(int row) const { return m_left[row] != m_right[row]; }
    bool allTaken() const;
    // The five lines a save writes: each marked line from the side taken, the others as
    // the file holds them.
    QStringList result() const;
    void removeCopy();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    const SlotRow& m_row;
    QString m_folder;
    QStringList m_file;
    FileState m_seen;
    QStringList m_left;
    QStringList m_right;
    // The conflict copy on the right; empty when the right side is the file.
    QString m_copy;
    FileState m_copySeen;
    std::array<Side, 5> m_taken{};
    QLabel* m_explanation;
    QList<QLabel*> m_headings;
    QList<QLabel*> m_marks;
    QList<CaptionButton*> m_lines[2];
    QLabel* m_status;
    // Command3, Command4, Command1 (Save), Command2 (Keep Both).
    std::array<CaptionButton*, 4> m_buttons{};
};

} // namespace Lumora
