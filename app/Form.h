#pragma once

#include "WindowFrame.h"

#include <QMainWindow>

namespace Lumora {

class Shell;

// A top-level window of the program. Each exists at most once and is reached by its
// objectName through the WindowRegistry: created, loaded by Form_Load() and shown on
// first opening; destroyed when it is unloaded or closed from its frame. Its controls sit
// at fixed pixel positions in client(), the area below the menu bar.
class Form : public QMainWindow
{
    Q_OBJECT
public:
    Form(Shell& shell, const QString& name, QSize clientSize, WindowFrame frame);

    // Runs once each time the window is created, before it is shown; a FileError thrown
    // here keeps the window from opening.
    virtual void Form_Load() {}

    QWidget* client() const { return m_client; }

    // Opens with the client area's top-left corner at `position` on the screen.
    void placeClientAt(QPoint position);

    // Gives the window the program's icon.
    void showProgramIcon();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Whether Escape closes the window: not where it would throw away typing.
    virtual bool closesOnEscape() const { return false; }

    Shell& m_shell;

private:
    QWidget* m_client;
};

} // namespace Lumora
