// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>
#include <QTemporaryDir>

// A scratch folder for a fuzz target, in memory where the system offers it (/dev/shm),
// and Qt's warnings silenced: fuzzed paths make Qt warn about names with NUL bytes at
// every run.
class FuzzSandbox
{
public:
    FuzzSandbox();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // The bytes of a file, empty when it cannot be read.
    static QByteArray bytesOf(const QString& path);

private:
    QTemporaryDir m_dir;
};
