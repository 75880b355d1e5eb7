// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "files/FileState.h"

#include <QString>
#include <QStringList>

namespace Lumora {

// The three settings files of the application folder: the caption list Rantxt.lmr, the
// slot names configure.lmr and the data-folder pointer path.lmr. Nothing is cached:
// every call opens its file, reads or writes it whole and closes it, so a change made by
// one window is seen by the next operation of any other. Failures throw FileError.
class SettingsFiles
{
public:
    static constexpr int kSlotCount = 14;
    static constexpr int kCaptionCount = 23;

    explicit SettingsFiles(QString appFolder);

    QString appFolder() const { return m_appFolder; }
    QString captionListPath() const;
    QString slotNamesPath() const;
    QString dataFolderPath() const;

    // Line n (1-based) of the caption list, reading lines 1..n.
    QString captionLine(int n) const;

    // The fourteen slot names, slots 2..15 in order. With `seen`, what the file held, for
    // a later write to check against (see FileState).
    QStringList slotNames(FileState* seen = nullptr) const;

    // The first line of path.lmr, unchanged unless it is relative: a relative folder lies
    // in the application folder, whatever the working folder. A line holding a NUL byte or
    // bytes that are no name in the file system's encoding throws FileError (not a valid
    // folder) rather than name some other folder.
    QString dataFolder(FileState* seen = nullptr) const;

    // path.lmr and configure.lmr together: both are replaced or neither is, whatever step
    // fails. Given the states that the window's reads returned, neither is written when
    // either file has changed since (FileError ChangedOnDisk, naming that file). Returns
    // the states of what was written, for the next write to check against.
    struct Written
    {
        FileState dataFolder;
        FileState slotNames;
    };
    Written writeDataFolderAndSlotNames(const QString& folder, const QStringList& names,
                                     const FileState& folderSeen = {},
                                     const FileState& namesSeen = {}) const;

    // The file `name` in the data folder, reading path.lmr afresh (see dataFilePath()).
    QString dataFilePath(const QString& name) const;

    // "open", exactly, marks a free slot; any other name, even "Open" or "", is in use.
    static bool isNamed(const QString& slotName);

private:
    QString m_appFolder;
};

// The path of `name` in `folder`: the folder as stored, a separator and the name. The
// folder is used unchanged (a trailing separator doubles, an empty folder means the
// root). Names match without regard to letter case: when nothing of exactly that name
// exists but an entry differing only in case does (of any kind), that one is meant.
QString dataFilePath(const QString& folder, const QString& name);

} // namespace Lumora
