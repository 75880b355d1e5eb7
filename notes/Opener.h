// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

namespace Lumora {

// Hands a file to the desktop's editor. The real one starts a separate program; tests
// put a recorder in its place.
class Opener
{
public:
    virtual ~Opener() = default;
    // Starts the editor on `path` without waiting for it; throws FileError when the
    // editor cannot be started.
    virtual void open(const QString& path) = 0;
};

// The desktop's own opener (xdg-open on Linux, notepad.exe on Windows), given the path
// as its one argument: no shell, no quoting, nothing interpreted.
class DesktopOpener : public Opener
{
public:
    static QString program();
    void open(const QString& path) override;
};

} // namespace Lumora
