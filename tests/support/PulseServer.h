// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QList>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>
#include <vector>

// A PulseAudio server of our own with one null sink, whose sound is recorded: what Lumora
// plays through the desktop's sound server, heard where a person would hear it. While it
// lives, every stream of this process goes to it and to no other sound server.
class PulseServer
{
public:
    static constexpr int kRate = 44100;

    // Whether Debian's pulseaudio and pulseaudio-utils are installed.
    static bool installed();

    ~PulseServer();

    // Starts the server and the recording of its sink; "" when both run, else what failed.
    QString start();
    // Waits up to `ms` for more of the recording; false when none came.
    bool waitForMore(int ms);
    // Interleaved stereo at kRate, full scale 1, from the start of the recording.
    const std::vector<float>& recording() const { return m_samples; }

private:
    QTemporaryDir m_folder;
    QProcess m_server;
    QProcess m_recorder;
    QByteArray m_partial;
    std::vector<float> m_samples;
    QList<std::pair<const char*, std::optional<QByteArray>>> m_environment; // as it was
};
