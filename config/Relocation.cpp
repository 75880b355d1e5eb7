// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Relocation.h"

#include "categories/Catalogue.h"
#include "files/FileError.h"
#include "settings/SettingsFiles.h"
#include "files/TextFile.h"
#include "slots/SlotTable.h"

#include <QFileInfo>

namespace Lumora::Relocation {

namespace {

// The order in which the built-in categories' notes files are copied.
constexpr std::array<std::string_view, 11> kCategoryOrder = {
    "Form11", "Form9", "Form2", "Form3", "Form8", "Form5", "Form7", "Form12", "Form10", "Form6", "Form4",
};

} // namespace

QStringList files()
{
    QStringList names;
    for (const SlotRow& row : SlotTable::kRows)
        names.append(SlotTable::notesFile(row.slot));
    for (const SlotRow& row : SlotTable::kRows)
        names.append(SlotTable::verseFile(row.slot));
    for (const std::string_view window : kCategoryOrder)
        names.append(qs(Catalogue::byWindow(qs(window))->notesFile).toLower());
    return names;
}

bool sameFolder(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

Result run(const QString& appFolder)
{
    Result result;
    const SettingsFiles settings(appFolder);
    try {
        result.dataFolder = settings.dataFolder();
    } catch (const FileError& error) {
        result.failure = error.message();
        return result;
    }
    const QString& folder = result.dataFolder;
    // An empty line means the root of the file system, as in every data file path.
    if (sameFolder(folder.isEmpty() ? QStringLiteral("/") : folder, appFolder)) {
        result.outcome = Result::Outcome::SameFolder;
        return result;
    }
    try {
        const QFileInfo target(folder.isEmpty() ? QStringLiteral("/") : folder);
        if (!target.isDir())
            throw FileError(target.exists() ? FileError::Kind::NotAFolder : FileError::Kind::PathNotFound,
                            folder);
        for (const QString& name : files()) {
            // Streamed into a new file renamed into place, so even a file that turned out
            // to be its own destination is not cut short.
            TextFile::copy(appFolder + u'/' + name, dataFilePath(folder, name));
            ++result.copied;
        }
    } catch (const FileError& error) {
        result.failure = error.message();
        return result;
    }
    result.outcome = Result::Outcome::Copied;
    return result;
}

} // namespace Lumora::Relocation
