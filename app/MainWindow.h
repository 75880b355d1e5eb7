// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "widgets/Form.h"

#include <QHash>

namespace Lumora {

class CaptionButton;
class MusicPlayer;
class Shell;
struct CategoryEntry;
struct SlotRow;

// The start-up window and hub, `Main`:
//
//   Image1, Image2        the background picture and the title banner
//   WindowsMediaPlayer1   the music player (an object, not a control)
//   Command1 .. Command7, Command10 .. Command13
//                         the eleven categories: each opens its window (the catalogue
//                         says which button opens which)
//   Command8, Command9, Command14 .. Command25
//                         the fourteen open slots, named from configure.lmr: each opens
//                         its slot window (the slot table says which)
//   Command26             "Configuration": opens the configuration window
//   Command27             "Help": opens the configuration help, MainHelp
//   Command28             "Quit": ends the program at once
//   Command29, Command30  "Play Music1", "Play Music 2": play a piece once and disable
//                         their button until "Stop Music"
//   Command31             "Stop Music": stops the music, enables both play buttons
//   HelpMe                the Help menu: Conf "Configuration" (the configuration help,
//                         like Command27), Music "Music" (musichelp), About "About"
//                         (aboutthis)
class MainWindow : public Form
{
    Q_OBJECT
public:
    explicit MainWindow(Shell& shell);

    void Form_Load() override;

    CaptionButton* button(const QString& name) const { return m_buttons.value(name); }
    MusicPlayer* player() const { return m_player; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CaptionButton* addButton(std::string_view name, QRect geometry);
    void buildGrid();
    void buildBottomRow();
    void buildMenu();
    void setTabOrder();

    void category_Click(const CategoryEntry& entry);
    void slot_Click(const SlotRow& row);
    void Command26_Click();
    void Command27_Click();
    void Command28_Click();
    void Command29_Click();
    void Command30_Click();
    void Command31_Click();
    void play(const QString& file, CaptionButton* button);
    void Conf_Click();
    void Music_Click();
    void About_Click();

    QHash<QString, CaptionButton*> m_buttons;
    MusicPlayer* m_player;
    QString m_musicFolder;
};

} // namespace Lumora
