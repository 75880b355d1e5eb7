// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "files/FileError.h"
#include "settings/ApplicationFolder.h"
#include "widgets/Accessible.h"
#include "widgets/Look.h"
#include "widgets/Messages.h"
#include "widgets/Form.h"
#include "app/Activation.h"
#include "app/CommandLine.h"
#include "app/Shell.h"
#include "app/SingleInstance.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace {

// File descriptors the program may hold at once beyond the standard three, as measured:
// 14 while it starts (the X connection, event loops, fonts, D-Bus, lock and socket), 17
// while music plays through a sound server, 19 as a slot is saved meanwhile, 20 as a
// second start is answered; four to spare. An event loop that finds none left ends the
// program in GLib (SIGTRAP), so a start without them ends at once, with a word of ours.
constexpr int kDescriptorsNeeded = 24;

// Whether kDescriptorsNeeded more can be opened now, whatever the limit and however many
// were inherited. Those opened to find out are closed again.
bool enoughDescriptors()
{
    int opened[kDescriptorsNeeded];
    int made = 0;
    const int first = ::open("/", O_PATH | O_CLOEXEC);
    if (first >= 0) {
        opened[made++] = first;
        while (made < kDescriptorsNeeded) {
            const int copy = ::fcntl(first, F_DUPFD_CLOEXEC, 0);
            if (copy < 0)
                break;
            opened[made++] = copy;
        }
    }
    const bool enough = made == kDescriptorsNeeded;
    while (made > 0)
        ::close(opened[--made]);
    return enough;
}

} // namespace

int main(int argc, char* argv[])
{
    const Lumora::CommandLine::Reading commandLine = Lumora::CommandLine::read(argc, argv);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;
    if (!enoughDescriptors()) {
        std::fprintf(stderr,
                     "lumora: Too few file descriptors are left to start: Lumora needs %d "
                     "more. Raise the limit (ulimit -n) and start Lumora again.\n",
                     kDescriptorsNeeded);
        return 1;
    }
    const Lumora::Activation launch = Lumora::Activation::fromEnvironment();
    Lumora::Look::FontWarmUp fonts;
    // The desktop entry's id: on Wayland the window's app id, by which the desktop finds
    // the entry's name and icon. On X11 the application name is WM_CLASS's class, which
    // the entry names as its StartupWMClass.
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMORA_DESKTOP_ID));
    QCoreApplication::setApplicationName(QStringLiteral("Lumora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));
    std::optional<Lumora::DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    Lumora::Look::apply(app, !commandLine.styleChosen);
    Lumora::Accessible::install();
    fonts.wait();
    // The settings files are found beside the executable, whatever the working folder;
    // an install without them there gives each user a folder of their own.
    const QString programFolder = QCoreApplication::applicationDirPath();
    std::optional<Lumora::ApplicationFolder> folder;
    try {
        folder = Lumora::ApplicationFolder::locate(
            programFolder, programFolder + QStringLiteral("/" LUMORA_SHIPPED_FROM_PROGRAM),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    } catch (const Lumora::FileError& error) {
        Lumora::Messages::report(nullptr, error);
        return 1;
    }
    // A second start on the folder brings the first one's main window forward and ends.
    Lumora::SingleInstance instance(folder->path());
    if (const auto status = instance.handOver(launch))
        return *status;
    Lumora::Shell shell(folder->path(), nullptr, {}, folder->musicFolder());
    if (!shell.start())
        return 1;
    launch.shown(shell.windows().find(QStringLiteral("Main")));
    instance.serve(shell.windows());
    return QApplication::exec();
}
