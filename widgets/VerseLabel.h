// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QLabel>
#include <QPointer>

#include <vector>

namespace Lumora {

// A verse shown as plain, centred, word-wrapped text over a picture; a word longer than a
// line is broken over lines. A verse longer than its place shows as many whole lines as
// fit, the last ending in "…"; its tooltip and accessible name hold as much of it as
// anyone reads (see Elide.h), Copy Verse the whole verse. Its text can be selected with
// the mouse and copied with Ctrl+C; its context menu copies the selection, or the whole
// verse when nothing is selected. A click on a verse shown in part, or Show Whole Verse in
// its context menu, shows it whole in a small window of its own.
class VerseLabel : public QLabel
{
    Q_OBJECT
public:
    VerseLabel(const QString& name, const QFont& font, const QColor& ink, QWidget* parent);

    // Sets the verse, which shows once fitInto() has placed the label.
    void setVerse(const QString& verse);
    QString verse() const { return m_verse; }

    // The height the whole verse needs at `width`, or for a verse that needs more than
    // `most` pixels, some height above `most`.
    int heightOfVerse(int width, int most);
    // Places the label at `geometry` and shows as much of the verse as fits there.
    void fitInto(const QRect& geometry);
    // Whether the verse shows whole.
    bool showsWhole() const { return m_shownWhole; }

    // What Copy puts on the clipboard.
    QString copyText() const;

    // Opens the window with the whole verse, or brings it forward.
    void showWhole();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The height `text` takes at `width` in the label's font. QLabel lays a text out twice
    // to tell, and a window asks for every verse again at each step of the zoom: the
    // latest answers are kept, until the verse changes.
    int heightOf(const QString& text, int width);
    struct Measured
    {
        QString text;
        int width;
        QString font;
        int height;
    };
    std::vector<Measured> m_measured;

    QString m_verse;
    bool m_shownWhole = true;
    QPointer<QWidget> m_whole;
};

} // namespace Lumora
