#pragma once

#include "widgets/Form.h"

#include <QHash>

namespace Lumora {

class CaptionButton;
class Shell;
class MusicPlayer;
struct CategoryEntry;
struct SlotRow;

// The start-up window and hub: eleven category buttons, fourteen slot buttons named
// from configure.lmr, the music, configuration, help and quit buttons, and a Help menu.
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
    CaptionButton* addButton(const QString& name, QRect geometry);
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
};

} // namespace Lumora
