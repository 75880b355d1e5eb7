// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QList>
#include <QString>

namespace Lumora {

// The copies that sync tools leave beside a file when two computers changed it before
// either saw the other's change: the tool keeps one version under the file's own name and
// moves the other aside under a name of its own making. For c0004.dat:
//   Syncthing             c0004.sync-conflict-20261208-165525-P65PSDR.dat
//   Nextcloud, ownCloud   c0004 (conflicted copy 2026-12-08 165525).dat
//                         (newer clients put the user's name before the date)
//   Dropbox               c0004 (Ann's conflicted copy 2026-12-08).dat
//                         (a second one of the same day ends in " (1)" before the ")")
// Names match without regard to letter case, as the data files' own names do.
namespace ConflictCopies {

struct Copy
{
    QString name; // the copy's file name, as it stands in the folder
    QString tool; // which tool names its copies that way: "Syncthing", ...
};

// Which tool would have named a copy of `fileName` `candidate`; empty when none would.
QString toolOf(const QString& candidate, const QString& fileName);

// The conflict copies of `fileName` that lie in `folder`, in the order of their names
// (which, for copies of one tool, is the order they were made in). A folder that cannot
// be read has none.
QList<Copy> find(const QString& folder, const QString& fileName);

} // namespace ConflictCopies
} // namespace Lumora
