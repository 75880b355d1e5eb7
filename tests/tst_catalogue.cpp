// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "categories/Catalogue.h"

#include <QSet>
#include <QTest>

using namespace Lumora;

// The catalogue is typed in by hand. What the windows make of it is tested with them;
// here, the rules every verse keeps and the texts most easily typed wrong.
class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyVerseIsOnePrintableLine();
    void keepsTellingTextsExactly_data();
    void keepsTellingTextsExactly();
    void countsVersesAndDistinctTexts();
};

void TestCatalogue::everyVerseIsOnePrintableLine()
{
    for (const CategoryEntry& entry : Catalogue::kEntries) {
        for (int i = 0; i < entry.verseCount(); ++i) {
            const std::string_view verse = entry.verses[std::size_t(i)];
            QVERIFY2(verse.size() <= 449, entry.window.data());
            for (const char c : verse)
                QVERIFY2(c >= 0x20 && c < 0x7f, entry.window.data());
        }
    }
}

void TestCatalogue::keepsTellingTextsExactly_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("leading space, Eph 5:9")
        << "Form6" << 1
        << " Eph 5:9  (For the fruit of the Spirit is in all goodness and righteousness and truth;) ";
    QTest::newRow("leading space, Pro 4:5")
        << "Form11" << 1
        << " Pro 4:5  Get wisdom, get understanding: forget it not; neither decline from the words of my mouth. ";
    QTest::newRow("ends mid-sentence, Luk 6:23")
        << "Form10" << 1
        << "Luk 6:23  Rejoice ye in that day, and leap for joy: for, behold, your reward is great in heaven: for in the like ";
    QTest::newRow("short reference, Jn 3:20")
        << "Form9" << 0
        << "Jn 3:20  For if our heart condemn us, God is greater than our heart, and knoweth all things. ";
    QTest::newRow("one blank after the reference, Mat 22:14")
        << "Form8" << 1 << "Mat 22:14 For many are called, but few chosen.";
    QTest::newRow("no trailing space, Mat 5:8")
        << "Form2" << 2 << "Mat 5:8  Blessed are the pure in heart: for they shall see God.";
}

void TestCatalogue::keepsTellingTextsExactly()
{
    QFETCH(QString, window);
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(qs(Catalogue::byWindow(window)->verses[std::size_t(index)]), text);
}

void TestCatalogue::countsVersesAndDistinctTexts()
{
    int entries = 0;
    QSet<QString> distinct;
    for (const CategoryEntry& entry : Catalogue::kEntries) {
        for (int i = 0; i < entry.verseCount(); ++i) {
            ++entries;
            distinct.insert(qs(entry.verses[std::size_t(i)]));
        }
    }
    QCOMPARE(entries, 53);
    QCOMPARE(distinct.size(), 52);
    // Eph 2:8-9 serves "Trinity Grace" and "Faith Hope Love".
    QCOMPARE(Catalogue::byWindow(u"Form4")->verses[2], Catalogue::byWindow(u"Form7")->verses[1]);
    QVERIFY(qs(Catalogue::byWindow(u"Form7")->verses[4]).contains(u"puffed up,   Doth"));
    QVERIFY(qs(Catalogue::byWindow(u"Form8")->verses[0]).startsWith(u"Mat 7:13,14 Enter"));
    QVERIFY(qs(Catalogue::byWindow(u"Form4")->verses[0]).startsWith(u"Mar 1:9-11 And"));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
