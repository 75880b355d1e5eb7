// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "FileState.h"

#include <QString>

#include <functional>
#include <optional>

#include <sys/stat.h>
#include <sys/types.h>

namespace Lumora {

class FileError;

// Replaces one file. The new content goes to a temporary file beside it (the file's name,
// a dot and six letters), which commit() puts in place of the old one: whatever happens,
// the file holds its old or its new content whole. The file keeps its mode and, wherever
// the program may set them, its owner and group, so a save run as root in a user's folder
// leaves the file the user's; a new file gets the mode it is made with less the umask, and
// one that root creates in another user's folder is given to that folder's owner.
//
// The path is followed through links by the rule of Links::resolve(): a link that another
// user planted in a shared folder is refused, naming it, and nothing is written through it.
//
// The old file is swapped with the new one in one step (renameat2 with RENAME_EXCHANGE),
// so that it can be examined afterwards: a save told what the file held when its window
// read it lands only if that is what it replaced, and otherwise swaps it back. Nobody else
// takes part, so no other program or user can hold a save up, and two programs that save
// one file at the same moment, run by one user or by two, never silently undo each other.
// File systems without the exchange get a check just before a plain rename instead.
//
// A writable file in a folder where no file may be created is written in place instead:
// no longer atomically, and a failure part way puts its old content back when it was small
// enough to be kept (kMaxKeptBytes).
class FileSave
{
public:
    static constexpr qint64 kMaxKeptBytes = 16 * 1024 * 1024;

    // `newMode`: the permission bits of a file that does not exist yet, less the umask.
    // Throws FileError: no regular file, a read-only file or file system, a refused link, or
    // a folder where the file can neither be created nor written in place (the message then
    // names the folder).
    explicit FileSave(const QString& path, mode_t newMode = 0666);
    // Removes the temporary file, and the old file once replaced.
    ~FileSave();
    FileSave(const FileSave&) = delete;
    FileSave& operator=(const FileSave&) = delete;

    // The file replaced: the path given, after its links.
    const QString& target() const { return m_target; }

    // Each throws FileError; a failure leaves the file as it was.
    void write(QByteArrayView bytes);
    // Puts what was written on the disk: after it, only the rename is left to fail, and
    // that needs no room. commit() does it when it was not done.
    void finish();
    // Puts the new content in place. Given a known `expected` state, only while the file
    // holds that: otherwise FileError ChangedOnDisk, and the file is as the other program
    // left it.
    void commit(const FileState& expected = {});

    // After commit(): puts the old file back, for a group of saves of which a later one
    // failed. False when that could not be done.
    bool undo();

    // For tests: called with the target just before commit() puts a file in place.
    static void setBeforeCommit(std::function<void(const QString& target)> hook);

private:
    void createTemporary(const struct stat* old, mode_t newMode);
    void openInPlace(const QString& folder, const struct stat& old);
    void commitTemporary(const FileState& expected);
    [[noreturn]] void changedOnDisk();
    bool temporaryIsOurs() const;
    void removeTemporary();
    void keepOld();
    [[noreturn]] void failInPlace(const QString& why);
    [[noreturn]] void fail(const FileError& error);
    [[noreturn]] void failKeepingOld(const QString& why);

    QString m_target;
    // The temporary file: the new content until commit(), the old file after an exchange.
    QString m_temporary;
    int m_temporaryFd = -1;
    ino_t m_temporaryInode = 0;
    bool m_finished = false;
    bool m_committed = false;
    bool m_oldAtTemporary = false;
    bool m_created = false;
    std::optional<QByteArray> m_replaced; // without the exchange: what the rename replaced

    int m_fd = -1; // in place: the file itself
    qint64 m_oldSize = 0;
    qint64 m_written = 0;
    std::optional<QByteArray> m_old; // in place: the content to put back after a failure
};

} // namespace Lumora
