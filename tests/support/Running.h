// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "AppFolder.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"

#include <QTemporaryDir>

#include <memory>

// The program as a test drives it: a fresh application folder with the files that come
// with the program (its caption list numbered "Caption 1" ...), a shell on it whose
// editor is a recorder, and a log that takes the place of every message box.
class Running
{
public:
    Running()
    {
        // The user's own settings (the zoom) start afresh for every run.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(userConfig.path()));
        app.writeNumberedCaptions(Lumora::SettingsFiles::kCaptionCount);
        auto recorder = std::make_unique<RecordingOpener>();
        opener = recorder.get();
        shell = std::make_unique<Lumora::Shell>(app.path(), std::move(recorder));
    }

    QTemporaryDir userConfig;
    AppFolder app;
    MessageLog messages;
    RecordingOpener* opener; // the shell's
    std::unique_ptr<Lumora::Shell> shell;

    // Starts the program: its main window, or nullptr when its load failed.
    Lumora::MainWindow* start()
    {
        return shell->start() ? qobject_cast<Lumora::MainWindow*>(
                                    shell->windows().find(QStringLiteral("Main")))
                              : nullptr;
    }

    // The titles the program's first `count` window loads get, drawn by a generator of
    // the test's own from the application folder's caption list.
    QStringList titles(int count) const
    {
        const Lumora::SettingsFiles settings(app.path());
        Lumora::RandomCaption shadow(settings);
        QStringList titles;
        for (int i = 0; i < count; ++i)
            titles.append(shadow.draw());
        return titles;
    }
};
