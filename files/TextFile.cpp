#include "TextFile.h"

#include "Cp1252.h"
#include "FileError.h"

#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <vector>

namespace Lumora {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

QString decodeLine(QByteArrayView bytes, Encoding encoding)
{
    if (encoding == Encoding::Cp1252)
        return Cp1252::decode(bytes);
    return QFile::decodeName(bytes.toByteArray());
}

} // namespace

LineReader::LineReader(const QString& path, Encoding encoding)
    : m_file(path), m_encoding(encoding)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw FileError(FileError::Kind::NotAFile, path);
    if (!m_file.open(QIODevice::ReadOnly))
        throw FileError::forRead(path, m_file.errorString());
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
        throw FileError::forRead(m_file.fileName(), m_file.errorString());
    }
    m_buffer.resize(old + got);
    if (got == 0)
        m_eof = true;
    return got > 0;
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
    if (atEnd())
        throw FileError(FileError::Kind::PastEndOfFile, m_file.fileName());
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
                QString line = decodeLine(QByteArrayView(m_buffer).sliced(m_pos, offset), m_encoding);
                m_pos = crNow + 1;
                if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == '\n')
                    ++m_pos;
                return line;
            }
            QString line = decodeLine(QByteArrayView(m_buffer).sliced(m_pos, cr - m_pos), m_encoding);
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
            QString line = decodeLine(QByteArrayView(m_buffer).sliced(m_pos), m_encoding);
            m_pos = m_buffer.size();
            return line;
        }
        searched = m_pos + offset;
    }
    throw FileError(FileError::Kind::LineTooLong, m_file.fileName(),
                    QStringLiteral("A line is longer than %1 MB.").arg(kMaxLineBytes >> 20));
}

namespace TextFile {

QStringList readLines(const QString& path, int count, Encoding encoding)
{
    LineReader reader(path, encoding);
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(reader.next());
    return lines;
}

void writeLines(const QString& path, const QStringList& lines, Encoding encoding)
{
    writeBytes(path, encodeLines(path, lines, encoding));
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

void writeBytes(const QString& path, const QByteArray& bytes)
{
    writeAll({{path, bytes}});
}

void writeAll(const QList<Replacement>& files)
{
    // Until commit() a save file is only a temporary one; dropping it discards it.
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const Replacement& replacement : files) {
        const QString& path = replacement.path;
        const QByteArray& bytes = replacement.bytes;
        if (FileError::isReadOnly(QFileInfo(path)))
            throw FileError(FileError::Kind::PermissionDenied, path,
                            QStringLiteral("The file is read-only. Nothing was written."));
        auto file = std::make_unique<QSaveFile>(path);
        if (!file->open(QIODevice::WriteOnly))
            throw FileError::forWrite(path, file->errorString());
        // The explicit flush matters: a write that runs out of room fails only when the
        // buffer is flushed, and commit() alone would rename the cut-off file into place.
        if (file->write(bytes) != bytes.size() || !file->flush()) {
            QString why = file->errorString();
            if (why.isEmpty() || why == QLatin1String("Unknown error"))
                why = QStringLiteral("The file could not be written whole; the disk may be full.");
            file->cancelWriting();
            throw FileError::forWrite(path, why + QStringLiteral(" The old file was kept."));
        }
        written.push_back(std::move(file));
    }
    for (const std::unique_ptr<QSaveFile>& file : written) {
        if (!file->commit())
            throw FileError::forWrite(file->fileName(), file->errorString());
    }
}

} // namespace TextFile
} // namespace Lumora
