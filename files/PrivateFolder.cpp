// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "PrivateFolder.h"

#include "Native.h"
#include "Ownership.h"

#include <QDir>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace Lumora::PrivateFolder {

QString problemWith(const QString& folder, const struct stat& st)
{
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("%1 is a link, not a folder of its own.").arg(folder);
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is not a folder.").arg(folder);
    if (st.st_uid != ::geteuid())
        return QStringLiteral("The folder %1 belongs to another user (%2).")
            .arg(folder, Ownership::userName(st.st_uid));
    if (st.st_mode & (S_IRWXG | S_IRWXO))
        return QStringLiteral("The folder %1 is open to other users (mode %2); only you may "
                              "have access to it (chmod 700 %1).")
            .arg(folder)
            .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return {};
}

namespace {

QString whyNotPrivate(const QString& folder)
{
    struct stat st;
    if (::lstat(Native::path(folder).constData(), &st) != 0)
        return QStringLiteral("The folder %1 could not be made: %2").arg(folder, Native::error(errno));
    return problemWith(folder, st);
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
        *problem = problems.constLast();
    return {};
}

} // namespace Lumora::PrivateFolder
