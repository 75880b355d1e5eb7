// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "settings/RandomCaption.h"
#include "settings/SettingsFiles.h"

#include <QTest>

#include <map>

using namespace Lumora;

class TestRandomCaption : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineForValue_data();
    void lineForValue();
    void everyRunDrawsTheSameSequence();
    void drawsSpreadOverAllLines();
    void drawReadsTheDrawnLine();
    void emptyLineGivesEmptyTitle();
};

void TestRandomCaption::lineForValue_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("line");
    QTest::newRow("zero") << 0.0f << 1;
    QTest::newRow("just below 1/23") << std::nextafter(1.0f / 23.0f, 0.0f) << 1;
    QTest::newRow("1/23") << 1.0f / 23.0f + 1e-7f << 2;
    QTest::newRow("one half") << 0.5f << 12;
    QTest::newRow("largest value below one") << std::nextafter(1.0f, 0.0f) << 23;
}

void TestRandomCaption::lineForValue()
{
    QFETCH(float, r);
    QFETCH(int, line);
    QCOMPARE(RandomCaption::lineFor(r), line);
}

void TestRandomCaption::everyRunDrawsTheSameSequence()
{
    AppFolder app;
    const SettingsFiles settings(app.path());
    RandomCaption first(settings);
    RandomCaption second(settings);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(first.nextValue(), second.nextValue());
}

void TestRandomCaption::drawsSpreadOverAllLines()
{
    AppFolder app;
    const SettingsFiles settings(app.path());
    RandomCaption captions(settings);
    std::map<int, int> hits;
    const int draws = 23 * 400;
    int previous = 0;
    int repeats = 0;
    for (int i = 0; i < draws; ++i) {
        const float r = captions.nextValue();
        QVERIFY(r >= 0.0f && r < 1.0f);
        const int line = RandomCaption::lineFor(r);
        ++hits[line];
        repeats += line == previous;
        previous = line;
    }
    QCOMPARE(int(hits.size()), 23);
    for (const auto& [line, count] : hits)
        QVERIFY2(count > 300 && count < 500, qPrintable(QStringLiteral("line %1 drawn %2 times").arg(line).arg(count)));
    // Successive titles mostly differ.
    QVERIFY(repeats < draws / 10);
}

void TestRandomCaption::drawReadsTheDrawnLine()
{
    AppFolder app;
    app.writeNumberedCaptions(30);
    const SettingsFiles settings(app.path());
    RandomCaption captions(settings);
    RandomCaption shadow(settings);
    for (int i = 0; i < 50; ++i) {
        const int line = RandomCaption::lineFor(shadow.nextValue());
        QVERIFY(line <= 23);
        QCOMPARE(captions.draw(), QStringLiteral("Caption %1").arg(line));
    }
}

void TestRandomCaption::emptyLineGivesEmptyTitle()
{
    AppFolder app;
    app.write(QStringLiteral("Rantxt.lmr"), crlf(QStringList(23, QString())));
    const SettingsFiles settings(app.path());
    RandomCaption captions(settings);
    QCOMPARE(captions.draw(), QString());
}

QTEST_GUILESS_MAIN(TestRandomCaption)
#include "tst_randomcaption.moc"
