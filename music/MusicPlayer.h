// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "SoundOutput.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Lumora {

// Plays a MIDI file once through a General MIDI synthesizer, with no window and no
// message box of its own: a file that cannot be read, a missing soundfont or a machine
// without sound play nothing, and each later play tries again. A missing library or
// soundfont is named once on standard error, with the package that brings it. Its
// commands return at once; a thread of its own carries them out and makes the
// synthesizer ready at the first play (loading the soundfont takes some tens of
// milliseconds, which start-up must not wait for).
class MusicPlayer : public QObject
{
    Q_OBJECT
public:
    using OutputFactory = std::function<std::unique_ptr<SoundOutput>()>;

    // `output` makes the sound output when a piece is played and none is open; empty:
    // the device.
    explicit MusicPlayer(OutputFactory output = {}, QObject* parent = nullptr);
    ~MusicPlayer() override;

    // Ends any playback; harmless when nothing plays.
    void stop();
    // The file the next play starts.
    void setSource(const QString& path);
    QString source() const { return m_source; }
    // Starts the source from its beginning, once.
    void play();

    // Blocks until every command given so far has been carried out (for tests).
    void settle();
    // Whether a piece is sounding now.
    bool isPlaying() const;

    // The first General MIDI soundfont found in the standard places, or "".
    static QString soundFont();
    // Renders `midiFile` offline as the player would play it: interleaved stereo floats at
    // 44.1 kHz, until the piece ends (at most `maxSeconds`).
    static std::vector<float> render(const QString& midiFile, double maxSeconds = 600);

    static constexpr double kGain = 0.4;
    static constexpr int kSampleRate = 44100;

private:
    struct Command {
        enum class Kind { Stop, Play, Quit } kind = Kind::Stop;
        QString path;
    };
    struct Engine;

    void post(Command command);
    void run();

    OutputFactory m_outputFactory;
    QString m_source;
    // Only the player's thread changes the engine; the lock lets isPlaying() look at it.
    std::unique_ptr<Engine> m_engine;
    mutable std::mutex m_engineMutex;
    // The command queue.
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_settled;
    std::deque<Command> m_commands;
    bool m_busy = false;
    std::thread m_thread;
};

} // namespace Lumora
