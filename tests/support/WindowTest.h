#pragma once

#include "Running.h"

#include <QObject>

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

protected Q_SLOTS:
    void initTestCase();
    void init();

private Q_SLOTS:
    void cleanup();
};
