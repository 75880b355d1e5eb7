// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QListWidget>

namespace Lumora {

// The folder list of the configuration window: the path from the root down to the
// current folder, each ancestor as an open folder and the current one marked, then the
// current folder's subfolders (hidden ones after the others). A double click or Enter
// opens an entry and makes it current; a single click only selects it.
class FolderList : public QListWidget
{
    Q_OBJECT
public:
    FolderList(const QString& name, QWidget* parent);

    // The current folder: absolute, without a trailing separator except for the root.
    QString currentFolder() const { return m_current; }

    // Makes `folder` current and lists it; throws FileError and keeps the list as it was
    // when the folder cannot be listed.
    void setCurrentFolder(const QString& folder);

    // Leaves `margin` pixels between the frame and the rows on every side.
    void keepRowsIn(int margin) { setViewportMargins(margin, margin, margin, margin); }

    static constexpr int kPathRole = Qt::UserRole;
    static constexpr int kLevelRole = Qt::UserRole + 1;

Q_SIGNALS:
    void currentFolderChanged(const QString& folder);

private:
    void open(QListWidgetItem* item);

    QString m_current;
};

} // namespace Lumora
