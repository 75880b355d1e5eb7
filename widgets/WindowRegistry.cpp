// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "WindowRegistry.h"

#include "Form.h"
#include "Messages.h"
#include "files/FileError.h"

#include <QCoreApplication>

#include <memory>

namespace Lumora {

WindowRegistry::WindowRegistry(Factory factory) : m_factory(std::move(factory)) {}

WindowRegistry::~WindowRegistry()
{
    for (const QPointer<Form>& window : std::as_const(m_windows))
        delete window.data();
}

Form* WindowRegistry::find(const QString& name) const
{
    return m_windows.value(name).data();
}

QStringList WindowRegistry::loaded() const
{
    QStringList names;
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        if (it.value())
            names.append(it.key());
    }
    return names;
}

Form* WindowRegistry::open(const QString& name, QWidget* opener)
{
    if (Form* window = find(name)) {
        if (window->isMinimized())
            window->showNormal();
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }
    Hold hold(*this);
    return present(load(name, opener), nullptr);
}

std::unique_ptr<Form> WindowRegistry::load(const QString& name, QWidget* opener)
{
    // A failure box below runs its own event loop; the program must not end inside it.
    Hold hold(*this);
    std::unique_ptr<Form> window(m_factory(name));
    if (!window)
        return nullptr;
    try {
        window->Form_Load();
    } catch (const FileError& error) {
        Messages::report(opener, error);
        return nullptr;
    }
    return window;
}

Form* WindowRegistry::present(std::unique_ptr<Form> window, const QRect* geometry)
{
    if (!window)
        return nullptr;
    if (geometry)
        window->setGeometry(*geometry);
    m_windows.insert(window->objectName(), window.get());
    window->show();
    window->activateWindow();
    return window.release();
}

Form* WindowRegistry::replace(const QString& name, const QList<Form*>& closing, QWidget* opener,
                              const QRect* geometry)
{
    Hold hold(*this);
    std::unique_ptr<Form> fresh = load(name, opener);
    if (!fresh)
        return nullptr;
    for (Form* window : closing) {
        window->close();
        forget(window);
    }
    Q_ASSERT(!find(name));
    return present(std::move(fresh), geometry);
}

Form* WindowRegistry::reopen(Form* window)
{
    const QRect geometry = window->geometry();
    return replace(window->objectName(), {window}, window, &geometry);
}

void WindowRegistry::forget(Form* window)
{
    const QString name = window->objectName();
    if (m_windows.value(name) == window)
        m_windows.remove(name);
    endIfEmpty();
}

void WindowRegistry::quitProgram()
{
    QCoreApplication::exit(0);
}

void WindowRegistry::endIfEmpty()
{
    if (m_holds == 0 && loaded().isEmpty())
        QCoreApplication::quit();
}

WindowRegistry::Hold::Hold(WindowRegistry& registry) : m_registry(registry)
{
    ++m_registry.m_holds;
}

WindowRegistry::Hold::~Hold()
{
    if (--m_registry.m_holds == 0)
        m_registry.endIfEmpty();
}

} // namespace Lumora

