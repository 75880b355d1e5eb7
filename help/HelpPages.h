// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QStringView>

#include <array>
#include <string_view>

namespace Lumora {

// How a text is set, as a combination of these.
enum HelpStyle : unsigned {
    Regular = 0,
    Bold = 1,
    Underlined = 2,
    Large = 4, // a size above the other texts, for a heading
};

struct HelpLabel {
    std::string_view name;
    std::string_view text;
    unsigned style = Regular;
};

// The five small windows of fixed explanatory text, each one row of this table and
// built by the one HelpWindow class.
struct HelpPage {
    std::string_view window;
    std::string_view okButton;
    int width; // client area, pixels at 96 dpi
    int height;
    std::array<HelpLabel, 3> labels;
    // Empty: the title is drawn from the caption list at each load.
    std::string_view fixedTitle = {};
    // An ordinary resizable window rather than one of fixed size.
    bool sizable = false;
    // Where the client area opens on the screen; negative: the windowing system decides.
    int left = -1;
    int top = -1;
    bool icon = true;
    // The OK button stands at the bottom right rather than beside the first text.
    bool okAtBottom = false;
};

namespace HelpPages {

extern const std::array<HelpPage, 5> kPages;

const HelpPage* byWindow(QStringView window);

} // namespace HelpPages
} // namespace Lumora
