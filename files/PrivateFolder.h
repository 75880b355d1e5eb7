// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

#include <sys/stat.h>

namespace Lumora::PrivateFolder {

// A folder that only this user can reach, for the locks and sockets by which one user's
// Lumoras find each other: the runtime folder ($XDG_RUNTIME_DIR) where it is usable, else
// "lumora" in the cache folder ($XDG_CACHE_HOME, ~/.cache), made for the purpose. Usable
// means a real folder (no link), owned by the user, that no group or other user may enter:
// a folder that another user made first, or opened to others, is never used. Empty when
// there is none; `problem` then says why.
QString path(QString* problem = nullptr);
// Why others could plant or read files in the folder `info` describes (as lstat or fstat
// gave it), or nothing when it is the user's alone.
QString problemWith(const QString& folder, const struct stat& info);

} // namespace Lumora::PrivateFolder
