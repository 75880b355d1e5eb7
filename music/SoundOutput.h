// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <fluidsynth/types.h>

namespace Lumora {

// Where the synthesizer's sound goes. The real one is the computer's sound device; tests
// and benchmarks put a recorder in its place.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Starts pulling sound from `synth` on a thread of its own; false when there is no
    // output to be had (no sound device, say). Called once.
    virtual bool start(fluid_settings_t* settings, fluid_synth_t* synth) = 0;
    // Stops pulling; called before the synthesizer goes.
    virtual void stop() = 0;
};

// The desktop's sound device: PipeWire or PulseAudio, then ALSA, whichever opens first.
class DeviceOutput : public SoundOutput
{
public:
    ~DeviceOutput() override;
    bool start(fluid_settings_t* settings, fluid_synth_t* synth) override;
    void stop() override;

private:
    static constexpr int kPeriodFrames = 4096; // 93 ms at 44.1 kHz
    fluid_audio_driver_t* m_driver = nullptr;
};

} // namespace Lumora
