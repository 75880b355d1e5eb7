// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "files/FileError.h"
#include "settings/ApplicationFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Lumora;

// An install laid out in a temporary folder: bin/ for the program, share/lumora/ for the
// shipped defaults, home/ for the user's data home.
class TestApplicationFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void settingsBesideTheProgramKeepItThere_data();
    void settingsBesideTheProgramKeepItThere();
    void firstStartSeedsAFolderOfTheUsersOwn();
    void neverOverwritesTheUsersFiles_data();
    void neverOverwritesTheUsersFiles();
    void aFolderThatCannotBeMadeIsReported();

private:
    QString path(const QString& name) const { return m_root->filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QDir(m_root->path()).mkpath(QFileInfo(name).path());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    ApplicationFolder locate() const
    {
        return ApplicationFolder::locate(path(QStringLiteral("bin")), path(QStringLiteral("share/lumora")),
                                         path(QStringLiteral("home")));
    }

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestApplicationFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QDir(m_root->path()).mkpath(QStringLiteral("bin"));
    for (const char* name : {"Rantxt.lmr", "configure.lmr", "c0002.dat", "cheart.txt", "music.mid"})
        write(QStringLiteral("share/lumora/") + QLatin1String(name), QByteArray("shipped ") + name);
}

void TestApplicationFolder::settingsBesideTheProgramKeepItThere_data()
{
    QTest::addColumn<QString>("beside");
    QTest::newRow("caption list") << "Rantxt.lmr";
    QTest::newRow("slot names") << "configure.lmr";
    QTest::newRow("data-folder pointer") << "path.lmr";
    // A program copied alone: the missing settings are reported beside it, as always.
    QTest::newRow("nothing shipped") << "";
}

void TestApplicationFolder::settingsBesideTheProgramKeepItThere()
{
    QFETCH(QString, beside);
    if (beside.isEmpty())
        QDir(path(QStringLiteral("share"))).removeRecursively();
    else
        write(QStringLiteral("bin/") + beside, "mine\r\n");
    const ApplicationFolder folder = locate();
    QCOMPARE(folder.path(), path(QStringLiteral("bin")));
    QCOMPARE(folder.musicFolder(), path(QStringLiteral("bin")));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("home"))));
}

void TestApplicationFolder::firstStartSeedsAFolderOfTheUsersOwn()
{
    const ApplicationFolder folder = locate();
    QCOMPARE(folder.path(), path(QStringLiteral("home/lumora")));
    QCOMPARE(folder.musicFolder(), path(QStringLiteral("share/lumora")));
    QVERIFY(!(QFileInfo(folder.path()).permissions() & (QFile::ReadGroup | QFile::ReadOther)));
    for (const char* name : {"Rantxt.lmr", "configure.lmr", "c0002.dat", "cheart.txt"})
        QCOMPARE(read(QStringLiteral("home/lumora/") + QLatin1String(name)), QByteArray("shipped ") + name);
    QCOMPARE(read(QStringLiteral("home/lumora/path.lmr")), folder.path().toUtf8() + "\r\n");
    // The music is played from where it was installed.
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("home/lumora/music.mid"))));
}

void TestApplicationFolder::neverOverwritesTheUsersFiles_data()
{
    QTest::addColumn<bool>("seeded");
    QTest::newRow("later start, new defaults") << true;
    // A first start cut short left a file or two but no path.lmr: it is completed.
    QTest::newRow("first start cut short") << false;
}

void TestApplicationFolder::neverOverwritesTheUsersFiles()
{
    QFETCH(bool, seeded);
    if (seeded)
        locate();
    write(QStringLiteral("home/lumora/configure.lmr"), "my names\r\n");
    QFile::remove(path(QStringLiteral("home/lumora/c0002.dat")));
    write(QStringLiteral("share/lumora/Rantxt.lmr"), "new captions\r\n");
    locate();
    QCOMPARE(read(QStringLiteral("home/lumora/configure.lmr")), QByteArray("my names\r\n"));
    QCOMPARE(read(QStringLiteral("home/lumora/c0002.dat")),
             seeded ? QByteArray("(missing)") : QByteArray("shipped c0002.dat"));
    QCOMPARE(read(QStringLiteral("home/lumora/Rantxt.lmr")),
             seeded ? QByteArray("shipped Rantxt.lmr") : QByteArray("new captions\r\n"));
}

void TestApplicationFolder::aFolderThatCannotBeMadeIsReported()
{
    write(QStringLiteral("home"), "a file where the data home should be");
    try {
        locate();
        QFAIL("no error");
    } catch (const FileError& error) {
        QCOMPARE(error.path(), path(QStringLiteral("home/lumora")));
    }
}

QTEST_GUILESS_MAIN(TestApplicationFolder)
#include "tst_applicationfolder.moc"
