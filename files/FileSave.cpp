// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FileSave.h"

#include "FileError.h"
#include "Links.h"
#include "Native.h"
#include "Ownership.h"
#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio> // renameat2

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lumora {

namespace {

using Kind = FileError::Kind;

std::function<void(const QString&)>& beforeCommit()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t done = ::write(fd, bytes.data(), size_t(bytes.size()));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes = bytes.sliced(done);
    }
    return true;
}

int renameWith(const QString& from, const QString& to, unsigned flags)
{
    return ::renameat2(AT_FDCWD, Native::path(from).constData(), AT_FDCWD,
                       Native::path(to).constData(), flags);
}

// The file system cannot do what renameat2() was asked: a plain rename must do.
bool unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

QString randomSuffix()
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix(6, Qt::Uninitialized);
    for (QChar& c : suffix)
        c = QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    return suffix;
}

} // namespace

FileSave::FileSave(const QString& path, mode_t newMode) : m_target(Links::resolve(path))
{
    struct stat old;
    const bool exists = ::lstat(Native::path(m_target).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        throw FileError::notAFile(m_target, old.st_mode);
    if (FileError::onReadOnlyFileSystem(m_target))
        throw FileError(Kind::ReadOnlyFileSystem, m_target,
                        QStringLiteral("The file system it lies on is mounted read-only. Nothing "
                                       "was written."));
    if (exists && FileError::isReadOnly(QFileInfo(m_target)))
        throw FileError(Kind::PermissionDenied, m_target,
                        QStringLiteral("The file is read-only. Nothing was written."));
    m_created = !exists;
    createTemporary(exists ? &old : nullptr, newMode);
}

void FileSave::createTemporary(const struct stat* old, mode_t newMode)
{
    const QString folder = Native::folderOf(m_target);
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = m_target + u'.' + randomSuffix();
        // A new file is made with its mode from the start, so the umask applies as it does
        // to any program's new file; a replacement is given the old file's mode below.
        m_temporaryFd = ::open(Native::path(name).constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                               old ? 0600 : (newMode & 0777));
        if (m_temporaryFd >= 0) {
            m_temporary = name;
            struct stat made;
            ::fstat(m_temporaryFd, &made);
            m_temporaryInode = made.st_ino;
            Ownership::keep(m_temporaryFd, old, folder);
            return;
        }
        error = errno;
        if (error != EEXIST)
            break;
    }
    const QFileInfo dir(folder);
    // The temporary file needs a writable folder; a file that exists can still be written
    // where it stands.
    if (!dir.isDir() || dir.isWritable() || error == EEXIST)
        throw FileError::forWrite(m_target, Native::error(error));
    if (!old)
        throw FileError(Kind::PermissionDenied, folder,
                        QStringLiteral("Lumora may not create files in this folder, so %1 could "
                                       "not be written. Nothing was written.")
                            .arg(QDir::toNativeSeparators(m_target)));
    openInPlace(folder, *old);
}

void FileSave::openInPlace(const QString& folder, const struct stat& old)
{
    m_fd = ::open(Native::path(m_target).constData(),
                  O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        throw FileError(Kind::PermissionDenied, folder,
                        QStringLiteral("Lumora may not create files in this folder, and %1 "
                                       "cannot be written where it stands either (%2). Nothing "
                                       "was written.")
                            .arg(QDir::toNativeSeparators(m_target), Native::error(errno)));
    struct stat st;
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != old.st_dev ||
        st.st_ino != old.st_ino) {
        ::close(m_fd);
        m_fd = -1;
        throw FileError(Kind::WriteFailed, m_target,
                        QStringLiteral("The file was replaced while it was being opened. "
                                       "Nothing was written; please try again."));
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_oldSize = old.st_size;
}

FileSave::~FileSave()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_temporaryFd >= 0)
        ::close(m_temporaryFd);
    if (!m_temporary.isEmpty() && (!m_committed || m_oldAtTemporary))
        removeTemporary();
}

void FileSave::removeTemporary()
{
    ::unlink(Native::path(m_temporary).constData());
}

bool FileSave::temporaryIsOurs() const
{
    struct stat st;
    return ::lstat(Native::path(m_temporary).constData(), &st) == 0 &&
           st.st_ino == m_temporaryInode;
}

void FileSave::failInPlace(const QString& why)
{
    QString outcome = QStringLiteral(" The file may now be incomplete.");
    if (m_old && ::pwrite(m_fd, m_old->constData(), size_t(m_old->size()), 0) == m_old->size() &&
        ::ftruncate(m_fd, m_old->size()) == 0)
        outcome = QStringLiteral(" Its old content was put back.");
    throw FileError(Kind::WriteFailed, m_target, why + outcome);
}

void FileSave::keepOld()
{
    // Read only when writing starts, so that it is what a caller has just checked.
    if (m_old || m_written > 0 || m_oldSize > kMaxKeptBytes)
        return;
    m_old = RegularFile::stateOf(m_target).bytes();
}

void FileSave::fail(const FileError& error)
{
    if (m_temporaryFd >= 0) {
        ::close(m_temporaryFd);
        m_temporaryFd = -1;
    }
    if (!m_temporary.isEmpty() && temporaryIsOurs())
        removeTemporary();
    m_temporary.clear();
    throw error;
}

void FileSave::failKeepingOld(const QString& why)
{
    fail(FileError::forWrite(m_target,
                             FileError::sentence(why) + QStringLiteral(" The old file was kept.")));
}

void FileSave::write(QByteArrayView bytes)
{
    if (m_fd < 0) {
        Q_ASSERT(!m_finished);
        if (!writeAll(m_temporaryFd, bytes))
            failKeepingOld(Native::error(errno));
        return;
    }
    keepOld();
    if (!writeAll(m_fd, bytes))
        failInPlace(Native::error(errno));
    m_written += bytes.size();
}

void FileSave::finish()
{
    if (m_finished || m_fd >= 0)
        return;
    // A write that runs out of room may fail only now, on a file system that allots blocks
    // late; the file is not put in place cut off.
    if (::fsync(m_temporaryFd) != 0)
        failKeepingOld(Native::error(errno));
    const int fd = m_temporaryFd;
    m_temporaryFd = -1;
    if (::close(fd) != 0)
        failKeepingOld(Native::error(errno));
    m_finished = true;
}

void FileSave::commit(const FileState& expected)
{
    if (m_fd >= 0) {
        if (beforeCommit())
            beforeCommit()(m_target);
        keepOld();
        if (::ftruncate(m_fd, m_written) != 0 || ::fsync(m_fd) != 0)
            failInPlace(Native::error(errno));
        m_committed = true;
        return;
    }
    finish();
    if (beforeCommit())
        beforeCommit()(m_target);
    commitTemporary(expected);
    m_committed = true;
}

void FileSave::changedOnDisk()
{
    fail(FileError(Kind::ChangedOnDisk, m_target,
                   QStringLiteral("Another program has changed the file since Lumora read it. "
                                  "Nothing was written.")));
}

void FileSave::commitTemporary(const FileState& expected)
{
    struct stat there;
    const bool exists = ::lstat(Native::path(m_target).constData(), &there) == 0;
    if (exists && !S_ISREG(there.st_mode))
        fail(FileError::notAFile(m_target, there.st_mode));
    if (expected.isKnown() && expected.exists() != exists)
        changedOnDisk();
    if (!exists) {
        if (renameWith(m_temporary, m_target, RENAME_NOREPLACE) == 0)
            return;
        if (errno == EEXIST)
            changedOnDisk();
        if (!unsupported(errno))
            failKeepingOld(Native::error(errno));
    } else if (renameWith(m_temporary, m_target, RENAME_EXCHANGE) == 0) {
        m_oldAtTemporary = true;
        struct stat old;
        const bool regular =
            ::lstat(Native::path(m_temporary).constData(), &old) == 0 && S_ISREG(old.st_mode);
        if (regular && (!expected.isKnown() || RegularFile::stateOf(m_temporary) == expected))
            return;
        // Another program replaced the file since the check: its file goes back.
        m_oldAtTemporary = false;
        if (renameWith(m_temporary, m_target, RENAME_EXCHANGE) != 0 || !temporaryIsOurs()) {
            // Yet another replacement came between: what stands at the temporary name is
            // not ours, so it is left there for the user rather than removed.
            const QString kept = m_temporary;
            m_temporary.clear();
            throw FileError(Kind::ChangedOnDisk, m_target,
                            QStringLiteral("Other programs changed the file while Lumora saved "
                                           "it. What one of them wrote is kept as %1.")
                                .arg(QDir::toNativeSeparators(kept)));
        }
        if (!regular)
            fail(FileError::notAFile(m_target, old.st_mode));
        changedOnDisk();
    } else if (errno == ENOENT) {
        changedOnDisk();
    } else if (!unsupported(errno)) {
        failKeepingOld(Native::error(errno));
    }
    // No exchange here: the last check and a plain rename.
    const FileState now = RegularFile::stateOf(m_target);
    if (expected.isKnown() && now != expected)
        changedOnDisk();
    if (now.exists() && now.size() <= kMaxKeptBytes)
        m_replaced = now.bytes();
    if (std::rename(Native::path(m_temporary).constData(), Native::path(m_target).constData()) != 0)
        errno == EISDIR ? fail(FileError::notAFile(m_target, S_IFDIR))
                        : failKeepingOld(Native::error(errno));
}

bool FileSave::undo()
{
    Q_ASSERT(m_committed);
    if (m_fd >= 0) {
        if (!m_old)
            return false;
        return ::pwrite(m_fd, m_old->constData(), size_t(m_old->size()), 0) == m_old->size() &&
               ::ftruncate(m_fd, m_old->size()) == 0;
    }
    if (m_oldAtTemporary) {
        if (renameWith(m_temporary, m_target, RENAME_EXCHANGE) != 0)
            return false;
        m_oldAtTemporary = false;
        if (temporaryIsOurs())
            removeTemporary();
        m_temporary.clear();
        return true;
    }
    if (m_created)
        return ::unlink(Native::path(m_target).constData()) == 0;
    if (!m_replaced)
        return false;
    try {
        FileSave back(m_target);
        back.write(*m_replaced);
        back.commit();
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void FileSave::setBeforeCommit(std::function<void(const QString&)> hook)
{
    beforeCommit() = std::move(hook);
}

} // namespace Lumora
