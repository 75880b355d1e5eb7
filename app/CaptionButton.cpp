#include "CaptionButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace Lumora {

CaptionButton::CaptionButton(const QString& name, QWidget* parent) : QPushButton(parent)
{
    setObjectName(name);
    setAutoDefault(false);
}

void CaptionButton::setCaption(const QString& caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    update();
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
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    // Without Qt::TextShowMnemonic the text is drawn literally, '&' included.
    painter.setFont(font());
    painter.drawItemText(captionRect(), kCaptionFlags, palette(), isEnabled(), m_caption,
                         QPalette::ButtonText);
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
