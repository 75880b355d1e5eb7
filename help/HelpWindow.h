#pragma once

#include "widgets/Form.h"

namespace Lumora {

class CaptionButton;
struct HelpPage;

// One of the five windows of fixed explanatory text, built from its row of HelpPages:
// its labels one below the other and an OK button that closes it.
class HelpWindow : public Form
{
    Q_OBJECT
public:
    HelpWindow(Program& program, const HelpPage& page);

    void Form_Load() override;

protected:
    bool closesOnEscape() const override { return true; }

private:
    void OKButton_Click();

    const HelpPage& m_page;
};

} // namespace Lumora
