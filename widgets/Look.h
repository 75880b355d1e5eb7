// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

#include <thread>

class QApplication;
class QPixmap;

namespace Lumora {

// Fonts, colours and pictures shared by the windows. The windows are laid out in pixels
// for three text sizes, given in points at 96 dpi; the free Liberation fonts are set at
// the pixel sizes those give (6.75 pt = 9 px, 8.25 pt = 11 px, 9.75 pt = 13 px), so the
// layouts hold whatever the screen's dpi.
namespace Look {

enum class Size {
    Small,  // 6.75 pt
    Normal, // 8.25 pt, the size of every text not given another, and the application font
    Large,  // 9.75 pt
};

int pixels(Size size);

// The faces, by the role they play.
// The program's sans serif, for almost every text.
QFont text(Size size = Size::Normal, bool bold = false);
// A black weight, which fits a long caption into a small button.
QFont heavy(Size size);
// A narrow face, which keeps a long caption on fewer lines.
QFont condensed(Size size, bool bold = false);
// Wide small capitals of a serif face, for the configuration window's heading.
QFont heading(Size size, bool bold = false);

inline QColor yellow()
{
    return {255, 255, 0};
}
inline QColor red()
{
    return {255, 0, 0};
}
inline QColor burntOrange()
{
    return {192, 64, 0};
}
// The dark brown of the pictures' wooden frames, for the strip a picture leaves uncovered.
inline QColor frameBrown()
{
    return {40, 28, 18};
}

// The program's one window icon, decoded anew: keep it (the Shell does).
QIcon programIcon();
// A picture from the program's resources, decoded once and shared afterwards.
QPixmap picture(const QString& resource);

// Style and default font (text() at the normal size) of every window; `ownStyle` false
// keeps a style chosen on the command line.
void apply(QApplication& app, bool ownStyle = true);

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
