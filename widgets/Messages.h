// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QMessageBox>

#include <functional>

namespace Lumora {

class FileError;

// Every message box of the program goes through here: modal, titled "Lumora", no icon,
// plain text.
class Messages
{
public:
    // A message with an OK button.
    static void inform(QWidget* parent, const QString& text);
    // A question with Yes and No; true for Yes.
    static bool ask(QWidget* parent, const QString& text);
    // A question whose two answers have words of their own, `yes` and `no`; true for `yes`.
    // Return gives `no`, the answer that changes nothing.
    static bool ask(QWidget* parent, const QString& text, const QString& yes, const QString& no);
    // A failed operation: what went wrong and with which file.
    static void report(QWidget* parent, const FileError& error);

    // A save found its file changed on disk since the window read it (another Lumora, a
    // sync tool, an editor). The user chooses to overwrite what is there with what the
    // window holds, to reload it, or neither for now (which Return gives); the typing stays
    // in the window whatever the choice.
    enum class Change { Overwrite, Reload, Cancel };
    static Change askAboutChange(QWidget* parent, const FileError& error);

    // For tests: while a hook is set, no box is shown; the hook receives each box's text
    // and buttons and returns the button pressed.
    using Hook = std::function<QMessageBox::StandardButton(const QString& text,
                                                           QMessageBox::StandardButtons buttons)>;
    static void setHook(Hook hook);

    static QString title() { return QStringLiteral("Lumora"); }

private:
    // `names` gives buttons words of their own; `byDefault` is the one Return presses.
    static QMessageBox::StandardButton show(
        QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
        const QList<std::pair<QMessageBox::StandardButton, QString>>& names = {},
        QMessageBox::StandardButton byDefault = QMessageBox::NoButton);
};

} // namespace Lumora
