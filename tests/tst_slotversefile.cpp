// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "files/ConflictCopies.h"
#include "files/FileError.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotTable.h"
#include "slots/SlotVerseFile.h"

#include <QDir>
#include <QTest>

using namespace Lumora;

class TestSlotVerseFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void slotTableBindsButtonsWindowsAndFiles_data();
    void slotTableBindsButtonsWindowsAndFiles();
    void readsFiveLines_data();
    void readsFiveLines();
    void writesFiveCrLfLines_data();
    void writesFiveCrLfLines();
    void followsTheDataFolderOfTheMoment();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void findsTheCopiesSyncToolsLeave_data();
    void findsTheCopiesSyncToolsLeave();
};

void TestSlotVerseFile::slotTableBindsButtonsWindowsAndFiles_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("verses");
    QTest::newRow("first") << 2 << "Formc2" << "Command22" << "c0002.txt" << "c0002.dat";
    QTest::newRow("out of order button") << 5 << "Formc5" << "Command8" << "c0005.txt" << "c0005.dat";
    QTest::newRow("two digits") << 12 << "Formc12" << "Command9" << "c0012.txt" << "c0012.dat";
    QTest::newRow("last") << 15 << "Formc15" << "Command15" << "c0015.txt" << "c0015.dat";
}

void TestSlotVerseFile::slotTableBindsButtonsWindowsAndFiles()
{
    QFETCH(int, slot);
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, notes);
    QFETCH(QString, verses);
    const SlotRow* row = rowOf(SlotTable::kRows, slot, &SlotRow::slot);
    QVERIFY(row);
    QCOMPARE(qs(row->window), window);
    QCOMPARE(qs(row->nameBox), QStringLiteral("Text%1").arg(slot));
    QCOMPARE(SlotTable::byButton(button), row);
    QCOMPARE(SlotTable::byWindow(window), row);
    QCOMPARE(SlotTable::notesFile(slot), notes);
    QCOMPARE(SlotTable::verseFile(slot), verses);
    QVERIFY(!rowOf(SlotTable::kRows, 1, &SlotRow::slot));
    QVERIFY(!rowOf(SlotTable::kRows, 16, &SlotRow::slot));
}

void TestSlotVerseFile::readsFiveLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("verses"); // empty: the read fails
    const QStringList five{"one", "two", "three", "four", "five"};
    QTest::newRow("five") << crlf(five) << five;
    QTest::newRow("seven, two ignored") << crlf(five + QStringList{"six", "seven"}) << five;
    QTest::newRow("fifth unterminated") << crlf(five).chopped(2) << five;
    QTest::newRow("empty verses") << QByteArray("\r\n\r\n\r\n\r\n\r\n") << QStringList(5, QString());
    QTest::newRow("four lines fail") << crlf(five.mid(0, 4)) << QStringList();
    QTest::newRow("empty file fails") << QByteArray() << QStringList();
    QTest::newRow("LF endings fail") << crlf(five).replace("\r\n", "\n") << QStringList();
}

void TestSlotVerseFile::readsFiveLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, verses);
    AppFolder app;
    app.write(QStringLiteral("c0007.dat"), bytes);
    const SettingsFiles settings(app.path());
    if (verses.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(FileError, SlotVerseFile::read(settings.dataFolder(), 7));
        return;
    }
    QCOMPARE(SlotVerseFile::read(settings.dataFolder(), 7), verses);
}

void TestSlotVerseFile::writesFiveCrLfLines_data()
{
    QTest::addColumn<QStringList>("verses");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("five empty verses are ten bytes")
        << QStringList(5, QString()) << QByteArray("\r\n\r\n\r\n\r\n\r\n");
    QTest::newRow("spaces kept") << QStringList{" a", "b ", "  ", "", "c  d"}
                                 << QByteArray(" a\r\nb \r\n  \r\n\r\nc  d\r\n");
}

void TestSlotVerseFile::writesFiveCrLfLines()
{
    QFETCH(QStringList, verses);
    QFETCH(QByteArray, bytes);
    AppFolder app;
    // A longer file is normalised to five lines.
    app.write(QStringLiteral("c0015.dat"), crlf(QStringList(7, QStringLiteral("old"))));
    const SettingsFiles settings(app.path());
    SlotVerseFile::write(settings.dataFolder(), 15, verses);
    QCOMPARE(app.read(QStringLiteral("c0015.dat")), bytes);
    QCOMPARE(SlotVerseFile::read(settings.dataFolder(), 15), verses);
}

void TestSlotVerseFile::followsTheDataFolderOfTheMoment()
{
    AppFolder app;
    AppFolder other;
    const SettingsFiles settings(app.path());
    const QStringList verses{"1", "2", "3", "4", "5"};
    app.setDataFolder(other.path());
    SlotVerseFile::write(settings.dataFolder(), 2, verses);
    QCOMPARE(other.read(QStringLiteral("c0002.dat")), crlf(verses));
    QVERIFY(app.read(QStringLiteral("c0002.dat")) != crlf(verses));
    // A file that differs only in letter case is the same file.
    QFile::rename(other.file(QStringLiteral("c0002.dat")), other.file(QStringLiteral("C0002.DAT")));
    QCOMPARE(SlotVerseFile::read(settings.dataFolder(), 2), verses);
    SlotVerseFile::write(settings.dataFolder(), 2, QStringList(5, QStringLiteral("x")));
    QVERIFY(!QFile::exists(other.file(QStringLiteral("c0002.dat"))));
    QCOMPARE(other.read(QStringLiteral("C0002.DAT")), crlf(QStringList(5, QStringLiteral("x"))));
}

void TestSlotVerseFile::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<FolderSetup>("fault");
    QTest::addColumn<QString>("verse"); // the fifth verse saved
    QTest::addColumn<int>("kind");
    using K = FileError::Kind;
    const QString fine = QStringLiteral("new");
    QTest::newRow("data folder gone")
        << FolderSetup(Faults::dataFolderMissing) << fine << int(K::PathNotFound);
    QTest::newRow("read-only file") << FolderSetup([](const AppFolder& app) {
        QFile::setPermissions(app.file(QStringLiteral("c0003.dat")), QFile::ReadOwner);
    }) << fine << int(K::PermissionDenied);
    QTest::newRow("text outside the code page") << FolderSetup(Faults::none)
                                                << QStringLiteral("\u05E9\u05DC\u05D5\u05DD")
                                                << int(K::NotEncodable);
    QTest::newRow("path.lmr missing")
        << FolderSetup(Faults::pointerMissing) << fine << int(K::FileNotFound);
    QTest::newRow("data folder is a file")
        << FolderSetup(Faults::dataFolderIsAFile) << fine << int(K::NotAFolder);
}

void TestSlotVerseFile::failedSaveKeepsTheOldFile()
{
    QFETCH(FolderSetup, fault);
    QFETCH(QString, verse);
    QFETCH(int, kind);
    AppFolder app;
    const SettingsFiles settings(app.path());
    const QByteArray before = app.read(QStringLiteral("c0003.dat"));
    fault(app);
    try {
        SlotVerseFile::write(settings.dataFolder(), 3, QStringList(4, QStringLiteral("new")) << verse);
        QFAIL("no error");
    } catch (const FileError& error) {
        QCOMPARE(int(error.kind()), kind);
    }
    QCOMPARE(app.read(QStringLiteral("c0003.dat")), before);
}

void TestSlotVerseFile::findsTheCopiesSyncToolsLeave_data()
{
    QTest::addColumn<QString>("name"); // of a file beside c0004.dat
    QTest::addColumn<QString>("tool");
    QTest::newRow("Syncthing") << "c0004.sync-conflict-20261208-165525-P65PSDR.dat" << "Syncthing";
    QTest::newRow("in other letter case") << "C0004.Sync-Conflict-20261208-165525-p65psdr.DAT" << "Syncthing";
    QTest::newRow("Nextcloud") << "c0004 (conflicted copy ann 2026-12-08 165525).dat" << "Nextcloud or ownCloud";
    QTest::newRow("Dropbox") << "c0004 (Ann's conflicted copy 2026-12-08).dat" << "Dropbox";
    QTest::newRow("the file itself") << "c0004.dat" << "";
    QTest::newRow("another slot's copy") << "c0014.sync-conflict-20261208-165525-P65PSDR.dat" << "";
    QTest::newRow("the notes file's copy") << "c0004.sync-conflict-20261208-165525-P65PSDR.txt" << "";
    QTest::newRow("Syncthing's temporary file") << ".syncthing.c0004.dat.tmp" << "";
}

void TestSlotVerseFile::findsTheCopiesSyncToolsLeave()
{
    QFETCH(QString, name);
    QFETCH(QString, tool);
    QCOMPARE(ConflictCopies::toolOf(name, QStringLiteral("c0004.dat")), tool);
}

QTEST_GUILESS_MAIN(TestSlotVerseFile)
#include "tst_slotversefile.moc"
