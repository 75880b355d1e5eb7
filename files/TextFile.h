// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "FileState.h"

#include <QFile>
#include <QStringList>

namespace Lumora {

// How the bytes of a text file become text. The settings and data files are
// Windows-1252; the data-folder pointer holds a path, which only the file system's own
// encoding can store for every folder a user may choose.
enum class Encoding { Cp1252, FileSystem };

// Reads a text file line by line, never further than asked; a file larger than
// RegularFile::kMaxTextBytes is refused when it is opened. A line ends at a carriage
// return or at a carriage return followed by a line feed; a line feed on its own is an
// ordinary character. The last line may end at the end of the file without a
// terminator. Lines are taken unchanged: nothing is trimmed.
class LineReader
{
public:
    // Longest line read; a longer one is an error rather than a way to exhaust memory.
    static constexpr qsizetype kMaxLineBytes = 16 * 1024 * 1024;

    // Opens the file; throws FileError when it cannot be opened or is no regular file.
    LineReader(const QString& path, Encoding encoding);

    // The next line; throws FileError (input past end of file) when there is none.
    QString next();
    // The same, as the bytes the file holds.
    QByteArray nextBytes();
    // True when no line is left.
    bool atEnd();
    // What the whole file holds, for a later save to check against; reads the file again,
    // which ends the reading.
    FileState state();

private:
    bool fill();

    QString m_path;
    QFile m_file;
    Encoding m_encoding;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
};

namespace TextFile {

// Lines 1..count in order; fewer lines in the file is an error (input past end of file).
// With `seen`, what the whole file held, for a later write to check against.
QStringList readLines(const QString& path, int count, Encoding encoding,
                      FileState* seen = nullptr);

// Replaces the file whole with `lines`, each ended by CR LF, or leaves it untouched:
// the text is checked and encoded before anything is written, then written to a
// temporary file beside it that is renamed over the old one (see FileSave). Given a known
// `expected` state, the file is replaced only while it still holds that; otherwise
// FileError ChangedOnDisk is thrown and nothing is written.
void writeLines(const QString& path, const QStringList& lines, Encoding encoding,
                const FileState& expected = {});

// The bytes writeLines() writes for `lines`; throws FileError, naming `path`, for a
// character the encoding cannot hold, a line break inside a line or an overlong line.
QByteArray encodeLines(const QString& path, const QStringList& lines, Encoding encoding);

// Replaces several files as one, or none of them. Every new file is written whole and
// flushed to the disk before the first is put in place, so a full disk changes none of
// them. Each is then put in place while it still holds the state its reader saw (when
// known); should one fail, those put in place before it are put back as they were (the old
// files wait beside them until all are done), and the error says so. Returns what each file holds now, for the next write to check against: the state of
// what was written, not of a later read, which could take in another program's change.
struct Replacement
{
    QString path;
    QByteArray bytes;
    FileState expected = {};
};
QList<FileState> writeAll(const QList<Replacement>& files);

// Copies `source` over `destination` in bounded chunks, as a save: memory does not grow
// with the file's size, and a source that is no regular file is refused before it is read.
// A new copy gets the source's permission bits less the umask, as cp makes it; a replaced
// file keeps its own owner, group and mode.
void copy(const QString& source, const QString& destination);

} // namespace TextFile
} // namespace Lumora
