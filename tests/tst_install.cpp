// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "config/Relocation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Installs into a temporary home as a user would, with the real script and the real
// program; and as a packager would, with cmake --install.
class TestInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void installsAFolderAndAMenuEntry();
    void reinstallKeepsTheUsersFiles();
    void startsFromAnyWorkingFolder_data();
    void startsFromAnyWorkingFolder();
    void uninstallKeepsWhatTheUserChanged();
    void installsForAPackager_data();
    void installsForAPackager();

private:
    int script(const QStringList& args);
    QByteArray read(const QString& path);

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_folder;
};

void TestInstall::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    // A folder with a blank in its name, as people have.
    m_folder = m_home->filePath(QStringLiteral("My Lumora"));
}

int TestInstall::script(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home->path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LUMORA_SOURCE_DIR "/tools/install-user.sh"), args);
    process.waitForFinished(60000);
    if (process.exitCode() != 0)
        qWarning() << process.readAllStandardError();
    return process.exitCode();
}

QByteArray TestInstall::read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestInstall::installsAFolderAndAMenuEntry()
{
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    const QDir folder(m_folder);
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("lumora"))).isExecutable());
    for (const QString& name : Lumora::Relocation::files() + QStringList{"Rantxt.lmr", "configure.lmr",
                                                                 "music.mid", "music2.mid"})
        QVERIFY2(folder.exists(name), qPrintable(name));
    QCOMPARE(read(folder.filePath(QStringLiteral("path.lmr"))), m_folder.toUtf8() + "\r\n");
    // Shipped files keep their bytes, CR LF endings included.
    QCOMPARE(read(folder.filePath(QStringLiteral("c0002.dat"))),
             read(QStringLiteral(LUMORA_DATA_DIR "/c0002.dat")));
    QVERIFY(read(folder.filePath(QStringLiteral("configure.lmr"))).endsWith("open\r\n"));

    // The package's entry and icon names, so that with both installed the menu shows one.
    const QString entry = m_home->filePath(
        QStringLiteral(".local/share/applications/io.github.lumora.Lumora.desktop"));
    const QByteArray desktop = read(entry);
    QVERIFY(desktop.contains("Exec=\"" + m_folder.toUtf8() + "/lumora\"\n"));
    QVERIFY(desktop.contains("Icon=io.github.lumora.Lumora\n"));
    QVERIFY(desktop.contains("StartupWMClass=Lumora\n"));
    for (const char* icon : {"16x16/apps/io.github.lumora.Lumora.png",
                             "256x256/apps/io.github.lumora.Lumora.png",
                             "scalable/apps/io.github.lumora.Lumora.svg"})
        QVERIFY2(QFile::exists(m_home->filePath(".local/share/icons/hicolor/" + QString(icon))), icon);
    QProcess file;
    file.start(QStringLiteral("file"), {folder.filePath(QStringLiteral("lumora"))});
    QVERIFY(file.waitForFinished());
    QVERIFY2(file.readAll().contains(", stripped"), "the program is installed stripped");
}

void TestInstall::reinstallKeepsTheUsersFiles()
{
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    const QDir folder(m_folder);
    const QList<std::pair<QString, QByteArray>> mine = {
        {"configure.lmr", QByteArray("Peace\r\n").repeated(14)},
        {"path.lmr", m_home->path().toUtf8() + "/elsewhere\r\n"},
        {"c0002.dat", QByteArray("mine\r\n").repeated(5)},
        {"cheart.txt", "my notes"}};
    for (const auto& [name, bytes] : mine) {
        QFile f(folder.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    for (const auto& [name, bytes] : mine)
        QCOMPARE(read(folder.filePath(name)), bytes);
}

void TestInstall::startsFromAnyWorkingFolder_data()
{
    QTest::addColumn<bool>("broken");
    QTest::newRow("settings beside the program") << false;
    QTest::newRow("caption list missing") << true;
}

void TestInstall::startsFromAnyWorkingFolder()
{
    QFETCH(bool, broken);
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    if (broken)
        QFile::remove(m_folder + QStringLiteral("/Rantxt.lmr"));
    QProcess lumora;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    lumora.setProcessEnvironment(env);
    // A working folder with no settings files: a program that looked for them there, not
    // beside itself, would fail to start.
    lumora.setWorkingDirectory(QDir::rootPath());
    lumora.start(m_folder + QStringLiteral("/lumora"), {});
    QVERIFY(lumora.waitForStarted());
    // A start that fails says so at once; a good one keeps running with its window.
    const bool ended = lumora.waitForFinished(1500);
    const QByteArray errors = lumora.readAllStandardError();
    if (!ended) {
        lumora.kill();
        lumora.waitForFinished();
    }
    if (broken) {
        QVERIFY2(errors.contains("File not found: " + m_folder.toUtf8() + "/Rantxt.lmr"), errors);
    } else {
        QVERIFY2(!ended, errors);
        QVERIFY2(!errors.contains("Lumora:"), errors);
    }
}

void TestInstall::uninstallKeepsWhatTheUserChanged()
{
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    QTemporaryDir dataElsewhere;
    QFile verses(dataElsewhere.filePath(QStringLiteral("c0002.dat")));
    verses.open(QIODevice::WriteOnly);
    verses.write("kept\r\n");
    verses.close();
    QFile changed(m_folder + QStringLiteral("/c0003.dat"));
    changed.open(QIODevice::WriteOnly);
    changed.write("changed\r\n");
    changed.close();

    QCOMPARE(script({QStringLiteral("--uninstall"), m_folder}), 0);
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList{"c0003.dat"});
    QVERIFY(QFile::exists(dataElsewhere.filePath(QStringLiteral("c0002.dat"))));
    QCOMPARE(QDir(m_home->filePath(QStringLiteral(".local/share/applications")))
                 .entryList({"*.desktop"}, QDir::Files),
             QStringList{});
    QVERIFY(!QFile::exists(m_home->filePath(
        QStringLiteral(".local/share/icons/hicolor/scalable/apps/io.github.lumora.Lumora.svg"))));

    // With nothing of the user's left, the folder goes too.
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    QCOMPARE(script({QStringLiteral("--uninstall"), m_folder}), 0);
    QVERIFY(QDir(m_folder).entryList(QDir::Files | QDir::Hidden) == QStringList{"c0003.dat"});
    QFile::remove(m_folder + QStringLiteral("/c0003.dat"));
    QCOMPARE(script({QStringLiteral(LUMORA_BUILD_DIR), m_folder}), 0);
    QCOMPARE(script({QStringLiteral("--uninstall"), m_folder}), 0);
    QVERIFY(!QFileInfo::exists(m_folder));
}

void TestInstall::installsForAPackager_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("destdir");
    QTest::newRow("relative prefix") << "stage" << "";
    QTest::newRow("DESTDIR") << "/usr" << "stage";
}

void TestInstall::installsForAPackager()
{
    QFETCH(QString, prefix);
    QFETCH(QString, destdir);
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), destdir.isEmpty() ? QString() : m_home->filePath(destdir));
    install.setProcessEnvironment(env);
    install.setWorkingDirectory(m_home->path());
    install.start(QStringLiteral("cmake"), {"--install", LUMORA_BUILD_DIR, "--prefix", prefix});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError());

    // The manifest names every file installed, where it will be used (without DESTDIR).
    const QString root = m_home->filePath(destdir.isEmpty() ? prefix : destdir + prefix);
    const QString usedAt = destdir.isEmpty() ? root : prefix;
    QStringList installed;
    QDirIterator files(root, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        installed.append(usedAt + files.next().mid(root.size()));
    QStringList listed = QString::fromUtf8(read(QStringLiteral(LUMORA_BUILD_DIR "/install_manifest.txt")))
                             .split(u'\n', Qt::SkipEmptyParts);
    installed.sort();
    listed.sort();
    QCOMPARE(listed, installed);
    for (const char* file : {"/bin/lumora", "/share/lumora/Rantxt.lmr", "/share/man/man1/lumora.1"})
        QVERIFY2(installed.contains(usedAt + QLatin1String(file)), file);

    // Started from the root folder, the installed program makes the user's folder from its
    // shipped defaults, wherever it was installed.
    QProcess lumora;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home->filePath(QStringLiteral("data home")));
    lumora.setProcessEnvironment(env);
    lumora.setWorkingDirectory(QDir::rootPath());
    lumora.start(root + QStringLiteral("/bin/lumora"), {});
    QVERIFY(lumora.waitForStarted());
    const QString folder = m_home->filePath(QStringLiteral("data home/lumora"));
    QTRY_COMPARE_WITH_TIMEOUT(read(folder + QStringLiteral("/path.lmr")), folder.toUtf8() + "\r\n", 10000);
    QVERIFY2(lumora.state() == QProcess::Running, lumora.readAllStandardError());
    lumora.kill();
    lumora.waitForFinished();
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
