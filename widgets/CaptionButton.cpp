// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "CaptionButton.h"

#include "Elide.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

#include <cmath>

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

int CaptionButton::markWidth() const
{
    // Two pixels at the normal size, growing with the text.
    return std::max(2, font().pixelSize() > 0 ? qRound(font().pixelSize() * 2 / 11.0) : 2);
}

QRect CaptionButton::captionRect() const
{
    // Two pixels of bevel on each side, then the focus mark's room, so that the mark
    // never touches the caption; a caption may use the rest.
    const int edge = 2 + markWidth();
    return rect().adjusted(edge, edge, -edge, -edge);
}

QColor CaptionButton::markColour(const QColor& face)
{
    // Black or white, whichever stands out more from the face: each stands at 3:1 or
    // more from every face colour of the program, the other often not.
    const auto luminance = [](const QColor& c) {
        const auto channel = [](qreal v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const qreal l = luminance(face);
    return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? QColor(Qt::black) : QColor(Qt::white);
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

    // A solid frame inside the bevel marks the focus, from the moment the window opens,
    // whether the mouse or the keyboard put it there; the style's own frame is all but
    // invisible on the coloured faces.
    if (hasFocus())
        paintFocusMark(painter, r, markWidth(), face);
}

void CaptionButton::paintFocusMark(QPainter& painter, const QRect& r, int width,
                                   const QColor& face)
{
    const QRect inner = r.adjusted(kBevel, kBevel, -kBevel, -kBevel);
    const QColor mark = markColour(face);
    painter.fillRect(QRect(inner.topLeft(), QSize(inner.width(), width)), mark);
    painter.fillRect(QRect(inner.left(), inner.bottom() - width + 1, inner.width(), width), mark);
    painter.fillRect(QRect(inner.topLeft(), QSize(width, inner.height())), mark);
    painter.fillRect(QRect(inner.right() - width + 1, inner.top(), width, inner.height()), mark);
}

bool CaptionButton::isReturn(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void CaptionButton::keyPressEvent(QKeyEvent* event)
{
    if (isReturn(event)) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace Lumora
