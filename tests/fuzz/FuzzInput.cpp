// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FuzzInput.h"

#include "files/Cp1252.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

using namespace Lumora;

namespace {

QList<QByteArray> split(const QByteArray& bytes, bool& cut)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        if (lines.size() == FuzzInput::kMaxLines) {
            cut = true;
            break;
        }
        const qsizetype cr = bytes.indexOf('\r', start);
        if (cr < 0) {
            lines.append(bytes.mid(start));
            break;
        }
        lines.append(bytes.mid(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size)
{
    const auto* text = reinterpret_cast<const char*>(data);
    if (size >= 6 && data[0] == 0xF5) {
        const auto delta = qint16(quint16(data[1] << 8 | data[2]));
        const qsizetype run = LineReader::kMaxLineBytes + delta;
        const QByteArray rest(text + 5, qsizetype(size - 5));
        const qsizetype at = rest.size() * data[4] / 256;
        m_bytes = rest.left(at) + QByteArray(run, char(data[3])) + rest.mid(at);
    } else {
        m_bytes = QByteArray(text, qsizetype(size));
    }
    m_lines = split(m_bytes, m_cut);
}

void FuzzInput::writeTo(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_bytes) != m_bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

QString FuzzInput::decode(const QByteArray& line, Encoding encoding)
{
    if (encoding == Encoding::FileSystem)
        return QFile::decodeName(line);
    const QString text = Cp1252::decode(line);
    // One character per byte; ASCII and Latin-1 letters as themselves; the code page's
    // own characters of 0x80..0x9F written back as the byte they came from.
    check(text.size() == line.size(), "Windows-1252 text has one character per byte");
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte < 0x80 || byte >= 0xA0)
            check(text[i].unicode() == byte, "ASCII and Latin-1 bytes read as themselves");
    }
    check(Cp1252::encode(text) == line, "Windows-1252 text writes back as its bytes");
    return text;
}

const QString& FuzzInput::decoded(qsizetype i, Encoding encoding) const
{
    auto& cache = m_decoded[encoding == Encoding::Cp1252 ? 0 : 1];
    if (cache.size() <= std::size_t(i))
        cache.resize(std::size_t(i) + 1);
    std::optional<QString>& line = cache[std::size_t(i)];
    if (!line)
        line = decode(m_lines[i], encoding);
    return *line;
}

FuzzInput::Expected FuzzInput::expect(int count, Encoding encoding) const
{
    Expected expected;
    check(count <= kMaxLines, "few lines asked for");
    for (int i = 0; i < count; ++i) {
        if (i >= m_lines.size())
            return {{}, FileError::Kind::PastEndOfFile};
        if (m_lines[i].size() > LineReader::kMaxLineBytes)
            return {{}, FileError::Kind::LineTooLong};
        expected.lines.append(decoded(i, encoding));
    }
    return expected;
}

FuzzInput::Expected FuzzInput::expectFolder(const QString& appFolder) const
{
    Expected expected = expect(1, Lumora::Encoding::FileSystem);
    if (expected.error)
        return expected;
    const QString folder = expected.lines.constFirst();
    if (m_lines[0].contains('\0') || QFile::encodeName(folder) != m_lines[0])
        return {{}, Lumora::FileError::Kind::NotAValidFolder};
    if (!folder.isEmpty() && QDir::isRelativePath(folder))
        expected.lines = {appFolder + u'/' + folder};
    return expected;
}

void FuzzInput::check(const Expected& got, const Expected& expected, const char* what)
{
    if (got.error != expected.error) {
        std::fprintf(stderr, "fuzz: %s: error %s, expected %s\n", what,
                     got.error ? qPrintable(FileError::kindName(*got.error)) : "none",
                     expected.error ? qPrintable(FileError::kindName(*expected.error)) : "none");
        std::abort();
    }
    if (got.lines != expected.lines) {
        for (qsizetype i = 0; i < std::min(got.lines.size(), expected.lines.size()); ++i) {
            if (got.lines[i] != expected.lines[i]) {
                std::fprintf(stderr, "fuzz: %s: line %lld is %lld characters, expected %lld\n",
                             what, static_cast<long long>(i + 1),
                             static_cast<long long>(got.lines[i].size()),
                             static_cast<long long>(expected.lines[i].size()));
                break;
            }
        }
        std::fprintf(stderr, "fuzz: %s: %lld lines, expected %lld\n", what,
                     static_cast<long long>(got.lines.size()),
                     static_cast<long long>(expected.lines.size()));
        std::abort();
    }
}

void FuzzInput::check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz: %s: not so\n", what);
        std::abort();
    }
}
