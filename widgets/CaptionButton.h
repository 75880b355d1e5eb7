// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QPainter>
#include <QPushButton>

namespace Lumora {

// A push button whose caption wraps over several lines when it does not fit on one
// (QPushButton clips it instead) and is always plain text: an '&' in a slot name is
// shown as it is, never taken as a keyboard mnemonic. A word longer than the button is
// broken over lines. A caption too long even then shows as many lines as fit, the last
// ending in "…", and in the tooltip and to a screen reader as much as anyone reads (see
// Elide.h). Enter and Return press the focused button, as Space does.
class CaptionButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CaptionButton(const QString& name, QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    // What the face shows: the caption, or as much of it as fits; a line separator
    // marks where a word is broken.
    QString shownCaption() const { return m_shown; }

    void setFace(const QColor& colour);
    void setBold(bool bold);

    // The rectangle the caption is drawn in, and the flags it is drawn with.
    QRect captionRect() const;
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
    // The focus mark: a frame this wide just inside the bevel, in the colour that stands
    // out most from the face.
    int markWidth() const;
    static QColor markColour(const QColor& face);
    // Draws the focus mark, `width` pixels wide, just inside the bevel of `r`, in the
    // colour that stands out on `face`: buttons and the frames of other controls alike.
    // It covers the control from kBevel to kBevel + width pixels in from each edge.
    static constexpr int kBevel = 2;

    // Whether `event` is Return or Enter alone, the keys that press the focused button.
    static bool isReturn(const QKeyEvent* event);
    static void paintFocusMark(QPainter& painter, const QRect& r, int width, const QColor& face);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitCaption();

    QString m_caption;
    QString m_shown;
};

} // namespace Lumora
