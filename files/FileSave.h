// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "FileState.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSaveFile;

namespace Lumora {

// How every file of the program is opened for reading. Only regular files are read: a
// named pipe, a socket, a device or a folder is refused before a byte is read, so that no
// read waits for ever and no copy runs without end. The file is opened without blocking
// and examined through the open descriptor, so nothing can be put in its place between
// the check and the read. Links are followed.
namespace RegularFile {

// The size of the chunks in which files are read: memory stays bounded whatever a file's
// size.
inline constexpr qint64 kChunk = 64 * 1024;

// Throws FileError when `path` cannot be opened or is no regular file.
void open(QFile& file, const QString& path);
// The same, but false when there is no file at `path`.
bool openIfExists(QFile& file, const QString& path);
// What `path` holds now, read whole in bounded chunks; FileState::absent() for no file.
// With `bytes`, its content as well.
FileState stateOf(const QString& path, QByteArray* bytes = nullptr);
// What `path` holds, read whole; throws FileError, also when there is no file.
QByteArray readAll(const QString& path);
// Hands what is left of the open `file`, read from where it stands to its end, to `take`
// chunk by chunk; throws FileError, naming `path`, when a read fails.
void readChunks(QFile& file, const QString& path,
                const std::function<void(QByteArrayView chunk)>& take);
// Creates an empty file at `path` unless something stands there already (false); throws
// FileError when it cannot. Root's new file in another user's folder is given to that user.
bool createNew(const QString& path);

} // namespace RegularFile

// Replaces one file. The new content goes to a temporary file beside it, which commit()
// renames over the old one: whatever happens, the file holds its old or its new content
// whole. The file keeps its mode and, wherever the program may set them, its owner and
// group, so a save run as root in a user's folder leaves the file the user's; a file that
// root creates in another user's folder is given to that folder's owner.
//
// Links are followed only when they belong to the user or to the owner of the folder the
// link lies in, the rule Linux applies in sticky folders: a link that another user planted
// in a shared folder is refused, naming it, and nothing is written through it.
//
// A writable file in a folder where no file may be created is written in place instead:
// no longer atomically, and a failure part way puts its old content back when it was small
// enough to be kept (kMaxKeptBytes).
class FileSave
{
public:
    static constexpr qint64 kMaxKeptBytes = 16 * 1024 * 1024;

    // Throws FileError: no regular file, a read-only file, a refused link, or a folder
    // where the file can neither be created nor written in place (the message then names
    // the folder).
    explicit FileSave(const QString& path);
    // Discards what was written unless commit() succeeded.
    ~FileSave();
    FileSave(const FileSave&) = delete;
    FileSave& operator=(const FileSave&) = delete;

    // The file replaced: the path given, after the links it names.
    const QString& target() const { return m_target; }

    // Both throw FileError; a failure leaves the file as it was.
    void write(QByteArrayView bytes);
    void commit();

    // For tests: called with the target just before commit() puts a file in place.
    static void setBeforeCommit(std::function<void(const QString& target)> hook);

private:
    void openInPlace(const QString& folder, qint64 size, unsigned long long device,
                     unsigned long long inode);
    void keepOld();
    [[noreturn]] void failInPlace(const QString& why);
    [[noreturn]] void failKeepingOld(const QString& why);

    QString m_target;
    std::unique_ptr<QSaveFile> m_save;
    int m_fd = -1;      // in place: the file itself
    qint64 m_oldSize = 0;
    qint64 m_written = 0;
    std::optional<QByteArray> m_old; // in place: the content to put back after a failure
};

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
