#include "MusicPlayer.h"

#include <QFile>
#include <QFileInfo>

#include "FluidSynth.h"

namespace Lumora {

namespace {

fluid_settings_t* newSettings(const FluidSynth& fluid)
{
    fluid_settings_t* settings = fluid.new_settings();
    // The player keeps time by the samples rendered, so it plays the same whether the
    // sound goes to a device or into a buffer.
    fluid.settings_setstr(settings, "player.timing-source", "sample");
    fluid.settings_setint(settings, "synth.lock-memory", 0);
    fluid.settings_setnum(settings, "synth.sample-rate", MusicPlayer::kSampleRate);
    // The default gain of 0.2 is a whisper; 0.4 is background music that peaks, with
    // the soundfont we install, at four fifths of full scale.
    fluid.settings_setnum(settings, "synth.gain", MusicPlayer::kGain);
    return settings;
}

} // namespace

// The synthesizer and what plays on it; lives on the player's thread only.
struct MusicPlayer::Engine {
    const FluidSynth* fluid = FluidSynth::get();
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    std::unique_ptr<SoundOutput> output;

    // False when there is nothing to play on.
    bool open(const OutputFactory& factory)
    {
        const QString font = soundFont();
        if (!fluid || font.isEmpty())
            return false;
        settings = newSettings(*fluid);
        synth = fluid->new_synth(settings);
        if (!synth || fluid->synth_sfload(synth, QFile::encodeName(font).constData(), 1) == FLUID_FAILED)
            return false;
        output = factory ? factory() : std::make_unique<DeviceOutput>();
        if (!output || !output->start(settings, synth)) {
            output.reset();
            return false;
        }
        return true;
    }

    void stop()
    {
        if (player) {
            fluid->player_stop(player);
            fluid->delete_player(player);
            player = nullptr;
        }
        if (synth)
            fluid->synth_all_sounds_off(synth, -1);
    }

    void play(const QString& path)
    {
        stop();
        // The player would take a missing file and only find out when it is its turn.
        if (!QFileInfo(path).isReadable())
            return;
        player = fluid->new_player(synth);
        if (!player)
            return;
        if (fluid->player_add(player, QFile::encodeName(path).constData()) == FLUID_OK)
            fluid->player_play(player);
    }

    ~Engine()
    {
        if (output)
            output->stop();
        stop();
        if (synth)
            fluid->delete_synth(synth);
        if (settings)
            fluid->delete_settings(settings);
    }
};

DeviceOutput::~DeviceOutput()
{
    stop();
}

bool DeviceOutput::start(fluid_settings_t* settings, fluid_synth_t* synth)
{
    const FluidSynth* fluid = FluidSynth::get();
    if (!fluid)
        return false;
    // A desktop may offer any of these; the first that opens is kept. Drivers that this
    // build of FluidSynth lacks are refused by the setting itself.
    for (const char* driver : {"pipewire", "pulseaudio", "alsa"}) {
        if (fluid->settings_setstr(settings, "audio.driver", driver) != FLUID_OK)
            continue;
        m_driver = fluid->new_audio_driver(settings, synth);
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
           m_engine->fluid->player_get_status(m_engine->player) == FLUID_PLAYER_PLAYING;
}

void MusicPlayer::run()
{
    bool tried = false;
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
            if (command.kind == Command::Kind::Quit) {
                m_engine.reset();
            } else {
                if (command.kind == Command::Kind::Play && !tried) {
                    tried = true;
                    auto engine = std::make_unique<Engine>();
                    if (engine->open(m_outputFactory))
                        m_engine = std::move(engine);
                }
                if (m_engine && command.kind == Command::Kind::Play)
                    m_engine->play(command.path);
                else if (m_engine)
                    m_engine->stop();
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
    const FluidSynth* fluid = FluidSynth::get();
    const QString font = soundFont();
    if (!fluid || font.isEmpty())
        return samples;
    fluid_settings_t* settings = newSettings(*fluid);
    fluid_synth_t* synth = fluid->new_synth(settings);
    fluid_player_t* player = nullptr;
    if (synth && fluid->synth_sfload(synth, QFile::encodeName(font).constData(), 1) != FLUID_FAILED) {
        player = fluid->new_player(synth);
        if (fluid->player_add(player, QFile::encodeName(midiFile).constData()) == FLUID_OK &&
            fluid->player_play(player) == FLUID_OK) {
            constexpr int kBlock = 512;
            const auto limit = std::size_t(maxSeconds * kSampleRate) * 2;
            float block[kBlock * 2];
            while (fluid->player_get_status(player) == FLUID_PLAYER_PLAYING &&
                   samples.size() < limit) {
                fluid->synth_write_float(synth, kBlock, block, 0, 2, block, 1, 2);
                samples.insert(samples.end(), block, block + kBlock * 2);
            }
        }
    }
    if (player)
        fluid->delete_player(player);
    if (synth)
        fluid->delete_synth(synth);
    fluid->delete_settings(settings);
    return samples;
}

} // namespace Lumora
