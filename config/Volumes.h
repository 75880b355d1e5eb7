// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QList>
#include <QString>

namespace Lumora {

// The file systems a person would choose a data folder on: the root file system, the
// home folder's volume and removable or extra disks, not the system's pseudo file
// systems. Stands in for the drive letters of other desktops.
namespace Volumes {

struct Volume {
    QString rootPath;
    QString name; // readable, such as "Root (/)" or "USB STICK (/media/ann/USB STICK)"
};

QList<Volume> mounted();

// Whether a mounted file system is one to offer. `home` is the root of the home
// folder's volume, which is always offered.
bool isUserVolume(const QString& rootPath, const QByteArray& fileSystemType,
                  const QByteArray& device, const QString& home);

// The offered volume that holds `path`: the one with the longest root that contains it.
int volumeOf(const QList<Volume>& volumes, const QString& path);

} // namespace Volumes
} // namespace Lumora
