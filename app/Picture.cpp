#include "Picture.h"

#include "Look.h"

#include <QPainter>

namespace Lumora {

Picture::Picture(const QString& name, const QString& resource, QWidget* parent)
    : QWidget(parent), m_pixmap(Look::picture(resource))
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_pixmap);
}

} // namespace Lumora
