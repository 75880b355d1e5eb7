// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "config/Relocation.h"
#include "config/Volumes.h"
#include "files/FileState.h"
#include "slots/SlotTable.h"
#include "widgets/Form.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace Lumora {

class FolderList;
class OneLineEdit;

// The configuration window, `Configure`: where the user names the fourteen open slots,
// chooses the data folder, stores both in the settings files and copies the data files
// that come with the program into the data folder.
//
//   Image1             the main window's background picture
//   Label2             the heading
//   Text2 .. Text15    the names of slots 2..15, bold where the slot is named
//   Dir1               the folder list: its current folder is the data folder to store
//   Drive1             the drive list: choosing a drive moves the folder list there
//   Command1           "Confirm Data and  Header": stores the data folder and the names
//   Command2           "EXIT": closes this window and rebuilds the main window, so that
//                      its slot buttons show the names just stored
//   Command3           "Copy Original Data to New data path": copies the data files into
//                      the stored data folder, after asking
//   Command4           "HELP": opens the configuration help, MainHelp
//   Text1              never shown: the data folder last read or stored
//   help               the Help menu: CDH says what this window is for; codndp starts
//                      the copy, as Command3 does
class ConfigureWindow : public Form
{
    Q_OBJECT
public:
    explicit ConfigureWindow(Program& program);

    void Form_Load() override;

    FolderList* folderList() const { return m_dir; }
    QComboBox* driveList() const { return m_drive; }

protected:
    void layOutContents() override;

private:
    void startFolderList();
    // Reads both settings files again as they stand now; a name box the user has typed
    // in keeps what they typed, and so does a folder they have opened in the list.
    void refillFromDisk();
    void Drive1_Change(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // What the relocation's message adds about the files it kept.
    static QString keptSentence(const Relocation::Result& result);
    void Command4_Click();
    void CDH_Click();

    // The drives offered, in the drive list's order.
    const QList<Volumes::Volume> m_volumes;
    QLineEdit* m_folder;
    // The name boxes in slot order.
    std::array<OneLineEdit*, SlotTable::kRows.size()> m_names;
    FolderList* m_dir;
    QComboBox* m_drive;
    // What path.lmr and configure.lmr held when this window read them, and the folder
    // the folder list showed then: a Confirm writes only while both files still hold that.
    FileState m_folderSeen;
    FileState m_namesSeen;
    QString m_loadedFolder;
};

} // namespace Lumora
