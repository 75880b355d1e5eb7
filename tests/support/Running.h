#pragma once

#include "AppFolder.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "app/Shell.h"

#include <memory>

namespace Lumora {
class MainWindow;
}

// The program as a test drives it: a fresh application folder with the files that come
// with the program (its caption list numbered "Caption 1" ...), a shell on it whose
// editor is a recorder, and a log that takes the place of every message box.
class Running
{
public:
    explicit Running(Lumora::MusicPlayer::OutputFactory sound = {});
    ~Running();

    AppFolder app;
    MessageLog messages;

    Lumora::Shell& shell() { return *m_shell; }
    RecordingOpener& opener() { return *m_opener; }

    // Starts the program: its main window, or nullptr when its load failed.
    Lumora::MainWindow* start();

    // The titles the program's first `count` window loads get, drawn by a generator of
    // the test's own from the application folder's caption list.
    QStringList titles(int count) const;

private:
    RecordingOpener* m_opener;
    std::unique_ptr<Lumora::Shell> m_shell;
};
