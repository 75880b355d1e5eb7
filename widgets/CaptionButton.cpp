// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "CaptionButton.h"

#include "Elide.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace Lumora {

CaptionButton::CaptionButton(const QString& name, QWidget* parent) : QPushButton(parent)
{
    setObjectName(name);
    setAutoDefault(false);
}

void CaptionButton::setCaption(const QString& caption)
{
    m_caption = caption;
    setAccessibleName(shortened(caption));
    fitCaption();
}

void CaptionButton::fitCaption()
{
    const QRect room = captionRect();
    if (room.isEmpty()) {
        // Not yet placed: nothing shows, and it is fitted again once it is.
        m_shown = shortened(m_caption);
        setToolTip({});
        return;
    }
    const QFontMetrics metrics(font());
    const Fitted fitted =
        fitToLines(m_caption, font(), room.width(), room.height() / metrics.lineSpacing() + 1,
                   [&](const QString& text) {
                       return room.contains(metrics.boundingRect(room, kCaptionFlags, text));
                   });
    m_shown = fitted.text;
    setToolTip(fitted.whole ? QString() : shortened(m_caption));
    update();
}

void CaptionButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    fitCaption();
}

void CaptionButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitCaption();
}

void CaptionButton::setFace(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Button, colour);
    setPalette(p);
}

void CaptionButton::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

QRect CaptionButton::captionRect() const
{
    // Two pixels of bevel on each side; a caption may use the rest.
    return rect().adjusted(2, 2, -2, -2);
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    // Drawn by hand rather than by the style: styles shade the face with gradients, and
    // the faces must show their colours as they are (the red of "Heart" is red).
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QRect r = rect();
    painter.fillRect(r, face);

    const bool sunken = isDown() || isChecked();
    const QColor light = face.lighter(160);
    const QColor shadow = face.darker(160);
    const QColor dark = QColor(Qt::black);
    const auto bevel = [&](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    if (sunken) {
        bevel(r, dark, light);
        bevel(r.adjusted(1, 1, -1, -1), shadow, face);
    } else {
        bevel(r, light, dark);
        bevel(r.adjusted(1, 1, -1, -1), face, shadow);
    }

    QRect text = captionRect();
    if (sunken)
        text.translate(1, 1);
    // Without Qt::TextShowMnemonic the text is drawn literally, '&' included.
    painter.setFont(font());
    style()->drawItemText(&painter, text, kCaptionFlags, palette(), isEnabled(), m_shown,
                          QPalette::ButtonText);

    // A dotted frame in the caption's colour marks the focus once the keyboard is in use;
    // the style's own frame is all but invisible on the coloured faces.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

void CaptionButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace Lumora
