// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Opener.h"

#include "files/FileError.h"

#include <QProcess>
#include <QStandardPaths>

namespace Lumora {

QString DesktopOpener::program()
{
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    return QStringLiteral("xdg-open");
#endif
}

void DesktopOpener::open(const QString& path)
{
    const QString found = QStandardPaths::findExecutable(program());
    if (found.isEmpty())
        throw FileError(FileError::Kind::LaunchFailed, program(),
                        QStringLiteral("The program that opens text files in the editor was not "
                                       "found. Install it (xdg-open comes with the package "
                                       "xdg-utils) and try again."));
    // Detached: the editor outlives us and we never wait for it.
    if (!QProcess::startDetached(found, {path}))
        throw FileError(FileError::Kind::LaunchFailed, found,
                        QStringLiteral("It could not be started for %1.").arg(path));
}

} // namespace Lumora
