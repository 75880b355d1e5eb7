// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "NotesLauncher.h"

#include "files/FileError.h"
#include "files/Links.h"
#include "files/RegularFile.h"
#include "Opener.h"
#include "settings/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace Lumora {

NotesLauncher::NotesLauncher(const SettingsFiles& settings, Opener& opener)
    : m_settings(settings), m_opener(opener)
{
}

NotesLauncher::Launch NotesLauncher::launch(const QString& name) const
{
    Launch launch;
    launch.folder = m_settings.dataFolder();
    launch.path = dataFilePath(launch.folder, name);
    // Only to refuse a link that another user planted on the way: the editor is given the
    // path as the user knows it.
    Links::resolve(launch.path);

    struct stat entry;
    if (::stat(QFile::encodeName(launch.path).constData(), &entry) == 0 && !S_ISREG(entry.st_mode))
        throw FileError::notAFile(launch.path, entry.st_mode);
    if (!QFileInfo::exists(launch.path)) {
        launch.path = launch.folder + u'/' + name.toLower();
        // A link to nothing cannot be created through, and the editor handed it would fail
        // where nobody sees it.
        const QFileInfo link(launch.path);
        if (link.isSymLink() && !link.exists())
            throw FileError(FileError::Kind::FileNotFound, launch.path,
                            QStringLiteral("It is a link to %1, which does not exist.")
                                .arg(QDir::toNativeSeparators(link.symLinkTarget())));
        // Should the file appear meanwhile, it is left as it is.
        RegularFile::createNew(launch.path);
    }

    // A relative path starting with '-' would read as an option to the editor.
    QString argument = launch.path;
    if (argument.startsWith(u'-'))
        argument.prepend(QStringLiteral("./"));
    m_opener.open(argument);
    return launch;
}

} // namespace Lumora
