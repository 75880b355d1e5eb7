// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "RegularFile.h"

#include "FileError.h"
#include "Links.h"
#include "Native.h"
#include "Ownership.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lumora::RegularFile {

bool openIfExists(QFile& file, const QString& path)
{
    const QString real = Links::resolve(path);
    const int fd = ::open(Native::path(real).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    struct stat st;
    if (fd < 0) {
        const int error = errno;
        // Opening a socket fails; the kind of file says more than the error.
        if (::lstat(Native::path(real).constData(), &st) == 0 && !S_ISREG(st.st_mode))
            throw FileError::notAFile(path, st.st_mode);
        if (error == ENOENT)
            return false;
        throw FileError::forRead(path, Native::error(error));
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const auto mode = st.st_mode;
        ::close(fd);
        throw FileError::notAFile(path, mode);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw FileError::forRead(path, file.errorString());
    }
    return true;
}

void open(QFile& file, const QString& path)
{
    if (!openIfExists(file, path))
        throw FileError::forRead(path);
}

void checkTextSize(const QFile& file, const QString& path)
{
    if (file.size() > kMaxTextBytes)
        throw FileError::tooLarge(path, file.size(), kMaxTextBytes);
}

FileState stateOf(QFile& file, const QString& path)
{
    checkTextSize(file, path);
    if (!file.seek(0))
        throw FileError::forRead(path, file.errorString());
    QByteArray bytes;
    bytes.reserve(file.size());
    // Never past the limit, should the file grow while it is read.
    readChunks(file, path, [&](QByteArrayView chunk) {
        if (bytes.size() + chunk.size() > kMaxTextBytes)
            throw FileError::tooLarge(path, bytes.size() + chunk.size(), kMaxTextBytes);
        bytes.append(chunk);
    });
    return FileState::of(std::move(bytes));
}

FileState stateOf(const QString& path)
{
    QFile file;
    if (!openIfExists(file, path))
        return FileState::absent();
    if (file.size() > kMaxTextBytes)
        return FileState::tooLarge(file.size());
    try {
        return stateOf(file, path);
    } catch (const FileError& error) {
        if (error.kind() != FileError::Kind::TooLarge)
            throw;
        return FileState::tooLarge(kMaxTextBytes + 1);
    }
}

QByteArray readAll(const QString& path)
{
    QFile file;
    open(file, path);
    return stateOf(file, path).bytes();
}

void readChunks(QFile& file, const QString& path,
                const std::function<void(QByteArrayView chunk)>& take)
{
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), kChunk);
        if (got < 0)
            throw FileError::forRead(path, file.errorString());
        if (got == 0)
            return;
        take(QByteArrayView(chunk.constData(), got));
    }
}

bool createNew(const QString& path)
{
    const int fd = ::open(Native::path(Links::resolve(path)).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throw FileError::forWrite(path, Native::error(errno));
    }
    Ownership::keep(fd, nullptr, Native::folderOf(path));
    ::close(fd);
    return true;
}

} // namespace Lumora::RegularFile
