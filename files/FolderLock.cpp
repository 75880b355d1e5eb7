// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FolderLock.h"

#include "FileError.h"
#include "Native.h"
#include "PrivateFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lumora {

namespace {

// The lock file of `folder`, named after its real path.
QString lockPath(const QString& privateFolder, const QString& folder)
{
    QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty())
        real = QFileInfo(folder).absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(Native::path(real), QCryptographicHash::Sha256).toHex().left(24);
    return privateFolder + QStringLiteral("/save-") + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
}

} // namespace

FolderLock::FolderLock(QStringList folders)
{
    const QString privateFolder = PrivateFolder::path();
    if (privateFolder.isEmpty())
        return;
    QStringList locks;
    for (const QString& folder : std::as_const(folders))
        locks.append(lockPath(privateFolder, folder));
    // Always taken in the same order, so that two savers never wait for each other.
    locks.sort();
    locks.removeDuplicates();
    const QDeadlineTimer deadline(kWaitMs);
    for (const QString& lock : std::as_const(locks)) {
        const QByteArray path = Native::path(lock);
        for (;;) {
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0)
                break;
            while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR)) {
                if (deadline.hasExpired()) {
                    ::close(fd);
                    release();
                    throw FileError(FileError::Kind::WriteFailed, folders.constFirst(),
                                    QStringLiteral("Another Lumora of yours has been saving into "
                                                   "this folder for more than a second. Nothing "
                                                   "was written; please try again."));
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            // The holder before removes the file as it lets go: a lock on a file no longer
            // there keeps nobody out, so it is taken again on the file that is.
            struct stat held, there;
            if (::fstat(fd, &held) == 0 && ::stat(path.constData(), &there) == 0 &&
                held.st_ino == there.st_ino && held.st_dev == there.st_dev) {
                m_held.push_back({fd, path});
                break;
            }
            ::close(fd);
        }
    }
}

FolderLock::~FolderLock()
{
    release();
}

void FolderLock::release()
{
    // Removed while still locked, so that no lock files gather in the private folder.
    for (const Held& held : m_held) {
        ::unlink(held.path.constData());
        ::close(held.fd);
    }
    m_held.clear();
}

} // namespace Lumora
