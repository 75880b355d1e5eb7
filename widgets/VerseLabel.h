// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QLabel>
#include <QPointer>

namespace Lumora {

// A verse shown as plain, centred, word-wrapped text over a picture. A verse longer than
// its place shows as many whole lines as fit, the last ending in "…"; the whole verse is
// in its tooltip, its accessible name and what Copy Verse copies. Its text can be selected
// with the mouse and copied with Ctrl+C; its context menu copies the selection, or the
// whole verse when nothing is selected. A click on a verse shown in part, or Show Whole
// Verse in its context menu, shows it whole in a small window of its own.
class VerseLabel : public QLabel
{
    Q_OBJECT
public:
    VerseLabel(const QString& name, const QFont& font, const QColor& ink, QWidget* parent);

    void setVerse(const QString& verse);
    QString verse() const { return m_verse; }

    // The height the whole verse needs at `width`.
    int heightOfVerse(int width);
    // Places the label at `geometry` and shows as much of the verse as fits there.
    void fitInto(const QRect& geometry);
    // Whether the verse shows whole.
    bool showsWhole() const { return text() == m_verse; }

    // What Copy puts on the clipboard.
    QString copyText() const;

    // Opens the window with the whole verse, or brings it forward.
    void showWhole();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_verse;
    QPointer<QWidget> m_whole;
};

} // namespace Lumora
