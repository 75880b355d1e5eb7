// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "widgets/Form.h"

class QLabel;

namespace Lumora {

struct HelpPage;

// One of the five windows of fixed explanatory text, `help`, `MainHelp`, `aboutthis`,
// `subhelp` and `musichelp`, built from its row of HelpPages:
//
//   Label1, Label2 ...   the texts, one below the other (named per window in HelpPages)
//   Command1 / OKButton  "OK": closes the window
class HelpWindow : public Form
{
    Q_OBJECT
public:
    HelpWindow(Program& program, const HelpPage& page);

    void Form_Load() override;

protected:
    bool closesOnEscape() const override { return true; }
    void layOutContents() override;

private:
    void OKButton_Click();

    QList<QLabel*> m_labels;
    const HelpPage& m_page;
};

} // namespace Lumora
