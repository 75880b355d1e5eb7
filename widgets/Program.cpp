// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Program.h"

#include "Look.h"
#include "Messages.h"

#include <QApplication>

namespace Lumora {

Program::Program(const QString& appFolder, std::unique_ptr<Opener> opener,
                 WindowRegistry::Factory factory)
    : m_settings(appFolder), m_captions(m_settings),
      m_opener(opener ? std::move(opener)
                      : std::make_unique<DesktopOpener>([](const FileError& error) {
                            Messages::report(QApplication::activeWindow(), error);
                        })),
      m_notes(m_settings, *m_opener),
      m_windows(std::make_unique<WindowRegistry>(std::move(factory)))
{
    // The registry ends the program when its last window is gone; Qt's own rule would
    // end it in the middle of replacing one window by a fresh one.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

Program::~Program()
{
    closeAllWindows();
}

const QIcon& Program::icon()
{
    if (m_icon.isNull())
        m_icon = Look::programIcon();
    return m_icon;
}

} // namespace Lumora
