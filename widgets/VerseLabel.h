#pragma once

#include <QLabel>

namespace Lumora {

// A verse shown as plain, centred, word-wrapped text over a picture. Its text can be
// selected with the mouse and copied with Ctrl+C; its context menu copies the selection,
// or the whole verse with its reference when nothing is selected.
class VerseLabel : public QLabel
{
    Q_OBJECT
public:
    VerseLabel(const QString& name, const QFont& font, const QColor& ink, QWidget* parent);

    // What Copy puts on the clipboard.
    QString copyText() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace Lumora
