#pragma once

#include "music/MusicPlayer.h"
#include "settings/NotesLauncher.h"
#include "settings/Opener.h"
#include "settings/RandomCaption.h"
#include "settings/SettingsFiles.h"

#include <QIcon>
#include <QString>

#include <memory>

namespace Lumora {

class Form;
class WindowRegistry;

// Lumora keeps all of its state in small text files in the application folder (the
// settings files) and in the data folder that path.lmr names (notes and slot verse
// files); windows share nothing in memory and meet only through those files, which
// are read afresh by every operation.
//
// The code is two libraries and a main(): lumora_core holds the file formats and
// rules with no widget in it (settings/, slots/, categories/ tables, relocation,
// music), lumora_gui the windows. Every window is a Form, made by its name through
// the WindowRegistry, and receives this Shell: the application folder's settings
// files, the one caption generator of the program, the notes launcher and the
// registry. Nothing reaches for a global, so tests run the real windows on a
// temporary application folder with a recording opener.
class Shell
{
public:
    // `opener` and `sound` stand in for the desktop's editor and sound device; empty:
    // the real ones.
    explicit Shell(const QString& appFolder, std::unique_ptr<Opener> opener = nullptr,
                   MusicPlayer::OutputFactory sound = {});
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    const SettingsFiles& settings() const { return m_settings; }
    RandomCaption& captions() { return m_captions; }
    const NotesLauncher& notes() const { return m_notes; }
    WindowRegistry& windows() { return *m_windows; }
    const MusicPlayer::OutputFactory& sound() const { return m_sound; }
    // The window icon, decoded once for every window that shows it.
    const QIcon& icon();
    bool iconDecoded() const { return !m_icon.isNull(); }

    // Loads and shows the main window; false when its load failed (already reported).
    bool start();

private:
    Form* create(const QString& name);

    SettingsFiles m_settings;
    RandomCaption m_captions;
    std::unique_ptr<Opener> m_opener;
    NotesLauncher m_notes;
    MusicPlayer::OutputFactory m_sound;
    QIcon m_icon;
    std::unique_ptr<WindowRegistry> m_windows;
};

} // namespace Lumora
