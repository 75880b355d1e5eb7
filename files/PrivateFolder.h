// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

namespace Lumora::PrivateFolder {

// A folder that only this user can reach, for the locks and sockets by which one user's
// Lumoras find each other: the runtime folder ($XDG_RUNTIME_DIR) where it is usable, else
// "lumora" in the cache folder ($XDG_CACHE_HOME, ~/.cache), made for the purpose. Usable
// means a real folder (no link), owned by the user, that no group or other user may enter:
// a folder that another user made first, or opened to others, is never used. Empty when
// there is none; `problem` then says why.
QString path(QString* problem = nullptr);

} // namespace Lumora::PrivateFolder
