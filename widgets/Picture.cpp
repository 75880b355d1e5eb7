#include "Picture.h"

#include "Look.h"

#include <QFile>
#include <QPainter>

namespace Lumora {

Picture::Picture(const QString& name, const QString& resource, QWidget* parent)
    : QWidget(parent), m_resource(resource)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPixmap Picture::pixmap() const
{
    if (devicePixelRatioF() > 1.0) {
        QString large = m_resource;
        large.insert(large.lastIndexOf(u'.'), QStringLiteral("@2x"));
        if (QFile::exists(large))
            return Look::picture(large);
    }
    return Look::picture(m_resource);
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), pixmap());
}

} // namespace Lumora
