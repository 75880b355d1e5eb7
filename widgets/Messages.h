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
    // A failed operation: what went wrong and with which file.
    static void report(QWidget* parent, const FileError& error);

    // For tests: while a hook is set, no box is shown; the hook receives each box's text
    // and buttons and returns the button pressed.
    using Hook = std::function<QMessageBox::StandardButton(const QString& text,
                                                           QMessageBox::StandardButtons buttons)>;
    static void setHook(Hook hook);

    static QString title() { return QStringLiteral("Lumora"); }

private:
    static QMessageBox::StandardButton show(QWidget* parent, const QString& text,
                                            QMessageBox::StandardButtons buttons);
};

} // namespace Lumora
