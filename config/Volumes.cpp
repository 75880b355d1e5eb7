// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Volumes.h"

#include <QDir>
#include <QStorageInfo>

namespace Lumora::Volumes {

namespace {

bool isUnder(const QString& path, const QString& root)
{
    return root == QLatin1String("/") || path == root ||
           path.startsWith(root + u'/');
}

} // namespace

bool isUserVolume(const QString& rootPath, const QByteArray& fileSystemType,
                  const QByteArray& device, const QString& home)
{
    if (rootPath == QLatin1String("/") || rootPath == home)
        return true;
    // Kernel and system file systems, and the read-only images that packages mount.
    static const QList<QByteArray> pseudo = {
        "proc", "sysfs", "tmpfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs",
        "pstore", "bpf", "debugfs", "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs",
        "autofs", "binfmt_misc", "rpc_pipefs", "nsfs", "ramfs", "efivarfs", "squashfs",
        "overlay", "nfsd", "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "selinuxfs"};
    if (pseudo.contains(fileSystemType))
        return false;
    // System folders are not places for a person's data.
    for (const char* system : {"/boot", "/proc", "/sys", "/dev", "/run", "/snap", "/var", "/usr",
                               "/tmp", "/etc"}) {
        const QString folder = QLatin1String(system);
        if (rootPath == folder || rootPath.startsWith(folder + u'/')) {
            // ... except removable media, which desktops mount under /run/media.
            if (!rootPath.startsWith(QLatin1String("/run/media/")))
                return false;
        }
    }
    return device.startsWith("/dev/") || rootPath.startsWith(QLatin1String("/media/")) ||
           rootPath.startsWith(QLatin1String("/mnt/")) ||
           rootPath.startsWith(QLatin1String("/run/media/"));
}

QList<Volume> mounted()
{
    const QString home = QStorageInfo(QDir::homePath()).rootPath();
    QList<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid() ||
            !isUserVolume(info.rootPath(), info.fileSystemType(), info.device(), home))
            continue;
        QString label = info.name();
        if (label.isEmpty())
            label = info.isRoot() ? QStringLiteral("Root") : QDir(info.rootPath()).dirName();
        volumes.append({info.rootPath(), QStringLiteral("%1 (%2)").arg(label, info.rootPath())});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    // Bind mounts show the same root twice.
    volumes.erase(std::unique(volumes.begin(), volumes.end(),
                              [](const Volume& a, const Volume& b) {
                                  return a.rootPath == b.rootPath;
                              }),
                  volumes.end());
    if (volumes.isEmpty() || volumes.first().rootPath != QLatin1String("/"))
        volumes.prepend({QStringLiteral("/"), QStringLiteral("Root (/)")});
    return volumes;
}

int volumeOf(const QList<Volume>& volumes, const QString& path)
{
    int best = -1;
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        if (isUnder(path, volumes[i].rootPath) &&
            (best < 0 || volumes[i].rootPath.size() > volumes[best].rootPath.size()))
            best = int(i);
    }
    return best;
}

} // namespace Lumora::Volumes
