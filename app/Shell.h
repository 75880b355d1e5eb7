// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "music/MusicPlayer.h"
#include "widgets/Program.h"

#include <QString>

#include <memory>

namespace Lumora {

class Form;

// Lumora keeps all of its state in small text files in the application folder (the
// settings files) and in the data folder that path.lmr names (notes and slot verse
// files); windows share nothing in memory and meet only through those files, which
// are read afresh by every operation.
//
// The code stands in four layers, each using only those below it:
//   files/, settings/, notes/ and the tables and file logic of the feature folders
//     (catalogue, slot table and verse file, relocation, help texts, music): Qt Core
//     only, built into lumora_core;
//   widgets/: the kit every window is made of (Form, the Program it belongs to, the
//     window registry, buttons, labels, pictures, message boxes);
//   the feature windows: categories/, slots/, config/, help/;
//   app/: this shell, which knows every window by name, the main window, and main().
// Every window is a Form, made by its name through the WindowRegistry, and receives the
// Program: the application folder's settings files, the one caption generator of the
// program, the notes launch and the registry. Nothing reaches for a global, so tests run
// the real windows on a temporary application folder with a recording opener.
class Shell : public Program
{
public:
    // `opener` and `sound` stand in for the desktop's editor and sound device; empty:
    // the real ones. The music is played from `musicFolder`; empty: the application
    // folder.
    explicit Shell(const QString& appFolder, std::unique_ptr<Opener> opener = nullptr,
                   MusicPlayer::OutputFactory sound = {}, const QString& musicFolder = {});
    ~Shell() override;

    const MusicPlayer::OutputFactory& sound() const { return m_sound; }
    const QString& musicFolder() const { return m_musicFolder; }

    // Loads and shows the main window; false when its load failed (already reported).
    bool start();

private:
    Form* create(const QString& name);

    MusicPlayer::OutputFactory m_sound;
    QString m_musicFolder;
};

} // namespace Lumora
