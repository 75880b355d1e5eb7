// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Saves over and over until it is killed, telling on standard output when each save
// starts ("S n") and when it has ended ("E n"). tst_interruptedsaves kills it at random
// moments and looks at what the files hold.
//
//   save-loop slot APP_FOLDER FIRST        slot 2's verse file, data folder per path.lmr
//   save-loop settings APP_FOLDER FIRST    path.lmr and configure.lmr
//   save-loop relocation APP_FOLDER FIRST  the 39 data files, copied to path.lmr's folder
//
// And, run by two processes at once, ROUNDS saves that each add one to a count kept in
// the files, checked against what was read; it ends saying "wins W refused R":
//   save-loop race-slot APP_FOLDER ROUNDS       slot 2's verse file (verse 1)
//   save-loop race-settings APP_FOLDER ROUNDS   configure.lmr (slot 2's name) with path.lmr
#include "SaveContent.h"
#include "files/TextFile.h"
#include "config/Relocation.h"
#include "files/FileError.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotVerseFile.h"

#include <QFile>

#include <cstdio>
#include <unistd.h>

using namespace Lumora;

namespace {

// Straight to the pipe, unbuffered: what was said before the kill is all there.
void say(char what, int n)
{
    const QByteArray line = QByteArray(1, what) + ' ' + QByteArray::number(n) + '\n';
    if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
        _exit(4);
}

void putSources(const QString& appFolder, int n)
{
    for (const QString& name : Relocation::files()) {
        QFile file(appFolder + u'/' + name);
        const QByteArray bytes = SaveContent::relocationSource(name, n);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size() || !file.flush()) {
            std::fprintf(stderr, "save-loop: cannot write the source %s\n", qPrintable(name));
            _exit(3);
        }
    }
}

// One save of a count read a moment before; false when another process saved meanwhile.
bool addOne(const QByteArray& mode, const SettingsFiles& settings)
{
    try {
        FileState seen;
        if (mode == "race-slot") {
            QStringList verses = SlotVerseFile::read(settings.dataFolder(), 2, &seen);
            verses[0] = QString::number(verses[0].toInt() + 1);
            SlotVerseFile::write(settings.dataFolder(), 2, verses, seen);
        } else {
            FileState namesSeen;
            settings.dataFolder(&seen);
            QStringList names = settings.slotNames(&namesSeen);
            names[0] = QString::number(names[0].toInt() + 1);
            // The data folder names the same count, so a pair written by halves shows.
            settings.writeDataFolderAndSlotNames(settings.appFolder() + u'/' + names[0], names,
                                                 seen, namesSeen);
        }
        return true;
    } catch (const FileError& error) {
        if (error.kind() != FileError::Kind::ChangedOnDisk)
            throw;
        return false;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: save-loop slot|settings|relocation APP_FOLDER FIRST\n"
                             "       save-loop race-slot|race-settings APP_FOLDER ROUNDS\n");
        return 2;
    }
    const QByteArray mode = argv[1];
    const QString appFolder = QFile::decodeName(argv[2]);
    const SettingsFiles settings(appFolder);
    if (mode.startsWith("race-")) {
        int wins = 0, refused = 0;
        try {
            for (int round = std::atoi(argv[3]); round > 0; --round)
                ++(addOne(mode, settings) ? wins : refused);
        } catch (const FileError& error) {
            std::fprintf(stderr, "save-loop: %s\n", error.what());
            return 3;
        }
        std::printf("wins %d refused %d\n", wins, refused);
        return 0;
    }
    try {
        for (int n = std::atoi(argv[3]);; ++n) {
            if (mode == "slot") {
                say('S', n);
                SlotVerseFile::write(settings.dataFolder(), 2, SaveContent::verses(n));
            } else if (mode == "settings") {
                // As the settings are saved one by one, and as the configuration window
                // saves both.
                say('S', n);
                if (n % 2) {
                    TextFile::writeLines(settings.dataFolderPath(), {SaveContent::dataFolder(n)}, Encoding::FileSystem);
                    TextFile::writeLines(settings.slotNamesPath(), SaveContent::slotNames(n), Encoding::Cp1252);
                } else {
                    settings.writeDataFolderAndSlotNames(SaveContent::dataFolder(n),
                                                         SaveContent::slotNames(n));
                }
            } else if (mode == "relocation") {
                putSources(appFolder, n);
                say('S', n);
                const Relocation::Result result = Relocation::run(appFolder);
                if (result.outcome != Relocation::Result::Outcome::Copied) {
                    std::fprintf(stderr, "save-loop: %s\n", qPrintable(result.failure));
                    return 3;
                }
            } else {
                std::fprintf(stderr, "save-loop: unknown mode %s\n", mode.constData());
                return 2;
            }
            say('E', n);
        }
    } catch (const FileError& error) {
        std::fprintf(stderr, "save-loop: %s\n", error.what());
        return 3;
    }
}
