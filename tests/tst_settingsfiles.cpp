// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "SlotNames.h"
#include "files/TextFile.h"
#include "files/FileError.h"
#include "settings/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Lumora;

class TestSettingsFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsFourteenSlotNames_data();
    void readsFourteenSlotNames();
    void namedSlots_data();
    void namedSlots();
    void writesSlotNamesAsFourteenLines();
    void readsTheDataFolderFirstLine_data();
    void readsTheDataFolderFirstLine();
    void joinsDataFilePaths_data();
    void joinsDataFilePaths();
    void matchesDataFileNamesInAnyCase();
    void readsCaptionLines();
    void shortCaptionListFailsOnlyPastItsEnd();
};

void TestSettingsFiles::readsFourteenSlotNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QStringList names;
    for (int n = 2; n <= 15; ++n)
        names.append(QStringLiteral("Slot %1").arg(n));
    QTest::newRow("fourteen") << crlf(names) << true;
    QTest::newRow("fifteenth ignored") << crlf(names + QStringList{"extra"}) << true;
    QTest::newRow("last line unterminated") << crlf(names).chopped(2) << true;
    QTest::newRow("thirteen fail") << crlf(names.mid(0, 13)) << false;
    QTest::newRow("LF endings fail") << crlf(names).replace("\r\n", "\n") << false;
}

void TestSettingsFiles::readsFourteenSlotNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    AppFolder app;
    app.write(QStringLiteral("configure.lmr"), bytes);
    const SettingsFiles settings(app.path());
    if (ok) {
        const QStringList names = settings.slotNames();
        QCOMPARE(names.size(), 14);
        QCOMPARE(names.first(), QStringLiteral("Slot 2"));
        QCOMPARE(names.last(), QStringLiteral("Slot 15"));
    } else {
        try {
            settings.slotNames();
            QFAIL("no error");
        } catch (const FileError& error) {
            QCOMPARE(error.kind(), FileError::Kind::PastEndOfFile);
            QCOMPARE(error.path(), app.file(QStringLiteral("configure.lmr")));
        }
    }
}

void TestSettingsFiles::namedSlots_data()
{
    addSlotNameRows();
}

void TestSettingsFiles::namedSlots()
{
    QFETCH(QString, name);
    QFETCH(bool, named);
    QCOMPARE(SettingsFiles::isNamed(name), named);
}

void TestSettingsFiles::writesSlotNamesAsFourteenLines()
{
    AppFolder app;
    app.write(QStringLiteral("configure.lmr"), crlf(QStringList(15, QStringLiteral("x"))));
    const SettingsFiles settings(app.path());
    QStringList names(14, QStringLiteral("open"));
    names[0] = QStringLiteral("Caf\u00E9 \u201CPeace\u201D");
    names[5] = QString();
    TextFile::writeLines(settings.slotNamesPath(), names, Encoding::Cp1252);
    QCOMPARE(app.read(QStringLiteral("configure.lmr")),
             QByteArray("Caf\xe9 \x93Peace\x94\r\nopen\r\nopen\r\nopen\r\nopen\r\n\r\nopen\r\nopen\r\n"
                        "open\r\nopen\r\nopen\r\nopen\r\nopen\r\nopen\r\n"));
    QCOMPARE(settings.slotNames(), names);
}

void TestSettingsFiles::readsTheDataFolderFirstLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("folder");
    QTest::newRow("one line") << QByteArray("/srv/verses\r\n") << QStringLiteral("/srv/verses");
    QTest::newRow("further lines ignored")
        << QByteArray("/a\r\n/b\r\n") << QStringLiteral("/a");
    QTest::newRow("trailing blanks kept") << QByteArray("/a  \r\n") << QStringLiteral("/a  ");
    QTest::newRow("UTF-8 folder")
        << QByteArray("/home/j\xc3\xbcrgen/Vers\xc3\xa9s\r\n")
        << QStringLiteral("/home/j\u00FCrgen/Vers\u00E9s");
    QTest::newRow("empty line") << QByteArray("\r\n") << QString();
    // Whatever the working folder; <app> stands for the application folder.
    QTest::newRow("relative") << QByteArray("data\r\n") << QStringLiteral("<app>/data");
    // Qt would cut the path at the NUL and read /tmp's files. "-": not a valid folder.
    QTest::newRow("NUL byte") << QByteArray("/tmp\0/elsewhere\r\n", 17) << QString("-");
    QTest::newRow("not UTF-8") << QByteArray("/srv/caf\xe9\r\n") << QString("-");
}

void TestSettingsFiles::readsTheDataFolderFirstLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, folder);
    AppFolder app;
    app.write(QStringLiteral("path.lmr"), bytes);
    const SettingsFiles settings(app.path());
    if (folder == QLatin1String("-")) {
        QVERIFY_THROWS_EXCEPTION(FileError, settings.dataFolder());
        return;
    }
    folder.replace(QStringLiteral("<app>"), app.path());
    QCOMPARE(settings.dataFolder(), folder);

    // What is written is read back unchanged.
    TextFile::writeLines(settings.dataFolderPath(), {folder}, Encoding::FileSystem);
    QCOMPARE(settings.dataFolder(), folder);
}

void TestSettingsFiles::joinsDataFilePaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << QStringLiteral("/data") << QStringLiteral("/data/c0002.dat");
    QTest::newRow("root keeps its separator")
        << QStringLiteral("/") << QStringLiteral("//c0002.dat");
    QTest::newRow("trailing separator doubles")
        << QStringLiteral("/data/") << QStringLiteral("/data//c0002.dat");
    QTest::newRow("empty folder means the root") << QString() << QStringLiteral("/c0002.dat");
    QTest::newRow("trailing blanks kept")
        << QStringLiteral("/my data  ") << QStringLiteral("/my data  /c0002.dat");
}

void TestSettingsFiles::joinsDataFilePaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(dataFilePath(folder, QStringLiteral("c0002.dat")), path);
}

void TestSettingsFiles::matchesDataFileNamesInAnyCase()
{
    AppFolder app;
    const SettingsFiles settings(app.path());
    // Shipped in lower case, asked for with a capital.
    QCOMPARE(settings.dataFilePath(QStringLiteral("Cheart.txt")), app.file(QStringLiteral("cheart.txt")));
    // An exact match wins over a case variant.
    app.write(QStringLiteral("Cheart.txt"), "mine");
    QCOMPARE(settings.dataFilePath(QStringLiteral("Cheart.txt")), app.file(QStringLiteral("Cheart.txt")));
    // Nothing matching: the name as asked.
    QCOMPARE(settings.dataFilePath(QStringLiteral("none.txt")), app.file(QStringLiteral("none.txt")));
    // Wildcard characters are just characters.
    QCOMPARE(settings.dataFilePath(QStringLiteral("c*.txt")), app.file(QStringLiteral("c*.txt")));
}

void TestSettingsFiles::readsCaptionLines()
{
    AppFolder app;
    app.writeNumberedCaptions(23);
    const SettingsFiles settings(app.path());
    QCOMPARE(settings.captionLine(1), QStringLiteral("Caption 1"));
    QCOMPARE(settings.captionLine(23), QStringLiteral("Caption 23"));
}

void TestSettingsFiles::shortCaptionListFailsOnlyPastItsEnd()
{
    AppFolder app;
    app.writeNumberedCaptions(22);
    const SettingsFiles settings(app.path());
    QCOMPARE(settings.captionLine(22), QStringLiteral("Caption 22"));
    QVERIFY_THROWS_EXCEPTION(FileError, settings.captionLine(23));
}

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
