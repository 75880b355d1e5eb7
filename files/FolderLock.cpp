// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FolderLock.h"

#include "FileError.h"
#include "Native.h"
#include "PrivateFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>
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

// The lock file that the users who may write into `folder` share, when others may write
// into it: made with no permission for anyone else, so that a user who may only read the
// folder cannot even open it, let alone hold it. One found with any permission for others
// was not made by us and is passed over, as is one we may not open: then the exchange of
// FileSave alone keeps the users' saves apart.
QString sharedLockPath(const QString& folder, mode_t* mode)
{
    struct stat st{};
    if (::stat(Native::path(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        (st.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return {};
    *mode = (st.st_mode & S_IWGRP) ? 0660 : 0600;
    return folder + QStringLiteral("/.lumora.lock");
}

} // namespace

FolderLock::FolderLock(QStringList folders)
{
    struct Wanted
    {
        QString path;
        mode_t mode;
        bool own; // in the private folder: removed again when let go
    };
    std::vector<Wanted> wanted;
    if (const QString privateFolder = PrivateFolder::path(); !privateFolder.isEmpty()) {
        for (const QString& folder : std::as_const(folders))
            wanted.push_back({lockPath(privateFolder, folder), 0600, true});
    }
    for (const QString& folder : std::as_const(folders)) {
        mode_t mode = 0;
        if (const QString shared = sharedLockPath(folder, &mode); !shared.isEmpty())
            wanted.push_back({shared, mode, false});
    }
    // Always taken in the same order, so that two savers never wait for each other.
    std::sort(wanted.begin(), wanted.end(),
              [](const Wanted& a, const Wanted& b) { return a.path < b.path; });
    wanted.erase(std::unique(wanted.begin(), wanted.end(),
                             [](const Wanted& a, const Wanted& b) { return a.path == b.path; }),
                 wanted.end());
    const QDeadlineTimer deadline(kWaitMs);
    for (const Wanted& lock : wanted) {
        const QByteArray path = Native::path(lock.path);
        for (;;) {
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                                  lock.mode);
            if (fd < 0)
                break;
            struct stat held{};
            if (!lock.own && ::fstat(fd, &held) == 0 && held.st_uid == ::geteuid() &&
                (held.st_mode & 07777) != lock.mode)
                ::fchmod(fd, lock.mode); // made just now, less the umask
            if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || (held.st_mode & 0007)) {
                ::close(fd);
                break;
            }
            while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR)) {
                if (deadline.hasExpired()) {
                    ::close(fd);
                    release();
                    throw FileError(FileError::Kind::WriteFailed, folders.constFirst(),
                                    QStringLiteral("Another Lumora has been saving into this "
                                                   "folder for more than a second. Nothing was "
                                                   "written; please try again."));
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            // The holder before removes a private lock file as it lets go: a lock on a file
            // no longer there keeps nobody out, so it is taken again on the file that is.
            struct stat there{};
            if (!lock.own || (::stat(path.constData(), &there) == 0 &&
                              held.st_ino == there.st_ino && held.st_dev == there.st_dev)) {
                m_held.push_back({fd, lock.own ? path : QByteArray()});
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
        if (!held.path.isEmpty())
            ::unlink(held.path.constData());
        ::close(held.fd);
    }
    m_held.clear();
}

} // namespace Lumora
