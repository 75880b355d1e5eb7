// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Opens and closes every window of the program again and again, offscreen, on a fresh
// application folder, and tells how much memory the process holds after a warm-up round
// and after the last: a window that leaks shows as growth with the number of rounds.
//
//   window-churn [ROUNDS] [--max-growth-kib N] [--window NAME]...
//
// --window limits the rounds to the windows named, to find the one that grows.
// Exits 1 when a window fails to open or a message box comes up, and, with
// --max-growth-kib, when resident memory grew by more than N KiB from the warm-up to the
// end. Run under valgrind with few rounds, it tells whether "definitely lost" grows.
#include "AppFolder.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "widgets/Form.h"
#include "widgets/Look.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"
#include "music/SoundOutput.h"

#include <QApplication>
#include <QPixmapCache>

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

using namespace Lumora;

namespace {

// No sound device: the music has nowhere to go, as on a machine without one.
class NoSound : public SoundOutput
{
public:
    bool start(fluid_settings_t*, SoundSource&) override { return false; }
    void stop() override {}
};

QStringList everyWindow()
{
    QStringList names{QStringLiteral("Main")};
    for (int n = 2; n <= 12; ++n)
        names.append(QStringLiteral("Form%1").arg(n));
    for (int n = 2; n <= 15; ++n)
        names.append(QStringLiteral("Formc%1").arg(n));
    names << QStringLiteral("Configure") << QStringLiteral("help") << QStringLiteral("MainHelp")
          << QStringLiteral("aboutthis") << QStringLiteral("subhelp")
          << QStringLiteral("musichelp");
    return names;
}

// Resident memory in KiB, once the allocator has given back what it can. Qt keeps the
// pixmaps it draws in a cache of bounded size (icons, scaled pictures); it is emptied
// first, or its filling would pass for growth.
long residentKib()
{
    QPixmapCache::clear();
    malloc_trim(0);
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// What the program's live allocations take, in KiB: unlike resident memory, not swayed by
// how the allocator's free space lies.
long heapKib()
{
    return long(mallinfo2().uordblks / 1024);
}

// Opens each window, lets it paint, closes it and lets it be deleted.
bool churnOnce(Shell& shell, const QStringList& names, const MessageLog& messages)
{
    for (const QString& name : names) {
        Form* window = shell.windows().open(name);
        QCoreApplication::processEvents();
        if (!window || !window->isVisible() || !messages.texts().isEmpty()) {
            std::fprintf(stderr, "window-churn: %s did not open cleanly: %s\n", qPrintable(name),
                         qPrintable(messages.last()));
            return false;
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (!shell.windows().loaded().isEmpty()) {
            std::fprintf(stderr, "window-churn: %s stayed loaded\n", qPrintable(name));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns at every window that it cannot size a frame.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    int rounds = 10;
    long maxGrowthKib = -1;
    QStringList names;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--max-growth-kib") && i + 1 < args.size())
            maxGrowthKib = args[++i].toLong();
        else if (args[i] == QLatin1String("--window") && i + 1 < args.size())
            names.append(args[++i]);
        else
            rounds = args[i].toInt();
    }
    if (rounds < 1) {
        std::fprintf(stderr,
                     "usage: window-churn [ROUNDS] [--max-growth-kib N] [--window NAME]...\n");
        return 2;
    }

    Look::apply(app);
    if (names.isEmpty())
        names = everyWindow();
    bool ok = true;
    long warm = 0;
    long end = 0;
    long warmHeap = 0;
    long endHeap = 0;
    {
        AppFolder folder;
        MessageLog messages;
        Shell shell(folder.path(), std::make_unique<RecordingOpener>(),
                    [] { return std::make_unique<NoSound>(); });
        // Closing the last window would end the program between two windows.
        WindowRegistry::Hold hold(shell.windows());
        ok = churnOnce(shell, names, messages);
        warm = residentKib();
        warmHeap = heapKib();
        for (int i = 1; ok && i < rounds; ++i)
            ok = churnOnce(shell, names, messages);
        end = residentKib();
        endHeap = heapKib();
    }
    const long growth = end - warm;
    std::printf("window-churn: %d rounds of %lld windows\n", rounds,
                static_cast<long long>(names.size()));
    std::printf("window-churn: resident after warm-up %ld KiB, at the end %ld KiB, growth %ld KiB"
                " (%.1f KiB a round)\n",
                warm, end, growth, rounds > 1 ? double(growth) / (rounds - 1) : 0.0);
    std::printf("window-churn: heap in use after warm-up %ld KiB, at the end %ld KiB, growth %ld "
                "KiB\n",
                warmHeap, endHeap, endHeap - warmHeap);
    if (!ok)
        return 1;
    if (maxGrowthKib >= 0 && growth > maxGrowthKib) {
        std::printf("window-churn: memory grew by more than %ld KiB\n", maxGrowthKib);
        return 1;
    }
    return 0;
}
