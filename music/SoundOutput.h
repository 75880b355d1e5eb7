// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <fluidsynth/types.h>

#include <mutex>

namespace Lumora {

// The synthesizer as an output sees it: sound to be pulled, some frames at a time.
// FluidSynth's MIDI player hangs a timer into its synthesizer that every rendered block
// calls, so making or deleting a player while another thread renders frees that timer
// under the renderer's feet. Rendering and every change of what plays therefore take
// turns under one lock.
class SoundSource
{
public:
    explicit SoundSource(fluid_synth_t* synth) : m_synth(synth) {}

    // Writes `frames` frames: left samples from `left`, right ones from `right`, each
    // `step` floats apart (2 for interleaved stereo).
    void render(int frames, float* left, float* right, int step);
    // The same as a callback of new_fluid_audio_driver2(), `source` being the SoundSource.
    static int process(void* source, int frames, int effects, float* effect[], int outputs,
                       float* out[]);

    // Held while the player is made, changed or deleted.
    std::mutex& turn() { return m_turn; }
    fluid_synth_t* synth() const { return m_synth; }

private:
    fluid_synth_t* m_synth;
    std::mutex m_turn;
};

// Where the synthesizer's sound goes. The real one is the computer's sound device; tests
// and benchmarks put a recorder in its place.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Starts pulling sound from `source` on a thread of its own; false when there is no
    // output to be had (no sound device, say). Called once; `source` outlives the output.
    virtual bool start(fluid_settings_t* settings, SoundSource& source) = 0;
    // Stops pulling and waits until the last pull has returned; called before the
    // synthesizer goes.
    virtual void stop() = 0;
};

// The desktop's sound device: PipeWire or PulseAudio, then ALSA, whichever opens first.
class DeviceOutput : public SoundOutput
{
public:
    ~DeviceOutput() override;
    bool start(fluid_settings_t* settings, SoundSource& source) override;
    void stop() override;

private:
    static constexpr int kPeriodFrames = 4096; // 93 ms at 44.1 kHz
    fluid_audio_driver_t* m_driver = nullptr;
};

} // namespace Lumora
