// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "RecordingOutput.h"

#include "music/FluidSynth.h"

#include <cmath>

bool RecordingOutput::start(fluid_settings_t*, Lumora::SoundSource& source)
{
    const Lumora::FluidSynth* fluid = Lumora::FluidSynth::get();
    ++m_record.starts;
    if (!fluid || m_record.refusals-- > 0)
        return false;
    m_record.running = true;
    m_thread = std::thread([this, &source] {
        constexpr int kBlock = 256;
        float block[kBlock * 2];
        auto next = std::chrono::steady_clock::now();
        while (!m_stop) {
            source.render(kBlock, block, block + 1, 2);
            long long audible = 0;
            for (int i = 0; i < kBlock; ++i)
                audible += (std::fabs(block[2 * i]) > 0.001f || std::fabs(block[2 * i + 1]) > 0.001f);
            if (audible > 0 && m_record.firstAudibleNs < 0)
                m_record.firstAudibleNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count();
            m_record.audibleFrames += audible;
            m_record.frames += kBlock;
            next += std::chrono::microseconds(kBlock * 1000000LL / 44100);
            std::this_thread::sleep_until(next);
        }
    });
    return true;
}

void RecordingOutput::stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        m_thread.join();
        m_record.running = false;
    }
}
