// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

namespace Lumora {

// Which folder holds the settings files, and where the music is played from.
//
// A copy of Lumora that has its settings files beside the executable (the build's
// lumora/ folder, a per-user install, a copy on a USB stick) runs from that folder, as
// it always has. A system install has none there, since the program's folder is not
// the user's to write: each user then gets a folder of their own under the data home
// ($XDG_DATA_HOME/lumora), seeded on the first start from the defaults shipped with the
// program. The music is not seeded; it is played from where it was installed.
class ApplicationFolder
{
public:
    // `executableFolder`: where the program runs from; `shippedFolder`: where an install
    // keeps its defaults; `dataHome`: the user's data home. Makes and seeds the per-user
    // folder when it is chosen and not seeded yet; throws FileError when that fails.
    static ApplicationFolder locate(const QString& executableFolder, const QString& shippedFolder,
                                    const QString& dataHome);

    QString path() const { return m_path; }
    QString musicFolder() const { return m_musicFolder; }

private:
    ApplicationFolder(QString path, QString musicFolder);

    // Copies what the shipped folder holds, but the music, into `folder`, never over a
    // file already there, and then writes path.lmr naming `folder`.
    static void seed(const QString& folder, const QString& shippedFolder);

    QString m_path;
    QString m_musicFolder;
};

} // namespace Lumora
