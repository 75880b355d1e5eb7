// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "settings/SettingsFiles.h"

#include "files/FileError.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace Lumora {

SettingsFiles::SettingsFiles(QString appFolder) : m_appFolder(std::move(appFolder))
{
}

QString SettingsFiles::captionListPath() const
{
    return m_appFolder + QStringLiteral("/Rantxt.lmr");
}

QString SettingsFiles::slotNamesPath() const
{
    return m_appFolder + QStringLiteral("/configure.lmr");
}

QString SettingsFiles::dataFolderPath() const
{
    return m_appFolder + QStringLiteral("/path.lmr");
}

QString SettingsFiles::captionLine(int n) const
{
    Q_ASSERT(n >= 1);
    return TextFile::readLines(captionListPath(), n, Encoding::Cp1252).constLast();
}

QStringList SettingsFiles::slotNames(FileState* seen) const
{
    return TextFile::readLines(slotNamesPath(), kSlotCount, Encoding::Cp1252, seen);
}

QString SettingsFiles::dataFolder(FileState* seen) const
{
    LineReader reader(dataFolderPath(), Encoding::FileSystem);
    const QByteArray line = reader.nextBytes();
    if (seen)
        *seen = reader.state();
    // Qt would cut a path at a NUL byte, and bytes it cannot decode would become other
    // characters: either way another folder than the one written.
    QString folder = QFile::decodeName(line);
    if (line.contains('\0'))
        throw FileError(FileError::Kind::NotAValidFolder, dataFolderPath(),
                        QStringLiteral("Its first line holds a NUL byte, which no folder name can "
                                       "hold. Choose the data folder again in the configuration "
                                       "window."));
    if (QFile::encodeName(folder) != line) {
        struct stat st;
        const bool exists = ::stat(line.constData(), &st) == 0;
        throw FileError(
            FileError::Kind::NotAValidFolder, dataFolderPath(),
            (exists ? QStringLiteral("Its first line names the folder %1, whose name is not in "
                                     "UTF-8, the encoding of file names on this system (it may "
                                     "be Latin-1). Lumora can open only folders whose names are "
                                     "UTF-8: rename the folder, or choose another in the "
                                     "configuration window.")
                    : QStringLiteral("Its first line holds %1, which is not in UTF-8, the "
                                     "encoding of file names on this system (it may be Latin-1), "
                                     "and no folder of that name exists. Choose the data folder "
                                     "again in the configuration window."))
                .arg(QString::fromLatin1(line)));
    }
    if (!folder.isEmpty() && QDir::isRelativePath(folder))
        folder = m_appFolder + u'/' + folder;
    return folder;
}

SettingsFiles::Written SettingsFiles::writeDataFolderAndSlotNames(const QString& folder,
                                                                  const QStringList& names,
                                                                  const FileState& folderSeen,
                                                                  const FileState& namesSeen) const
{
    Q_ASSERT(names.size() == kSlotCount);
    const QList<FileState> written = TextFile::writeAll(
        {{dataFolderPath(), TextFile::encodeLines(dataFolderPath(), {folder}, Encoding::FileSystem),
          folderSeen},
         {slotNamesPath(), TextFile::encodeLines(slotNamesPath(), names, Encoding::Cp1252),
          namesSeen}});
    return {written[0], written[1]};
}

QString SettingsFiles::dataFilePath(const QString& name) const
{
    return Lumora::dataFilePath(dataFolder(), name);
}

bool SettingsFiles::isNamed(const QString& slotName)
{
    return slotName != QLatin1String("open");
}

QString dataFilePath(const QString& folder, const QString& name)
{
    const QString exact = folder + u'/' + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    // Compared by hand rather than with a name filter, which would read wildcard
    // characters in `name` as patterns.
    // Every kind of entry: a folder or a pipe under the name must be found and refused by
    // whoever opens it, not passed over for a new file beside it.
    QStringList matches = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    matches.removeIf(
        [&](const QString& entry) { return entry.compare(name, Qt::CaseInsensitive) != 0; });
    if (matches.isEmpty())
        return exact;
    return folder + u'/' + matches.constFirst();
}

} // namespace Lumora
