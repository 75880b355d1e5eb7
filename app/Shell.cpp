#include "Shell.h"

#include "Look.h"
#include "MainWindow.h"
#include "WindowRegistry.h"
#include "categories/Catalogue.h"
#include "config/ConfigureWindow.h"
#include "categories/CategoryWindow.h"
#include "help/HelpPages.h"
#include "help/HelpWindow.h"
#include "settings/Opener.h"
#include "slots/SlotTable.h"
#include "slots/SlotWindow.h"

#include <QGuiApplication>

namespace Lumora {

Shell::Shell(const QString& appFolder, std::unique_ptr<Opener> opener,
             MusicPlayer::OutputFactory sound)
    : m_settings(appFolder), m_captions(m_settings),
      m_opener(opener ? std::move(opener) : std::make_unique<DesktopOpener>()),
      m_notes(m_settings, *m_opener), m_sound(std::move(sound)),
      m_windows(std::make_unique<WindowRegistry>([this](const QString& name) {
          return create(name);
      }))
{
    // The registry ends the program when its last window is gone; Qt's own rule would
    // end it in the middle of replacing one window by a fresh one.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

Shell::~Shell()
{
    // Windows first: they hold references into the rest.
    m_windows.reset();
}

const QIcon& Shell::icon()
{
    if (m_icon.isNull())
        m_icon = Look::programIcon();
    return m_icon;
}

bool Shell::start()
{
    return m_windows->open(QStringLiteral("Main")) != nullptr;
}

Form* Shell::create(const QString& name)
{
    const QByteArray key = name.toLatin1();
    if (name == QLatin1String("Main"))
        return new MainWindow(*this);
    if (name == QLatin1String("Configure"))
        return new ConfigureWindow(*this);
    if (const CategoryEntry* entry = Catalogue::byWindow(name))
        return new CategoryWindow(*this, *entry, *CategoryWindow::lookOf(name));
    if (const SlotRow* row = SlotTable::byWindow(name))
        return new SlotWindow(*this, *row, *SlotWindow::lookOf(row->slot));
    if (const HelpPage* page = HelpPages::byWindow(std::string_view(key.constData(), key.size())))
        return new HelpWindow(*this, *page);
    return nullptr;
}

} // namespace Lumora
