// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QPixmap>
#include <QWidget>

namespace Lumora {

// A stored picture drawn over the widget's whole rectangle, stretched to its size. On a
// screen that scales by more than 1, or in a zoomed window, it draws the picture's
// twice-as-large version, so that it stays sharp. It lets mouse clicks through to what lies beneath. The picture
// stays decoded while the widget lives: Qt's pixmap cache alone holds 10 MiB, less than
// the large versions of the pictures of four open windows, and a picture evicted from it
// would be decoded again at every repaint.
class Picture : public QWidget
{
    Q_OBJECT
public:
    Picture(const QString& name, const QString& resource, QWidget* parent);

    // The version of the picture drawn at the widget's present scale, decoded once and
    // shared with every other window that shows it.
    QPixmap pixmap() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_resource;
    mutable QPixmap m_pixmap;
    mutable bool m_large = false; // m_pixmap is the twice-as-large version
};

// The main window's background picture at `geometry` on `client`, with the dark of its
// frame filling what the picture leaves of the client area, so that it reads as part of
// the frame.
Picture* addFramedBackground(QWidget* client, const QRect& geometry);

} // namespace Lumora
