// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "PrivateFolder.h"

#include "Native.h"

#include <QDir>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace Lumora::PrivateFolder {

namespace {

// Why `folder` is not the user's alone, or nothing when it is.
QString whyNotPrivate(const QString& folder)
{
    struct stat st;
    if (::lstat(Native::path(folder).constData(), &st) != 0)
        return QStringLiteral("%1: %2").arg(folder, Native::error(errno));
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is not a folder.").arg(folder);
    if (st.st_uid != ::geteuid())
        return QStringLiteral("%1 belongs to another user.").arg(folder);
    if (st.st_mode & (S_IRWXG | S_IRWXO))
        return QStringLiteral("%1 is open to other users.").arg(folder);
    return {};
}

QString cacheFolder()
{
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (QDir::isAbsolutePath(cache))
        return cache;
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QString() : home + QStringLiteral("/.cache");
}

} // namespace

QString path(QString* problem)
{
    QStringList problems;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime)) {
        const QString why = whyNotPrivate(runtime);
        if (why.isEmpty())
            return runtime;
        problems.append(why);
    }
    const QString cache = cacheFolder();
    if (!cache.isEmpty()) {
        const QString folder = cache + QStringLiteral("/lumora");
        QDir().mkpath(cache);
        // Made with no access for others from its first moment, and checked afterwards:
        // should another user have made it first, it is theirs and is not used.
        ::mkdir(Native::path(folder).constData(), 0700);
        const QString why = whyNotPrivate(folder);
        if (why.isEmpty())
            return folder;
        problems.append(why);
    } else {
        problems.append(QStringLiteral("There is no home folder."));
    }
    if (problem)
        *problem = problems.join(u' ');
    return {};
}

} // namespace Lumora::PrivateFolder
