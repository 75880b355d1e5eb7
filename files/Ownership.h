// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

namespace Lumora::Ownership {

// Gives the open file `fd` what a replacement of `old` must keep: its owner, group and
// mode. Without `old` (a new file), a file that root makes in another user's `folder` is
// given to that user. Where the program may not set them, it does not.
void keep(int fd, const struct stat* old, const QString& folder);

// The login name of `uid`, or "user UID".
QString userName(uid_t uid);

} // namespace Lumora::Ownership
