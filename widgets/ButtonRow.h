// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "CaptionButton.h"
#include "Look.h"

#include <QPushButton>
#include <QRect>

#include <array>
#include <string_view>

namespace Lumora {

// One button of a window's table of buttons: its name, caption, place and bold font, and
// the handler a click runs. A window whose row is laid out at run time gives only the
// width here and places the row with centreInRow().
template <typename Window>
struct ButtonPlace
{
    std::string_view name;
    std::string_view caption;
    QRect geometry;
    Look::Size size = Look::Size::Normal;
    bool condensed = false; // a narrow face keeps a long caption on two lines
    void (Window::*click)() = nullptr;
};

// A caption button on `parent`, in the program's bold text font (condensed if asked).
CaptionButton* makeButton(QWidget* parent, std::string_view name, std::string_view caption,
                          const QRect& geometry, Look::Size size, bool condensed);

// The buttons of `places`, in the table's order, each connected to its handler on
// `window`.
template <typename Window, std::size_t N>
std::array<CaptionButton*, N> addButtons(Window* window, QWidget* parent,
                                         const std::array<ButtonPlace<Window>, N>& places)
{
    std::array<CaptionButton*, N> made{};
    for (std::size_t i = 0; i < N; ++i) {
        const ButtonPlace<Window>& place = places[i];
        made[i] = makeButton(parent, place.name, place.caption, place.geometry, place.size,
                             place.condensed);
        QObject::connect(made[i], &QPushButton::clicked, window, place.click);
    }
    return made;
}

// Places the buttons side by side at `top`, `gap` apart, keeping their widths, the row
// centred between `left` and `left + width`.
template <std::size_t N>
void centreInRow(const std::array<CaptionButton*, N>& buttons, int left, int width, int top,
                 int gap)
{
    int rowWidth = gap * int(N - 1);
    for (const CaptionButton* button : buttons)
        rowWidth += button->width();
    Q_ASSERT(rowWidth <= width);
    int x = left + (width - rowWidth) / 2;
    for (CaptionButton* button : buttons) {
        button->move(x, top);
        x += button->width() + gap;
    }
}

} // namespace Lumora
