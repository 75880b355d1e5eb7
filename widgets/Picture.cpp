// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Picture.h"

#include "Form.h"
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
    const auto* form = qobject_cast<const Form*>(window());
    const bool large = devicePixelRatioF() * (form ? form->zoom() : 1.0) > 1.0;
    if (m_pixmap.isNull() || large != m_large) {
        m_large = large;
        QString resource = m_resource;
        if (large) {
            resource.insert(resource.lastIndexOf(u'.'), QStringLiteral("@2x"));
            if (!QFile::exists(resource))
                resource = m_resource;
        }
        m_pixmap = Look::picture(resource);
    }
    return m_pixmap;
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), pixmap());
}

Picture* addFramedBackground(QWidget* client, const QRect& geometry)
{
    QPalette dark = client->palette();
    dark.setColor(QPalette::Window, Look::frameBrown());
    client->setPalette(dark);
    client->setAutoFillBackground(true);
    auto* picture = new Picture(QStringLiteral("Image1"),
                                QStringLiteral(":/assets/main-background.jpg"), client);
    picture->setGeometry(geometry);
    return picture;
}

} // namespace Lumora
