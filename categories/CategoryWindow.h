#pragma once

#include "widgets/Form.h"

class QLabel;

namespace Lumora {

struct CategoryEntry;
struct CategoryLook;

// The window of one built-in category: its verses centred over a picture, thin rules
// between them, a notes button that opens the category's notes file in the editor, and
// Exit. Eleven windows, one class: each is built from its catalogue entry and its row of
// per-window details.
class CategoryWindow : public Form
{
    Q_OBJECT
public:
    CategoryWindow(Program& program, const CategoryEntry& entry, const CategoryLook& look);

    void Form_Load() override;

    static const CategoryLook* lookOf(QStringView window);

protected:
    bool closesOnEscape() const override { return true; }

private:
    void layOutVerses();
    void Command1_Click();
    void Command3_Click();
    void help_Click();

    const CategoryEntry& m_entry;
    const CategoryLook& m_look;
    QList<QLabel*> m_labels;
    QList<QWidget*> m_lines;
};

} // namespace Lumora
