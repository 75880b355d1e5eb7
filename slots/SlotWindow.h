// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "files/FileState.h"
#include "widgets/Form.h"

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QTimer;

namespace Lumora {

class CompareWindow;
class OneLineEdit;
class VerseLabel;
struct SlotRow;
struct SlotLook;

// The window of one open slot, `Formc2` .. `Formc15`: its five verses in yellow on a
// chalkboard, and five single-line edit boxes in their place to enter or change them.
// Confirm saves the five lines to the slot verse file of the data folder and reopens the
// window from the file just written. Should another program have changed the file since
// the window read it, the two versions are compared line by line (CompareWindow) instead;
// a conflict copy that a sync tool leaves beside the file is offered for comparison as soon
// as the window has loaded, or as soon as it appears while the window is open. Fourteen
// windows, one class, each built from its slot-table row and the row of looks beside it.
//
//   Image1             the chalkboard picture, stretched over the client area
//   Label1 .. Label5   the verses in display mode, top to bottom
//   Text3 .. Text7     the edit boxes for verses 1..5, shown in edit mode
//   Line1              rules under the verse rows (index property 0..4)
//   Command1           opens the slot's notes file in the desktop's editor
//   Command4           "Enter/Modify Verses": shows the edit boxes
//   Command2           "Confirm Changes": saves the five verses and reopens the window
//   Command5           "Help": opens the help window for slot windows
//   Command3           "Exit": closes the window, dropping unconfirmed typing
//   Text1, Text2       never shown: the data folder last read, the last notes file opened
class SlotWindow : public Form
{
    Q_OBJECT
public:
    // `row` is a row of SlotTable::kRows.
    SlotWindow(Program& program, const SlotRow& row);

    void Form_Load() override;

    bool isEditing() const { return m_editing; }

protected:
    // In display mode there is nothing to lose.
    bool closesOnEscape() const override { return !m_editing; }
    void layOutContents() override;

private:
    // Reads the data folder and the slot's file as they stand now and shows the verses in
    // the labels and the edit boxes; throws FileError.
    void load();
    // Says so when a sync tool has left copies of the slot's file beside it that the window
    // has not yet told of, and offers to compare the first with the file.
    void offerConflictCopies();
    CompareWindow* openComparison();
    void layOutLabels();
    void placeRulesUnderBoxes();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    const SlotRow& m_row;
    const SlotLook& m_look;
    QList<VerseLabel*> m_labels;
    QList<OneLineEdit*> m_edits;
    QList<QWidget*> m_lines;
    bool m_editing = false;
    // The data folder the verses were read from and what the file held then: a save
    // writes only while it still holds that.
    QString m_folder;
    FileState m_seen;
    // The data folder is watched while the window is open: a sync tool may leave a copy
    // seconds after a save, when the window has already loaded again.
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_lookAgain = nullptr;
    QStringList m_toldOf;
};

} // namespace Lumora
