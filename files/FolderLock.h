// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QStringList>

#include <vector>

namespace Lumora {

// Holds an advisory lock on each folder while it lives, so that the saves of several
// Lumora processes into one folder do not interleave between the check of what a file
// holds and its replacement. Waits a few seconds at most for another process, then throws
// FileError; a folder that cannot be locked (a file system without locks) is used without.
class FolderLock
{
public:
    explicit FolderLock(QStringList folders);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    std::vector<int> m_fds;
};

} // namespace Lumora
