// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Links.h"

#include "FileError.h"
#include "Native.h"
#include "Ownership.h"

#include <QDir>
#include <QStringList>

#include <climits>

#include <sys/stat.h>

namespace Lumora::Links {

namespace {

// As many as Linux follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

QStringList componentsOf(const QString& path)
{
    return path.split(u'/', Qt::SkipEmptyParts);
}

QString joined(const QString& folder, const QString& name)
{
    return folder == QLatin1String("/") ? folder + name : folder + u'/' + name;
}

} // namespace

QString resolve(const QString& path, uid_t user)
{
    const QString absolute = QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path;
    // Lexically, as the kernel walks a path: ".." after a link leaves the link's target.
    QStringList left = componentsOf(absolute);
    QString resolved = QStringLiteral("/");
    int links = 0;
    while (!left.isEmpty()) {
        const QString name = left.takeFirst();
        if (name == QLatin1String("."))
            continue;
        if (name == QLatin1String("..")) {
            resolved = QFileInfo(resolved).path();
            continue;
        }
        const QString next = joined(resolved, name);
        struct stat entry;
        if (::lstat(Native::path(next).constData(), &entry) != 0) {
            // Nothing stands here yet: what follows cannot be a link either.
            left.prepend(name);
            return resolved + (resolved.endsWith(u'/') ? QString() : QStringLiteral("/")) +
                   left.join(u'/');
        }
        if (!S_ISLNK(entry.st_mode)) {
            resolved = next;
            continue;
        }
        struct stat folder;
        if (::stat(Native::path(resolved).constData(), &folder) == 0 &&
            (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH) && entry.st_uid != user &&
            entry.st_uid != folder.st_uid)
            throw FileError(FileError::Kind::LinkRefused, next,
                            QStringLiteral("It is a symbolic link in a folder that anyone may "
                                           "write to, and it belongs to %1, who owns neither that "
                                           "folder nor Lumora's files. Lumora does not follow it; "
                                           "nothing was read or written.")
                                .arg(Ownership::userName(entry.st_uid)));
        if (++links > kMaxLinks)
            throw FileError(FileError::Kind::LinkRefused, path,
                            QStringLiteral("Its links lead on more than %1 times. Nothing was "
                                           "read or written.")
                                .arg(kMaxLinks));
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(Native::path(next).constData(), target.data(), PATH_MAX);
        if (length < 0)
            throw FileError::forRead(next, Native::error(errno));
        const QString to = QFile::decodeName(target.left(length));
        if (QDir::isAbsolutePath(to))
            resolved = QStringLiteral("/");
        left = componentsOf(to) + left;
    }
    return resolved;
}

} // namespace Lumora::Links
