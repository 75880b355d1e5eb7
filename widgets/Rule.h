#pragma once

#include <QColor>
#include <QWidget>

namespace Lumora {

// A thin horizontal rule between two verses: one member of the control array `Line1`,
// told apart by its "index" property.
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
