// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QColor>
#include <QWidget>

namespace Lumora {

// A thin horizontal rule between two verses. A window's rules all bear the name `Line1`
// and are told apart by their "index" property, 0 for the topmost.
class Rule : public QWidget
{
    Q_OBJECT
public:
    Rule(int index, const QColor& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

} // namespace Lumora
