// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QWidget>

// The main window's background picture in plain Qt, stretched over `area` (the whole
// widget when empty), for the programs the bench compares Lumora with.
class Stretched : public QWidget
{
public:
    explicit Stretched(QRect area = {})
        : m_picture(QStringLiteral(":/assets/main-background.jpg")), m_area(area)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(m_area.isEmpty() ? rect() : m_area, m_picture);
    }

private:
    QPixmap m_picture;
    QRect m_area;
};
