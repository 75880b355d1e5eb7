// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

namespace Lumora {

class Opener;
class SettingsFiles;

// Opens a category's or slot's notes file in the desktop's text editor.
class NotesLauncher
{
public:
    struct Launch {
        QString folder; // the data folder as read from path.lmr
        QString path;   // the file handed to the editor
    };

    NotesLauncher(const SettingsFiles& settings, Opener& opener);

    // Reads the data folder afresh, finds the notes file `name` in it (any letter case)
    // and starts the editor on it without waiting. Whatever stands under the name, in any
    // letter case, must be a regular file (or a link to one): anything else is "Not a
    // file". A notes file that does not exist yet is created empty under its lower-case
    // name first, so that the editor opens a file the user can write in; an existing file
    // is never touched. Throws FileError.
    Launch launch(const QString& name) const;

private:
    const SettingsFiles& m_settings;
    Opener& m_opener;
};

} // namespace Lumora
