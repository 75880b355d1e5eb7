#include "VerseLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

namespace Lumora {

VerseLabel::VerseLabel(const QString& name, const QFont& font, const QColor& ink, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFont(font);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ink);
    setPalette(p);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Until a window sets the verse, a label shows its own name, never seen.
    setText(name);
}

QString VerseLabel::copyText() const
{
    return hasSelectedText() ? selectedText() : text();
}

void VerseLabel::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(hasSelectedText() ? QStringLiteral("Copy")
                                                      : QStringLiteral("Copy Verse"));
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(copyText()); });
    QAction* all = menu->addAction(QStringLiteral("Select All"));
    all->setObjectName(QStringLiteral("selectAll"));
    connect(all, &QAction::triggered, this, [this] { setSelection(0, int(text().size())); });
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace Lumora
