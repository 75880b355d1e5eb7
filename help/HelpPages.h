#pragma once

#include <array>
#include <string_view>

namespace Lumora {

// The five small windows of fixed explanatory text, each one row of this table and
// built by the one HelpWindow class.
struct HelpLabel {
    std::string_view name;
    std::string_view text;
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};

struct HelpPage {
    std::string_view window;
    std::string_view okButton;
    // Empty: the title is drawn from the caption list at each load.
    std::string_view fixedTitle;
    // An ordinary resizable window rather than one of fixed size.
    bool sizable;
    int width;  // client area, pixels at 96 dpi
    int height;
    // Where the client area opens on the screen; negative: the windowing system decides.
    int left;
    int top;
    bool icon;
    // The OK button stands at the bottom right rather than beside the first text.
    bool okAtBottom;
    std::array<HelpLabel, 3> labels;
};

namespace HelpPages {

extern const std::array<HelpPage, 5> kPages;

const HelpPage* byWindow(std::string_view window);

} // namespace HelpPages
} // namespace Lumora
