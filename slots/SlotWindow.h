#pragma once

#include "widgets/Form.h"

class QLabel;
class QLineEdit;

namespace Lumora {

struct SlotRow;
struct SlotLook;

// The window of one open slot: its five verses in yellow on a chalkboard, and five
// single-line edit boxes in their place to enter or change them. Confirm saves the
// five lines to the slot verse file of the data folder and reopens the window from the
// file just written. Fourteen windows, one class, each built from its slot-table row.
class SlotWindow : public Form
{
    Q_OBJECT
public:
    SlotWindow(Program& program, const SlotRow& row, const SlotLook& look);

    void Form_Load() override;

    bool isEditing() const { return m_editing; }

    static const SlotLook* lookOf(int slot);

protected:
    // In display mode there is nothing to lose.
    bool closesOnEscape() const override { return !m_editing; }

private:
    void layOutLabels();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    const SlotRow& m_row;
    const SlotLook& m_look;
    QList<QLabel*> m_labels;
    QList<QLineEdit*> m_edits;
    QList<QWidget*> m_lines;
    bool m_editing = false;
};

} // namespace Lumora
