// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FileError.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <optional>

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace Lumora {

FileError::FileError(Kind kind, QString path, QString detail)
    : m_kind(kind), m_path(std::move(path)), m_detail(std::move(detail)), m_what(message().toUtf8())
{
}

QString FileError::kindName(Kind kind)
{
    switch (kind) {
    case Kind::FileNotFound:
        return QStringLiteral("File not found");
    case Kind::PathNotFound:
        return QStringLiteral("Path not found");
    case Kind::PastEndOfFile:
        return QStringLiteral("Input past end of file");
    case Kind::PermissionDenied:
        return QStringLiteral("Permission denied");
    case Kind::NotAFile:
        return QStringLiteral("Not a file");
    case Kind::NotAFolder:
        return QStringLiteral("Not a folder");
    case Kind::LineTooLong:
        return QStringLiteral("Line too long");
    case Kind::ReadFailed:
        return QStringLiteral("Could not read the file");
    case Kind::WriteFailed:
        return QStringLiteral("Could not write the file");
    case Kind::NotEncodable:
        return QStringLiteral("Character not allowed");
    case Kind::LaunchFailed:
        return QStringLiteral("Could not start the program");
    case Kind::NotAValidFolder:
        return QStringLiteral("Not a valid folder");
    case Kind::LinkRefused:
        return QStringLiteral("Link not followed");
    case Kind::ChangedOnDisk:
        return QStringLiteral("Changed by another program");
    case Kind::TooLarge:
        return QStringLiteral("File too large");
    case Kind::ReadOnlyFileSystem:
        return QStringLiteral("Read-only file system");
    case Kind::OpenFailed:
        return QStringLiteral("Could not open the file");
    }
    return {};
}

QString FileError::message() const
{
    QString text = kindName(m_kind) + QStringLiteral(": ") + QDir::toNativeSeparators(m_path);
    if (!m_detail.isEmpty())
        text += QStringLiteral("\n\n") + m_detail;
    return text;
}

const char* FileError::what() const noexcept
{
    return m_what.constData();
}

namespace {

// The folder a path lives in, as the file system sees it ("" means the working folder).
QFileInfo parentOf(const QString& path)
{
    return QFileInfo(QFileInfo(path).absolutePath());
}

// A path whose folder is an existing file: the kind says which, the detail names the file.
FileError inAFile(const QString& path, const QFileInfo& folder)
{
    return {FileError::Kind::NotAFolder, path,
            QStringLiteral("%1 is a file, not a folder.")
                .arg(QDir::toNativeSeparators(folder.filePath()))};
}

} // namespace

QString FileError::sentence(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.endsWith(u'.') || trimmed.endsWith(u'!') ||
        trimmed.endsWith(u'?'))
        return trimmed;
    return trimmed + u'.';
}

bool FileError::isReadOnly(const QFileInfo& file)
{
    // The owner's write bit counts too, not only access(): a file the user marked
    // read-only stays read-only even for a program that happens to run as root.
    return file.exists() && (!file.isWritable() || !(file.permissions() & QFile::WriteOwner));
}

bool FileError::onReadOnlyFileSystem(const QString& path)
{
    QString existing = QFileInfo(path).absoluteFilePath();
    struct statvfs fs;
    while (::statvfs(QFile::encodeName(existing).constData(), &fs) != 0) {
        const QString up = QFileInfo(existing).path();
        if (up == existing)
            return false;
        existing = up;
    }
    return fs.f_flag & ST_RDONLY;
}

FileError FileError::tooLarge(const QString& path, qint64 size, qint64 limit)
{
    const QLocale c = QLocale::c();
    return {Kind::TooLarge, path,
            QStringLiteral("It holds %1, and Lumora reads text files of up to %2. Nothing was "
                           "read or written.")
                .arg(c.formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat),
                     c.formattedDataSize(limit, 0, QLocale::DataSizeTraditionalFormat))};
}

FileError FileError::notAFile(const QString& path, unsigned mode)
{
    QString what;
    switch (mode & S_IFMT) {
    case S_IFDIR:
        what = QStringLiteral("a folder");
        break;
    case S_IFIFO:
        what = QStringLiteral("a named pipe (FIFO)");
        break;
    case S_IFSOCK:
        what = QStringLiteral("a socket");
        break;
    case S_IFCHR:
    case S_IFBLK:
        what = QStringLiteral("a device");
        break;
    default:
        what = QStringLiteral("no regular file");
        break;
    }
    return {Kind::NotAFile, path,
            QStringLiteral("It is %1. Lumora reads and writes only regular files.").arg(what)};
}

namespace {

// What keeps any access to `path` from its start: a folder on the way that is missing or
// a file, or a folder where the file should be.
std::optional<FileError> blockedOnTheWay(const QString& path, const QFileInfo& file)
{
    const QFileInfo folder = parentOf(path);
    if (folder.exists() && !folder.isDir())
        return inAFile(path, folder);
    if (!folder.isDir())
        return FileError(FileError::Kind::PathNotFound, path);
    if (file.isDir())
        return FileError(FileError::Kind::NotAFile, path);
    return std::nullopt;
}

} // namespace

FileError FileError::forRead(const QString& path, const QString& detail)
{
    const QFileInfo file(path);
    // Where the kind says it all, the system's own wording would only repeat it.
    if (auto blocked = blockedOnTheWay(path, file))
        return *blocked;
    if (!file.exists())
        return {Kind::FileNotFound, path};
    if (!file.isReadable())
        return {Kind::PermissionDenied, path};
    return {Kind::ReadFailed, path, detail};
}

FileError FileError::forWrite(const QString& path, const QString& detail)
{
    const QFileInfo file(path);
    if (auto blocked = blockedOnTheWay(path, file))
        return *blocked;
    if (onReadOnlyFileSystem(path))
        return {Kind::ReadOnlyFileSystem, path, detail};
    if (isReadOnly(file) || !parentOf(path).isWritable())
        return {Kind::PermissionDenied, path};
    return {Kind::WriteFailed, path, detail};
}

} // namespace Lumora
