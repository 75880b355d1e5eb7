#pragma once

#include <QPixmap>
#include <QWidget>

namespace Lumora {

// A stored picture drawn over the widget's whole rectangle, stretched to its size. It
// lets mouse clicks through to what lies beneath.
class Picture : public QWidget
{
    Q_OBJECT
public:
    Picture(const QString& name, const QString& resource, QWidget* parent);

    const QPixmap& pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
};

} // namespace Lumora
