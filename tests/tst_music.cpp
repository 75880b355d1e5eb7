#include "AppFolder.h"
#include "Driving.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "RecordingOutput.h"
#include "widgets/Look.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"
#include "music/MusicPlayer.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <cmath>

using namespace Lumora;

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
    // The click answers at once; the synthesizer gets ready behind it.
    QElapsedTimer timer;
    timer.start();
    click(main, QStringLiteral("Command29"));
    QVERIFY2(timer.elapsed() < 50, qPrintable(QString::number(timer.elapsed())));
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
    const QString shipped = QStringLiteral(LUMORA_DATA_DIR);
    MainWindow* main = start(true, shipped);
    click(main, QStringLiteral("Command30"));
    QCOMPARE(main->player()->source(), shipped + QStringLiteral("/music2.mid"));
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
    QElapsedTimer timer;
    timer.start();
    click(main, QStringLiteral("Command29"));
    QVERIFY(timer.elapsed() < 50);
    main->player()->settle();
    QVERIFY(!main->button(QStringLiteral("Command29"))->isEnabled());
    click(main, QStringLiteral("Command31"));
    QVERIFY(main->button(QStringLiteral("Command29"))->isEnabled());
    QVERIFY(messages.texts().isEmpty());
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
    const double seconds = double(samples.size()) / 2 / MusicPlayer::kSampleRate;
    // A minute or two of music, not a note or two.
    QVERIFY2(seconds > 60 && seconds < 150, qPrintable(QString::number(seconds)));
    const std::size_t window = MusicPlayer::kSampleRate; // half a second of stereo samples
    int windows = 0, audible = 0;
    float peak = 0;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        double sum = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            sum += double(samples[i]) * samples[i];
            peak = std::max(peak, std::fabs(samples[i]));
        }
        const double dbfs = 10 * std::log10(sum / window + 1e-20);
        ++windows;
        audible += dbfs > -40;
    }
    QVERIFY2(audible >= windows * 9 / 10,
             qPrintable(QStringLiteral("%1 of %2 half seconds above -40 dBFS").arg(audible).arg(windows)));
    // Loud enough to hear over a room, never clipped.
    QVERIFY2(peak > 0.25f && peak < 1.0f, qPrintable(QString::number(peak)));
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
