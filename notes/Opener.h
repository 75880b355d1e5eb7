// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QProcess;
class QTemporaryFile;

namespace Lumora {

// Hands a file to the desktop's editor. The real one starts a separate program; tests
// put a recorder in its place.
class Opener
{
public:
    virtual ~Opener() = default;
    // Starts the editor on `path` without waiting for it; throws FileError when the
    // editor cannot be started.
    virtual void open(const QString& path) = 0;
};

class FileError;

// The desktop's own opener (xdg-open on Linux, notepad.exe on Windows), given the path
// as its one argument: no shell, no quoting, nothing interpreted. open() returns once the
// opener has been started; its exit status arrives later through the event loop, and an
// opener that fails (no application for text files, or the application failed at once)
// is handed to `failed` with what it said on its standard error. An opener that stays,
// as xdg-open does while the editor it ran is open, is never waited for, and is left
// running when the program ends.
class DesktopOpener : public Opener
{
public:
    using Failure = std::function<void(const FileError&)>;

    explicit DesktopOpener(Failure failed = {});
    ~DesktopOpener() override;

    static QString program();
    void open(const QString& path) override;

private:
    struct Running
    {
        QProcess* process;
        std::unique_ptr<QTemporaryFile> errors;
        QString path;
    };
    void finished(QProcess* process);

    Failure m_failed;
    std::vector<Running> m_running;
};

} // namespace Lumora
