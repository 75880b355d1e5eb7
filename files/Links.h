// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

#include <sys/types.h>
#include <unistd.h>

namespace Lumora::Links {

// The path `path` leads to, with every symbolic link on the way resolved, component by
// component. A link in a folder that anyone may write to and that is sticky (such as /tmp
// or a shared folder of mode 1777) is followed only when it belongs to `user` or to the
// folder's owner: the rule Linux applies with protected_symlinks, kept here whatever the
// system's setting, so that another user cannot plant a link there that leads Lumora's
// reads and saves into a folder of their choosing. Throws FileError (link not followed),
// naming the link and its owner, or (too many links) for a loop. The part of the path
// that does not exist yet is returned as it was given.
QString resolve(const QString& path, uid_t user = ::geteuid());

} // namespace Lumora::Links
