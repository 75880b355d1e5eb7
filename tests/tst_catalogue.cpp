#include "categories/Catalogue.h"

#include <QSet>
#include <QTest>

using namespace Lumora;

// The catalogue is typed in by hand; its lengths and a few telling texts catch slips
// that a copy of the table would not.
class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyVerseHasItsLength_data();
    void everyVerseHasItsLength();
    void keepsTellingTextsExactly_data();
    void keepsTellingTextsExactly();
    void entriesBindWindowsButtonsAndNotes_data();
    void entriesBindWindowsButtonsAndNotes();
    void countsVersesAndDistinctTexts();
};

void TestCatalogue::everyVerseHasItsLength_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("length");
    QTest::newRow("Form2/Label1") << "Form2" << 0 << 114;
    QTest::newRow("Form2/Label2") << "Form2" << 1 << 83;
    QTest::newRow("Form2/Label3") << "Form2" << 2 << 63;
    QTest::newRow("Form2/Label4") << "Form2" << 3 << 66;
    QTest::newRow("Form2/Label5") << "Form2" << 4 << 188;
    QTest::newRow("Form3/Label1") << "Form3" << 0 << 143;
    QTest::newRow("Form3/Label2") << "Form3" << 1 << 128;
    QTest::newRow("Form3/Label3") << "Form3" << 2 << 127;
    QTest::newRow("Form3/Label4") << "Form3" << 3 << 340;
    QTest::newRow("Form3/Label5") << "Form3" << 4 << 96;
    QTest::newRow("Form4/Label1") << "Form4" << 0 << 339;
    QTest::newRow("Form4/Label2") << "Form4" << 1 << 413;
    QTest::newRow("Form4/Label3") << "Form4" << 2 << 145;
    QTest::newRow("Form4/Label4") << "Form4" << 3 << 94;
    QTest::newRow("Form4/Label5") << "Form4" << 4 << 152;
    QTest::newRow("Form5/Label1") << "Form5" << 0 << 227;
    QTest::newRow("Form5/Label2") << "Form5" << 1 << 182;
    QTest::newRow("Form5/Label3") << "Form5" << 2 << 449;
    QTest::newRow("Form6/Label1") << "Form6" << 0 << 157;
    QTest::newRow("Form6/Label2") << "Form6" << 1 << 88;
    QTest::newRow("Form6/Label3") << "Form6" << 2 << 153;
    QTest::newRow("Form6/Label4") << "Form6" << 3 << 92;
    QTest::newRow("Form6/Label5") << "Form6" << 4 << 384;
    QTest::newRow("Form7/Label1") << "Form7" << 0 << 198;
    QTest::newRow("Form7/Label2") << "Form7" << 1 << 145;
    QTest::newRow("Form7/Label3") << "Form7" << 2 << 277;
    QTest::newRow("Form7/Label4") << "Form7" << 3 << 50;
    QTest::newRow("Form7/Label5") << "Form7" << 4 << 438;
    QTest::newRow("Form8/Label1") << "Form8" << 0 << 264;
    QTest::newRow("Form8/Label2") << "Form8" << 1 << 46;
    QTest::newRow("Form8/Label3") << "Form8" << 2 << 79;
    QTest::newRow("Form8/Label4") << "Form8" << 3 << 124;
    QTest::newRow("Form8/Label5") << "Form8" << 4 << 148;
    QTest::newRow("Form9/Label1") << "Form9" << 0 << 93;
    QTest::newRow("Form9/Label2") << "Form9" << 1 << 125;
    QTest::newRow("Form9/Label3") << "Form9" << 2 << 83;
    QTest::newRow("Form9/Label4") << "Form9" << 3 << 182;
    QTest::newRow("Form9/Label5") << "Form9" << 4 << 125;
    QTest::newRow("Form10/Label1") << "Form10" << 0 << 117;
    QTest::newRow("Form10/Label2") << "Form10" << 1 << 113;
    QTest::newRow("Form10/Label3") << "Form10" << 2 << 214;
    QTest::newRow("Form10/Label4") << "Form10" << 3 << 136;
    QTest::newRow("Form10/Label5") << "Form10" << 4 << 190;
    QTest::newRow("Form11/Label1") << "Form11" << 0 << 151;
    QTest::newRow("Form11/Label2") << "Form11" << 1 << 100;
    QTest::newRow("Form11/Label3") << "Form11" << 2 << 92;
    QTest::newRow("Form11/Label4") << "Form11" << 3 << 267;
    QTest::newRow("Form11/Label5") << "Form11" << 4 << 130;
    QTest::newRow("Form12/Label1") << "Form12" << 0 << 77;
    QTest::newRow("Form12/Label2") << "Form12" << 1 << 151;
    QTest::newRow("Form12/Label3") << "Form12" << 2 << 107;
    QTest::newRow("Form12/Label4") << "Form12" << 3 << 105;
    QTest::newRow("Form12/Label5") << "Form12" << 4 << 113;
}

void TestCatalogue::everyVerseHasItsLength()
{
    QFETCH(QString, window);
    QFETCH(int, index);
    QFETCH(int, length);
    const CategoryEntry* entry = Catalogue::byWindow(window);
    QVERIFY(entry);
    QCOMPARE(int(entry->verses[std::size_t(index)].size()), length);
    for (const char c : entry->verses[std::size_t(index)])
        QVERIFY(c >= 0x20 && c < 0x7f);
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

void TestCatalogue::entriesBindWindowsButtonsAndNotes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("verses");
    QTest::newRow("Form2") << "Form2" << "Command1" << "Heart" << "Cheart.txt" << 5;
    QTest::newRow("Form3") << "Form3" << "Command5" << "Head" << "Chead.txt" << 5;
    QTest::newRow("Form4") << "Form4" << "Command2" << "Trinity Grace" << "Cgrace.txt" << 5;
    QTest::newRow("Form5") << "Form5" << "Command7" << "Ten Commendments" << "Cten.txt" << 3;
    QTest::newRow("Form6") << "Form6" << "Command6" << "Fruits of Spirit - Lord's prayer" << "cfruit.txt" << 5;
    QTest::newRow("Form7") << "Form7" << "Command3" << "Faith Hope Love" << "clove.txt" << 5;
    QTest::newRow("Form8") << "Form8" << "Command4" << "God's will" << "cwill.txt" << 5;
    QTest::newRow("Form9") << "Form9" << "Command10" << "All Knowing" << "cknow.txt" << 5;
    QTest::newRow("Form10") << "Form10" << "Command11" << "Reward" << "creward.txt" << 5;
    QTest::newRow("Form11") << "Form11" << "Command13" << "Wisdom" << "cwisdom.txt" << 5;
    QTest::newRow("Form12") << "Form12" << "Command12" << "Words" << "cword.txt" << 5;
}

void TestCatalogue::entriesBindWindowsButtonsAndNotes()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, notes);
    QFETCH(int, verses);
    const CategoryEntry* entry = Catalogue::byWindow(window);
    QVERIFY(entry);
    QCOMPARE(Catalogue::byButton(button), entry);
    QCOMPARE(qs(entry->caption), caption);
    QCOMPARE(qs(entry->notesFile), notes);
    QCOMPARE(entry->verseCount(), verses);
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
