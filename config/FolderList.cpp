// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FolderList.h"

#include "widgets/Messages.h"
#include "files/FileError.h"

#include <QDir>
#include <QFileInfo>
#include <QStyledItemDelegate>

namespace Lumora {

namespace {

constexpr int kIndent = 10;

// Indents each entry by its depth below the root, as a tree would.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.setLeft(option->rect.left() +
                             kIndent * index.data(FolderList::kLevelRole).toInt());
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
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
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
