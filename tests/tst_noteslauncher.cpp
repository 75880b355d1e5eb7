// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "RecordingOpener.h"
#include "files/FileError.h"
#include "notes/NotesLauncher.h"
#include "notes/Opener.h"
#include "settings/SettingsFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace Lumora;

// Puts a stand-in xdg-open first on PATH that writes down the arguments it got.
class FakeXdgOpen
{
public:
    FakeXdgOpen() : m_oldPath(qgetenv("PATH"))
    {
        m_log = m_bin.filePath(QStringLiteral("args"));
        QFile script(m_bin.filePath(QStringLiteral("xdg-open")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\n"
                     "printf '%s\\0' \"$#\" \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"" +
                     QFile::encodeName(m_log) + "\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_oldPath);
    }
    ~FakeXdgOpen() { qputenv("PATH", m_oldPath); }

    // The arguments of the one call, once it has happened.
    QStringList arguments() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> parts = f.readAll().split('\0');
        parts.removeLast();
        QStringList args;
        for (qsizetype i = 1; i < parts.size(); ++i)
            args.append(QFile::decodeName(parts[i]));
        return parts.isEmpty() || parts.first().toInt() != args.size() ? QStringList{"bad log"}
                                                                       : args;
    }
    bool called() const { return QFile::exists(m_log); }

private:
    QTemporaryDir m_bin;
    QString m_log;
    QByteArray m_oldPath;
};

class TestNotesLauncher : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void handsTheEditorOnePathAsItIs_data();
    void handsTheEditorOnePathAsItIs();
    void opensTheExistingFileInAnyCase();
    void createsAMissingNotesFileEmpty();
    void reportsWhatKeepsTheEditorFromStarting_data();
    void reportsWhatKeepsTheEditorFromStarting();
};

void TestNotesLauncher::handsTheEditorOnePathAsItIs_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("suffix");   // appended to the folder in path.lmr
    QTest::addColumn<QString>("spelling"); // how path.lmr names it: absolute, relative, link
    QTest::addColumn<QString>("argument"); // what the editor gets, %1 the path read
    const QString absolute = QStringLiteral("absolute");
    const QString same = QStringLiteral("%1");
    QTest::newRow("spaces") << QStringLiteral("my notes  folder") << QString() << absolute << same;
    QTest::newRow("quotes") << QStringLiteral("it's \"here\"") << QString() << absolute << same;
    QTest::newRow("semicolon") << QStringLiteral("a;touch pwned") << QString() << absolute << same;
    QTest::newRow("command substitution")
        << QStringLiteral("$(touch pwned)`touch pwned`") << QString() << absolute << same;
    QTest::newRow("non-ASCII") << QStringLiteral("Vers\u00E9s \u05D0") << QString() << absolute
                               << same;
    QTest::newRow("trailing separator")
        << QStringLiteral("data") << QStringLiteral("/") << absolute << same;
    QTest::newRow("line feed") << QStringLiteral("two\nlines") << QString() << absolute << same;
    QTest::newRow("leading dash inside an absolute path")
        << QStringLiteral("--help") << QString() << absolute << same;
    // A relative folder lies in the application folder, whatever the working folder.
    QTest::newRow("leading dash, relative") << QStringLiteral("-rf data") << QString()
                                            << QStringLiteral("relative") << same;
    QTest::newRow("relative") << QStringLiteral("notes") << QString() << QStringLiteral("relative")
                              << same;
    QTest::newRow("symbolic link to the folder")
        << QStringLiteral("real") << QString() << QStringLiteral("link") << same;
}

void TestNotesLauncher::handsTheEditorOnePathAsItIs()
{
    QFETCH(QString, folderName);
    QFETCH(QString, suffix);
    QFETCH(QString, spelling);
    QFETCH(QString, argument);
    FakeXdgOpen fake;
    AppFolder app;
    QTemporaryDir work;
    const bool relative = spelling == QLatin1String("relative");
    const QString folder = relative ? app.file(folderName) : work.filePath(folderName);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(app.file(QStringLiteral("cwisdom.txt")), folder + QStringLiteral("/cwisdom.txt")));
    QString stored = folder + suffix;
    if (relative) {
        stored = folderName + suffix;
    } else if (spelling == QLatin1String("link")) {
        stored = work.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(folder, stored));
    }
    app.setDataFolder(stored);

    const SettingsFiles settings(app.path());
    DesktopOpener opener;
    const NotesLauncher notes(settings, opener);
    const QString before = QDir::currentPath();
    QDir::setCurrent(work.path());
    const auto launch = notes.launch(QStringLiteral("cwisdom.txt"));
    QDir::setCurrent(before);

    const QString read = relative ? app.file(stored) : stored;
    const QString expected = read + QStringLiteral("/cwisdom.txt");
    QCOMPARE(launch.folder, read);
    QCOMPARE(launch.path, expected);
    QTRY_VERIFY(fake.called());
    const QStringList arguments = fake.arguments();
    QCOMPARE(arguments, QStringList{argument.arg(expected)});
    // Whatever its spelling, the argument is the notes file itself.
    const QFileInfo named(QDir(work.path()).filePath(arguments.constFirst()));
    QCOMPARE(named.canonicalFilePath(),
             QFileInfo(folder + QStringLiteral("/cwisdom.txt")).canonicalFilePath());
    QVERIFY(!QFile::exists(work.filePath(QStringLiteral("pwned"))));
    QVERIFY(!QFile::exists(app.file(QStringLiteral("pwned"))));
}

void TestNotesLauncher::opensTheExistingFileInAnyCase()
{
    AppFolder app;
    RecordingOpener opener;
    const SettingsFiles settings(app.path());
    const NotesLauncher notes(settings, opener);
    const QByteArray before = app.read(QStringLiteral("cheart.txt"));
    notes.launch(QStringLiteral("Cheart.txt"));
    QCOMPARE(opener.opened, QStringList{app.file(QStringLiteral("cheart.txt"))});
    QCOMPARE(app.read(QStringLiteral("cheart.txt")), before);
    QVERIFY(!QFile::exists(app.file(QStringLiteral("Cheart.txt"))));
}

void TestNotesLauncher::createsAMissingNotesFileEmpty()
{
    AppFolder app;
    QTemporaryDir empty;
    app.setDataFolder(empty.path());
    RecordingOpener opener;
    const SettingsFiles settings(app.path());
    const NotesLauncher notes(settings, opener);
    notes.launch(QStringLiteral("Cten.txt"));
    const QString created = empty.filePath(QStringLiteral("cten.txt"));
    QCOMPARE(opener.opened, QStringList{created});
    QVERIFY(QFile::exists(created));
    QCOMPARE(QFileInfo(created).size(), 0);
}

void TestNotesLauncher::reportsWhatKeepsTheEditorFromStarting_data()
{
    QTest::addColumn<FolderSetup>("fault");
    QTest::addColumn<QString>("name"); // of the notes file asked for
    QTest::addColumn<int>("kind");
    using K = FileError::Kind;
    const QString word = QStringLiteral("cword.txt");
    QTest::newRow("no editor on PATH") << FolderSetup([](const AppFolder&) {
        qputenv("PATH", "/nonexistent-lumora-bin");
    }) << word << int(K::LaunchFailed);
    QTest::newRow("data folder missing")
        << FolderSetup(Faults::dataFolderMissing) << word << int(K::PathNotFound);
    QTest::newRow("path.lmr missing")
        << FolderSetup(Faults::pointerMissing) << word << int(K::FileNotFound);
    QTest::newRow("path.lmr empty")
        << FolderSetup(Faults::pointerEmpty) << word << int(K::PastEndOfFile);
    QTest::newRow("notes name is a folder") << FolderSetup([](const AppFolder& app) {
        QDir(app.path()).mkdir(QStringLiteral("cword.txt.d"));
    }) << QStringLiteral("cword.txt.d") << int(K::NotAFile);
    QTest::newRow("a folder under the name in lower case") << FolderSetup([](const AppFolder& app) {
        QVERIFY(QFile::remove(app.file(QStringLiteral("cword.txt"))) &&
                QDir(app.path()).mkdir(QStringLiteral("cword.txt")));
    }) << QStringLiteral("Cword.txt") << int(K::NotAFile);
    QTest::newRow("a named pipe under the name in upper case")
        << FolderSetup([](const AppFolder& app) {
               QVERIFY(QFile::remove(app.file(QStringLiteral("cword.txt"))) &&
                       ::mkfifo(QFile::encodeName(app.file(QStringLiteral("CWORD.TXT"))), 0600) == 0);
           })
        << word << int(K::NotAFile);
    QTest::newRow("data folder is a file")
        << FolderSetup(Faults::dataFolderIsAFile) << word << int(K::NotAFolder);
    QTest::newRow("notes file is a link to nothing") << FolderSetup([](const AppFolder& app) {
        QFile::remove(app.file(QStringLiteral("cword.txt")));
        QFile::link(app.file(QStringLiteral("nowhere/cword.txt")),
                    app.file(QStringLiteral("cword.txt")));
    }) << word << int(K::FileNotFound);
    // Found out after the launch, from the opener's exit status: -1, none.
    const auto opener = [](const char* ends) {
        return FolderSetup([ends](const AppFolder& app) {
            QDir(app.path()).mkdir(QStringLiteral("bin"));
            QFile script(app.file(QStringLiteral("bin/xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QByteArray("#!/bin/sh\necho \"xdg-open: no method available for opening "
                                    "'$1'\" >&2\n") + ends + "\n");
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
            qputenv("PATH", QFile::encodeName(app.file(QStringLiteral("bin"))) + ":/usr/bin:/bin");
        });
    };
    QTest::newRow("no application for text files") << opener("exit 3") << word << int(K::OpenFailed);
    QTest::newRow("the opener killed") << opener("kill -9 $$") << word << int(K::OpenFailed);
    QTest::newRow("an editor that stays open") << opener("sleep 3") << word << -1;
}

void TestNotesLauncher::reportsWhatKeepsTheEditorFromStarting()
{
    QFETCH(FolderSetup, fault);
    QFETCH(QString, name);
    QFETCH(int, kind);
    AppFolder app;
    const QByteArray oldPath = qgetenv("PATH");
    fault(app);
    const QStringList filesBefore =
        QDir(app.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);

    const SettingsFiles settings(app.path());
    std::optional<FileError> reported;
    DesktopOpener opener([&reported](const FileError& error) { reported = error; });
    const NotesLauncher notes(settings, opener);
    try {
        QElapsedTimer launching;
        launching.start();
        notes.launch(name);
        qputenv("PATH", oldPath);
        QVERIFY(launching.elapsed() < 1000);
        QTest::qWait(kind < 0 ? 1000 : 0);
        QTRY_COMPARE(reported.has_value(), kind >= 0);
        if (kind >= 0) {
            QCOMPARE(int(reported->kind()), kind);
            QCOMPARE(reported->path(), app.file(name));
            QVERIFY2(reported->message().contains(QTest::currentDataTag()[0] == 'n'
                                                      ? "(status 3). It said:\nxdg-open: no method"
                                                      : "xdg-open ended abnormally."),
                     qPrintable(reported->message()));
        }
    } catch (const FileError& error) {
        qputenv("PATH", oldPath);
        QCOMPARE(int(error.kind()), kind);
        QVERIFY(!error.message().isEmpty());
    }
    // A failed launch creates nothing, not even the folder it missed.
    QCOMPARE(QDir(app.path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             filesBefore);
}

QTEST_GUILESS_MAIN(TestNotesLauncher)
#include "tst_noteslauncher.moc"
