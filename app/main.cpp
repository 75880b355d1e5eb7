// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "files/FileError.h"
#include "settings/ApplicationFolder.h"
#include "widgets/Accessible.h"
#include "widgets/Look.h"
#include "widgets/Messages.h"
#include "app/Shell.h"
#include "app/SingleInstance.h"

#include <QApplication>
#include <QStandardPaths>

#include <optional>

int main(int argc, char* argv[])
{
    Lumora::Look::FontWarmUp fonts;
    QApplication app(argc, argv);
    Lumora::Look::apply(app);
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
    if (const auto status = instance.handOver())
        return *status;
    Lumora::Shell shell(folder->path(), nullptr, {}, folder->musicFolder());
    if (!shell.start())
        return 1;
    instance.serve(shell.windows());
    return QApplication::exec();
}
