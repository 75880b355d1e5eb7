// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FolderList.h"

#include "widgets/Messages.h"
#include "files/FileError.h"

#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

namespace Lumora {

namespace {

// The pixels a level is indented by, beside folder icons of kNormalIcon pixels.
constexpr int kIndent = 10;
constexpr int kNormalIcon = 16;

// Indents each entry by its depth below the root, as a tree would.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // The indent of a level grows with the icons, which grow with the zoom.
        const int indent = kIndent * option->decorationSize.width() / kNormalIcon;
        option->rect.setLeft(option->rect.left() +
                             indent * index.data(FolderList::kLevelRole).toInt());
    }
};

QStringList subfolders(const QDir& dir)
{
    const auto flags = QDir::Name | QDir::IgnoreCase | QDir::LocaleAware;
    QStringList visible = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, flags);
    QStringList hidden =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, flags);
    hidden.removeIf([&](const QString& name) { return !name.startsWith(u'.'); });
    return visible + hidden;
}

// A folder drawn rather than the style's, which has one of 16 pixels only: sharp at every
// size the zoom and the screen ask for. Open, its front leans back, showing the inside.
class FolderIcon : public QIconEngine
{
public:
    explicit FolderIcon(bool open) : m_open(open) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        painter->setPen(QPen(QColor(0x2b, 0x5f, 0x91), 1));
        painter->setBrush(QColor(0x8f, 0xbc, 0xe6));
        QPainterPath back;
        back.moveTo(1.5, 13.5);
        back.lineTo(1.5, 3.5);
        back.lineTo(6, 3.5);
        back.lineTo(7.5, 5);
        back.lineTo(14.5, 5);
        back.lineTo(14.5, 13.5);
        back.closeSubpath();
        painter->drawPath(back);
        painter->setBrush(QColor(0x4a, 0x8d, 0xcf));
        if (m_open)
            painter->drawPolygon(QPolygonF({{1.5, 13.5}, {4, 7.5}, {15.5, 7.5}, {13, 13.5}}));
        else
            painter->drawRect(QRectF(1.5, 6.5, 13, 7));
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, pixmap.rect(), mode, state);
        return pixmap;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new FolderIcon(m_open); }

private:
    bool m_open;
};

} // namespace

FolderList::FolderList(const QString& name, QWidget* parent) : QListWidget(parent)
{
    setObjectName(name);
    setUniformItemSizes(true);
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // itemActivated covers a double click and Enter; a single click only selects.
    connect(this, &QListWidget::itemActivated, this, &FolderList::open);
}

void FolderList::setCurrentFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        throw FileError(FileError::Kind::PathNotFound, folder);
    if (!info.isDir())
        throw FileError(FileError::Kind::NotAFolder, folder);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    QDir dir(path);
    if (!dir.isReadable())
        throw FileError(FileError::Kind::PermissionDenied, path);
    const QStringList children = subfolders(dir);

    setUpdatesEnabled(false);
    clear();
    // The path down to the folder: "/" then each component.
    QStringList chain;
    for (QDir up(path);; ) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp())
            break;
    }
    const QIcon openIcon(new FolderIcon(true));
    const QIcon closedIcon(new FolderIcon(false));
    QListWidgetItem* currentItem = nullptr;
    int level = 0;
    for (const QString& step : std::as_const(chain)) {
        const QString label = step == QLatin1String("/") ? step : QFileInfo(step).fileName();
        auto* item = new QListWidgetItem(openIcon, label, this);
        item->setData(kPathRole, step);
        item->setData(kLevelRole, level++);
        currentItem = item;
    }
    // Bold and nothing else: the size follows the list's own font when the window zooms.
    QFont marked;
    marked.setBold(true);
    currentItem->setFont(marked);
    const QString prefix = path == QLatin1String("/") ? path : path + u'/';
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closedIcon, child, this);
        item->setData(kPathRole, prefix + child);
        item->setData(kLevelRole, level);
    }
    setCurrentItem(currentItem);
    setUpdatesEnabled(true);
    scrollToItem(currentItem, QAbstractItemView::PositionAtTop);

    const bool changed = m_current != path;
    m_current = path;
    if (changed)
        Q_EMIT currentFolderChanged(m_current);
}

void FolderList::open(QListWidgetItem* item)
{
    try {
        setCurrentFolder(item->data(kPathRole).toString());
    } catch (const FileError& error) {
        Messages::report(window(), error);
    }
}

} // namespace Lumora
