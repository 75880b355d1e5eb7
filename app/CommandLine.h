// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>

namespace Lumora {

// The command line, read before the display is opened, so that --help, --version and a
// mistyped option answer on a terminal without a graphical session. Lumora takes no
// arguments and no options of its own beyond those; the options Qt gives every program
// (-platform, -style, -display ...) are accepted here and left for QApplication.
class CommandLine
{
public:
    struct Reading
    {
        // Set when the program is to end at once with this status, having printed the
        // help, the version or what is wrong with the command line.
        std::optional<int> exitStatus;
        // -style chose the widget style: it is kept instead of the program's own look.
        bool styleChosen = false;
    };
    static constexpr int kUsageError = 2;

    static Reading read(int argc, char* argv[]);
};

// Watches QApplication open the display. Where none can be opened Qt ends the program
// with an abort; this ends it with one line on standard error and status 1 instead.
// What Qt reports meanwhile is held back and passed on once the display is open.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    struct Held
    {
        int type;
        QByteArray category;
        QByteArray text;
    };

private:
    QList<Held> m_held;
    QtMessageHandler m_previous;
};

} // namespace Lumora
