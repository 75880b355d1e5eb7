// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QMap>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace Lumora {

class Form;

// Knows which windows of the program are loaded and opens them: a window exists at most
// once; opening one that is loaded only brings it to the front, unchanged. The program
// ends when the last window is gone, which the registry decides rather than Qt's own
// last-window rule, so that a window can be replaced by a fresh one (a slot window
// after saving, the main window after configuration) without the program ending in
// between.
class WindowRegistry : public QObject
{
    Q_OBJECT
public:
    // Makes the not yet loaded window of that name, or returns nullptr for none.
    using Factory = std::function<Form*(const QString& name)>;

    explicit WindowRegistry(Factory factory);
    ~WindowRegistry() override;

    // Brings the window forward if it is loaded; otherwise has the factory make it by
    // name, loads and shows it. A load that fails is reported in a message box over
    // `opener` and the window is not opened: nullptr.
    Form* open(const QString& name, QWidget* opener = nullptr);
    Form* find(const QString& name) const;
    QStringList loaded() const;

    // Loads a fresh window `name`; once its load has succeeded, unloads the windows in
    // `closing` (the old window of that name among them) and shows the fresh one, at
    // `geometry` if given. Unloaded windows are deleted later, but from then on only the
    // fresh one is known. A load that fails is reported over `opener` and unloads
    // nothing.
    Form* replace(const QString& name, const QList<Form*>& closing, QWidget* opener,
                  const QRect* geometry = nullptr);
    // Replaces `window` by a fresh one of the same name, made by the factory, in the
    // same place.
    Form* reopen(Form* window);

    // Called by a window that is being closed: it is no longer loaded.
    void forget(Form* window);

    // Ends the program at once: windows are destroyed without closing them.
    void quitProgram();

    // While a Hold lives, the program does not end for lack of windows.
    class Hold
    {
    public:
        explicit Hold(WindowRegistry& registry);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        WindowRegistry& m_registry;
    };

private:
    std::unique_ptr<Form> load(const QString& name, QWidget* opener);
    Form* present(std::unique_ptr<Form> window, const QRect* geometry);
    void endIfEmpty();

    Factory m_factory;
    QMap<QString, QPointer<Form>> m_windows;
    int m_holds = 0;
};

} // namespace Lumora
