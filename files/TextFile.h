#pragma once

#include <QFile>
#include <QStringList>

namespace Lumora {

// How the bytes of a text file become text. The settings and data files are
// Windows-1252; the data-folder pointer holds a path, which only the file system's own
// encoding can store for every folder a user may choose.
enum class Encoding { Cp1252, FileSystem };

// Reads a text file line by line, never further than asked. A line ends at a carriage
// return or at a carriage return followed by a line feed; a line feed on its own is an
// ordinary character. The last line may end at the end of the file without a
// terminator. Lines are taken unchanged: nothing is trimmed.
class LineReader
{
public:
    // Longest line read; a longer one is an error rather than a way to exhaust memory.
    static constexpr qsizetype kMaxLineBytes = 16 * 1024 * 1024;

    // Opens the file; throws FileError when it cannot be opened.
    LineReader(const QString& path, Encoding encoding);

    // The next line; throws FileError (input past end of file) when there is none.
    QString next();
    // True when no line is left.
    bool atEnd();

private:
    bool fill();

    QFile m_file;
    Encoding m_encoding;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
};

namespace TextFile {

// Lines 1..count in order; fewer lines in the file is an error (input past end of file).
QStringList readLines(const QString& path, int count, Encoding encoding);

// Replaces the file whole with `lines`, each ended by CR LF, or leaves it untouched:
// the text is checked and encoded before anything is written, then written to a
// temporary file beside it that is renamed over the old one.
void writeLines(const QString& path, const QStringList& lines, Encoding encoding);

// The bytes writeLines() writes for `lines`; throws FileError, naming `path`, for a
// character the encoding cannot hold, a line break inside a line or an overlong line.
QByteArray encodeLines(const QString& path, const QStringList& lines, Encoding encoding);

// Replaces the file whole with `bytes`, or leaves it untouched and throws FileError.
void writeBytes(const QString& path, const QByteArray& bytes);

// Replaces several files as one: each new content is written out beside its file, and
// only when every one of them is whole on the disk are they renamed into place. A file
// that may not be replaced or a disk that runs out of room leaves all of them untouched.
struct Replacement
{
    QString path;
    QByteArray bytes;
};
void writeAll(const QList<Replacement>& files);

} // namespace TextFile
} // namespace Lumora
