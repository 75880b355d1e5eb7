// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FolderLock.h"

#include "FileError.h"
#include "Native.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Lumora {

namespace {

constexpr std::chrono::seconds kLockWait{10};

} // namespace

FolderLock::FolderLock(QStringList folders)
{
    folders.sort();
    folders.removeDuplicates();
    for (const QString& folder : std::as_const(folders)) {
        const int fd = ::open(Native::path(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        m_fds.push_back(fd);
        const QDeadlineTimer deadline(kLockWait);
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR)
                break;
            if (deadline.hasExpired()) {
                for (const int held : m_fds)
                    ::close(held);
                throw FileError(FileError::Kind::WriteFailed, folder,
                                QStringLiteral("Another save into this folder has not finished "
                                               "after %1 seconds. Nothing was written; please "
                                               "try again.")
                                    .arg(kLockWait.count()));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
}

FolderLock::~FolderLock()
{
    for (const int fd : m_fds)
        ::close(fd);
}

} // namespace Lumora
