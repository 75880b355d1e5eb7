// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "RandomCaption.h"

#include "SettingsFiles.h"

#include <algorithm>

namespace Lumora {

RandomCaption::RandomCaption(const SettingsFiles& settings) : m_settings(settings) {}

float RandomCaption::nextValue()
{
    // A 32-bit linear congruential step; its upper 24 bits make exactly the floats of
    // [0, 1) with a 24-bit mantissa, so the value can never round up to 1.
    m_state = m_state * 1664525u + 1013904223u;
    return float(m_state >> 8) / float(1u << 24);
}

int RandomCaption::lineFor(float r)
{
    return std::clamp(int(double(r) * SettingsFiles::kCaptionCount) + 1, 1,
                      SettingsFiles::kCaptionCount);
}

QString RandomCaption::draw()
{
    return m_settings.captionLine(lineFor(nextValue()));
}

} // namespace Lumora
