// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "MusicPlayer.h"

#include <QFile>
#include <QFileInfo>

#include "FluidSynth.h"

#include <cstdio>
#include <mutex>

namespace Lumora {

namespace {

// The player shows nothing when music cannot play; whoever wonders why finds it said once
// on the terminal or in the journal.
void sayWhyNoMusic(const QString& why)
{
    static std::once_flag once;
    std::call_once(once, [&why] {
        std::fprintf(stderr, "lumora: Music cannot play: %s\n", why.toLocal8Bit().constData());
    });
}

// The settings, the synthesizer and its soundfont: everything a piece needs before its
// sound can go anywhere, made alike for the sound device and for an offline rendering.
struct Synthesizer {
    const FluidSynth* fluid = FluidSynth::get();
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;

    Synthesizer() = default;
    Synthesizer(const Synthesizer&) = delete;
    Synthesizer& operator=(const Synthesizer&) = delete;
    ~Synthesizer() { release(); }

    // False when there is no library, no soundfont, or the soundfont does not load; what
    // was made is given back, so that a later call starts afresh.
    bool load()
    {
        const QString font = MusicPlayer::soundFont();
        if (!fluid) {
            sayWhyNoMusic(QStringLiteral("the FluidSynth library (libfluidsynth.so.3) is not "
                                         "installed; the Debian package libfluidsynth3 brings it."));
            return false;
        }
        if (font.isEmpty()) {
            sayWhyNoMusic(QStringLiteral("no General MIDI soundfont was found in /usr/share/sounds "
                                         "or /usr/share/soundfonts; the Debian package "
                                         "timgm6mb-soundfont brings one."));
            return false;
        }
        settings = fluid->new_settings();
        // The player keeps time by the samples rendered, so it plays the same whether the
        // sound goes to a device or into a buffer.
        fluid->settings_setstr(settings, "player.timing-source", "sample");
        fluid->settings_setint(settings, "synth.lock-memory", 0);
        fluid->settings_setnum(settings, "synth.sample-rate", MusicPlayer::kSampleRate);
        // The default gain of 0.2 is a whisper; at 0.4 the pieces we ship, played on the
        // soundfont we install, stay near -19 dB RMS and peak below -3 dBFS.
        fluid->settings_setnum(settings, "synth.gain", MusicPlayer::kGain);
        synth = fluid->new_synth(settings);
        if (synth && fluid->synth_sfload(synth, QFile::encodeName(font).constData(), 1) != FLUID_FAILED)
            return true;
        sayWhyNoMusic(QStringLiteral("the soundfont %1 could not be loaded.").arg(font));
        release();
        return false;
    }

    void release()
    {
        if (synth)
            fluid->delete_synth(synth);
        if (settings)
            fluid->delete_settings(settings);
        synth = nullptr;
        settings = nullptr;
    }
};

} // namespace

// The synthesizer, its output and what plays on it; lives on the player's thread only.
struct MusicPlayer::Engine {
    Synthesizer sound;
    std::unique_ptr<SoundSource> source; // made with the synthesizer
    fluid_player_t* player = nullptr;
    std::unique_ptr<SoundOutput> output;

    // Makes whatever is still missing: the synthesizer, then the output. A machine whose
    // sound server starts late, or whose headphones go in later, plays at the next try;
    // the soundfont, once loaded, is kept while only the output is tried again.
    bool ready(const OutputFactory& factory)
    {
        if (!sound.synth && !sound.load())
            return false;
        if (!source)
            source = std::make_unique<SoundSource>(sound.synth);
        if (!output) {
            std::unique_ptr<SoundOutput> made = factory ? factory() : std::make_unique<DeviceOutput>();
            if (!made || !made->start(sound.settings, *source))
                return false;
            output = std::move(made);
        }
        return true;
    }

    void stop()
    {
        if (!source)
            return;
        std::lock_guard turn(source->turn());
        if (player) {
            sound.fluid->player_stop(player);
            sound.fluid->delete_player(player);
            player = nullptr;
        }
        sound.fluid->synth_all_sounds_off(sound.synth, -1);
    }

    void play(const QString& path)
    {
        stop();
        // The player would take a missing file and only find out when it is its turn.
        if (!QFileInfo(path).isReadable())
            return;
        std::lock_guard turn(source->turn());
        player = sound.fluid->new_player(sound.synth);
        if (!player)
            return;
        if (sound.fluid->player_add(player, QFile::encodeName(path).constData()) == FLUID_OK)
            sound.fluid->player_play(player);
    }

    ~Engine()
    {
        // The output pulls from the synthesizer on a thread of its own: it goes first.
        if (output)
            output->stop();
        stop();
    }
};

void SoundSource::render(int frames, float* left, float* right, int step)
{
    std::lock_guard turn(m_turn);
    FluidSynth::get()->synth_write_float(m_synth, frames, left, 0, step, right, 0, step);
}

int SoundSource::process(void* source, int frames, int, float**, int outputs, float* out[])
{
    if (outputs < 2)
        return FLUID_FAILED;
    static_cast<SoundSource*>(source)->render(frames, out[0], out[1], 1);
    return FLUID_OK;
}

DeviceOutput::~DeviceOutput()
{
    stop();
}

bool DeviceOutput::start(fluid_settings_t* settings, SoundSource& source)
{
    const FluidSynth* fluid = FluidSynth::get();
    if (!fluid)
        return false;
    // FluidSynth asks the sound server for 64 frames at a time, under 2 ms of sound in
    // hand: on a busy machine the music then stutters, and through PulseAudio a sixth of
    // it was lost as silence. A tenth of a second in hand plays through, and background
    // music can start and stop that much later.
    fluid->settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid->settings_setint(settings, "audio.periods", 2);
    // A desktop may offer any of these; the first that opens is kept. Drivers that this
    // build of FluidSynth lacks are refused by the setting itself.
    for (const char* driver : {"pipewire", "pulseaudio", "alsa"}) {
        if (fluid->settings_setstr(settings, "audio.driver", driver) != FLUID_OK)
            continue;
        // The driver pulls through the source, which takes its turn with the player.
        m_driver = fluid->new_audio_driver2(settings, &SoundSource::process, &source);
        if (m_driver)
            return true;
    }
    return false;
}

void DeviceOutput::stop()
{
    if (m_driver) {
        FluidSynth::get()->delete_audio_driver(m_driver);
        m_driver = nullptr;
    }
}

MusicPlayer::MusicPlayer(OutputFactory output, QObject* parent)
    : QObject(parent), m_outputFactory(std::move(output))
{
    setObjectName(QStringLiteral("WindowsMediaPlayer1"));
}

MusicPlayer::~MusicPlayer()
{
    if (m_thread.joinable()) {
        post({Command::Kind::Quit, {}});
        m_thread.join();
    }
}

void MusicPlayer::post(Command command)
{
    {
        std::lock_guard lock(m_mutex);
        m_commands.push_back(std::move(command));
    }
    // The thread starts with the first command: until then there is nothing to run.
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_wake.notify_one();
}

void MusicPlayer::stop()
{
    // Nothing has ever played: there is nothing to stop and no thread to start for it.
    if (!m_thread.joinable())
        return;
    post({Command::Kind::Stop, {}});
}

void MusicPlayer::setSource(const QString& path)
{
    m_source = path;
}

void MusicPlayer::play()
{
    post({Command::Kind::Play, m_source});
}

void MusicPlayer::settle()
{
    std::unique_lock lock(m_mutex);
    m_settled.wait(lock, [this] { return m_commands.empty() && !m_busy; });
}

bool MusicPlayer::isPlaying() const
{
    std::lock_guard lock(m_engineMutex);
    return m_engine && m_engine->player &&
           m_engine->sound.fluid->player_get_status(m_engine->player) == FLUID_PLAYER_PLAYING;
}

void MusicPlayer::run()
{
    for (;;) {
        Command command;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return !m_commands.empty(); });
            command = std::move(m_commands.front());
            m_commands.pop_front();
            m_busy = true;
        }
        // The work is done outside the queue's lock, so that a click never waits for it.
        {
            std::lock_guard engineLock(m_engineMutex);
            switch (command.kind) {
            case Command::Kind::Quit:
                m_engine.reset();
                break;
            case Command::Kind::Play:
                // Every play tries again whatever could not be had before.
                if (!m_engine)
                    m_engine = std::make_unique<Engine>();
                if (m_engine->ready(m_outputFactory))
                    m_engine->play(command.path);
                break;
            case Command::Kind::Stop:
                if (m_engine)
                    m_engine->stop();
                break;
            }
        }
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_settled.notify_all();
        if (command.kind == Command::Kind::Quit)
            return;
    }
}

QString MusicPlayer::soundFont()
{
    // The 6 MB soundfont we install comes first, even where the system's default points
    // to a larger one: a 140 MB soundfont takes a fifth of a second to load and as many
    // megabytes of memory as it is large, for background music that sounds no better.
    // (FluidSynth can read samples on demand instead, but freeing them again races with
    // the sound thread and crashes it.)
    for (const char* candidate :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2",
          "/usr/share/soundfonts/FluidR3_GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
        const QString path = QString::fromLatin1(candidate);
        if (QFileInfo(path).isReadable())
            return path;
    }
    return {};
}

std::vector<float> MusicPlayer::render(const QString& midiFile, double maxSeconds)
{
    std::vector<float> samples;
    Synthesizer sound;
    if (!sound.load())
        return samples;
    const FluidSynth& fluid = *sound.fluid;
    fluid_player_t* player = fluid.new_player(sound.synth);
    if (!player)
        return samples;
    if (fluid.player_add(player, QFile::encodeName(midiFile).constData()) == FLUID_OK &&
        fluid.player_play(player) == FLUID_OK) {
        constexpr int kBlock = 512;
        const auto limit = std::size_t(maxSeconds * kSampleRate) * 2;
        float block[kBlock * 2];
        while (fluid.player_get_status(player) == FLUID_PLAYER_PLAYING && samples.size() < limit) {
            fluid.synth_write_float(sound.synth, kBlock, block, 0, 2, block, 1, 2);
            samples.insert(samples.end(), block, block + kBlock * 2);
        }
    }
    fluid.delete_player(player);
    return samples;
}

} // namespace Lumora
