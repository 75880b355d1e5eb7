// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>

namespace Lumora {

// What a reader found in a file: its bytes, or that it did not exist. A window keeps the
// state its load returned and hands it to its save, which then writes only while the file
// still holds exactly that: no save undoes a change it has not seen, made by another
// Lumora, a sync tool or an editor. The bytes themselves are kept, not a digest of them:
// the files are small (RegularFile::kMaxTextBytes at most), and comparing them costs far
// less than hashing them. A state made by the default constructor knows nothing, and a
// save given it replaces the file unchecked.
class FileState
{
public:
    FileState() = default;
    // The file did not exist.
    static FileState absent();
    // A file holding `bytes`.
    static FileState of(QByteArray bytes);
    // A file of `size` bytes, too large to have been read: equal to no state that was.
    static FileState tooLarge(qint64 size);

    bool isKnown() const { return m_what != What::Unknown; }
    bool exists() const { return m_what == What::Present || m_what == What::TooLarge; }
    qint64 size() const { return m_what == What::TooLarge ? m_size : m_bytes.size(); }
    const QByteArray& bytes() const { return m_bytes; }

    friend bool operator==(const FileState& a, const FileState& b)
    {
        return a.m_what == b.m_what && a.m_what != What::TooLarge && a.m_bytes == b.m_bytes;
    }

private:
    enum class What { Unknown, Absent, Present, TooLarge };
    What m_what = What::Unknown;
    qint64 m_size = 0;
    QByteArray m_bytes;
};

} // namespace Lumora
