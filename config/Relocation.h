// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>
#include <QStringList>

namespace Lumora {

// Copies the data files that come with the program from the application folder into
// the data folder that path.lmr names, so that the category and slot windows find them
// there.
namespace Relocation {

// The 39 files, in the order they are copied: the notes and verse files of slots 2..15,
// then the notes files of the eleven built-in categories, all in lower case.
QStringList files();

struct Result {
    enum class Outcome {
        Copied,     // every file copied
        SameFolder, // the data folder is the application folder: nothing copied
        Failed,     // path.lmr unreadable, or a file could not be copied
    };
    Outcome outcome = Outcome::Failed;
    QString dataFolder;  // as read from path.lmr (empty if it could not be read)
    QString failure;     // what went wrong: the error's message, kind and path
    int copied = 0;      // files in place (copied or already alike) before the end or the failure
    int kept = 0;        // files of the data folder whose earlier content was kept
    QString keptFolder;  // where: a folder in the data folder (empty when none was kept)
};

// Reads path.lmr in `appFolder` and copies the files in order, replacing what is there.
// A file of the data folder that already holds what its source holds is left alone, so a
// sync tool carries nothing; one that holds anything else is first copied whole into a
// folder kept-YYYYMMDD-HHMMSS made in the data folder for this run, which no window reads
// as its own: saved verses and notes are never lost to the copy.
// Each file is streamed in bounded chunks into a temporary file renamed into place, so a
// copy that fails leaves the old file whole; the files before it stay copied. Only regular
// files are copied (see FileSave for links, owners and read-only folders); a new copy is
// as private as its source (see TextFile::copy). A relative data
// folder lies in the application folder. A data folder that is
// the application folder under any spelling (a link, a trailing separator, "." or "..")
// is never copied onto itself. A missing data folder is not created.
Result run(const QString& appFolder);

// True when `a` and `b` name the same existing folder.
bool sameFolder(const QString& a, const QString& b);

} // namespace Relocation
} // namespace Lumora
