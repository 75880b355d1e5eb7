// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

AppFolder::AppFolder()
{
    const QDir data(QStringLiteral(LUMORA_DATA_DIR));
    const QStringList files = data.entryList(QDir::Files);
    for (const QString& name : files) {
        if (!QFile::copy(data.filePath(name), file(name)))
            qFatal("cannot copy %s", qPrintable(name));
        QFile::setPermissions(file(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    setDataFolder(path());
}

void AppFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray AppFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void AppFolder::setDataFolder(const QString& folder) const
{
    write(QStringLiteral("path.lmr"), folder.toUtf8() + "\r\n");
}

void AppFolder::writeNumberedCaptions(int count) const
{
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines.append(QStringLiteral("Caption %1").arg(n));
    write(QStringLiteral("Rantxt.lmr"), crlf(lines));
}

void AppFolder::writeSlotNames(const QStringList& names) const
{
    write(QStringLiteral("configure.lmr"), crlf(names));
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

namespace Faults {

void dataFolderMissing(const AppFolder& app)
{
    app.setDataFolder(app.file(QStringLiteral("missing")));
}

void dataFolderIsAFile(const AppFolder& app)
{
    app.setDataFolder(app.file(QStringLiteral("Rantxt.lmr")));
}

void pointerMissing(const AppFolder& app)
{
    QFile::remove(app.file(QStringLiteral("path.lmr")));
}

void pointerEmpty(const AppFolder& app)
{
    app.write(QStringLiteral("path.lmr"), QByteArray());
}

} // namespace Faults
