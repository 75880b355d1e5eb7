// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "settings/ApplicationFolder.h"

#include "files/FileError.h"
#include "files/RegularFile.h"
#include "files/TextFile.h"
#include "settings/SettingsFiles.h"

#include <QDir>
#include <QFileInfo>

namespace Lumora {

namespace {

bool holdsSettings(const QString& folder)
{
    const SettingsFiles settings(folder);
    for (const QString& path :
         {settings.captionListPath(), settings.slotNamesPath(), settings.dataFolderPath()}) {
        if (QFileInfo::exists(path))
            return true;
    }
    return false;
}

} // namespace

ApplicationFolder::ApplicationFolder(QString path, QString musicFolder)
    : m_path(std::move(path)), m_musicFolder(std::move(musicFolder))
{
}

ApplicationFolder ApplicationFolder::locate(const QString& executableFolder,
                                            const QString& shippedFolder, const QString& dataHome)
{
    // Without shipped defaults to seed from, the executable's folder stays the
    // application folder, and a missing settings file is reported there as before.
    if (holdsSettings(executableFolder) ||
        !QFileInfo::exists(SettingsFiles(shippedFolder).captionListPath()))
        return ApplicationFolder(executableFolder, executableFolder);
    const QString folder = QDir::cleanPath(dataHome + QStringLiteral("/lumora"));
    // path.lmr is written last: once it is there the folder is the user's, and neither a
    // later start nor a new version of the defaults touches it again.
    if (!QFileInfo::exists(SettingsFiles(folder).dataFolderPath()))
        seed(folder, shippedFolder);
    return ApplicationFolder(folder, QDir::cleanPath(shippedFolder));
}

void ApplicationFolder::seed(const QString& folder, const QString& shippedFolder)
{
    // The user's verses and notes are theirs alone to read.
    constexpr auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (!QFileInfo(folder).isDir() &&
        !(QDir().mkpath(QFileInfo(folder).path()) && QDir().mkdir(folder, ownerOnly)))
        throw FileError::forWrite(folder, QStringLiteral("The folder could not be made."));
    const SettingsFiles settings(folder);
    QList<TextFile::Replacement> files;
    const QFileInfoList shipped =
        QDir(shippedFolder).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& file : shipped) {
        const QString target = folder + u'/' + file.fileName();
        if (file.suffix() == QLatin1String("mid") || target == settings.dataFolderPath() ||
            QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        files.append({target, RegularFile::readAll(file.filePath())});
    }
    const QString pointer = settings.dataFolderPath();
    files.append({pointer, TextFile::encodeLines(pointer, {folder}, Encoding::FileSystem)});
    // All of it lands at once, so a start cut short leaves the folder to be seeded again.
    TextFile::writeAll(files);
}

} // namespace Lumora
