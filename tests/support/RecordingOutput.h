// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "music/SoundOutput.h"

#include <atomic>
#include <chrono>
#include <thread>

// Stands in for the sound device: pulls the synthesizer's sound at the pace a device
// would and keeps track of how loud it was.
class RecordingOutput : public Lumora::SoundOutput
{
public:
    struct Record {
        std::atomic<long long> frames{0};
        std::atomic<long long> audibleFrames{0};   // frames with a sample above -60 dBFS
        std::atomic<long long> firstAudibleNs{-1}; // steady clock, when sound first came
        std::atomic<bool> running{false};
        std::atomic<int> starts{0};    // outputs asked to start, refused ones too
        std::atomic<int> refusals{0};  // how many starts to refuse, as a machine without sound
    };

    explicit RecordingOutput(Record& record) : m_record(record) {}
    ~RecordingOutput() override { stop(); }

    bool start(fluid_settings_t* settings, Lumora::SoundSource& source) override;
    void stop() override;

private:
    Record& m_record;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
