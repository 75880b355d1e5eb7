// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Program.h"

#include "Form.h"
#include "Look.h"
#include "Messages.h"
#include "files/FileError.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>

namespace Lumora {

namespace {

const QString kZoomKey = QStringLiteral("zoom");

} // namespace

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
    // The file is only read when it is there: most users never zoom.
    const QString path = zoomSettingsPath();
    if (QFile::exists(path))
        m_zoom = nearestStep(QSettings(path, QSettings::IniFormat).value(kZoomKey, 100).toInt());
    QObject::connect(&m_zoomTimer, &QTimer::timeout, [this] {
        if (!zoomNextWindow())
            m_zoomTimer.stop();
    });
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

QString Program::zoomSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/lumora/lumora.conf");
}

int Program::nearestStep(int percent)
{
    return *std::min_element(kZoomSteps.begin(), kZoomSteps.end(), [percent](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
}

int Program::stepBelow(int percent)
{
    const auto at = std::find(kZoomSteps.begin(), kZoomSteps.end(), nearestStep(percent));
    return at == kZoomSteps.begin() ? *at : *(at - 1);
}

void Program::zoomIn()
{
    const auto at = std::find(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
    if (at != kZoomSteps.end() && at + 1 != kZoomSteps.end())
        setZoom(*(at + 1));
}

void Program::zoomOut()
{
    setZoom(stepBelow(m_zoom));
}

void Program::setZoom(int percent)
{
    percent = nearestStep(percent);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    // Laying out and drawing every window of the program anew takes longer than a frame.
    // The window the step was taken in shows it at once; the others follow one at a time,
    // each pass of the event loop, and the program answers keys and clicks between them.
    QWidget* active = QApplication::activeWindow();
    while (active && !qobject_cast<Form*>(active) && active->parentWidget())
        active = active->parentWidget()->window();
    auto* inUse = qobject_cast<Form*>(active);
    m_unzoomed.clear();
    for (const QString& name : m_windows->loaded()) {
        Form* window = m_windows->find(name);
        if (window && window != inUse)
            m_unzoomed.append(window);
    }
    if (inUse) {
        inUse->applyZoom();
        inUse->repaint();
    }
    m_zoomTimer.start();
    QSettings settings(zoomSettingsPath(), QSettings::IniFormat);
    settings.setValue(kZoomKey, percent);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        Messages::report(m_windows->find(m_windows->loaded().value(0)),
                         FileError(FileError::Kind::WriteFailed, zoomSettingsPath(),
                                   QStringLiteral("The zoom could not be remembered for the "
                                                  "next start.")));
    }
}

bool Program::zoomNextWindow()
{
    while (!m_unzoomed.isEmpty()) {
        if (Form* window = m_unzoomed.takeFirst()) {
            window->applyZoom();
            window->repaint();
            return true;
        }
    }
    return false;
}

} // namespace Lumora
