// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Two parts of Lumora's start-up on their own, the command line and the single-instance
// check; then what a person waits for inside a running Lumora, offscreen: a click until
// the window it opens is shown and painted, Confirm until the reopened slot window is
// painted, the relocation's copy, the music buttons (also through a PulseAudio server of
// the bench's own, as a desktop hears them), and resident memory over many openings.
//
//   lumora-bench-windows DATA_FOLDER [REPEATS]
//   lumora-bench-windows DATA_FOLDER REPEATS repaint
//   lumora-bench-windows DATA_FOLDER REPEATS huge
//
// The second form times only the repainting of four windows open at once, for a run with
// QT_SCALE_FACTOR=2, where their pictures together outgrow Qt's pixmap cache. The third
// times the start and the opening of every window with files far larger than any a
// person writes, each against the files that come with the program; every kind of file
// runs in a process of its own, which is given up after LUMORA_BENCH_TIMEOUT seconds
// (120 by default), so that a freeze shows as a row rather than as a bench that hangs.
#include "BenchTable.h"
#include "PulseServer.h"
#include "RecordingOpener.h"
#include "RecordingOutput.h"
#include "widgets/CaptionButton.h"
#include "widgets/Form.h"
#include "widgets/Look.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "widgets/Messages.h"
#include "app/Shell.h"
#include "app/SingleInstance.h"
#include "widgets/WindowRegistry.h"
#include "config/FolderList.h"
#include "config/Relocation.h"
#include "music/MusicPlayer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <malloc.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Lumora;

namespace {

double ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

double residentMiB()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void fillFolder(const QString& from, const QString& to)
{
    for (const QString& name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + u'/' + name, to + u'/' + name);
    QFile pointer(to + QStringLiteral("/path.lmr"));
    pointer.open(QIODevice::WriteOnly);
    pointer.write(QFile::encodeName(to) + "\r\n");
}

// Clicks `button` of `opener` and times until `window` is shown and painted.
double openTime(Shell& shell, Form* opener, const QString& button, const QString& window)
{
    QElapsedTimer timer;
    timer.start();
    opener->findChild<CaptionButton*>(button)->click();
    Form* form = shell.windows().find(window);
    QCoreApplication::processEvents();
    form->repaint();
    return ms(timer);
}

// Play Music1 through the desktop's way out, a PulseAudio server: from the click until the
// server has the player's stream (a first play opens it, later plays find it playing) and
// until the server mixes the first sound into its sink, as seen on the sink's monitor,
// which hands it on within some 20 ms. A first play is that of a freshly loaded main window.
void soundServerRows(const QString& data, int repeats)
{
    if (!PulseServer::installed()) {
        std::printf("(music through PulseAudio: left out, pulseaudio is not installed)\n");
        return;
    }
    PulseServer server;
    if (const QString failure = server.start(); !failure.isEmpty()) {
        std::printf("(music through PulseAudio: left out, %s)\n", qPrintable(failure));
        return;
    }
    QProcess events;
    events.start(QStringLiteral("pactl"), {QStringLiteral("subscribe")});
    events.waitForStarted();
    QTemporaryDir folder;
    fillFolder(data, folder.path());
    // Whatever came before the click is old news.
    const auto drain = [&] {
        while (server.waitForMore(0) || events.waitForReadyRead(0))
            events.readAll();
    };
    // Milliseconds from the click until the stream appears (-1: it was there already) and
    // until the first sound comes from the sink.
    const auto clickToSound = [&](CaptionButton* play, bool newStream) {
        drain();
        std::size_t scanned = server.recording().size();
        QElapsedTimer timer;
        timer.start();
        play->click();
        double stream = newStream ? 0 : -1, sound = 0;
        while ((stream == 0 || sound == 0) && timer.elapsed() < 10000) {
            if (stream == 0 && events.waitForReadyRead(1) &&
                events.readAll().contains("'new' on sink-input"))
                stream = ms(timer);
            if (sound == 0 && server.waitForMore(1)) {
                const std::vector<float>& heard = server.recording();
                for (; scanned < heard.size() && std::fabs(heard[scanned]) <= 1e-3f; ++scanned) {}
                if (scanned < heard.size())
                    sound = ms(timer);
            }
        }
        return std::pair{stream, sound};
    };
    std::vector<double> streamFirst, soundFirst, soundLater;
    const int firstPlays = std::max(3, repeats / 8);
    // The server's first stream finds its sink idle; that play is not counted.
    for (int i = 0; i <= firstPlays; ++i) {
        Shell shell(folder.path(), std::make_unique<RecordingOpener>());
        shell.start();
        auto* main = qobject_cast<MainWindow*>(shell.windows().find(QStringLiteral("Main")));
        CaptionButton* play = main->button(QStringLiteral("Command29"));
        const auto [stream, sound] = clickToSound(play, true);
        if (i > 0) {
            streamFirst.push_back(stream);
            soundFirst.push_back(sound);
        }
        if (i < firstPlays)
            continue;
        for (int j = 0; j < std::max(3, repeats / 4); ++j) {
            main->button(QStringLiteral("Command31"))->click();
            // The echo of the last chord dies away before the next click is timed.
            const std::vector<float>& heard = server.recording();
            const std::size_t quiet = PulseServer::kRate / 2; // a quarter second of stereo
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < 5000 &&
                   (heard.size() < quiet ||
                    std::any_of(heard.end() - quiet, heard.end(), [](float s) { return std::fabs(s) > 1e-3f; })))
                server.waitForMore(100);
            soundLater.push_back(clickToSound(play, false).second);
        }
    }
    BenchTable::row("music, PulseAudio: click to stream, first play (ms)", streamFirst);
    BenchTable::row("music, PulseAudio: click to sound, first play (ms)", soundFirst);
    BenchTable::row("music, PulseAudio: click to sound, later plays (ms)", soundLater);
}

QStringList allWindows()
{
    QStringList names{"Configure", "help", "MainHelp", "aboutthis", "subhelp", "musichelp"};
    for (int n = 2; n <= 12; ++n)
        names.append(QStringLiteral("Form%1").arg(n));
    for (int n = 2; n <= 15; ++n)
        names.append(QStringLiteral("Formc%1").arg(n));
    return names;
}

// Opens four windows with large pictures and times repainting each of them.
void repaintRow(Shell& shell, int repeats)
{
    const QStringList names{"Main", "Form2", "Form5", "Formc2"};
    QList<Form*> windows;
    for (const QString& name : names)
        windows.append(shell.windows().open(name));
    settle();
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        for (Form* window : std::as_const(windows)) {
            QElapsedTimer timer;
            timer.start();
            // Drawn whole into a pixmap, which the offscreen platform does not skip.
            window->grab();
            times.push_back(ms(timer));
        }
    }
    char name[64];
    std::snprintf(name, sizeof name, "repaint at scale %.0f, four windows open (ms)",
                  windows.first()->devicePixelRatioF());
    BenchTable::row(name, times);
}

// With every window open, times a step of the zoom, up and down again: until the window
// it is taken in is laid out anew and repainted, until every window is, and the longest
// the event loop waits meanwhile, which is how long a key or click may wait.
void zoomRow(Shell& shell, int repeats)
{
    Form* main = shell.windows().find(QStringLiteral("Main"));
    QList<Form*> windows{main};
    for (const QString& name : allWindows())
        windows.append(shell.windows().open(name));
    settle();
    std::vector<double> inUse, all, longestPass;
    for (int i = 0; i < repeats; ++i) {
        for (const int step : {125, 100}) {
            // A category window, the largest of them, is the one in use.
            Form* active = windows[(i % 11) + 7];
            active->activateWindow();
            settle();
            QElapsedTimer timer;
            timer.start();
            shell.setZoom(step);
            inUse.push_back(ms(timer));
            double longest = 0;
            while (shell.zoomPending()) {
                QElapsedTimer pass;
                pass.start();
                QCoreApplication::processEvents(QEventLoop::AllEvents);
                longest = std::max(longest, ms(pass));
            }
            all.push_back(ms(timer));
            longestPass.push_back(longest);
            settle();
        }
    }
    BenchTable::row("zoom: one step, the window in use repainted (ms)", inUse, 16);
    BenchTable::row("zoom: one step, all 32 windows open repainted (ms)", all, 16);
    BenchTable::row("zoom: longest pass of the event loop meanwhile (ms)", longestPass, 16);
    for (Form* window : std::as_const(windows)) {
        if (window != main)
            window->close();
    }
    settle();
}

// The files the huge rows are made of. Each kind is one file of the application or data
// folder grown far past anything a person writes; "normal" leaves the folder as it comes.
struct HugeKind
{
    const char* key;
    const char* name;
    void (*make)(const QString& folder);
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray fileLines(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A line of `size` bytes of verse text; without spaces, no word break shortens the work
// of laying it out.
QByteArray hugeLine(qsizetype size, bool spaces)
{
    const QByteArray unit =
        spaces ? QByteArray("and the LORD said ") : QByteArray("andtheLORDsaid");
    QByteArray line;
    line.reserve(size + unit.size());
    while (line.size() < size)
        line += unit;
    line.truncate(size);
    return line;
}

// Replaces line `n` (1-based) of the CR LF file at `path` by `line`.
void replaceLine(const QString& path, int n, const QByteArray& line)
{
    QList<QByteArray> lines = fileLines(path).split('\n');
    if (lines.size() < n)
        qFatal("%s has fewer than %d lines", qPrintable(path), n);
    lines[n - 1] = line + '\r';
    writeFile(path, lines.join('\n'));
}

constexpr HugeKind kHugeKinds[] = {
    {"normal", "normal files", [](const QString&) {}},
    {"sparse", "10 GB sparse verse file",
     [](const QString& folder) {
         // Five good lines, then 10 GB of holes that read as NUL bytes.
         const QString path = folder + QStringLiteral("/c0002.dat");
         const QByteArray good = fileLines(path);
         writeFile(path, good);
         if (::truncate(QFile::encodeName(path).constData(), qint64(10) << 30) != 0)
             qFatal("cannot grow %s", qPrintable(path));
     }},
    {"name", "1 MB slot name",
     [](const QString& folder) {
         replaceLine(folder + QStringLiteral("/configure.lmr"), 1, hugeLine(1 << 20, true));
     }},
    {"caption", "1 MB caption line",
     [](const QString& folder) {
         // The line the main window's title is drawn from, which every later title whose
         // line comes after it is read past.
         replaceLine(folder + QStringLiteral("/Rantxt.lmr"), 5, hugeLine(1 << 20, true));
     }},
    {"verse", "8 MB spaceless verse",
     [](const QString& folder) {
         replaceLine(folder + QStringLiteral("/c0002.dat"), 3, hugeLine(8 << 20, false));
     }},
};

// Opens `name` and times until it is shown and painted, or until the box that says why it
// does not open has been shown.
double openWindow(Shell& shell, const QString& name)
{
    QElapsedTimer timer;
    timer.start();
    if (Form* form = shell.windows().open(name)) {
        QCoreApplication::processEvents();
        form->repaint();
    }
    return ms(timer);
}

// In the child: makes the files of one kind, then starts the program and opens every
// window `repeats` times, printing "start MS", "open WINDOW MS" and, for a window that
// would not open, "refused WINDOW KIND" for the parent to read.
int hugeChild(const QString& data, int repeats, const HugeKind& kind)
{
    QTemporaryDir folder;
    fillFolder(data, folder.path());
    kind.make(folder.path());
    QString message;
    Messages::setHook([&message](const QString& text, QMessageBox::StandardButtons) {
        message = text.section(u':', 0, 0);
        return QMessageBox::Ok;
    });
    QTextStream out(stdout);
    for (int i = 0; i < repeats + 1; ++i) {
        QElapsedTimer timer;
        timer.start();
        Shell shell(folder.path(), std::make_unique<RecordingOpener>());
        if (!shell.start()) {
            out << "refused Main " << message << Qt::endl;
            return 0;
        }
        QCoreApplication::processEvents();
        shell.windows().find(QStringLiteral("Main"))->repaint();
        const double start = ms(timer);
        // The first round decodes the pictures once for all.
        if (i > 0)
            out << "start " << start << Qt::endl;
        for (const QString& name : allWindows()) {
            message.clear();
            const double t = openWindow(shell, name);
            if (i > 0)
                out << "open " << name << ' ' << t << Qt::endl;
            if (Form* form = shell.windows().find(name))
                form->close();
            else if (i == 0)
                out << "refused " << name << ' ' << message << Qt::endl;
            settle();
        }
    }
    Messages::setHook({});
    return 0;
}

// The rows of every kind, each timed in a child process: the start, and the opening of the
// window that takes longest over its time with the files as they come, each within 100 ms
// of that time.
void hugeRows(const QString& data, int repeats)
{
    const int timeout = qEnvironmentVariableIsSet("LUMORA_BENCH_TIMEOUT")
                            ? qEnvironmentVariableIntValue("LUMORA_BENCH_TIMEOUT")
                            : 120;
    double normalStart = 0;
    QMap<QString, double> normalOpens;
    for (const HugeKind& kind : kHugeKinds) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(
            QCoreApplication::applicationFilePath(),
            {data, QString::number(repeats), QStringLiteral("huge"), QLatin1String(kind.key)});
        const bool finished = child.waitForFinished(timeout * 1000);
        if (!finished) {
            child.kill();
            child.waitForFinished();
        }
        std::vector<double> starts;
        QMap<QString, std::vector<double>> opens;
        QStringList refused;
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() >= 2 && words[0] == "start")
                starts.push_back(words[1].toDouble());
            else if (words.size() >= 3 && words[0] == "open")
                opens[QString::fromUtf8(words[1])].push_back(words[2].toDouble());
            else if (words.size() >= 2 && words[0] == "refused")
                refused.append(QString::fromUtf8(line.mid(8)));
        }
        const QString name = QString::fromLatin1(kind.name);
        if (!finished || child.exitCode() != 0) {
            std::printf(
                "%-52s %s\n", qPrintable(name),
                finished ? "failed"
                         : qPrintable(QStringLiteral("not done after %1 s, stopped").arg(timeout)));
            continue;
        }
        // The slowest window to open, or with huge files, the window whose median lies
        // furthest above its median with the files as they come.
        const bool normal = qstrcmp(kind.key, "normal") == 0;
        QString slowest;
        const auto over = [&](const QString& window) {
            return BenchTable::median(opens[window]) - normalOpens.value(window);
        };
        for (auto it = opens.cbegin(); it != opens.cend(); ++it) {
            if (slowest.isEmpty() || over(it.key()) > over(slowest))
                slowest = it.key();
        }
        if (normal)
            normalStart = BenchTable::median(starts);
        const double startBudget = normal ? 0 : normalStart + 100;
        const double openBudget = normal ? 0 : normalOpens.value(slowest) + 100;
        if (!starts.empty())
            BenchTable::row(qPrintable(QStringLiteral("%1: start (ms)").arg(name)), starts,
                            startBudget);
        if (!slowest.isEmpty())
            BenchTable::row(qPrintable(QStringLiteral("%1: %2 open, %3 (ms)")
                                           .arg(name, normal ? "slowest" : "worst", slowest)),
                            opens[slowest], openBudget);
        for (auto it = opens.cbegin(); normal && it != opens.cend(); ++it)
            normalOpens[it.key()] = BenchTable::median(it.value());
        for (const QString& text : std::as_const(refused))
            std::printf("%s: not opened, %s\n", qPrintable(name), qPrintable(text));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const bool repaint = argc > 3 && qstrcmp(argv[3], "repaint") == 0;
    const bool zoomOnly = argc > 3 && qstrcmp(argv[3], "zoom") == 0;
    // Two parts of Lumora's start-up of their own: reading its command line, as main()
    // does before QApplication is made, and below, the single-instance check. A start
    // without arguments, as from the desktop, skips the parser; one with a Qt option
    // pays for it.
    std::vector<double> commandLine;
    for (int i = 0; !repaint && !zoomOnly && argc > 2 && i < std::atoi(argv[2]); ++i) {
        char program[] = "lumora", option[] = "-style", value[] = "fusion";
        char* line[] = {program, option, value, nullptr};
        QElapsedTimer timer;
        timer.start();
        CommandLine::read(3, line);
        commandLine.push_back(ms(timer));
    }
    // A screen of 1920 x 1080, on which every window fits at the steps of the zoom timed.
    QTemporaryDir screens;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QFile config(screens.filePath(QStringLiteral("screen.json")));
        if (config.open(QIODevice::WriteOnly))
            config.write(R"({"screens": [{"name": "hd", "x": 0, "y": 0, "width": 1920, "height": 1080}]})");
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    }
    QApplication app(argc, argv);
    Look::apply(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER [REPEATS]\n", argv[0]);
        return 2;
    }
    const QString data = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 40;
    if (argc > 3 && qstrcmp(argv[3], "huge") == 0) {
        if (argc > 4) {
            for (const HugeKind& kind : kHugeKinds) {
                if (qstrcmp(argv[4], kind.key) == 0)
                    return hugeChild(data, repeats, kind);
            }
            return 2;
        }
        hugeRows(data, repeats);
        return 0;
    }
    QTemporaryDir folder;
    fillFolder(data, folder.path());
    // The zoom the bench sets is not the user's.
    QTemporaryDir userConfig;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(userConfig.path()));
    // The harness answers every message box at once.
    Messages::setHook([](const QString&, QMessageBox::StandardButtons buttons) {
        return (buttons & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });
    RecordingOutput::Record record;
    Shell shell(folder.path(), std::make_unique<RecordingOpener>(),
                [&record] { return std::make_unique<RecordingOutput>(record); });
    if (!shell.start())
        return 1;
    Form* main = shell.windows().find(QStringLiteral("Main"));
    if (zoomOnly) {
        zoomRow(shell, repeats);
        Messages::setHook({});
        return 0;
    }
    if (repaint) {
        repaintRow(shell, repeats);
        Messages::setHook({});
        return 0;
    }
    BenchTable::row("start-up part: command line read, -style fusion (ms)", commandLine);
    {
        // A folder no other Lumora runs on: take the lock and listen; letting go is not
        // part of a start. The runtime folder in memory, as a desktop session has it.
        QTemporaryDir runtime(QDir(QStringLiteral("/dev/shm")).exists()
                                  ? QStringLiteral("/dev/shm/lumora-bench-XXXXXX")
                                  : QDir::tempPath() + QStringLiteral("/lumora-bench-XXXXXX"));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        std::vector<double> times;
        for (int i = 0; i < repeats; ++i) {
            SingleInstance instance(folder.path());
            QElapsedTimer timer;
            timer.start();
            if (instance.claim() != SingleInstance::Claim::First)
                return 1;
            times.push_back(ms(timer));
        }
        BenchTable::row("start-up part: single-instance check, first start (ms)", times);
    }

    struct Case {
        const char* name;
        QString button;
        QString window;
        QString close;
    };
    const Case cases[] = {
        {"open: category window, click to painted (ms)", "Command3", "Form7", "Command3"},
        {"open: slot window, click to painted (ms)", "Command22", "Formc2", "Command3"},
        {"open: configuration window, click to painted (ms)", "Command26", "Configure", ""},
        {"open: help window, click to painted (ms)", "Command27", "MainHelp", "Command1"},
    };
    for (const Case& c : cases) {
        std::vector<double> times;
        for (int i = 0; i < repeats + 1; ++i) {
            const double t = openTime(shell, main, c.button, c.window);
            if (i > 0) // the first opening decodes the pictures once for all
                times.push_back(t);
            shell.windows().find(c.window)->close();
            settle();
        }
        BenchTable::row(c.name, times, 16);
    }

    {
        std::vector<double> times;
        for (int i = 0; i < repeats; ++i) {
            main->findChild<CaptionButton*>(QStringLiteral("Command22"))->click();
            Form* slot = shell.windows().find(QStringLiteral("Formc2"));
            settle();
            slot->repaint();
            times.push_back(openTime(shell, slot, QStringLiteral("Command2"), QStringLiteral("Formc2")));
            shell.windows().find(QStringLiteral("Formc2"))->close();
            settle();
        }
        BenchTable::row("confirm: click to reopened slot window painted (ms)", times, 16);
    }

    {
        std::vector<double> times;
        for (int i = 0; i < std::max(5, repeats / 2); ++i) {
            QTemporaryDir target;
            QFile pointer(folder.filePath(QStringLiteral("path.lmr")));
            pointer.open(QIODevice::WriteOnly);
            pointer.write(QFile::encodeName(target.path()) + "\r\n");
            pointer.close();
            QElapsedTimer timer;
            timer.start();
            const auto result = Relocation::run(folder.path());
            times.push_back(ms(timer));
            if (result.outcome != Relocation::Result::Outcome::Copied)
                return 1;
        }
        fillFolder(data, folder.path());
        BenchTable::row("relocation: 39 files into a fresh folder (ms)", times);
    }

    {
        QTemporaryDir many;
        for (int i = 0; i < 3000; ++i)
            QDir().mkpath(many.filePath(QStringLiteral("f%1").arg(i)));
        FolderList list(QStringLiteral("Dir1"), nullptr);
        std::vector<double> times;
        for (int i = 0; i < std::max(5, repeats / 4); ++i) {
            list.setCurrentFolder(QDir::homePath());
            QElapsedTimer timer;
            timer.start();
            list.setCurrentFolder(many.path());
            times.push_back(ms(timer));
        }
        BenchTable::row("folder list: open a folder of 3000 subfolders (ms)", times, 2000);
    }

    zoomRow(shell, repeats);

    // While no other synthesizer holds the soundfont: FluidSynth shares a loaded one.
    soundServerRows(data, repeats);
    {
        auto* lumora = qobject_cast<MainWindow*>(main);
        CaptionButton* play = lumora->button(QStringLiteral("Command29"));
        CaptionButton* stop = lumora->button(QStringLiteral("Command31"));
        std::vector<double> clicks, firstCold, firstWarm;
        const auto firstSound = [&](auto&& click) {
            record.firstAudibleNs = -1;
            const auto t0 = std::chrono::steady_clock::now().time_since_epoch();
            QElapsedTimer timer;
            timer.start();
            click();
            const double clickMs = ms(timer);
            while (record.firstAudibleNs < 0 && timer.elapsed() < 5000)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            const double soundMs =
                double(record.firstAudibleNs -
                       std::chrono::duration_cast<std::chrono::nanoseconds>(t0).count()) / 1e6;
            return std::pair{clickMs, soundMs};
        };
        for (int i = 0; i < std::max(5, repeats / 4); ++i) {
            // A fresh player each time: the first play readies the synthesizer.
            MusicPlayer player([&record] { return std::make_unique<RecordingOutput>(record); });
            player.setSource(folder.filePath(QStringLiteral("music.mid")));
            firstCold.push_back(firstSound([&] { player.stop(); player.play(); }).second);
        }
        for (int i = 0; i < repeats; ++i) {
            const auto [clickMs, soundMs] = firstSound([&] { play->click(); });
            clicks.push_back(clickMs);
            if (i > 0)
                firstWarm.push_back(soundMs);
            stop->click();
            lumora->player()->settle();
        }
        BenchTable::row("music: play click handler (ms)", clicks, 1);
        BenchTable::row("music: click to first sound, first play (ms)", firstCold, 50);
        BenchTable::row("music: click to first sound, later plays (ms)", firstWarm, 50);
    }

    {
        const QStringList names = allWindows();
        const auto cycle = [&] {
            for (const QString& name : names) {
                if (Form* form = shell.windows().open(name))
                    form->close();
                settle();
            }
        };
        cycle();
        const double before = residentMiB();
        for (int i = 0; i < 100; ++i)
            cycle();
        const double after = residentMiB();
        BenchTable::row("memory: resident before 100 cycles of every window (MiB)", {before});
        BenchTable::row("memory: growth over 100 cycles of every window (MiB)", {after - before}, 1);
    }
    Messages::setHook({});
    return 0;
}
