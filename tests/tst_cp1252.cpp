// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "files/Cp1252.h"

#include <QTest>

using namespace Lumora;

class TestCp1252 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips();
    void decodesTheWindowsRange_data();
    void decodesTheWindowsRange();
    void refusesWhatItCannotHold_data();
    void refusesWhatItCannotHold();
    void describesRefusedCharacters_data();
    void describesRefusedCharacters();
};

void TestCp1252::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::decode(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(!Cp1252::firstUnencodable(text).has_value());
    QCOMPARE(Cp1252::encode(text), all);
}

void TestCp1252::decodesTheWindowsRange_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    // Where Windows-1252 differs from Latin-1, and its undefined bytes.
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x0081;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("left double quote") << 0x93 << 0x201C;
    QTest::newRow("right double quote") << 0x94 << 0x201D;
    QTest::newRow("right single quote") << 0x92 << 0x2019;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("undefined 9D") << 0x9D << 0x009D;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("e acute") << 0xE9 << 0x00E9;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void TestCp1252::decodesTheWindowsRange()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    const QByteArray bytes(1, char(byte));
    const QString text = Cp1252::decode(bytes);
    QCOMPARE(text, QString(QChar(char16_t(codePoint))));
    QCOMPARE(Cp1252::encode(text), bytes);
}

void TestCp1252::refusesWhatItCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("refused"); // -1: nothing refused
    QTest::newRow("plain verse") << QStringLiteral("Psa 23:1  The LORD is my shepherd; ") << -1;
    QTest::newRow("curly quotes and euro") << QStringLiteral("\u201Cgo\u201D \u20AC") << -1;
    QTest::newRow("check mark") << QStringLiteral("ok \u2713 done") << 0x2713;
    QTest::newRow("Latin-1 control 80") << QStringLiteral("a\u0080") << 0x80;
    QTest::newRow("Greek") << QStringLiteral("\u03B1\u03B2") << 0x3B1;
    QTest::newRow("Hebrew after ASCII") << QStringLiteral("abc \u05D0") << 0x5D0;
    QTest::newRow("emoji, outside the BMP") << QString::fromUcs4(U"pray \U0001F64F") << 0x1F64F;
}

void TestCp1252::refusesWhatItCannotHold()
{
    QFETCH(QString, text);
    QFETCH(int, refused);
    const auto bad = Cp1252::firstUnencodable(text);
    if (refused < 0)
        QVERIFY(!bad.has_value());
    else
        QCOMPARE(int(bad.value_or(0)), refused);
}

void TestCp1252::describesRefusedCharacters_data()
{
    QTest::addColumn<int>("codePoint");
    QTest::addColumn<QString>("description");
    QTest::newRow("visible") << 0x2713 << QStringLiteral("\u201C\u2713\u201D (U+2713)");
    QTest::newRow("outside the BMP")
        << 0x1F64F << QString::fromUcs4(U"\u201C\U0001F64F\u201D (U+1F64F)");
    QTest::newRow("control shown by number") << 0x80 << QStringLiteral("U+0080");
    QTest::newRow("line separator by number") << 0x2028 << QStringLiteral("U+2028");
}

void TestCp1252::describesRefusedCharacters()
{
    QFETCH(int, codePoint);
    QFETCH(QString, description);
    QCOMPARE(Cp1252::describe(char32_t(codePoint)), description);
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
