#include "AppFolder.h"
#include "RecordingOpener.h"
#include "settings/FileError.h"
#include "settings/NotesLauncher.h"
#include "settings/Opener.h"
#include "settings/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    QTest::addColumn<QString>("suffix"); // appended to the folder in path.lmr
    QTest::newRow("spaces") << QStringLiteral("my notes  folder") << QString();
    QTest::newRow("quotes") << QStringLiteral("it's \"here\"") << QString();
    QTest::newRow("semicolon") << QStringLiteral("a;touch pwned") << QString();
    QTest::newRow("command substitution") << QStringLiteral("$(touch pwned)`touch pwned`") << QString();
    QTest::newRow("non-ASCII") << QStringLiteral("Vers\u00E9s \u05D0") << QString();
    QTest::newRow("trailing separator") << QStringLiteral("data") << QStringLiteral("/");
}

void TestNotesLauncher::handsTheEditorOnePathAsItIs()
{
    QFETCH(QString, folderName);
    QFETCH(QString, suffix);
    FakeXdgOpen fake;
    AppFolder app;
    QTemporaryDir work;
    const QString folder = work.filePath(folderName);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(app.file(QStringLiteral("cwisdom.txt")), folder + QStringLiteral("/cwisdom.txt")));
    app.setDataFolder(folder + suffix);

    const SettingsFiles settings(app.path());
    DesktopOpener opener;
    const NotesLauncher notes(settings, opener);
    const QString before = QDir::currentPath();
    QDir::setCurrent(work.path());
    const auto launch = notes.launch(QStringLiteral("cwisdom.txt"));
    QDir::setCurrent(before);

    const QString expected = folder + suffix + QStringLiteral("/cwisdom.txt");
    QCOMPARE(launch.folder, folder + suffix);
    QCOMPARE(launch.path, expected);
    QTRY_VERIFY(fake.called());
    QCOMPARE(fake.arguments(), QStringList{expected});
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
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("kind");
    QTest::newRow("no editor on PATH") << "noeditor" << int(FileError::Kind::LaunchFailed);
    QTest::newRow("data folder missing") << "nofolder" << int(FileError::Kind::PathNotFound);
    QTest::newRow("path.lmr missing") << "nopointer" << int(FileError::Kind::FileNotFound);
    QTest::newRow("path.lmr empty") << "emptypointer" << int(FileError::Kind::PastEndOfFile);
    QTest::newRow("notes name is a folder") << "folder" << int(FileError::Kind::NotAFile);
}

void TestNotesLauncher::reportsWhatKeepsTheEditorFromStarting()
{
    QFETCH(QString, fault);
    QFETCH(int, kind);
    AppFolder app;
    QTemporaryDir emptyBin;
    const QByteArray oldPath = qgetenv("PATH");
    if (fault == QLatin1String("noeditor"))
        qputenv("PATH", QFile::encodeName(emptyBin.path()));
    else if (fault == QLatin1String("nofolder"))
        app.setDataFolder(app.file(QStringLiteral("missing")));
    else if (fault == QLatin1String("nopointer"))
        QFile::remove(app.file(QStringLiteral("path.lmr")));
    else if (fault == QLatin1String("emptypointer"))
        app.write(QStringLiteral("path.lmr"), QByteArray());
    else if (fault == QLatin1String("folder"))
        QDir(app.path()).mkdir(QStringLiteral("cword.txt.d"));

    const SettingsFiles settings(app.path());
    DesktopOpener opener;
    const NotesLauncher notes(settings, opener);
    const QString name = fault == QLatin1String("folder") ? QStringLiteral("cword.txt.d")
                                                         : QStringLiteral("cword.txt");
    try {
        notes.launch(name);
        qputenv("PATH", oldPath);
        QFAIL("no error");
    } catch (const FileError& error) {
        qputenv("PATH", oldPath);
        QCOMPARE(int(error.kind()), kind);
        QVERIFY(!error.message().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestNotesLauncher)
#include "tst_noteslauncher.moc"
