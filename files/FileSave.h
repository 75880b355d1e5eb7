// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "FileState.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QSaveFile;

namespace Lumora {

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

} // namespace Lumora
