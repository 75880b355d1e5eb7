#pragma once

#include "widgets/Form.h"

class QComboBox;
class QLineEdit;

namespace Lumora {

class FolderList;
class OneLineEdit;
struct SlotRow;

// Where the user names the fourteen open slots, chooses the data folder, stores both
// in the settings files and copies the data files that come with the program into the
// data folder.
class ConfigureWindow : public Form
{
    Q_OBJECT
public:
    explicit ConfigureWindow(Program& program);

    void Form_Load() override;

    FolderList* folderList() const { return m_dir; }
    QComboBox* driveList() const { return m_drive; }

private:
    void startFolderList();
    void Drive1_Change(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void CDH_Click();

    QLineEdit* m_folder;
    QList<OneLineEdit*> m_names;
    FolderList* m_dir;
    QComboBox* m_drive;
};

} // namespace Lumora
