// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>

class QWidget;

namespace Lumora {

// What a launcher hands the program it starts so that the program's window may take the
// focus and the launch's feedback (a busy cursor, a bouncing icon) ends: an XDG activation
// token on Wayland, a startup id on X11. Qt uses its own when the first window shows; a
// second start hands its own over to the running program, whose main window comes
// forward with it instead.
struct Activation
{
    QByteArray waylandToken; // XDG_ACTIVATION_TOKEN
    QByteArray startupId;    // DESKTOP_STARTUP_ID

    // Read before QApplication is made, which takes the startup id out of the environment.
    static Activation fromEnvironment();

    // As sent over the single-instance socket: each part ended by a NUL.
    QByteArray encode() const;
    static Activation decode(const QByteArray& bytes);

    // Brings the shown `window` forward with this launch's token, where the desktop
    // allows, and ends the launch's feedback.
    void bringForward(QWidget* window) const;
    // Ends this program's own launch once its main window shows. Qt does so on X11 by
    // itself; on Wayland it uses the token only for a window that asks to be activated.
    void shown(QWidget* window) const;
};

} // namespace Lumora
