// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "FileState.h"

#include <QFile>
#include <QString>

#include <functional>

namespace Lumora {

// How every file of the program is opened for reading. Only regular files are read: a
// named pipe, a socket, a device or a folder is refused before a byte is read, so that no
// read waits for ever and no copy runs without end. The file is opened without blocking
// and examined through the open descriptor, so nothing can be put in its place between
// the check and the read. Links are followed by the rule of Links::resolve().
namespace RegularFile {

// The size of the chunks in which files are read: memory stays bounded whatever a file's
// size.
inline constexpr qint64 kChunk = 64 * 1024;
// The largest file read as text, or whole: far more than any settings or verse file
// holds, and little enough that reading and comparing it whole stays quick. A larger one
// is refused before it is read, however few of its lines are wanted.
inline constexpr qint64 kMaxTextBytes = 32 * 1024 * 1024;

// Throws FileError when `path` cannot be opened or is no regular file.
void open(QFile& file, const QString& path);
// The same, but false when there is no file at `path`.
bool openIfExists(QFile& file, const QString& path);
// Throws FileError (file too large) when the open `file` holds more than kMaxTextBytes.
void checkTextSize(const QFile& file, const QString& path);
// What `path` holds now: FileState::absent() for no file, FileState::tooLarge() for one
// larger than kMaxTextBytes, which is not read.
FileState stateOf(const QString& path);
// What the open `file` holds, read whole from its start; throws FileError as checkTextSize().
FileState stateOf(QFile& file, const QString& path);
// What `path` holds, read whole; throws FileError, also when there is no file or it is
// larger than kMaxTextBytes.
QByteArray readAll(const QString& path);
// Hands what is left of the open `file`, read from where it stands to its end, to `take`
// chunk by chunk; throws FileError, naming `path`, when a read fails.
void readChunks(QFile& file, const QString& path,
                const std::function<void(QByteArrayView chunk)>& take);
// Creates an empty file at `path` unless something stands there already (false); throws
// FileError when it cannot. Root's new file in another user's folder is given to that user.
bool createNew(const QString& path);

} // namespace RegularFile
} // namespace Lumora
