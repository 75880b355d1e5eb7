// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the save loop writes in its save number n, and what the file must hold afterwards.
// The writer and the checker build the same contents from n alone, so a file found after
// a kill is recognised as the whole content of one save or as nothing valid. Lengths differ
// from save to save, up to a few hundred kilobytes, so that a cut-off file could not pass
// for another save's content.
namespace SaveContent {

// A pseudo-random number from n and a salt, the same in every process.
inline quint32 mix(quint32 n, quint32 salt)
{
    quint32 x = n * 2654435761u ^ (salt + 0x9E3779B9u + (n << 6) + (n >> 2));
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    return x;
}

// Text of `length` characters, Windows-1252 letters among them.
inline QString filler(int length, quint32 seed)
{
    static const QString kLetters = QStringLiteral("abc def \u00E9\u00FC\u00F1 Psalm ");
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text.append(kLetters.at(int((seed + quint32(i) * 7u) % quint32(kLetters.size()))));
    return text;
}

inline QStringList verses(int n)
{
    QStringList lines;
    for (int i = 0; i < 5; ++i) {
        const int length = int(mix(quint32(n), quint32(i)) % 60000u);
        lines.append(QStringLiteral("save %1 verse %2 ").arg(n).arg(i + 1) +
                     filler(length, quint32(n + i)));
    }
    return lines;
}

inline QString dataFolder(int n)
{
    return QStringLiteral("/srv/Lumora data/save %1/").arg(n) +
           filler(int(mix(quint32(n), 99u) % 3000u), quint32(n));
}

inline QStringList slotNames(int n)
{
    QStringList names;
    for (int slot = 2; slot <= 15; ++slot)
        names.append(QStringLiteral("Slot %1 save %2 ").arg(slot).arg(n) +
                     filler(int(mix(quint32(n), quint32(slot)) % 400u), quint32(slot)));
    return names;
}

// The bytes of data file `name` in version n of the application folder.
inline QByteArray relocationSource(const QString& name, int n)
{
    quint32 salt = 2166136261u;
    for (const QChar c : name)
        salt = (salt ^ c.unicode()) * 16777619u;
    QByteArray bytes = name.toLatin1() + " version " + QByteArray::number(n) + "\r\n";
    bytes += filler(int(mix(quint32(n), salt) % 120000u), salt).toLatin1();
    return bytes;
}

// The version a data file's content claims in its first line, or -1.
inline int relocationVersion(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf("\r\n");
    const qsizetype at = bytes.lastIndexOf(" version ", end);
    if (end < 0 || at < 0)
        return -1;
    bool ok = false;
    const int n = bytes.mid(at + 9, end - at - 9).toInt(&ok);
    return ok ? n : -1;
}

// Lines as the program writes them: each ended by CR LF, in Windows-1252 (only Latin-1
// letters are used here, where the two agree).
inline QByteArray crlfBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace SaveContent
