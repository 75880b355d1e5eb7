// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FileSave.h"

#include "FileError.h"
#include "Native.h"
#include "Ownership.h"
#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lumora {

namespace {

constexpr int kMaxLinks = 40;

using Kind = FileError::Kind;

std::function<void(const QString&)>& beforeCommit()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

// The file `path` names after its links, each of which must belong to the user or to the
// owner of the folder it lies in.
QString followLinks(const QString& path)
{
    QString current = path;
    for (int depth = 0; depth < kMaxLinks; ++depth) {
        struct stat link;
        if (::lstat(Native::path(current).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return current;
        const QString folder = Native::folderOf(current);
        struct stat owner;
        const bool folderKnown = ::stat(Native::path(folder).constData(), &owner) == 0;
        if (link.st_uid != ::geteuid() && !(folderKnown && link.st_uid == owner.st_uid))
            throw FileError(Kind::LinkRefused, current,
                            QStringLiteral("It is a symbolic link that belongs to %1, who owns "
                                           "neither the folder nor this program's files. Lumora "
                                           "does not write through it; nothing was written.")
                                .arg(Ownership::userName(link.st_uid)));
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(Native::path(current).constData(), target.data(), PATH_MAX);
        if (length < 0)
            throw FileError::forWrite(current, Native::error(errno));
        const QString next = QFile::decodeName(target.left(length));
        current = QDir::isRelativePath(next) ? folder + u'/' + next : next;
    }
    throw FileError(Kind::LinkRefused, path,
                    QStringLiteral("Its links lead on more than %1 times. Nothing was written.")
                        .arg(kMaxLinks));
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

} // namespace

FileSave::FileSave(const QString& path) : m_target(followLinks(path))
{
    struct stat old;
    const bool exists = ::lstat(Native::path(m_target).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        throw FileError::notAFile(m_target, old.st_mode);
    if (exists && FileError::isReadOnly(QFileInfo(m_target)))
        throw FileError(Kind::PermissionDenied, m_target,
                        QStringLiteral("The file is read-only. Nothing was written."));
    const QString folder = Native::folderOf(m_target);
    m_save = std::make_unique<QSaveFile>(m_target);
    if (m_save->open(QIODevice::WriteOnly)) {
        Ownership::keep(int(m_save->handle()), exists ? &old : nullptr, folder);
        return;
    }
    const QString why = m_save->errorString();
    m_save.reset();
    const QFileInfo dir(folder);
    // The temporary file needs a writable folder; a file that exists can still be written
    // where it stands.
    if (!dir.isDir() || dir.isWritable())
        throw FileError::forWrite(m_target, why);
    if (!exists)
        throw FileError(Kind::PermissionDenied, folder,
                        QStringLiteral("Lumora may not create files in this folder, so %1 could "
                                       "not be written. Nothing was written.")
                            .arg(QDir::toNativeSeparators(m_target)));
    openInPlace(folder, old.st_size, old.st_dev, old.st_ino);
}

void FileSave::openInPlace(const QString& folder, qint64 size, unsigned long long device,
                           unsigned long long inode)
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
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != device ||
        st.st_ino != inode) {
        ::close(m_fd);
        m_fd = -1;
        throw FileError(Kind::WriteFailed, m_target,
                        QStringLiteral("The file was replaced while it was being opened. "
                                       "Nothing was written; please try again."));
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_oldSize = size;
}

FileSave::~FileSave()
{
    if (m_fd >= 0)
        ::close(m_fd);
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
    QByteArray old;
    RegularFile::stateOf(m_target, &old);
    m_old = std::move(old);
}

void FileSave::failKeepingOld(const QString& why)
{
    m_save->cancelWriting();
    throw FileError::forWrite(m_target,
                              FileError::sentence(why) + QStringLiteral(" The old file was kept."));
}

void FileSave::write(QByteArrayView bytes)
{
    if (m_save) {
        if (m_save->write(bytes.data(), bytes.size()) != bytes.size())
            failKeepingOld(m_save->errorString());
        return;
    }
    keepOld();
    if (!writeAll(m_fd, bytes))
        failInPlace(Native::error(errno));
    m_written += bytes.size();
}

void FileSave::commit()
{
    if (beforeCommit())
        beforeCommit()(m_target);
    if (m_save) {
        // The explicit flush matters: a write that runs out of room fails only when the
        // buffer is flushed, and commit() alone would rename the cut-off file into place.
        if (!m_save->flush()) {
            QString why = m_save->errorString();
            if (why.isEmpty() || why == QLatin1String("Unknown error"))
                why = QStringLiteral("The file could not be written whole; the disk may be full.");
            failKeepingOld(why);
        }
        if (!m_save->commit())
            failKeepingOld(m_save->errorString());
    } else {
        keepOld();
        if (::ftruncate(m_fd, m_written) != 0 || ::fsync(m_fd) != 0)
            failInPlace(Native::error(errno));
    }
}

void FileSave::setBeforeCommit(std::function<void(const QString&)> hook)
{
    beforeCommit() = std::move(hook);
}

} // namespace Lumora
