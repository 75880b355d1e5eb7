#include "WindowRegistry.h"

#include "Form.h"
#include "Messages.h"
#include "settings/FileError.h"

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
    return load(name, opener, nullptr);
}

Form* WindowRegistry::load(const QString& name, QWidget* opener, const QRect* geometry)
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
    if (geometry)
        window->setGeometry(*geometry);
    m_windows.insert(name, window.get());
    window->show();
    window->activateWindow();
    return window.release();
}

Form* WindowRegistry::reload(Form* window)
{
    Hold hold(*this);
    const QString name = window->objectName();
    const QRect geometry = window->geometry();
    window->close();
    forget(window);
    // The fresh window takes the place of the old one on the screen.
    return load(name, nullptr, &geometry);
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

