// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

#include <cstdint>

namespace Lumora {

class SettingsFiles;

// The window titles: every window but one draws its title, each time it is loaded,
// from the first 23 lines of the caption list. One generator serves the whole program
// and always starts from the same state, so the same sequence of window loads gives the
// same titles in every run.
class RandomCaption
{
public:
    explicit RandomCaption(const SettingsFiles& settings);

    // The next value of the generator, 0 <= r < 1, in single precision.
    float nextValue();
    // The caption line that a value selects: Int(r * 23) + 1, from 1 to 23.
    static int lineFor(float r);
    // Draws a line number and reads that line of the caption list; throws FileError.
    QString draw();

private:
    const SettingsFiles& m_settings;
    std::uint32_t m_state = 0x2f6b31a5u;
};

} // namespace Lumora
