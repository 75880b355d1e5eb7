// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "config/Relocation.h"
#include "files/FileError.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotVerseFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
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
    void linkPlantedByAnotherUserIsNotFollowed();
    void rootSaveLeavesTheUsersFilesTheirs();
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
    QTest::newRow("slot verse file") << "race-slot";
    QTest::newRow("settings files") << "race-settings";
}

void TestSharedFolder::twoProgramsSavingAtOnceLoseNothing()
{
    // Each save adds one to a count in the file, checked against what it read: every save
    // either lands on what it saw or is refused, so the count is the number that landed.
    QFETCH(QString, mode);
    const int rounds = qEnvironmentVariable("LUMORA_RACE_ROUNDS", QStringLiteral("200")).toInt();
    AppFolder app;
    const SettingsFiles settings(app.path());
    if (mode == QLatin1String("race-slot"))
        SlotVerseFile::write(settings.dataFolder(), 2, {"0", "", "", "", ""});
    else
        settings.writeDataFolderAndSlotNames(app.path(), QStringList(14, QStringLiteral("0")));
    QProcess first, second;
    for (QProcess* p : {&first, &second}) // at once
        p->start(QStringLiteral(LUMORA_SAVE_LOOP), {mode, app.path(), QString::number(rounds)});
    int wins = 0, refused = 0;
    for (QProcess* p : {&first, &second}) {
        QVERIFY(p->waitForFinished(600000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        const QList<QByteArray> said = p->readAllStandardOutput().simplified().split(' ');
        QCOMPARE(said.size(), 4);
        wins += said[1].toInt();
        refused += said[3].toInt();
    }
    QCOMPARE(wins + refused, 2 * rounds);
    if (mode == QLatin1String("race-slot")) {
        QCOMPARE(SlotVerseFile::read(settings.dataFolder(), 2).constFirst().toInt(), wins);
    } else {
        const QString count = settings.slotNames().constFirst();
        QCOMPARE(count.toInt(), wins);
        QCOMPARE(settings.dataFolder(), app.path() + u'/' + count);
    }
    qInfo("race: %s %d saves, %d landed, %d refused, 0 lost", qPrintable(mode), 2 * rounds,
          wins, refused);
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

void TestSharedFolder::linkPlantedByAnotherUserIsNotFollowed()
{
    // A shared data folder such as /tmp: anyone may create entries, each his own.
    const passwd* other = otherUser();
    if (!other)
        QSKIP("needs root and another user (LUMORA_OTHER_USER, or nobody)");
    AppFolder app;
    QTemporaryDir root;
    const QString shared = root.filePath(QStringLiteral("shared"));
    const QString secret = root.filePath(QStringLiteral("secret"));
    QVERIFY(QDir().mkpath(shared));
    QCOMPARE(::chmod(native(shared), 01777), 0);
    QFile f(secret);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("the victim's own\n") && f.flush());
    const QString link = shared + QStringLiteral("/c0002.dat");
    QVERIFY(QFile::link(secret, link));
    QCOMPARE(::lchown(native(link), other->pw_uid, other->pw_gid), 0);
    app.setDataFolder(shared);

    QString saving; // why the slot save failed
    try {
        SlotVerseFile::write(shared, 2, QStringList(5, QStringLiteral("x")));
    } catch (const FileError& error) {
        saving = error.message();
    }
    for (const QString& failure : {saving, Relocation::run(app.path()).failure}) {
        QVERIFY2(failure.startsWith(QStringLiteral("Link not followed: ") + link) &&
                     failure.contains(QString::fromLocal8Bit(other->pw_name)),
                 qPrintable(failure));
    }
    QCOMPARE(bytesOf(secret), QByteArray("the victim's own\n"));
}

void TestSharedFolder::rootSaveLeavesTheUsersFilesTheirs()
{
    const passwd* user = otherUser();
    if (!user)
        QSKIP("needs root and another user (LUMORA_OTHER_USER, or nobody)");
    AppFolder app;
    QTemporaryDir home;
    QCOMPARE(::chown(native(home.path()), user->pw_uid, user->pw_gid), 0);
    app.setDataFolder(home.path());
    const QString verses = home.filePath(QStringLiteral("c0002.dat"));
    QFile f(verses);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("1\r\n2\r\n3\r\n4\r\n5\r\n") && f.flush());
    QCOMPARE(::chown(native(verses), user->pw_uid, user->pw_gid), 0);
    QCOMPARE(::chmod(native(verses), 0604), 0);

    const SettingsFiles settings(app.path());
    SlotVerseFile::write(settings.dataFolder(), 2, QStringList(5, QStringLiteral("root was here")));
    QCOMPARE(Relocation::run(app.path()).outcome, Relocation::Result::Outcome::Copied);
    // The saved file and every copied one, new ones included, are the user's.
    struct stat st;
    for (const QString& name : QDir(home.path()).entryList(QDir::Files)) {
        QCOMPARE(::stat(native(home.path() + u'/' + name), &st), 0);
        QVERIFY2(st.st_uid == user->pw_uid && st.st_gid == user->pw_gid, qPrintable(name));
    }
    QCOMPARE(::stat(native(verses), &st), 0);
    QCOMPARE(st.st_mode & 07777, 0604u);
}

void TestSharedFolder::readOnlyFolderSavesInPlaceOrNamesTheFolder_data()
{
    QTest::addColumn<int>("mode"); // of the slot verse file; 0: none
    QTest::addColumn<int>("kind"); // -1: saved
    QTest::newRow("writable file") << 0644 << -1;
    QTest::newRow("read-only file") << 0444 << int(FileError::Kind::PermissionDenied);
    // Then the error names the folder, where no file can be made.
    QTest::newRow("no file yet") << 0 << int(FileError::Kind::PermissionDenied);
}

void TestSharedFolder::readOnlyFolderSavesInPlaceOrNamesTheFolder()
{
    // Root may create files in any folder; the case is run as another user then.
    QFETCH(int, mode);
    QFETCH(int, kind);
    const passwd* user = otherUser();
    if (::geteuid() == 0 && !user)
        QSKIP("as root, needs another user (LUMORA_OTHER_USER, or nobody)");
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
    QCOMPARE(::chmod(native(folder.path()), 0555), 0);
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
