// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "config/Relocation.h"
#include "settings/SettingsFiles.h"
#include "config/Volumes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <unistd.h>

using namespace Lumora;
using Outcome = Relocation::Result::Outcome;

class TestRelocation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listsThirtyNineFilesInOrder();
    void copiesEveryFileReplacingWhatIsThere_data();
    void copiesEveryFileReplacingWhatIsThere();
    void neverCopiesTheApplicationFolderOntoItself_data();
    void neverCopiesTheApplicationFolderOntoItself();
    void aFolderDifferingOnlyInCaseIsAnotherFolder();
    void destinationsLinkedToTheirSourcesStayWhole_data();
    void destinationsLinkedToTheirSourcesStayWhole();
    void stopsAtTheFirstFailure_data();
    void stopsAtTheFirstFailure();
    void offersTheVolumesAPersonWouldChoose_data();
    void offersTheVolumesAPersonWouldChoose();
    void findsTheVolumeOfAPath();
};

namespace {

QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::ReadOnly);
        files.insert(name, f.readAll());
    }
    return files;
}

} // namespace

void TestRelocation::listsThirtyNineFilesInOrder()
{
    const QStringList files = Relocation::files();
    QCOMPARE(files.size(), 39);
    QCOMPARE(files.mid(0, 3), (QStringList{"c0002.txt", "c0003.txt", "c0004.txt"}));
    QCOMPARE(files[13], QStringLiteral("c0015.txt"));
    QCOMPARE(files[14], QStringLiteral("c0002.dat"));
    QCOMPARE(files[27], QStringLiteral("c0015.dat"));
    QCOMPARE(files.mid(28), (QStringList{"cwisdom.txt", "cknow.txt", "cheart.txt", "chead.txt",
                                         "cwill.txt", "cten.txt", "clove.txt", "cword.txt",
                                         "creward.txt", "cfruit.txt", "cgrace.txt"}));
}

void TestRelocation::copiesEveryFileReplacingWhatIsThere_data()
{
    QTest::addColumn<int>("sourceMode"); // of every file in the application folder
    QTest::addColumn<int>("mask");       // the umask
    QTest::addColumn<int>("replaced");   // the mode of the file already in the data folder
    QTest::newRow("ordinary files") << 0644 << 022 << 0644;
    QTest::newRow("private verses stay private") << 0600 << 022 << 0600;
    QTest::newRow("a group folder") << 0664 << 002 << 0664;
    QTest::newRow("a replaced file keeps its own mode") << 0600 << 002 << 0664;
}

void TestRelocation::copiesEveryFileReplacingWhatIsThere()
{
    QFETCH(int, sourceMode);
    QFETCH(int, mask);
    QFETCH(int, replaced);
    AppFolder app;
    QTemporaryDir data;
    for (const QString& name : Relocation::files())
        QCOMPARE(::chmod(QFile::encodeName(app.file(name)).constData(), mode_t(sourceMode)), 0);
    QFile mine(data.filePath(QStringLiteral("c0002.dat")));
    mine.open(QIODevice::WriteOnly);
    mine.write("the user's verses\r\n");
    mine.close();
    QCOMPARE(::chmod(QFile::encodeName(mine.fileName()).constData(), mode_t(replaced)), 0);
    // A notes file the user created under a capitalised name is the one replaced.
    QFile capital(data.filePath(QStringLiteral("Cheart.txt")));
    capital.open(QIODevice::WriteOnly);
    capital.write("mine");
    capital.close();
    // A file that holds what its source holds is not written again.
    QFile same(data.filePath(QStringLiteral("c0003.txt")));
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    QVERIFY(QFile::copy(app.file(QStringLiteral("c0003.txt")), same.fileName()) &&
            same.open(QIODevice::Append) && same.setFileTime(old, QFileDevice::FileModificationTime));
    app.setDataFolder(data.path());

    const mode_t before = ::umask(mode_t(mask));
    const auto result = Relocation::run(app.path());
    ::umask(before);
    const auto modeOf = [&](const char* name) {
        struct stat st{};
        ::stat(QFile::encodeName(data.filePath(QLatin1String(name))).constData(), &st);
        return int(st.st_mode & 07777);
    };
    QCOMPARE(modeOf("c0003.dat"), sourceMode & ~mask); // new, as cp makes it
    QCOMPARE(modeOf("c0002.dat"), replaced);
    QCOMPARE(result.outcome, Outcome::Copied);
    QCOMPARE(result.dataFolder, data.path());
    QCOMPARE(result.copied, 39);
    QCOMPARE(QFileInfo(data.filePath(QStringLiteral("c0003.txt"))).lastModified(), old);
    // What the replaced files held is kept in a folder of its own.
    QCOMPARE(result.kept, 2);
    QCOMPARE(snapshot(result.keptFolder), (QMap<QString, QByteArray>{{"Cheart.txt", "mine"},
                                                                     {"c0002.dat", "the user's verses\r\n"}}));
    const auto copied = snapshot(data.path());
    const auto source = snapshot(app.path());
    QCOMPARE(copied.size(), 39);
    for (const QString& name : Relocation::files()) {
        const QString target = name == QLatin1String("cheart.txt") ? QStringLiteral("Cheart.txt") : name;
        QCOMPARE(copied.value(target), source.value(name));
    }
}

void TestRelocation::neverCopiesTheApplicationFolderOntoItself_data()
{
    QTest::addColumn<QString>("spelling"); // %1 is the application folder
    QTest::newRow("exactly") << "%1";
    QTest::newRow("trailing separator") << "%1/";
    QTest::newRow("dot component") << "%1/./";
    QTest::newRow("dot-dot component") << "%1/../%2";
    QTest::newRow("doubled separators") << "%1//";
    QTest::newRow("symbolic link") << "link";
    QTest::newRow("link inside the application folder") << "%1/self";
    QTest::newRow("relative, in the application folder") << "relative";
    QTest::newRow("application folder itself reached through a link") << "applink";
}

void TestRelocation::neverCopiesTheApplicationFolderOntoItself()
{
    QFETCH(QString, spelling);
    AppFolder app;
    QTemporaryDir elsewhere;
    QString folder = spelling.arg(app.path(), QFileInfo(app.path()).fileName());
    QString appFolder = app.path(); // as the program finds itself
    if (spelling == QLatin1String("link")) {
        folder = elsewhere.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(app.path(), folder));
    } else if (spelling == QLatin1String("%1/self")) {
        QVERIFY(QFile::link(app.path(), folder));
    } else if (spelling == QLatin1String("relative")) {
        folder = QStringLiteral(".");
    } else if (spelling == QLatin1String("applink")) {
        folder = app.path();
        appFolder = elsewhere.filePath(QStringLiteral("program"));
        QVERIFY(QFile::link(app.path(), appFolder));
    }
    app.setDataFolder(folder);
    const auto before = snapshot(app.path());
    const auto result = Relocation::run(appFolder);
    QCOMPARE(result.outcome, Outcome::SameFolder);
    QCOMPARE(result.dataFolder, spelling == QLatin1String("relative") ? appFolder + "/." : folder);
    QCOMPARE(snapshot(app.path()), before);
}

void TestRelocation::aFolderDifferingOnlyInCaseIsAnotherFolder()
{
    QTemporaryDir root;
    const QString upper = root.filePath(QStringLiteral("Lumora"));
    const QString lower = root.filePath(QStringLiteral("lumora"));
    QDir().mkpath(upper);
    QDir().mkpath(lower);
    AppFolder source;
    for (const QString& name : QDir(source.path()).entryList(QDir::Files))
        QFile::copy(source.file(name), upper + u'/' + name);
    QFile f(upper + QStringLiteral("/path.lmr"));
    f.open(QIODevice::WriteOnly);
    f.write(lower.toUtf8() + "\r\n");
    f.close();
    QCOMPARE(Relocation::run(upper).outcome, Outcome::Copied);
    QCOMPARE(snapshot(lower).size(), 39);
}

void TestRelocation::destinationsLinkedToTheirSourcesStayWhole_data()
{
    QTest::addColumn<bool>("symbolic");
    QTest::newRow("symbolic links") << true;
    QTest::newRow("hard links") << false;
}

void TestRelocation::destinationsLinkedToTheirSourcesStayWhole()
{
    // Another folder whose files are the application folder's own under other names:
    // copying a file onto itself must not cut it short.
    QFETCH(bool, symbolic);
    AppFolder app;
    QTemporaryDir data;
    for (const QString& name : Relocation::files()) {
        const QString source = app.file(name);
        const QString target = data.filePath(name);
        QVERIFY(symbolic ? QFile::link(source, target)
                         : ::link(QFile::encodeName(source), QFile::encodeName(target)) == 0);
    }
    app.setDataFolder(data.path());
    const auto before = snapshot(app.path());
    QVERIFY(!before.value(QStringLiteral("c0002.txt")).isEmpty());
    const auto result = Relocation::run(app.path());
    QCOMPARE(result.outcome, Outcome::Copied);
    QCOMPARE(snapshot(app.path()), before);
    for (const QString& name : Relocation::files())
        QCOMPARE(snapshot(data.path()).value(name), before.value(name));
}

void TestRelocation::stopsAtTheFirstFailure_data()
{
    QTest::addColumn<FolderSetup>("fault");
    QTest::addColumn<int>("copied");
    QTest::addColumn<QStringList>("found"); // in the data folder afterwards
    QTest::newRow("source c0005.txt missing") << FolderSetup([](const AppFolder& app) {
        QFile::remove(app.file(QStringLiteral("c0005.txt")));
    }) << 3 << QStringList{"c0002.txt", "c0003.txt", "c0004.txt"};
    QTest::newRow("data folder missing") << FolderSetup(Faults::dataFolderMissing) << 0 << QStringList();
    QTest::newRow("data folder is a file") << FolderSetup(Faults::dataFolderIsAFile) << 0 << QStringList();
    QTest::newRow("read-only destination file") << FolderSetup([](const AppFolder& app) {
        QFile f(SettingsFiles(app.path()).dataFolder() + QStringLiteral("/c0002.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("keep me") == 7);
        f.close();
        f.setPermissions(QFile::ReadOwner);
    }) << 0 << QStringList{"c0002.txt"};
    QTest::newRow("path.lmr missing") << FolderSetup(Faults::pointerMissing) << 0 << QStringList();
    QTest::newRow("path.lmr empty") << FolderSetup(Faults::pointerEmpty) << 0 << QStringList();
}

void TestRelocation::stopsAtTheFirstFailure()
{
    QFETCH(FolderSetup, fault);
    QFETCH(int, copied);
    QFETCH(QStringList, found);
    AppFolder app;
    QTemporaryDir data;
    app.setDataFolder(data.path());
    fault(app);

    const auto before = snapshot(app.path());
    const auto result = Relocation::run(app.path());
    QCOMPARE(result.outcome, Outcome::Failed);
    QCOMPARE(result.copied, copied);
    QVERIFY(!result.failure.isEmpty());
    QCOMPARE(snapshot(app.path()), before);
    const auto copiedFiles = snapshot(data.path());
    QCOMPARE(copiedFiles.keys(), found);
    // What was there is kept; nothing is made where the folder was missing.
    if (found == QStringList{"c0002.txt"})
        QCOMPARE(copiedFiles.value(QStringLiteral("c0002.txt")), QByteArray("keep me"));
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("missing"))));
}

void TestRelocation::offersTheVolumesAPersonWouldChoose_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<bool>("offered");
    QTest::newRow("root, even as an overlay") << "/" << QByteArray("overlay") << QByteArray("overlay") << true;
    QTest::newRow("home volume") << "/home" << QByteArray("ext4") << QByteArray("/dev/sda3") << true;
    QTest::newRow("USB stick") << "/media/ann/STICK" << QByteArray("vfat") << QByteArray("/dev/sdb1") << true;
    QTest::newRow("desktop removable") << "/run/media/ann/DISK" << QByteArray("exfat") << QByteArray("/dev/sdc1") << true;
    QTest::newRow("extra disk") << "/mnt/data" << QByteArray("ext4") << QByteArray("/dev/sdd1") << true;
    QTest::newRow("proc") << "/proc" << QByteArray("proc") << QByteArray("proc") << false;
    QTest::newRow("sysfs") << "/sys" << QByteArray("sysfs") << QByteArray("sysfs") << false;
    QTest::newRow("user runtime tmpfs") << "/run/user/1000" << QByteArray("tmpfs") << QByteArray("tmpfs") << false;
    QTest::newRow("boot partition") << "/boot/efi" << QByteArray("vfat") << QByteArray("/dev/sda1") << false;
    QTest::newRow("snap image") << "/snap/core/1" << QByteArray("squashfs") << QByteArray("/dev/loop0") << false;
    QTest::newRow("bind mount of a system file") << "/etc/hosts" << QByteArray("ext4") << QByteArray("/dev/sda2") << false;
}

void TestRelocation::offersTheVolumesAPersonWouldChoose()
{
    QFETCH(QString, root);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, device);
    QFETCH(bool, offered);
    QCOMPARE(Volumes::isUserVolume(root, type, device, QStringLiteral("/home")), offered);
}

void TestRelocation::findsTheVolumeOfAPath()
{
    const QList<Volumes::Volume> volumes{{"/", "Root (/)"}, {"/home", "home (/home)"},
                                         {"/media/ann/STICK", "STICK"}};
    QCOMPARE(Volumes::volumeOf(volumes, QStringLiteral("/home/ann/verses")), 1);
    QCOMPARE(Volumes::volumeOf(volumes, QStringLiteral("/homework")), 0);
    QCOMPARE(Volumes::volumeOf(volumes, QStringLiteral("/media/ann/STICK")), 2);
    QCOMPARE(Volumes::volumeOf(volumes, QStringLiteral("/opt")), 0);
    const QList<Volumes::Volume> mounted = Volumes::mounted();
    QVERIFY(!mounted.isEmpty());
    QCOMPARE(mounted.first().rootPath, QStringLiteral("/"));
}

QTEST_GUILESS_MAIN(TestRelocation)
#include "tst_relocation.moc"
