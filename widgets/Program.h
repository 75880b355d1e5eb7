// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "notes/NotesLauncher.h"
#include "notes/Opener.h"
#include "settings/RandomCaption.h"
#include "settings/SettingsFiles.h"
#include "widgets/WindowRegistry.h"

#include <QIcon>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>

namespace Lumora {

// What every window of the program shares with the others, handed to each window as it
// is made: the settings files of the application folder, the one caption generator, the
// notes launch, the window registry through which windows open one another by name, and
// the window icon. Windows share nothing else in memory; they meet in the files. The
// application shell derives from this and adds the one thing the kit cannot know: which
// window each name makes.
class Program
{
public:
    // `opener` stands in for the desktop's editor; empty: the real one. `factory` makes
    // a not yet loaded window by its name.
    Program(const QString& appFolder, std::unique_ptr<Opener> opener,
            WindowRegistry::Factory factory);
    virtual ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const SettingsFiles& settings() const { return m_settings; }
    RandomCaption& captions() { return m_captions; }
    const NotesLauncher& notes() const { return m_notes; }
    WindowRegistry& windows() { return *m_windows; }
    // The window icon, decoded once for every window that shows it.
    const QIcon& icon();
    bool iconDecoded() const { return !m_icon.isNull(); }

    // How large every window is drawn, in per cent of its normal size: one of kZoomSteps.
    // It starts at the step the user last chose, kept in zoomSettingsPath().
    static constexpr std::array<int, 5> kZoomSteps = {100, 125, 150, 175, 200};
    int zoom() const { return m_zoom; }
    // Makes `percent` (rounded to a step) the zoom of every open window and of those
    // opened later, and remembers it for the next start. The window in use is zoomed and
    // drawn at once, the others over the next passes of the event loop.
    void setZoom(int percent);
    // Whether open windows are still to follow the last step.
    bool zoomPending() const { return m_zoomTimer.isActive(); }
    // The next step up or down from the present one.
    void zoomIn();
    void zoomOut();
    // The step nearest to `percent`, and the one below it (100 stays 100).
    static int nearestStep(int percent);
    static int stepBelow(int percent);
    // The user's own settings of the program, beside the application folder's.
    static QString zoomSettingsPath();

protected:
    // Destroys every window while the rest still stands: windows hold references into it.
    void closeAllWindows() { m_windows.reset(); }

private:
    SettingsFiles m_settings;
    RandomCaption m_captions;
    std::unique_ptr<Opener> m_opener;
    NotesLauncher m_notes;
    QIcon m_icon;
    int m_zoom = 100;
    std::unique_ptr<WindowRegistry> m_windows;
    // The open windows a step of the zoom has still to reach, and the timer that reaches
    // the next of them each pass of the event loop.
    QList<QPointer<Form>> m_unzoomed;
    QTimer m_zoomTimer;
    bool zoomNextWindow();
};

} // namespace Lumora
