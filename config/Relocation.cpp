// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Relocation.h"

#include "categories/Catalogue.h"
#include "files/FileError.h"
#include "files/RegularFile.h"
#include "settings/SettingsFiles.h"
#include "files/TextFile.h"
#include "slots/SlotTable.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace Lumora::Relocation {

namespace {

// The order in which the built-in categories' notes files are copied.
constexpr std::array<std::string_view, 11> kCategoryOrder = {
    "Form11", "Form9", "Form2", "Form3", "Form8", "Form5", "Form7", "Form12", "Form10", "Form6", "Form4",
};

// Makes the folder in `dataFolder` that the replaced files of this run are kept in: named by
// the time, and never one that an earlier run made, even in the same second.
QString makeKeptFolder(const QString& dataFolder)
{
    const QDir dir(dataFolder.isEmpty() ? QStringLiteral("/") : dataFolder);
    const QString stamp = QStringLiteral("kept-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? stamp : stamp + QStringLiteral("-%1").arg(n);
        if (dir.mkdir(name))
            return dataFilePath(dataFolder, name);
        if (!dir.exists(name))
            throw FileError::forWrite(dataFilePath(dataFolder, name));
    }
}

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
            const QString source = appFolder + u'/' + name;
            const QString destination = dataFilePath(folder, name);
            const FileState there = RegularFile::stateOf(destination);
            if (there.exists() && there == RegularFile::stateOf(source)) {
                ++result.copied;
                continue;
            }
            if (there.exists()) {
                if (result.keptFolder.isEmpty())
                    result.keptFolder = makeKeptFolder(folder);
                TextFile::copy(destination,
                               result.keptFolder + u'/' + QFileInfo(destination).fileName());
                ++result.kept;
            }
            // Streamed into a new file renamed into place, so even a file that turned out
            // to be its own destination is not cut short.
            TextFile::copy(source, destination);
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
