// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "Driving.h"
#include "MessageLog.h"
#include "PulseServer.h"
#include "RecordingOpener.h"
#include "RecordingOutput.h"
#include "widgets/Look.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"
#include "music/MusicPlayer.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Lumora;

namespace {

// Background music a person hears without reaching for the volume knob and that never
// clips: every stretch of it between these RMS levels, no peak above the last.
constexpr double kQuietestDb = -24, kLoudestDb = -16, kHighestPeakDb = -1;
// A stretch keeps this close to the level of its whole piece.
constexpr double kEvenDb = 6;
constexpr std::size_t kSecond = 2 * MusicPlayer::kSampleRate; // stereo samples

struct Level {
    double rms;  // dB, full scale 1
    double peak; // dBFS

    bool proper() const { return rms >= kQuietestDb && rms <= kLoudestDb && peak <= kHighestPeakDb; }
    QString text() const
    {
        return QStringLiteral("%1 dB RMS, peak %2 dBFS").arg(rms, 0, 'f', 1).arg(peak, 0, 'f', 1);
    }
};

Level levelOf(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double sum = 0;
    float peak = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += double(samples[i]) * samples[i];
        peak = std::max(peak, std::fabs(samples[i]));
    }
    return {10 * std::log10(sum / double(to - from) + 1e-20), 20 * std::log10(peak + 1e-20)};
}

} // namespace

class TestMusic : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void buttonsFollowTheStateTable_data();
    void buttonsFollowTheStateTable();
    void playsThroughTheSynthesizerAndStops();
    void missingFilePlaysNothingAndSaysNothing();
    void playsFromTheFolderTheMusicWasInstalledIn();
    void machineWithoutSoundStaysQuiet();
    void playTriesAgainUntilThereIsSound();
    void soundsThroughTheSoundServerAndStops();
    void rebuildingTheMainWindowStopsTheMusic();
    void bothPiecesSoundOverTheirWholeLength_data();
    void bothPiecesSoundOverTheirWholeLength();
    void musicHelpKeepsItsTexts();

private:
    MainWindow* start(bool recording = true, const QString& musicFolder = {});

    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<RecordingOutput::Record> m_record;
};

void TestMusic::initTestCase()
{
    Look::apply(*qApp);
}

void TestMusic::init()
{
    m_app = std::make_unique<AppFolder>();
    m_record = std::make_unique<RecordingOutput::Record>();
}

void TestMusic::cleanup()
{
    m_shell.reset();
    QTRY_VERIFY(visibleWindows().isEmpty());
}

MainWindow* TestMusic::start(bool recording, const QString& musicFolder)
{
    MusicPlayer::OutputFactory sound;
    if (recording)
        sound = [this] { return std::make_unique<RecordingOutput>(*m_record); };
    m_shell = std::make_unique<Shell>(m_app->path(), std::make_unique<RecordingOpener>(), sound,
                                      musicFolder);
    if (!m_shell->start())
        return nullptr;
    return qobject_cast<MainWindow*>(m_shell->windows().find(QStringLiteral("Main")));
}

void TestMusic::buttonsFollowTheStateTable_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("music1");
    QTest::addColumn<bool>("music2");
    const QString p1 = QStringLiteral("Command29"), p2 = QStringLiteral("Command30"),
                  stop = QStringLiteral("Command31");
    QTest::newRow("idle") << QStringList{} << true << true;
    QTest::newRow("piece 1") << QStringList{p1} << false << true;
    QTest::newRow("piece 2") << QStringList{p2} << true << false;
    QTest::newRow("piece 2 after piece 1") << QStringList{p1, p2} << false << false;
    QTest::newRow("piece 1 after piece 2") << QStringList{p2, p1} << false << false;
    QTest::newRow("stop after both") << QStringList{p1, p2, stop} << true << true;
    QTest::newRow("stop when idle") << QStringList{stop} << true << true;
    QTest::newRow("play again after stop") << QStringList{p1, stop, p1} << false << true;
    QTest::newRow("second click on a disabled button") << QStringList{p1, p1} << false << true;
}

void TestMusic::buttonsFollowTheStateTable()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, music1);
    QFETCH(bool, music2);
    MainWindow* main = start();
    QVERIFY(main);
    for (const QString& name : clicks)
        click(main, name);
    QCOMPARE(main->button(QStringLiteral("Command29"))->isEnabled(), music1);
    QCOMPARE(main->button(QStringLiteral("Command30"))->isEnabled(), music2);
    QVERIFY(main->button(QStringLiteral("Command31"))->isEnabled());
}

void TestMusic::playsThroughTheSynthesizerAndStops()
{
    if (MusicPlayer::soundFont().isEmpty())
        QSKIP("no General MIDI soundfont installed");
    MainWindow* main = start();
    MusicPlayer* player = main->player();
    QCOMPARE(player->objectName(), QStringLiteral("WindowsMediaPlayer1"));
    click(main, QStringLiteral("Command29"));
    QCOMPARE(player->source(), m_app->file(QStringLiteral("music.mid")));
    player->settle();
    QVERIFY(player->isPlaying());
    QTRY_VERIFY(m_record->audibleFrames > 0);

    // Piece 2 replaces piece 1; at most one piece sounds.
    click(main, QStringLiteral("Command30"));
    player->settle();
    QCOMPARE(player->source(), m_app->file(QStringLiteral("music2.mid")));
    QVERIFY(player->isPlaying());

    click(main, QStringLiteral("Command31"));
    player->settle();
    QVERIFY(!player->isPlaying());
    // Once the echo of the last chord has died away, there is silence.
    QTest::qWait(1500);
    const long long after = m_record->audibleFrames;
    QTest::qWait(300);
    QCOMPARE(m_record->audibleFrames.load(), after);
}

void TestMusic::playsFromTheFolderTheMusicWasInstalledIn()
{
    // An installed program keeps the music where it was installed, not in each user's
    // application folder.
    MainWindow* main = start(true, QStringLiteral(LUMORA_DATA_DIR));
    click(main, QStringLiteral("Command30"));
    QCOMPARE(main->player()->source(), QStringLiteral(LUMORA_DATA_DIR "/music2.mid"));
}

void TestMusic::missingFilePlaysNothingAndSaysNothing()
{
    MessageLog messages;
    QFile::remove(m_app->file(QStringLiteral("music2.mid")));
    MainWindow* main = start();
    click(main, QStringLiteral("Command30"));
    main->player()->settle();
    QVERIFY(!main->player()->isPlaying());
    QVERIFY(!main->button(QStringLiteral("Command30"))->isEnabled());
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(visibleWindows(), QStringList{"Main"});
}

void TestMusic::machineWithoutSoundStaysQuiet()
{
    // The real sound device: on a machine without one every driver fails, quietly.
    MessageLog messages;
    MainWindow* main = start(false);
    click(main, QStringLiteral("Command29"));
    main->player()->settle();
    QVERIFY(!main->button(QStringLiteral("Command29"))->isEnabled());
    click(main, QStringLiteral("Command31"));
    QVERIFY(main->button(QStringLiteral("Command29"))->isEnabled());
    QVERIFY(messages.texts().isEmpty());
}

void TestMusic::playTriesAgainUntilThereIsSound()
{
    if (MusicPlayer::soundFont().isEmpty())
        QSKIP("no General MIDI soundfont installed");
    // No sound for the first two plays, as before a sound server starts.
    m_record->refusals = 2;
    MainWindow* main = start();
    for (int play = 1; play <= 4; ++play) {
        click(main, QStringLiteral("Command31"));
        click(main, QStringLiteral("Command29"));
        main->player()->settle();
        // Each play asks for an output until one starts; that one is kept.
        QCOMPARE(m_record->starts.load(), std::min(play, 3));
        QCOMPARE(main->player()->isPlaying(), play >= 3);
    }
    QTRY_VERIFY(m_record->audibleFrames > 0);
}

void TestMusic::soundsThroughTheSoundServerAndStops()
{
    if (!PulseServer::installed() || MusicPlayer::soundFont().isEmpty())
        QSKIP("needs PulseAudio (pulseaudio, pulseaudio-utils) and a General MIDI soundfont");
    PulseServer server;
    const QString failure = server.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const std::vector<float>& heard = server.recording();
    // A busy machine may be slow to start the music: wait for the sound, not a clock.
    const QDeadlineTimer deadline(90000);
    const auto recordUntil = [&](auto enough) {
        while (!enough() && !deadline.hasExpired())
            server.waitForMore(1000);
        return enough();
    };
    const auto firstSound = [&] {
        const auto at = std::find_if(heard.begin(), heard.end(), [](float s) { return std::fabs(s) > 1e-3f; });
        return std::size_t(at - heard.begin()) & ~std::size_t(1);
    };

    // The player's own output, as on a desktop: FluidSynth's PulseAudio driver.
    MainWindow* main = start(false);
    click(main, QStringLiteral("Command29"));
    QVERIFY2(recordUntil([&] { return heard.size() >= firstSound() + 15 * kSecond; }),
             qPrintable(QStringLiteral("%1 s recorded, no 15 s of music").arg(heard.size() / kSecond)));
    const Level opening = levelOf(heard, firstSound(), firstSound() + 15 * kSecond);
    QVERIFY2(opening.proper(), qPrintable(opening.text()));

    click(main, QStringLiteral("Command31"));
    const std::size_t stopped = heard.size();
    QVERIFY(recordUntil([&] { return heard.size() >= stopped + 4 * kSecond; }));
    // Once the echo of the last chord has died away, there is silence.
    const Level after = levelOf(heard, stopped + 3 * kSecond, stopped + 4 * kSecond);
    QVERIFY2(after.peak < -60, qPrintable(after.text()));
    // Lumora lets go of the sound server before it goes.
    m_shell.reset();
}

void TestMusic::rebuildingTheMainWindowStopsTheMusic()
{
    MessageLog messages;
    MainWindow* main = start();
    click(main, QStringLiteral("Command29"));
    main->player()->settle();
    click(main, QStringLiteral("Command26"));
    Form* configure = visibleWindow(QStringLiteral("Configure"));
    QVERIFY(configure);
    QPointer<MusicPlayer> oldPlayer = main->player();
    click(configure, QStringLiteral("Command2"));
    // The old window and its player go; the output that played is stopped.
    QTRY_VERIFY(oldPlayer.isNull());
    QVERIFY(!m_record->running);
    auto* fresh = qobject_cast<MainWindow*>(m_shell->windows().find(QStringLiteral("Main")));
    QVERIFY(fresh && fresh != main);
    QVERIFY(fresh->button(QStringLiteral("Command29"))->isEnabled());
    QVERIFY(fresh->button(QStringLiteral("Command30"))->isEnabled());
    QVERIFY(!fresh->player()->isPlaying());
}

void TestMusic::bothPiecesSoundOverTheirWholeLength_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("music.mid") << "music.mid";
    QTest::newRow("music2.mid") << "music2.mid";
}

void TestMusic::bothPiecesSoundOverTheirWholeLength()
{
    QFETCH(QString, file);
    if (MusicPlayer::soundFont().isEmpty())
        QSKIP("no General MIDI soundfont installed");
    const std::vector<float> samples = MusicPlayer::render(m_app->file(file));
    const double seconds = double(samples.size()) / kSecond;
    // A minute or two of music, not a note or two.
    QVERIFY2(seconds > 60 && seconds < 150, qPrintable(QString::number(seconds)));
    const Level piece = levelOf(samples, 0, samples.size());
    QVERIFY2(piece.proper(), qPrintable(piece.text()));
    // Heard from its first second: every ten seconds but the last, where the piece ends.
    const std::size_t stretch = 10 * kSecond;
    for (std::size_t from = 0; from + stretch < samples.size(); from += stretch) {
        const Level part = levelOf(samples, from, from + stretch);
        QVERIFY2(part.proper() && std::fabs(part.rms - piece.rms) <= kEvenDb,
                 qPrintable(QStringLiteral("from %1 s: %2; piece: %3").arg(from / kSecond).arg(part.text(), piece.text())));
    }
}

void TestMusic::musicHelpKeepsItsTexts()
{
    MainWindow* main = start();
    trigger(main, QStringLiteral("Music"));
    Form* help = visibleWindow(QStringLiteral("musichelp"));
    QVERIFY(help);
    QCOMPARE(help->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Play Music 1 - Play \"Seek ye first - midi file"));
    QCOMPARE(help->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral("Play Music 2 - Play Shine Jesus Shine"));
}

QTEST_MAIN(TestMusic)
#include "tst_music.moc"
