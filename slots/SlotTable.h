// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "tables/Tables.h"

#include <QString>

#include <array>
#include <string_view>

namespace Lumora {

// One open slot: the user-named category numbered 2..15 (there is no slot 1), with the
// slot window, the main-window button and the configuration box that belong to it. Its
// name is line (slot - 1) of configure.lmr; its files are c00NN.txt and c00NN.dat in the
// data folder.
struct SlotRow {
    int slot;
    std::string_view window;
    std::string_view button;
    std::string_view nameBox;
};

namespace SlotTable {

// In slot order, which is also the order of the lines of configure.lmr. The main-window
// buttons are not numbered in slot order; this column is the binding.
inline constexpr std::array<SlotRow, 14> kRows = {{
    {2, "Formc2", "Command22", "Text2"},
    {3, "Formc3", "Command23", "Text3"},
    {4, "Formc4", "Command20", "Text4"},
    {5, "Formc5", "Command8", "Text5"},
    {6, "Formc6", "Command16", "Text6"},
    {7, "Formc7", "Command17", "Text7"},
    {8, "Formc8", "Command14", "Text8"},
    {9, "Formc9", "Command24", "Text9"},
    {10, "Formc10", "Command25", "Text10"},
    {11, "Formc11", "Command21", "Text11"},
    {12, "Formc12", "Command9", "Text12"},
    {13, "Formc13", "Command18", "Text13"},
    {14, "Formc14", "Command19", "Text14"},
    {15, "Formc15", "Command15", "Text15"},
}};

inline const SlotRow* byWindow(QStringView window)
{
    return rowOf(kRows, window, &SlotRow::window);
}

inline const SlotRow* byButton(QStringView button)
{
    return rowOf(kRows, button, &SlotRow::button);
}

// "c0002.txt" .. "c0015.txt"
QString notesFile(int slot);
// "c0002.dat" .. "c0015.dat"
QString verseFile(int slot);

} // namespace SlotTable

} // namespace Lumora
