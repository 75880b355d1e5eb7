#include "SlotVerseFile.h"

#include "SlotTable.h"
#include "settings/SettingsFiles.h"
#include "files/TextFile.h"

namespace Lumora::SlotVerseFile {

QStringList read(const QString& dataFolder, int slot)
{
    return TextFile::readLines(dataFilePath(dataFolder, SlotTable::verseFile(slot)), kVerseCount,
                               Encoding::Cp1252);
}

QStringList read(const SettingsFiles& settings, int slot)
{
    return read(settings.dataFolder(), slot);
}

void write(const QString& dataFolder, int slot, const QStringList& verses)
{
    Q_ASSERT(verses.size() == kVerseCount);
    TextFile::writeLines(dataFilePath(dataFolder, SlotTable::verseFile(slot)), verses,
                         Encoding::Cp1252);
}

void write(const SettingsFiles& settings, int slot, const QStringList& verses)
{
    write(settings.dataFolder(), slot, verses);
}

} // namespace Lumora::SlotVerseFile
