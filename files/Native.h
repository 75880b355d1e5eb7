// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstring>

// Small helpers for the files layer's calls into the system, which take paths as bytes
// and report failures through errno.
namespace Lumora::Native {

inline QByteArray path(const QString& path)
{
    return QFile::encodeName(path);
}

inline QString error(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

inline QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace Lumora::Native
