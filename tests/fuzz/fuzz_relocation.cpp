// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// libFuzzer: the relocation with a path.lmr of arbitrary bytes. The application folder's
// files must never change, whatever the path spells; a folder that is the application
// folder under any spelling must never be copied into; a finished copy must be exact.
//
// The fuzzer must not make the relocation write anywhere on this machine: the target works
// in a scratch folder that it makes its working folder (so corpus and artifact paths given
// to it must be absolute), and a path whose files would land outside that folder is only
// read, never relocated to.
#include "FuzzInput.h"
#include "FuzzSandbox.h"
#include "config/Relocation.h"
#include "settings/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

using namespace Lumora;

namespace {

struct Scene
{
    QString root; // canonical path of the scratch folder
    QString app;  // the application folder, canonical
    QMap<QString, QByteArray> sources;
    QMap<QString, ino_t> inodes; // a file replaced, even by its own bytes, has a new one
};
const Scene* g_scene = nullptr;

// A file that cannot be read must never compare equal to an empty one.
QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

ino_t inodeOf(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

bool inside(const Scene& scene, const QString& path)
{
    return path == scene.root || path.startsWith(scene.root + u'/');
}

// Whether every file the relocation would write to `folder` lies in the scratch folder.
bool staysInside(const Scene& scene, const QString& folder)
{
    // No file can be made under a path longer than the system takes.
    if (QFile::encodeName(folder).size() >= PATH_MAX)
        return true;
    for (const QString& name : Relocation::files()) {
        const QFileInfo target(dataFilePath(folder, name));
        const QString where = QFileInfo(target.absolutePath()).canonicalFilePath();
        if (!where.isEmpty() && !inside(scene, where))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static FuzzSandbox sandbox;
    static Scene scene;
    scene.root = QFileInfo(sandbox.path()).canonicalFilePath();
    QDir::setCurrent(scene.root);
    // Folders a path.lmr may name, relative to the application folder: the application folder
    // itself, links to it and to a data folder, folders with spaces and non-ASCII letters,
    // a file, a folder inside the application folder.
    QDir root(scene.root);
    for (const char* folder : {"app/inner", "data", "data with spaces", "D\u00E4t\u00E4"})
        root.mkpath(QString::fromUtf8(folder));
    QFile::link(QStringLiteral("app"), root.filePath(QStringLiteral("link")));
    QFile::link(QStringLiteral("data"), root.filePath(QStringLiteral("linkdata")));
    put(root.filePath(QStringLiteral("file")), "a file, not a folder\r\n");
    scene.app = root.filePath(QStringLiteral("app"));
    for (const QString& name : Relocation::files()) {
        const QByteArray bytes = name.toLatin1() + " as it came with the program\r\n";
        put(scene.app + u'/' + name, bytes);
        scene.sources.insert(name, bytes);
        scene.inodes.insert(name, inodeOf(scene.app + u'/' + name));
    }
    g_scene = &scene;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Scene& scene = *g_scene;
    const FuzzInput input(data, size);
    const SettingsFiles settings(scene.app);
    input.writeTo(settings.dataFolderPath());
    const auto read = FuzzInput::outcome([&] { return QStringList{settings.dataFolder()}; });
    FuzzInput::check(read, input.expectFolder(settings.appFolder()), "dataFolder()");
    const QString folder = read.error ? QString() : read.lines.constFirst();
    if (!read.error && !staysInside(scene, folder))
        return 0;

    const Relocation::Result result = Relocation::run(scene.app);

    for (auto it = scene.sources.cbegin(); it != scene.sources.cend(); ++it) {
        const QString path = scene.app + u'/' + it.key();
        FuzzInput::check(bytesOf(path) == it.value(),
                         "the application folder's files are unchanged");
        FuzzInput::check(inodeOf(path) == scene.inodes.value(it.key()),
                         "the application folder's files are never replaced");
    }
    FuzzInput::check(result.copied >= 0 && result.copied <= 39, "copied count");
    if (read.error) {
        FuzzInput::check(result.outcome == Relocation::Result::Outcome::Failed,
                         "an unreadable path.lmr fails");
        return 0;
    }
    FuzzInput::check(result.dataFolder == folder, "the data folder as read");
    const QString spelled = folder.isEmpty() ? QStringLiteral("/") : folder;
    const bool same = QFileInfo(spelled).canonicalFilePath() == scene.app;
    FuzzInput::check(same == (result.outcome == Relocation::Result::Outcome::SameFolder),
                     "the application folder under any spelling is recognised");
    if (result.outcome == Relocation::Result::Outcome::Copied) {
        FuzzInput::check(result.copied == 39, "a finished copy copied every file");
        for (auto it = scene.sources.cbegin(); it != scene.sources.cend(); ++it)
            FuzzInput::check(bytesOf(dataFilePath(folder, it.key())) == it.value(),
                             "every copy is exact");
    }
    return 0;
}
