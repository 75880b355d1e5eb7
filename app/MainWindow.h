#pragma once

#include "Form.h"

#include <QHash>

namespace Lumora {

class CaptionButton;
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
    void Conf_Click();
    void Music_Click();
    void About_Click();

    QHash<QString, CaptionButton*> m_buttons;
};

} // namespace Lumora
