// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Ownership.h"

#include "Native.h"

#include <pwd.h>
#include <unistd.h>

namespace Lumora::Ownership {

void keep(int fd, const struct stat* old, const QString& folder)
{
    if (old) {
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
            // A user who is not root may still give the file a group he belongs to.
            if (::fchown(fd, old->st_uid, old->st_gid) != 0 &&
                ::fchown(fd, uid_t(-1), old->st_gid) != 0) {
                // Neither can be kept: the file is the user's own, as after any save of his.
            }
        }
        ::fchmod(fd, old->st_mode & 07777);
        return;
    }
    struct stat owner;
    if (::geteuid() == 0 && ::stat(Native::path(folder).constData(), &owner) == 0 &&
        owner.st_uid != 0 && ::fchown(fd, owner.st_uid, owner.st_gid) != 0) {
        // The new file stays root's, as it would have been anyway.
    }
}

QString userName(uid_t uid)
{
    if (const passwd* user = ::getpwuid(uid))
        return QString::fromLocal8Bit(user->pw_name);
    return QStringLiteral("user %1").arg(uid);
}

} // namespace Lumora::Ownership
