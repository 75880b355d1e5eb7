// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>
#include <QCryptographicHash>

namespace Lumora {

// What a reader found in a file: its size and the SHA-256 digest of its bytes, or that it
// did not exist. A window keeps the state its load returned and hands it to its save,
// which then writes only while the file still holds exactly that: no save undoes a change
// it has not seen, made by another Lumora, a sync tool or an editor. A state made by the
// default constructor knows nothing, and a save given it replaces the file unchecked.
class FileState
{
public:
    FileState() = default;
    // The file did not exist.
    static FileState absent();
    // A file holding `bytes`.
    static FileState of(QByteArrayView bytes);

    bool isKnown() const { return m_what != What::Unknown; }
    bool exists() const { return m_what == What::Present; }
    qint64 size() const { return m_size; }

    friend bool operator==(const FileState&, const FileState&) = default;

    // The state of a file's bytes, fed in order from the first to the last.
    class Digest
    {
    public:
        Digest() : m_hash(QCryptographicHash::Sha256) {}
        void add(QByteArrayView bytes)
        {
            m_hash.addData(bytes);
            m_size += bytes.size();
        }
        FileState state() const;

    private:
        QCryptographicHash m_hash;
        qint64 m_size = 0;
    };

private:
    enum class What { Unknown, Absent, Present };
    What m_what = What::Unknown;
    qint64 m_size = 0;
    QByteArray m_digest;
};

} // namespace Lumora
