// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "Driving.h"
#include "Running.h"
#include "widgets/Look.h"

#include <QObject>
#include <QTest>

#include <optional>

// The base of the tests that drive windows: the program's look, and for each test
// function a fresh running program, after which no window may be left.
class WindowTest : public QObject
{
    Q_OBJECT
protected:
    std::optional<Running> m_run;
    // Parts of m_run.
    AppFolder* m_app = nullptr;
    Lumora::Shell* m_shell = nullptr;
    RecordingOpener* m_opener = nullptr;

    // Opens the window of that name as the program does; nullptr when it fails to load.
    Lumora::Form* open(const QString& window) { return m_shell->windows().open(window); }

protected Q_SLOTS:
    void initTestCase() { Lumora::Look::apply(*qApp); }
    void init()
    {
        m_run.emplace();
        m_app = &m_run->app;
        m_shell = m_run->shell.get();
        m_opener = m_run->opener;
    }

private Q_SLOTS:
    void cleanup()
    {
        m_run.reset();
        QTRY_VERIFY(visibleWindows().isEmpty());
    }
};
