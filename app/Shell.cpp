// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Shell.h"

#include "MainWindow.h"
#include "categories/Catalogue.h"
#include "categories/CategoryWindow.h"
#include "config/ConfigureWindow.h"
#include "help/HelpPages.h"
#include "help/HelpWindow.h"
#include "slots/CompareWindow.h"
#include "slots/SlotTable.h"
#include "slots/SlotWindow.h"

namespace Lumora {

Shell::Shell(const QString& appFolder, std::unique_ptr<Opener> opener,
             MusicPlayer::OutputFactory sound, const QString& musicFolder)
    : Program(appFolder, std::move(opener), [this](const QString& name) { return create(name); }),
      m_sound(std::move(sound)), m_musicFolder(musicFolder.isEmpty() ? appFolder : musicFolder)
{
}

Shell::~Shell()
{
    // The main window's player was made from m_sound; windows go first.
    closeAllWindows();
}

bool Shell::start()
{
    return windows().open(QStringLiteral("Main")) != nullptr;
}

Form* Shell::create(const QString& name)
{
    if (name == QLatin1String("Main"))
        return new MainWindow(*this);
    if (name == QLatin1String("Configure"))
        return new ConfigureWindow(*this);
    if (const CategoryEntry* entry = Catalogue::byWindow(name))
        return new CategoryWindow(*this, *entry);
    if (const SlotRow* row = SlotTable::byWindow(name))
        return new SlotWindow(*this, *row);
    if (const SlotRow* row = CompareWindow::rowOf(name))
        return new CompareWindow(*this, *row);
    if (const HelpPage* page = HelpPages::byWindow(name))
        return new HelpWindow(*this, *page);
    return nullptr;
}

} // namespace Lumora
