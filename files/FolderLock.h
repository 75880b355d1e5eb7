// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QStringList>

#include <vector>

namespace Lumora {

// Keeps Lumoras from saving into one folder at once while it lives, so that their checks
// of what a file holds and its replacement do not interleave. This user's Lumoras meet at
// a lock in the user's private folder (see PrivateFolder), where no other user can reach
// it. The users of a folder others may write into meet at `.lumora.lock` inside it, a
// file that only they may open, so that a user who may only read the folder cannot hold a
// save up. Waits a second at most, then throws FileError. Without a private folder, or on
// a file system without locks, the folders are used without; the exchange of FileSave
// still tells a changed file.
class FolderLock
{
public:
    static constexpr int kWaitMs = 1000;

    explicit FolderLock(QStringList folders);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    void release();

    struct Held
    {
        int fd;
        QByteArray path;
    };
    std::vector<Held> m_held;
};

} // namespace Lumora
