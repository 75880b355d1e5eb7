// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Rule.h"

#include <QPainter>

namespace Lumora {

Rule::Rule(int index, const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour)
{
    setObjectName(QStringLiteral("Line1"));
    setProperty("index", index);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Rule::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), m_colour);
}

} // namespace Lumora
