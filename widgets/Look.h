#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

#include <thread>

class QApplication;
class QPixmap;

namespace Lumora {

// Fonts, colours and pictures shared by the windows. The layouts are laid out in
// pixels at 96 dpi for fonts named MS Sans Serif, Arial Black, Arial Narrow and
// Engravers MT; the free Liberation fonts stand in at the pixel sizes those point sizes
// give at 96 dpi (8.25 pt = 11 px, 9.75 pt = 13 px, 6.75 pt = 9 px), so the layouts
// hold whatever the screen's dpi.
namespace Look {

int pixels(double points);

QFont sansSerif(double points, bool bold = false);
QFont arialBlack(double points);
QFont arialNarrow(double points, bool bold = false);
QFont engravers(double points, bool bold = false);

inline QColor yellow() { return {255, 255, 0}; }
inline QColor red() { return {255, 0, 0}; }
inline QColor burntOrange() { return {192, 64, 0}; }

// The program's one window icon, decoded anew: keep it (the Shell does).
QIcon programIcon();
// A picture from the program's resources, decoded once and shared afterwards.
QPixmap picture(const QString& resource);

// Style and default font of every window: "MS Sans Serif 8.25 pt".
void apply(QApplication& app);

// Fontconfig reads its configuration, some dozens of XML files, the first time Qt asks
// for a font, which comes in the middle of building the main window. Created first thing
// in main(), this has that work done on a thread of its own while Qt starts up. Call
// wait() before the first font is used: should Qt ask fontconfig while the thread is
// still at it, fontconfig would do the whole work a second time.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    void wait();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread m_thread;
};

} // namespace Look
} // namespace Lumora
