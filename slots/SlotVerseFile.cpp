#include "SlotVerseFile.h"

#include "SlotTable.h"
#include "settings/SettingsFiles.h"
#include "settings/TextFile.h"

namespace Lumora::SlotVerseFile {

QStringList read(const SettingsFiles& settings, int slot)
{
    return TextFile::readLines(settings.dataFilePath(SlotTable::verseFile(slot)), kVerseCount,
                               Encoding::Cp1252);
}

void write(const SettingsFiles& settings, int slot, const QStringList& verses)
{
    Q_ASSERT(verses.size() == kVerseCount);
    TextFile::writeLines(settings.dataFilePath(SlotTable::verseFile(slot)), verses,
                         Encoding::Cp1252);
}

} // namespace Lumora::SlotVerseFile
