// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SlotVerseFile.h"

#include "SlotTable.h"
#include "settings/SettingsFiles.h"
#include "files/TextFile.h"

namespace Lumora::SlotVerseFile {

QStringList read(const QString& dataFolder, int slot, FileState* seen)
{
    return TextFile::readLines(dataFilePath(dataFolder, SlotTable::verseFile(slot)), kVerseCount,
                               Encoding::Cp1252, seen);
}

void write(const QString& dataFolder, int slot, const QStringList& verses,
           const FileState& expected)
{
    Q_ASSERT(verses.size() == kVerseCount);
    TextFile::writeLines(dataFilePath(dataFolder, SlotTable::verseFile(slot)), verses,
                         Encoding::Cp1252, expected);
}

} // namespace Lumora::SlotVerseFile
