// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Opener.h"

#include "files/FileError.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace Lumora {

namespace {

// What an opener may say before it ends: enough for a message box.
constexpr qint64 kSaidAtMost = 2000;

} // namespace

DesktopOpener::DesktopOpener(Failure failed) : m_failed(std::move(failed))
{
}

DesktopOpener::~DesktopOpener()
{
    // Destroying a QProcess kills what it runs; an opener still running here is handing
    // the file over or waiting on its editor, and is left to it, its QProcess kept to the
    // end of the program. Its error file goes from the folder only.
    // The list is never destroyed, so that they stay reachable to the end.
    static auto* leftRunning = new std::vector<QProcess*>;
    for (Running& running : m_running) {
        running.process->disconnect();
        leftRunning->push_back(running.process);
    }
}

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
    // Its standard error goes to a file rather than a pipe: the editor inherits it and may
    // write to it long after the opener has ended and a pipe's reader has gone.
    auto errors = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                   QStringLiteral("/lumora-opener-XXXXXX"));
    if (!errors->open())
        throw FileError(FileError::Kind::LaunchFailed, found,
                        QStringLiteral("No temporary file could be made in %1.")
                            .arg(QDir::toNativeSeparators(QDir::tempPath())));
    auto* process = new QProcess;
    process->setProgram(found);
    process->setArguments({path});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardErrorFile(errors->fileName());
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    QObject::connect(process, &QProcess::finished, process, [this, process] { finished(process); });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [this, process](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finished(process);
                     });
    m_running.push_back({process, std::move(errors), path});
    process->start();
}

void DesktopOpener::finished(QProcess* process)
{
    const auto running = std::find_if(m_running.begin(), m_running.end(),
                                      [process](const Running& r) { return r.process == process; });
    if (running == m_running.end())
        return;
    const Running ended = std::move(*running);
    m_running.erase(running);
    process->deleteLater();
    const bool started = process->error() != QProcess::FailedToStart;
    if (started && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0)
        return;

    ended.errors->seek(0);
    const QString said = QString::fromLocal8Bit(ended.errors->read(kSaidAtMost)).trimmed();
    QString detail = !started ? QStringLiteral("%1 could not be started.").arg(program())
                     : process->exitStatus() == QProcess::CrashExit
                         ? QStringLiteral("%1 ended abnormally.").arg(program())
                         : QStringLiteral("%1 could not open it in an editor (status %2).")
                               .arg(program())
                               .arg(process->exitCode());
    if (!said.isEmpty())
        detail += QStringLiteral(" It said:\n") + said;
    if (m_failed)
        m_failed(FileError(FileError::Kind::OpenFailed, ended.path, detail));
}

} // namespace Lumora
