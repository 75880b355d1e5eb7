#pragma once

#include <QPushButton>

namespace Lumora {

// A push button whose caption wraps over several lines when it does not fit on one
// (QPushButton clips it instead) and is always plain text: an '&' in a slot name is
// shown as it is, never taken as a keyboard mnemonic. Enter and Return press the
// focused button, as Space does.
class CaptionButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CaptionButton(const QString& name, QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }

    void setFace(const QColor& colour);
    void setBold(bool bold);

    // The rectangle the caption is drawn in, and the flags it is drawn with.
    QRect captionRect() const;
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_caption;
};

} // namespace Lumora
