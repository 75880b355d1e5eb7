// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "config/Relocation.h"
#include "files/FileError.h"
#include "files/Links.h"
#include "files/Ownership.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotVerseFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Lumora;

// Folders shared with other programs and users. Cases with another user need root; the
// user is LUMORA_OTHER_USER (made by tools/reliability.sh) or nobody. LUMORA_RACE_ROUNDS:
// saves by each of two processes saving at once (200 by default).
class TestSharedFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void twoProgramsSavingAtOnceLoseNothing_data();
    void twoProgramsSavingAtOnceLoseNothing();
    void pipesAndDevicesNeitherHangNorGrow_data();
    void pipesAndDevicesNeitherHangNorGrow();
    void linkPlantedByAnotherUserIsNotFollowed_data();
    void linkPlantedByAnotherUserIsNotFollowed();
    void savesKeepOwnerGroupAndMode_data();
    void savesKeepOwnerGroupAndMode();
    void readOnlyFolderSavesInPlaceOrNamesTheFolder_data();
    void readOnlyFolderSavesInPlaceOrNamesTheFolder();
};

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const char* native(const QString& path)
{
    static QByteArray bytes;
    bytes = QFile::encodeName(path);
    return bytes.constData();
}

// The other user of these cases, or nothing when the test does not run as root.
const passwd* otherUser()
{
    if (::geteuid() != 0)
        return nullptr;
    const QString name = qEnvironmentVariable("LUMORA_OTHER_USER", QStringLiteral("nobody"));
    return ::getpwnam(name.toLocal8Bit().constData());
}

// Runs `work` in a child process as `user`; its exit status.
template <typename Work> int runAs(const passwd* user, Work work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(user->pw_gid) != 0 || ::setuid(user->pw_uid) != 0)
            ::_exit(100);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

} // namespace

void TestSharedFolder::twoProgramsSavingAtOnceLoseNothing_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("twoUsers"); // the second program is the other user's, in a group folder
    QTest::addColumn<bool>("held");     // the other user holds a lock on the folder meanwhile
    QTest::newRow("slot verse file") << "race-slot" << false << false;
    QTest::newRow("settings files") << "race-settings" << false << false;
    QTest::newRow("slot verse file, two users") << "race-slot" << true << false;
    QTest::newRow("settings files, two users") << "race-settings" << true << false;
    QTest::newRow("slot verse file, folder locked by a reader") << "race-slot" << false << true;
}

void TestSharedFolder::twoProgramsSavingAtOnceLoseNothing()
{
    // Each save adds one to a count in the file, checked against what it read: every save
    // either lands on what it saw or is refused, so the count is the number that landed.
    QFETCH(QString, mode);
    QFETCH(bool, twoUsers);
    QFETCH(bool, held);
    const passwd* other = twoUsers || held ? otherUser() : nullptr;
    if ((twoUsers || held) && !other)
        QSKIP("needs root and another user (LUMORA_OTHER_USER, or nobody)");
    const int rounds = qEnvironmentVariable("LUMORA_RACE_ROUNDS", QStringLiteral("200")).toInt();
    AppFolder app;
    const SettingsFiles settings(app.path());
    if (mode == QLatin1String("race-slot"))
        SlotVerseFile::write(settings.dataFolder(), 2, {"0", "", "", "", ""});
    else
        settings.writeDataFolderAndSlotNames(app.path(), QStringList(14, QStringLiteral("0")));
    if (held && !twoUsers) // the reader may read the folder, and only read it
        QCOMPARE(::chmod(native(app.path()), 0755), 0);
    if (twoUsers) { // a folder the group shares, as a group of friends sets one up
        for (const QString& name : QDir(app.path()).entryList(QDir::Files))
            QCOMPARE(::chown(native(app.file(name)), 0, other->pw_gid), 0);
        QCOMPARE(::chown(native(app.path()), 0, other->pw_gid), 0);
        QCOMPARE(::chmod(native(app.path()), 02775), 0);
        for (const QString& name : QDir(app.path()).entryList(QDir::Files))
            QCOMPARE(::chmod(native(app.file(name)), 0664), 0);
    }
    // Someone who may only read the folder takes a shared lock on it, which once held
    // every save up.
    QProcess reader;
    if (held) {
        reader.start(QStringLiteral("runuser"), {"-u", QString::fromLocal8Bit(other->pw_name), "--",
                                                 "flock", "-s", app.path(), "sleep", "600"});
        QVERIFY(reader.waitForStarted());
        QTest::qWait(300);
    }
    const QString loop = QStringLiteral(LUMORA_SAVE_LOOP);
    const QStringList args{mode, app.path(), QString::number(rounds)};
    QProcess first, second;
    first.start(loop, args); // at once
    if (twoUsers)
        second.start(QStringLiteral("runuser"),
                     QStringList{"-u", QString::fromLocal8Bit(other->pw_name), "--", loop} + args);
    else
        second.start(loop, args);
    int wins = 0, refused = 0;
    for (QProcess* p : {&first, &second}) {
        QVERIFY(p->waitForFinished(600000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        const QList<QByteArray> said = p->readAllStandardOutput().simplified().split(' ');
        QCOMPARE(said.size(), 4);
        wins += said[1].toInt();
        refused += said[3].toInt();
    }
    reader.kill();
    reader.waitForFinished();
    QCOMPARE(wins + refused, 2 * rounds);
    const QString count = mode == QLatin1String("race-slot")
                              ? SlotVerseFile::read(settings.dataFolder(), 2).constFirst()
                              : settings.slotNames().constFirst();
    if (mode == QLatin1String("race-settings"))
        QCOMPARE(settings.dataFolder(), app.path() + u'/' + count);
    const int lost = wins - count.toInt();
    QCOMPARE(lost, 0);
    QVERIFY(wins > 0);
    qInfo("race: %s%s%s %d saves, %d landed, %d refused, %d lost", qPrintable(mode),
          twoUsers ? "-two-users" : "", held ? "-held" : "", 2 * rounds, wins, refused, lost);
}

void TestSharedFolder::pipesAndDevicesNeitherHangNorGrow_data()
{
    QTest::addColumn<QString>("entry"); // what stands where a file should
    QTest::addColumn<QString>("where");
    for (const char* entry : {"named pipe", "/dev/zero"}) {
        for (const char* where : {"c0002.dat", "save of c0002.dat", "configure.lmr", "path.lmr",
                                  "Rantxt.lmr", "relocation source c0003.txt"})
            QTest::addRow("%s as %s", entry, where) << entry << where;
    }
}

void TestSharedFolder::pipesAndDevicesNeitherHangNorGrow()
{
    QFETCH(QString, entry);
    QFETCH(QString, where);
    AppFolder app;
    QTemporaryDir data;
    const QString name = where.section(u' ', -1);
    const QString path = app.file(name);
    QFile::remove(path);
    QVERIFY(entry == QLatin1String("named pipe") ? ::mkfifo(native(path), 0600) == 0
                                                 : QFile::link(entry, path));
    const SettingsFiles settings(app.path());
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    QString failure;
    try {
        if (where == QLatin1String("c0002.dat")) {
            SlotVerseFile::read(settings.dataFolder(), 2);
        } else if (name == QLatin1String("c0002.dat")) {
            SlotVerseFile::write(settings.dataFolder(), 2, QStringList(5, QString()));
        } else if (name == QLatin1String("configure.lmr")) {
            settings.slotNames();
        } else if (name == QLatin1String("path.lmr")) {
            settings.dataFolder();
        } else if (name == QLatin1String("Rantxt.lmr")) {
            settings.captionLine(23);
        } else {
            app.setDataFolder(data.path());
            const auto result = Relocation::run(app.path());
            QCOMPARE(result.outcome, Relocation::Result::Outcome::Failed);
            QCOMPARE(result.copied, 1);
            failure = result.failure;
        }
    } catch (const FileError& error) {
        failure = error.message();
    }
    QVERIFY2(failure.startsWith(QLatin1String("Not a file: ")), qPrintable(failure));
    ::getrusage(RUSAGE_SELF, &usage);
    QVERIFY2(usage.ru_maxrss - before < 8 * 1024, "memory grew");
}

void TestSharedFolder::linkPlantedByAnotherUserIsNotFollowed_data()
{
    QTest::addColumn<QString>("link"); // what the other user's link stands for
    QTest::newRow("the slot verse file") << "c0002.dat";
    QTest::newRow("the data folder itself") << "data";
    QTest::newRow("without root: a link of ours, judged for another user") << "judged";
}

void TestSharedFolder::linkPlantedByAnotherUserIsNotFollowed()
{
    // A shared data folder such as /tmp: anyone may create entries, each his own.
    QFETCH(QString, link);
    if (link == QLatin1String("judged")) {
        // In a sticky folder of a third user's (/tmp is root's), our own link is one that
        // another user must not follow.
        QTemporaryDir third;
        if (::geteuid() == 0) {
            QCOMPARE(::chmod(native(third.path()), 01777), 0);
            QCOMPARE(::chown(native(third.path()), 4243, 4243), 0);
        }
        const QString path = (::geteuid() == 0 ? third.path() : QDir::tempPath()) +
                             QStringLiteral("/lumora-link-%1").arg(::getpid());
        QVERIFY(QFile::link(QDir::homePath(), path));
        const uid_t stranger = ::geteuid() == 0 ? 4242 : ::geteuid() + 1;
        QString failure;
        try {
            Links::resolve(path + QStringLiteral("/c0002.dat"), stranger);
        } catch (const FileError& error) {
            failure = error.message();
        }
        QFile::remove(path);
        QVERIFY2(failure.startsWith(QStringLiteral("Link not followed: ") + path) &&
                     failure.contains(Ownership::userName(::geteuid())),
                 qPrintable(failure));
        return;
    }
    const passwd* other = otherUser();
    if (!other)
        QSKIP("needs root and another user (LUMORA_OTHER_USER, or nobody)");
    AppFolder app;
    QTemporaryDir root;
    const QString shared = root.filePath(QStringLiteral("shared"));
    const QString secret = root.filePath(QStringLiteral("secret"));
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(QDir().mkpath(secret));
    QCOMPARE(::chmod(native(shared), 01777), 0);
    QFile f(secret + QStringLiteral("/c0002.dat"));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("the victim's own\n") && f.flush());
    const bool folderLink = link == QLatin1String("data");
    const QString planted = shared + u'/' + link;
    const QString data = folderLink ? planted : shared;
    QVERIFY(QFile::link(folderLink ? secret : f.fileName(), planted));
    QCOMPARE(::lchown(native(planted), other->pw_uid, other->pw_gid), 0);
    app.setDataFolder(data);

    QString saving; // why the slot save failed
    try {
        SlotVerseFile::write(data, 2, QStringList(5, QStringLiteral("x")));
    } catch (const FileError& error) {
        saving = error.message();
    }
    for (const QString& failure : {saving, Relocation::run(app.path()).failure}) {
        QVERIFY2(failure.startsWith(QStringLiteral("Link not followed: ") + planted) &&
                     failure.contains(QString::fromLocal8Bit(other->pw_name)),
                 qPrintable(failure));
    }
    QCOMPARE(QDir(secret).entryList(QDir::Files), QStringList{"c0002.dat"});
    QCOMPARE(bytesOf(f.fileName()), QByteArray("the victim's own\n"));
}

void TestSharedFolder::savesKeepOwnerGroupAndMode_data()
{
    QTest::addColumn<bool>("otherOwner"); // the file and its folder belong to the other user
    QTest::addColumn<bool>("otherGroup"); // the file's group is the other user's
    QTest::addColumn<int>("mode");
    QTest::newRow("root saves another user's file") << true << true << 0604;
    QTest::newRow("another user's file in the saver's group") << true << false << 0660;
    QTest::newRow("setgid group file of our own") << false << false << 02660;
}

void TestSharedFolder::savesKeepOwnerGroupAndMode()
{
    QFETCH(bool, otherOwner);
    QFETCH(bool, otherGroup);
    QFETCH(int, mode);
    const passwd* user = otherOwner ? otherUser() : nullptr;
    if (otherOwner && !user)
        QSKIP("needs root and another user (LUMORA_OTHER_USER, or nobody)");
    const uid_t uid = user ? user->pw_uid : ::geteuid();
    const gid_t gid = otherGroup ? user->pw_gid : ::getegid();
    AppFolder app;
    QTemporaryDir home;
    QCOMPARE(::chown(native(home.path()), uid, gid), 0);
    app.setDataFolder(home.path());
    const QString verses = home.filePath(QStringLiteral("c0002.dat"));
    QFile f(verses);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("1\r\n2\r\n3\r\n4\r\n5\r\n") && f.flush());
    QCOMPARE(::chown(native(verses), uid, gid), 0);
    QCOMPARE(::chmod(native(verses), mode_t(mode)), 0);

    const SettingsFiles settings(app.path());
    SlotVerseFile::write(settings.dataFolder(), 2, QStringList(5, QStringLiteral("saved")));
    QCOMPARE(Relocation::run(app.path()).outcome, Relocation::Result::Outcome::Copied);
    struct stat st;
    QCOMPARE(::stat(native(verses), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(mode));
    QVERIFY(st.st_uid == uid && st.st_gid == gid);
    // Every file copied into another user's folder, new ones included, is theirs.
    for (const QString& name : QDir(home.path()).entryList(QDir::Files)) {
        QCOMPARE(::stat(native(home.path() + u'/' + name), &st), 0);
        QVERIFY2(st.st_uid == uid, qPrintable(name));
    }
}

void TestSharedFolder::readOnlyFolderSavesInPlaceOrNamesTheFolder_data()
{
    QTest::addColumn<int>("mode"); // of the slot verse file; 0: none
    QTest::addColumn<int>("kind"); // -1: saved
    QTest::addColumn<bool>("mounted"); // the folder is bound read-only over itself
    QTest::newRow("writable file") << 0644 << -1 << false;
    QTest::newRow("read-only file") << 0444 << int(FileError::Kind::PermissionDenied) << false;
    // Then the error names the folder, where no file can be made.
    QTest::newRow("no file yet") << 0 << int(FileError::Kind::PermissionDenied) << false;
    QTest::newRow("read-only file system")
        << 0644 << int(FileError::Kind::ReadOnlyFileSystem) << true;
}

void TestSharedFolder::readOnlyFolderSavesInPlaceOrNamesTheFolder()
{
    // Root may create files in any folder; the case is run as another user then.
    QFETCH(int, mode);
    QFETCH(int, kind);
    QFETCH(bool, mounted);
    const passwd* user = mounted ? nullptr : otherUser();
    if (::geteuid() == 0 && !user && !mounted)
        QSKIP("as root, needs another user (LUMORA_OTHER_USER, or nobody)");
    if (mounted && ::geteuid() != 0)
        QSKIP("needs root, to mount");
    QTemporaryDir folder;
    const QString verses = folder.filePath(QStringLiteral("c0002.dat"));
    QFile f(verses);
    if (mode) {
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old\r\n") && f.flush());
        QCOMPARE(::chmod(native(verses), mode_t(mode)), 0);
        if (user)
            QCOMPARE(::chown(native(verses), user->pw_uid, user->pw_gid), 0);
    }
    if (user)
        QCOMPARE(::chown(native(folder.path()), user->pw_uid, user->pw_gid), 0);
    const QByteArray where = QFile::encodeName(folder.path());
    if (mounted) {
        QCOMPARE(::mount(where.constData(), where.constData(), nullptr, MS_BIND, nullptr), 0);
        QCOMPARE(::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                         nullptr), 0);
    } else {
        QCOMPARE(::chmod(native(folder.path()), 0555), 0);
    }
    struct stat before{};
    ::stat(native(verses), &before);
    const auto save = [&]() -> int {
        try {
            SlotVerseFile::write(folder.path(), 2, QStringList(5, QStringLiteral("new")));
            return 0;
        } catch (const FileError& error) {
            return error.path() == (mode ? verses : folder.path()) ? 10 + int(error.kind()) : 1;
        }
    };
    const int got = user ? runAs(user, save) : save();
    if (mounted)
        ::umount2(where.constData(), MNT_DETACH);
    ::chmod(native(folder.path()), 0755);
    QCOMPARE(got, kind < 0 ? 0 : 10 + kind);
    struct stat after{};
    ::stat(native(verses), &after);
    QCOMPARE(bytesOf(verses), kind < 0 ? crlf(QStringList(5, QStringLiteral("new")))
                              : mode ? QByteArray("old\r\n") : QByteArray("<missing>"));
    QCOMPARE(after.st_ino, before.st_ino);
}

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
