#include "settings/SettingsFiles.h"

#include "files/FileError.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace Lumora {

SettingsFiles::SettingsFiles(QString appFolder) : m_appFolder(std::move(appFolder)) {}

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

QStringList SettingsFiles::slotNames() const
{
    return TextFile::readLines(slotNamesPath(), kSlotCount, Encoding::Cp1252);
}

void SettingsFiles::writeSlotNames(const QStringList& names) const
{
    Q_ASSERT(names.size() == kSlotCount);
    TextFile::writeLines(slotNamesPath(), names, Encoding::Cp1252);
}

QString SettingsFiles::dataFolder() const
{
    return TextFile::readLines(dataFolderPath(), 1, Encoding::FileSystem).constFirst();
}

void SettingsFiles::writeDataFolder(const QString& folder) const
{
    TextFile::writeLines(dataFolderPath(), {folder}, Encoding::FileSystem);
}

void SettingsFiles::writeDataFolderAndSlotNames(const QString& folder,
                                                const QStringList& names) const
{
    Q_ASSERT(names.size() == kSlotCount);
    TextFile::writeAll(
        {{dataFolderPath(),
          TextFile::encodeLines(dataFolderPath(), {folder}, Encoding::FileSystem)},
         {slotNamesPath(), TextFile::encodeLines(slotNamesPath(), names, Encoding::Cp1252)}});
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
    QStringList matches =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    matches.removeIf([&](const QString& entry) {
        return entry.compare(name, Qt::CaseInsensitive) != 0;
    });
    if (matches.isEmpty())
        return exact;
    return folder + u'/' + matches.constFirst();
}

} // namespace Lumora
