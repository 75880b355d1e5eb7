// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "TextFile.h"

#include "Cp1252.h"
#include "FileError.h"
#include "FileSave.h"
#include "FolderLock.h"
#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <optional>

#include <sys/stat.h>
#include <vector>

namespace Lumora {

namespace {

using RegularFile::kChunk;

QString decodeLine(QByteArrayView bytes, Encoding encoding)
{
    if (encoding == Encoding::Cp1252)
        return Cp1252::decode(bytes);
    return QFile::decodeName(bytes.toByteArray());
}

} // namespace

LineReader::LineReader(const QString& path, Encoding encoding) : m_path(path), m_encoding(encoding)
{
    RegularFile::open(m_file, path);
    RegularFile::checkTextSize(m_file, path);
}

bool LineReader::fill()
{
    if (m_eof)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const qint64 got = m_file.read(m_buffer.data() + old, kChunk);
    if (got < 0) {
        m_buffer.resize(old);
        throw FileError::forRead(m_path, m_file.errorString());
    }
    m_buffer.resize(old + got);
    if (got == 0)
        m_eof = true;
    return got > 0;
}

FileState LineReader::state()
{
    // The same open file read again from its start: whatever replaces the file meanwhile
    // has no part in it. Readers that ask for no state pay nothing.
    m_eof = true;
    m_buffer.clear();
    m_pos = 0;
    return RegularFile::stateOf(m_file, m_path);
}

bool LineReader::atEnd()
{
    while (m_pos >= m_buffer.size()) {
        if (!fill())
            return true;
    }
    return false;
}

QString LineReader::next()
{
    return decodeLine(nextBytes(), m_encoding);
}

QByteArray LineReader::nextBytes()
{
    if (atEnd())
        throw FileError(FileError::Kind::PastEndOfFile, m_path);
    qsizetype searched = m_pos;
    for (;;) {
        const qsizetype cr = m_buffer.indexOf('\r', searched);
        if (cr >= 0) {
            if (cr - m_pos > kMaxLineBytes)
                break;
            // A CR at the very end of what is buffered may still be followed by LF.
            if (cr + 1 == m_buffer.size()) {
                const qsizetype offset = cr - m_pos;
                fill();
                const qsizetype crNow = m_pos + offset;
                QByteArray line = m_buffer.sliced(m_pos, offset);
                m_pos = crNow + 1;
                if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == '\n')
                    ++m_pos;
                return line;
            }
            QByteArray line = m_buffer.sliced(m_pos, cr - m_pos);
            m_pos = cr + 1;
            if (m_buffer.at(m_pos) == '\n')
                ++m_pos;
            return line;
        }
        if (m_buffer.size() - m_pos > kMaxLineBytes)
            break;
        const qsizetype offset = m_buffer.size() - m_pos;
        if (!fill()) {
            // The last line, ended by the end of the file.
            QByteArray line = m_buffer.sliced(m_pos);
            m_pos = m_buffer.size();
            return line;
        }
        searched = m_pos + offset;
    }
    throw FileError(FileError::Kind::LineTooLong, m_path,
                    QStringLiteral("A line is longer than %1 MB.").arg(kMaxLineBytes >> 20));
}

namespace TextFile {

QStringList readLines(const QString& path, int count, Encoding encoding, FileState* seen)
{
    LineReader reader(path, encoding);
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(reader.next());
    if (seen)
        *seen = reader.state();
    return lines;
}

void writeLines(const QString& path, const QStringList& lines, Encoding encoding,
                const FileState& expected)
{
    writeAll({{path, encodeLines(path, lines, encoding), expected}});
}

QByteArray encodeLines(const QString& path, const QStringList& lines, Encoding encoding)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        if (encoding == Encoding::Cp1252) {
            if (const auto bad = Cp1252::firstUnencodable(line)) {
                throw FileError(
                    FileError::Kind::NotEncodable, path,
                    QStringLiteral("The text contains the character %1, which a Windows-1252 "
                                   "text file cannot hold. Nothing was written; please replace "
                                   "it and try again.")
                        .arg(Cp1252::describe(*bad)));
            }
        }
        const QByteArray encoded =
            encoding == Encoding::Cp1252 ? Cp1252::encode(line) : QFile::encodeName(line);
        // A line break inside a line would split it when read back; callers keep lines whole.
        if (encoded.contains('\r'))
            throw FileError(FileError::Kind::NotEncodable, path,
                            QStringLiteral("A line contains a line break. Nothing was written."));
        if (encoded.size() > LineReader::kMaxLineBytes)
            throw FileError(FileError::Kind::LineTooLong, path,
                            QStringLiteral("A line is longer than %1 MB. Nothing was written.")
                                .arg(LineReader::kMaxLineBytes >> 20));
        bytes += encoded;
        bytes += "\r\n";
    }
    return bytes;
}

QList<FileState> writeAll(const QList<Replacement>& files)
{
    std::vector<std::unique_ptr<FileSave>> saves;
    QStringList folders;
    for (const Replacement& file : files) {
        saves.push_back(std::make_unique<FileSave>(file.path));
        folders.append(QFileInfo(saves.back()->target()).absolutePath());
    }
    const FolderLock lock(folders);
    // A change seen now spares writing anything; the commits check again as they swap.
    for (qsizetype i = 0; i < files.size(); ++i) {
        const FileState& expected = files[i].expected;
        if (expected.isKnown() && RegularFile::stateOf(saves[std::size_t(i)]->target()) != expected)
            throw FileError(FileError::Kind::ChangedOnDisk, files[i].path,
                            QStringLiteral("Another program has changed the file since Lumora "
                                           "read it. Nothing was written."));
    }
    // Every new file is whole on the disk before the first is put in place, so a disk that
    // fills up leaves every file as it was.
    for (qsizetype i = 0; i < files.size(); ++i) {
        saves[std::size_t(i)]->write(files[i].bytes);
        saves[std::size_t(i)]->finish();
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        try {
            saves[std::size_t(i)]->commit(files[i].expected);
        } catch (const FileError& error) {
            if (i == 0)
                throw;
            QStringList failed;
            for (qsizetype j = i - 1; j >= 0; --j) {
                if (!saves[std::size_t(j)]->undo())
                    failed.append(QDir::toNativeSeparators(saves[std::size_t(j)]->target()));
            }
            const QString outcome =
                failed.isEmpty()
                    ? QStringLiteral("The files saved before it were put back as they were, so "
                                     "nothing has changed.")
                    : QStringLiteral("%1 could not be put back as it was and now holds the new "
                                     "content.")
                          .arg(failed.join(QStringLiteral(", ")));
            throw FileError(error.kind(), error.path(),
                            FileError::sentence(error.detail()) + u' ' + outcome);
        }
    }
    QList<FileState> written;
    for (const Replacement& file : files)
        written.append(FileState::of(file.bytes));
    return written;
}

void copy(const QString& source, const QString& destination)
{
    QFile in;
    RegularFile::open(in, source);
    // A new copy is as private as its source, less what the umask takes away.
    struct stat st;
    FileSave out(destination, ::fstat(in.handle(), &st) == 0 ? st.st_mode & 0777 : 0666);
    RegularFile::readChunks(in, source, [&](QByteArrayView chunk) { out.write(chunk); });
    out.commit();
}

} // namespace TextFile
} // namespace Lumora
