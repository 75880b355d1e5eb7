// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "files/FileError.h"
#include "files/TextFile.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// One fuzz input as the bytes of a file, with what the line rules say a reader must make
// of them.
//
// Most inputs are the file itself. An input that starts with the byte 0xF5 describes a
// file with a run of one byte about as long as the longest line allowed (16 MiB), so that
// lines of megabytes on either side of the limit are reached without inputs of that size:
//   F5 <run length - 16 MiB: 2 bytes, big-endian, signed> <run byte> <where: 0..255> <rest>
// The run goes into the rest at where/256 of its length.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size);

    const QByteArray& bytes() const { return m_bytes; }
    void writeTo(const QString& path) const;

    // The lines by the rules, split as plainly as possible: a line ends at CR or at CR LF,
    // LF alone is an ordinary byte, the last line may end with the bytes, nothing is
    // trimmed, nothing is limited. Only the first kMaxLines are kept: a run of millions of
    // CRs is that many empty lines, which would take the checks minutes and gigabytes.
    static constexpr qsizetype kMaxLines = 100000;
    const QList<QByteArray>& lines() const { return m_lines; }
    // Whether lines() stops short of the end of the file.
    bool cut() const { return m_cut; }

    struct Expected
    {
        QStringList lines;
        std::optional<Lumora::FileError::Kind> error;
    };
    // What reading lines 1..count must give: those lines, or "line too long" when one of
    // them is longer than the limit, or "past end of file" when there are fewer.
    Expected expect(int count, Lumora::Encoding encoding) const;
    // What SettingsFiles::dataFolder() gives for this input as path.lmr of `appFolder`:
    // line 1 as a name, relative to the application folder, or not a valid folder.
    Expected expectFolder(const QString& appFolder) const;

    // Runs `read` and tells what it gave, in the same form.
    template <typename Read> static Expected outcome(Read read)
    {
        try {
            return {read(), std::nullopt};
        } catch (const Lumora::FileError& error) {
            return {{}, error.kind()};
        }
    }

    // Ends the process with a message when `got` differs from `expected`.
    static void check(const Expected& got, const Expected& expected, const char* what);
    static void check(bool ok, const char* what);

    // One line's bytes as the reader decodes them, checked byte by byte.
    static QString decode(const QByteArray& line, Lumora::Encoding encoding);
    // Line i decoded, decoded once.
    const QString& decoded(qsizetype i, Lumora::Encoding encoding) const;

private:
    QByteArray m_bytes;
    QList<QByteArray> m_lines;
    bool m_cut = false;
    mutable std::vector<std::optional<QString>> m_decoded[2];
};
