// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "config/Relocation.h"
#include "files/FileError.h"
#include "files/RegularFile.h"
#include "settings/SettingsFiles.h"
#include "files/TextFile.h"
#include "slots/SlotVerseFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/resource.h>

using namespace Lumora;

// Files far larger than any the program writes, made in a temporary folder and removed
// after: every reader comes back, with the lines it asked for or with an error, and memory
// stays bounded by the longest line allowed. Files over the size limit are refused whole;
// the largest are sparse, so they cost no disk.
class TestHugeFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyReaderComesBack_data();
    void everyReaderComesBack();
    void relocationCopiesAHugeNotesFileWhole();
};

namespace {

constexpr qint64 kMB = 1 << 20;
constexpr qint64 kUnderLimit = 30 * kMB;

// As many whole copies of `unit` as fit in `size` bytes; past 100 MB a megabyte of them
// and then a sparse tail.
void fill(const QString& path, const QByteArray& unit, qint64 size)
{
    QByteArray block;
    while (block.size() < kMB)
        block += unit;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (size > 100 * kMB) {
        QCOMPARE(file.write(block), block.size());
        QVERIFY(file.resize(size));
        return;
    }
    qint64 left = size - size % unit.size();
    for (; left >= block.size(); left -= block.size())
        QCOMPARE(file.write(block), block.size());
    QCOMPARE(file.write(block.constData(), left), left);
}

// What a reader returned: its lines, or the kind of error it threw.
struct Outcome
{
    QStringList lines;
    std::optional<FileError::Kind> error;
};

template <typename Read> Outcome outcome(Read read)
{
    try {
        return {read(), std::nullopt};
    } catch (const FileError& error) {
        return {{}, error.kind()};
    }
}

} // namespace

void TestHugeFiles::everyReaderComesBack_data()
{
    QTest::addColumn<QByteArray>("unit"); // repeated to fill the file
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("line");    // every line the readers ask for, when it fits
    QTest::addColumn<int>("error");       // otherwise the error they all report
    const int none = -1;
    const int tooLong = int(FileError::Kind::LineTooLong);
    const int tooLarge = int(FileError::Kind::TooLarge);
    const QByteArray verse("Psa 23:1 The LORD is my shepherd\r\n");
    QTest::newRow("short CR LF lines")
        << verse << kUnderLimit << QStringLiteral("Psa 23:1 The LORD is my shepherd") << none;
    QTest::newRow("CR only") << QByteArray("\r") << kUnderLimit << QString("") << none;
    QTest::newRow("one line without a terminator")
        << QByteArray("x") << kUnderLimit << QString() << tooLong;
    QTest::newRow("LF only") << QByteArray("\n") << kUnderLimit << QString() << tooLong;
    QTest::newRow("NUL bytes") << QByteArray(1, '\0') << kUnderLimit << QString() << tooLong;
    QTest::newRow("bytes above 0x7F")
        << QByteArray("\xff\x81\x9d\xe9") << kUnderLimit << QString() << tooLong;
    QTest::newRow("lines just over the limit")
        << QByteArray(LineReader::kMaxLineBytes + 1, 'v') + "\r\n" << kUnderLimit << QString()
        << tooLong;
    QTest::newRow("good lines, over the size limit")
        << verse << RegularFile::kMaxTextBytes + verse.size() << QString() << tooLarge;
    QTest::newRow("good lines, then a sparse tail to 10 GB")
        << verse << (qint64(10) << 30) << QString() << tooLarge;
}

void TestHugeFiles::everyReaderComesBack()
{
    QFETCH(QByteArray, unit);
    QFETCH(qint64, size);
    QFETCH(QString, line);
    QFETCH(int, error);
    AppFolder app;
    const SettingsFiles settings(app.path());
    for (const char* name : {"Rantxt.lmr", "configure.lmr", "c0002.dat"})
        fill(app.file(QLatin1String(name)), unit, size);
    // path.lmr names a folder, which is where the file that fills it must not be.
    QTemporaryDir pointer;
    const QString huge = pointer.filePath(QStringLiteral("path.lmr"));
    fill(huge, unit, size);

    const auto lines = [&](int count) -> Outcome {
        if (error >= 0)
            return {{}, FileError::Kind(error)};
        return {QStringList(count, line), std::nullopt};
    };
    const auto check = [](const Outcome& got, const Outcome& expected, const char* reader) {
        QVERIFY2(got.error == expected.error, reader);
        QVERIFY2(got.lines == expected.lines, reader);
    };
    check(outcome([&] { return settings.slotNames(); }), lines(SettingsFiles::kSlotCount),
          "slot names");
    check(outcome([&] { return QStringList{settings.captionLine(SettingsFiles::kCaptionCount)}; }),
          lines(1), "caption line");
    check(outcome([&] { return SlotVerseFile::read(app.path(), 2); }),
          lines(SlotVerseFile::kVerseCount), "slot verse file");
    check(outcome([&] { return TextFile::readLines(huge, 1, Encoding::FileSystem); }), lines(1),
          "data folder");

    // Read to the end, the file gives up whole lines until its last one or the error.
    qint64 count = 0;
    std::optional<FileError::Kind> failed;
    const qint64 limit = unit == "\r" ? 100000 : size;
    try {
        LineReader reader(app.file(QStringLiteral("c0002.dat")), Encoding::Cp1252);
        for (; count < limit && !reader.atEnd(); ++count) {
            if (reader.next() != line)
                QFAIL(qPrintable(QStringLiteral("line %1 differs").arg(count + 1)));
        }
    } catch (const FileError& e) {
        failed = e.kind();
    }
    if (error >= 0) {
        QCOMPARE(count, 0);
        QCOMPARE(int(failed.value_or(FileError::Kind::FileNotFound)), error);
    } else {
        QVERIFY(!failed);
        QCOMPARE(count, std::min(limit, size / unit.size()));
    }
}

void TestHugeFiles::relocationCopiesAHugeNotesFileWhole()
{
    AppFolder app;
    QTemporaryDir data;
    app.setDataFolder(data.path());
    const QString notes = app.file(QStringLiteral("cwisdom.txt"));
    fill(notes, QByteArray("Pro 3:5  Trust in the LORD with all thine heart\r\n"), 100 * kMB);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    const auto result = Relocation::run(app.path());
    QCOMPARE(result.outcome, Relocation::Result::Outcome::Copied);
    // Streamed: the copy's memory does not grow with the file.
    ::getrusage(RUSAGE_SELF, &usage);
    QVERIFY2(usage.ru_maxrss - before < 8 * 1024, qPrintable(QString::number(usage.ru_maxrss - before)));
    QFile source(notes);
    QFile copy(data.filePath(QStringLiteral("cwisdom.txt")));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.size(), source.size());
    while (!source.atEnd()) {
        if (source.read(1 << 20) != copy.read(1 << 20))
            QFAIL("the copy differs");
    }
}

QTEST_GUILESS_MAIN(TestHugeFiles)
#include "tst_hugefiles.moc"
