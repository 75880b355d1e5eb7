#pragma once

#include <QString>
#include <QStringList>

namespace Lumora {

// The three settings files of the application folder: the caption list Rantxt.lmr, the
// slot names configure.lmr and the data-folder pointer path.lmr. Nothing is cached:
// every call opens its file, reads or writes it whole and closes it, so a change made by
// one window is seen by the next operation of any other. Failures throw FileError.
class SettingsFiles
{
public:
    static constexpr int kSlotCount = 14;
    static constexpr int kCaptionCount = 23;

    explicit SettingsFiles(QString appFolder);

    QString appFolder() const { return m_appFolder; }
    QString captionListPath() const;
    QString slotNamesPath() const;
    QString dataFolderPath() const;

    // Line n (1-based) of the caption list, reading lines 1..n.
    QString captionLine(int n) const;

    // The fourteen slot names, slots 2..15 in order.
    QStringList slotNames() const;
    void writeSlotNames(const QStringList& names) const;

    // The first line of path.lmr, unchanged.
    QString dataFolder() const;
    void writeDataFolder(const QString& folder) const;

    // path.lmr and configure.lmr together: both are replaced or neither is.
    void writeDataFolderAndSlotNames(const QString& folder, const QStringList& names) const;

    // The file `name` in the data folder, reading path.lmr afresh (see dataFilePath()).
    QString dataFilePath(const QString& name) const;

    // "open", exactly, marks a free slot; any other name, even "Open" or "", is in use.
    static bool isNamed(const QString& slotName);

private:
    QString m_appFolder;
};

// The path of `name` in `folder`: the folder as stored, a separator and the name. The
// folder is used unchanged (a trailing separator doubles, an empty folder means the
// root). Names match without regard to letter case: when no file of exactly that name
// exists but one differing only in case does, that one is meant.
QString dataFilePath(const QString& folder, const QString& name);

} // namespace Lumora
