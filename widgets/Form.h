// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QLineEdit;
class QMenuBar;

namespace Lumora {

class Program;

// A top-level window of the program. Each exists at most once and is reached by its
// objectName through the WindowRegistry: created, loaded by Form_Load() and shown on
// first opening; destroyed when it is unloaded or closed from its frame. Its controls sit
// at fixed pixel positions in client(), the area below the menu bar, given at the normal
// size; the window scales them, with their fonts, to the program's zoom.
class Form : public QWidget
{
    Q_OBJECT
public:
    enum class Frame {
        Fixed,   // fixed size, no maximise or minimise box
        Sizable, // an ordinary resizable window
    };

    Form(Program& program, const QString& name, QSize clientSize, Frame frame = Frame::Fixed);

    // Runs once each time the window is created, before it is shown; a FileError thrown
    // here keeps the window from opening.
    virtual void Form_Load() {}

    QWidget* client() const { return m_client; }
    // The window's menu bar, above the client area; made on first asking.
    QMenuBar* menuBar();

    // Opens with the client area's top-left corner at `position` on the screen.
    void placeClientAt(QPoint position);

    // Gives the window the program's icon.
    void showProgramIcon();

    // Sets the title to the next line the program's caption generator draws.
    void drawTitle();
    // Sets the title; an empty one shows as an empty title bar, a long one as its start
    // (see Elide.h).
    void setTitle(const QString& title);

    // The scale the window is drawn at now: the program's zoom, or the largest step below
    // it with which the window still fits on its screen.
    qreal zoom() const { return m_zoom; }
    // Scales the window to the program's zoom: its size, its controls' places and fonts.
    // Typing, focus and what the window shows stay as they are.
    void applyZoom();
    // A length or place at the normal size, at the window's zoom.
    int zoomed(int pixels) const { return qRound(pixels * m_zoom); }
    // How wide the focus mark of edit boxes and lists is drawn.
    int focusMarkWidth() const { return std::max(2, zoomed(2)); }
    QRect zoomed(const QRect& normal) const;

protected:
    // For the windows with a notes button: two text boxes, never shown, in which the
    // notes launch leaves the data folder it read (Text1) and the notes file (Text2).
    void addNotesHolders();
    QLineEdit* folderHolder() const { return m_folderHolder; }
    // Opens the notes file `name` of the data folder in the editor; a failure is
    // reported and changes nothing else.
    void openNotes(const QString& name);

    // Runs `save`, which throws FileError on failure. Should it find its file changed on
    // disk since the window read it, the user is asked: to overwrite it (`save` runs again
    // with true), or to reload it (`reload` runs), or neither. Any other failure is
    // reported. True when the save was made.
    bool saveUnlessChanged(const std::function<void(bool overwrite)>& save,
                           const std::function<void()>& reload);

    // Places anew what the window lays out by its contents, at zoom(); runs after every
    // change of the zoom, once the fixed controls have their places.
    virtual void layOutContents() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Whether Escape closes the window: not where it would throw away typing.
    virtual bool closesOnEscape() const { return false; }

    Program& m_program;

private:
    // What the window looked like at the normal size, taken when it is first shown.
    void takeNormalLook();

    struct Normal
    {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        bool ownFont;
    };
    QList<Normal> m_normal;
    QSize m_normalSize;
    QSize m_normalClient;
    QFont m_normalFont;
    bool m_tookNormalLook = false;
    qreal m_zoom = 1.0;

    QWidget* m_client;
    QMenuBar* m_menuBar = nullptr;
    QLineEdit* m_folderHolder = nullptr;
    QLineEdit* m_notesHolder = nullptr;
};

} // namespace Lumora
