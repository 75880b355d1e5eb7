// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FileSizeLimit.h"
#include "files/FileError.h"
#include "files/FileSave.h"
#include "files/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace Lumora;

Q_DECLARE_METATYPE(Lumora::Encoding)

class TestTextFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void readsLinesByTheirEndings_data();
    void readsLinesByTheirEndings();
    void findsEndingsAcrossReadChunks_data();
    void findsEndingsAcrossReadChunks();
    void reportsMissingLinesAndFiles_data();
    void reportsMissingLinesAndFiles();
    void refusesOverlongLines();
    void writesCrLfLinesExactly_data();
    void writesCrLfLinesExactly();
    void failedWriteLeavesOldFileWhole_data();
    void failedWriteLeavesOldFileWhole();
    void writingTogetherReplacesAllOrNone_data();
    void writingTogetherReplacesAllOrNone();
    void writesOnlyWhatTheReaderSaw_data();
    void writesOnlyWhatTheReaderSaw();

private:
    QString put(const QByteArray& bytes);
    QByteArray bytesOf(const QString& path);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestTextFile::put(const QByteArray& bytes)
{
    const QString path = m_dir->filePath(QStringLiteral("file.txt"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray TestTextFile::bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestTextFile::readsLinesByTheirEndings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines"); // every line the file holds

    QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
    QTest::newRow("CR alone") << QByteArray("one\rtwo\r") << QStringList{"one", "two"};
    QTest::newRow("lone LF is a character")
        << QByteArray("one\ntwo\r\n") << QStringList{"one\ntwo"};
    QTest::newRow("LF only file is one line")
        << QByteArray("a\nb\nc\n") << QStringList{"a\nb\nc\n"};
    QTest::newRow("no final terminator") << QByteArray("one\r\ntwo") << QStringList{"one", "two"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << QStringList{"a\n", "b"};
    QTest::newRow("spaces kept")
        << QByteArray("  lead\r\ntrail  \r\n   \r\n") << QStringList{"  lead", "trail  ", "   "};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("Windows-1252 text")
        << QByteArray("\x93quoted\x94 \x96 caf\xe9\r\n")
        << QStringList{QStringLiteral("\u201Cquoted\u201D \u2013 caf\u00E9")};
    QTest::newRow("NUL is a character") << QByteArray("a\0b\r\n", 5) << QStringList{QString("a") + QChar(0) + "b"};
}

void TestTextFile::readsLinesByTheirEndings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString path = put(bytes);

    LineReader reader(path, Encoding::Cp1252);
    QStringList read;
    while (!reader.atEnd())
        read.append(reader.next());
    QCOMPARE(read, lines);
    QVERIFY_THROWS_EXCEPTION(FileError, reader.next());

    if (!lines.isEmpty())
        QCOMPARE(TextFile::readLines(path, int(lines.size()), Encoding::Cp1252), lines);
}

void TestTextFile::findsEndingsAcrossReadChunks_data()
{
    QTest::addColumn<int>("firstLength");
    QTest::addColumn<QByteArray>("ending");
    // The reader fills its buffer 64 KiB at a time; put the ending on the seam.
    const int chunk = 64 * 1024;
    QTest::newRow("CR LF split over the seam") << chunk - 1 << QByteArray("\r\n");
    QTest::newRow("CR LF just after the seam") << chunk << QByteArray("\r\n");
    QTest::newRow("lone CR at the seam") << chunk - 1 << QByteArray("\r");
    QTest::newRow("line longer than a chunk") << 3 * chunk + 17 << QByteArray("\r\n");
}

void TestTextFile::findsEndingsAcrossReadChunks()
{
    QFETCH(int, firstLength);
    QFETCH(QByteArray, ending);
    const QByteArray first(firstLength, 'x');
    const QString path = put(first + ending + "second\r\n");
    QCOMPARE(TextFile::readLines(path, 2, Encoding::Cp1252),
             (QStringList{QString::fromLatin1(first), QStringLiteral("second")}));
}

void TestTextFile::reportsMissingLinesAndFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("kind");
    using K = FileError::Kind;
    QTest::newRow("fewer lines than asked")
        << QByteArray("a\r\nb\r\n") << QStringLiteral("file.txt") << 3 << int(K::PastEndOfFile);
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("file.txt") << 1
                                << int(K::PastEndOfFile);
    QTest::newRow("LF endings read as one line")
        << QByteArray("a\nb\n") << QStringLiteral("file.txt") << 2 << int(K::PastEndOfFile);
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("absent.txt") << 1
                                  << int(K::FileNotFound);
    QTest::newRow("missing folder") << QByteArray() << QStringLiteral("nowhere/absent.txt") << 1
                                    << int(K::PathNotFound);
    QTest::newRow("a folder, not a file") << QByteArray() << QString() << 1 << int(K::NotAFile);
    QTest::newRow("a named pipe, not a file") << QByteArray() << QStringLiteral("pipe") << 1
                                              << int(K::NotAFile);
}

void TestTextFile::reportsMissingLinesAndFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(int, kind);
    put(bytes);
    const QString path = name.isEmpty() ? m_dir->path() : m_dir->filePath(name);
    if (name == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    try {
        TextFile::readLines(path, count, Encoding::Cp1252);
        QFAIL("no error");
    } catch (const FileError& error) {
        QCOMPARE(int(error.kind()), kind);
        QCOMPARE(error.path(), path);
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
}

void TestTextFile::refusesOverlongLines()
{
    QByteArray huge(LineReader::kMaxLineBytes + 10, 'v');
    const QString path = put("short\r\n" + huge + "\r\nafter\r\n");
    LineReader reader(path, Encoding::Cp1252);
    QCOMPARE(reader.next(), QStringLiteral("short"));
    try {
        reader.next();
        QFAIL("no error");
    } catch (const FileError& error) {
        QCOMPARE(error.kind(), FileError::Kind::LineTooLong);
    }
}

void TestTextFile::writesCrLfLinesExactly_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Encoding>("encoding");
    QTest::newRow("five empty lines") << QStringList(5, QString()) << QByteArray("\r\n\r\n\r\n\r\n\r\n")
                                      << Encoding::Cp1252;
    QTest::newRow("spaces kept") << QStringList{"  a  ", " "} << QByteArray("  a  \r\n \r\n")
                                 << Encoding::Cp1252;
    QTest::newRow("Windows-1252 bytes")
        << QStringList{QStringLiteral("\u2018x\u2019 \u20AC \u00E9")}
        << QByteArray("\x91x\x92 \x80 \xe9\r\n") << Encoding::Cp1252;
    QTest::newRow("path in UTF-8") << QStringList{QStringLiteral("/home/z\u00FC/\u05D0 data")}
                                   << QByteArray("/home/z\xc3\xbc/\xd7\x90 data\r\n")
                                   << Encoding::FileSystem;
    QTest::newRow("lone LF stays a character")
        << QStringList{"a\nb"} << QByteArray("a\nb\r\n") << Encoding::Cp1252;
}

void TestTextFile::writesCrLfLinesExactly()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QFETCH(Encoding, encoding);
    const QString path = m_dir->filePath(QStringLiteral("out.txt"));
    TextFile::writeLines(path, lines, encoding);
    QCOMPARE(bytesOf(path), bytes);
    QCOMPARE(TextFile::readLines(path, int(lines.size()), encoding), lines);
}

namespace {

// What keeps a file from being replaced.
enum class Trouble { None, ReadOnly, FolderVanished, DiskFull, RenameFails };

} // namespace

Q_DECLARE_METATYPE(Trouble)

void TestTextFile::failedWriteLeavesOldFileWhole_data()
{
    QTest::addColumn<Trouble>("trouble");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("kind");
    using K = FileError::Kind;
    QTest::newRow("character outside the code page")
        << Trouble::None << QStringList{"fine", QStringLiteral("not \u2713")} << int(K::NotEncodable);
    QTest::newRow("line break inside a line")
        << Trouble::None << QStringList{"a\rb"} << int(K::NotEncodable);
    QTest::newRow("read-only file") << Trouble::ReadOnly << QStringList{"new"}
                                    << int(K::PermissionDenied);
    QTest::newRow("folder vanished") << Trouble::FolderVanished << QStringList{"new"}
                                     << int(K::PathNotFound);
    // Qt's save file renames a file cut short by a full disk into place unless the
    // writer flushes and checks first.
    QTest::newRow("disk full") << Trouble::DiskFull << QStringList(40, QStringLiteral("line"))
                               << int(K::WriteFailed);
}

void TestTextFile::failedWriteLeavesOldFileWhole()
{
    QFETCH(Trouble, trouble);
    QFETCH(QStringList, lines);
    QFETCH(int, kind);
    const QString folder = m_dir->filePath(QStringLiteral("sub"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/keep.txt");
    TextFile::writeLines(path, {"old", "content"}, Encoding::Cp1252);
    const QByteArray before = bytesOf(path);

    if (trouble == Trouble::ReadOnly)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    QString target = path;
    if (trouble == Trouble::FolderVanished)
        target = m_dir->filePath(QStringLiteral("gone/keep.txt"));

    std::optional<FileSizeLimit> limit;
    if (trouble == Trouble::DiskFull)
        limit.emplace(64);
    int got = -1;
    try {
        TextFile::writeLines(target, lines, Encoding::Cp1252);
    } catch (const FileError& error) {
        got = int(error.kind());
        // The system's reason and what was kept read as two sentences.
        if (trouble == Trouble::DiskFull)
            QVERIFY2(error.message().contains(QLatin1String(". The old file was kept.")),
                     qPrintable(error.message()));
    }
    limit.reset();
    QCOMPARE(got, kind);
    QCOMPARE(bytesOf(path), before);
    // No temporary file is left behind.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.txt"});
}

void TestTextFile::writingTogetherReplacesAllOrNone_data()
{
    QTest::addColumn<Trouble>("trouble"); // what keeps the second file from being replaced
    QTest::addColumn<int>("kind");
    using K = FileError::Kind;
    QTest::newRow("none") << Trouble::None << -1;
    QTest::newRow("second file read-only")
        << Trouble::ReadOnly << int(K::PermissionDenied);
    QTest::newRow("second file's folder vanished")
        << Trouble::FolderVanished << int(K::PathNotFound);
    QTest::newRow("disk full at the second file") << Trouble::DiskFull << int(K::WriteFailed);
    // A folder put in the second file's place after the first was renamed: its rename fails.
    QTest::newRow("second rename fails") << Trouble::RenameFails << int(K::NotAFile);
}

void TestTextFile::writingTogetherReplacesAllOrNone()
{
    QFETCH(Trouble, trouble);
    QFETCH(int, kind);
    const QString first = m_dir->filePath(QStringLiteral("first.txt"));
    QDir().mkpath(m_dir->filePath(QStringLiteral("sub")));
    const QString second = m_dir->filePath(QStringLiteral("sub/second.txt"));
    TextFile::writeLines(first, {"old first"}, Encoding::Cp1252);
    TextFile::writeLines(second, {"old second"}, Encoding::Cp1252);
    QString target = second;
    if (trouble == Trouble::ReadOnly)
        QFile::setPermissions(second, QFile::ReadOwner);
    if (trouble == Trouble::FolderVanished)
        target = m_dir->filePath(QStringLiteral("gone/second.txt"));

    // The first file is small enough to be written, the second is not.
    const QByteArray newFirst = "new\r\n";
    const QByteArray newSecond = QByteArray(200, 'x') + "\r\n";
    std::optional<FileSizeLimit> limit;
    if (trouble == Trouble::DiskFull)
        limit.emplace(64);
    const QString aside = m_dir->filePath(QStringLiteral("aside"));
    if (trouble == Trouble::RenameFails)
        FileSave::setBeforeCommit([&](const QString& path) {
            if (path == second && QFile::rename(second, aside))
                QVERIFY(QDir().mkpath(second + QStringLiteral("/inside")));
        });
    int got = -1;
    QString message;
    try {
        TextFile::writeAll({{first, newFirst}, {target, newSecond}});
    } catch (const FileError& error) {
        got = int(error.kind());
        message = error.message();
    }
    limit.reset();
    FileSave::setBeforeCommit({});
    if (trouble == Trouble::RenameFails) {
        QVERIFY2(message.contains(QLatin1String("put back")), qPrintable(message));
        QVERIFY(QDir(second).removeRecursively());
        QVERIFY(QFile::rename(aside, second));
    }
    QCOMPARE(got, kind);
    if (kind < 0) {
        QCOMPARE(bytesOf(first), newFirst);
        QCOMPARE(bytesOf(second), newSecond);
    } else {
        QCOMPARE(bytesOf(first), QByteArray("old first\r\n"));
        QCOMPARE(bytesOf(second), QByteArray("old second\r\n"));
    }
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"first.txt"});
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("sub"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{"second.txt"});
}

void TestTextFile::writesOnlyWhatTheReaderSaw_data()
{
    QTest::addColumn<QByteArray>("meanwhile"); // another program's, after the read
    QTest::addColumn<bool>("written");
    QTest::newRow("unchanged") << QByteArray() << true;
    QTest::newRow("rewritten the same") << QByteArray("one\r\ntwo\r\n") << true;
    QTest::newRow("changed past the line read") << QByteArray("one\r\nTWO\r\n") << false;
    QTest::newRow("removed") << QByteArray("-") << false;
}

void TestTextFile::writesOnlyWhatTheReaderSaw()
{
    QFETCH(QByteArray, meanwhile);
    QFETCH(bool, written);
    const QString path = put("one\r\ntwo\r\n");
    FileState seen;
    QCOMPARE(TextFile::readLines(path, 1, Encoding::Cp1252, &seen), QStringList{"one"});
    if (meanwhile == "-")
        QVERIFY(QFile::remove(path));
    else if (!meanwhile.isEmpty())
        put(meanwhile);
    const QByteArray before = bytesOf(path);
    try {
        TextFile::writeLines(path, {"mine"}, Encoding::Cp1252, seen);
        QVERIFY(written);
        QCOMPARE(bytesOf(path), QByteArray("mine\r\n"));
    } catch (const FileError& error) {
        QVERIFY2(!written && error.kind() == FileError::Kind::ChangedOnDisk, error.what());
        QCOMPARE(bytesOf(path), before);
    }
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
