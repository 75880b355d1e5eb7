// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Driving.h"
#include "WindowTest.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "tables/Tables.h"
#include "help/HelpPages.h"

#include <QLabel>
#include <QTest>

using namespace Lumora;

class TestHelpWindows : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void showTheirTextsLetterForLetter_data();
    void showTheirTextsLetterForLetter();
    void showsEveryTextAsWritten_data();
    void showsEveryTextAsWritten();
    void titlesFramesAndPlaces_data();
    void titlesFramesAndPlaces();
    void okClosesAndTheNextOpeningLoadsAnew();
    void configurationHelpIsOneWindowForItsOpeners();

private:
};

void TestHelpWindows::showTheirTextsLetterForLetter_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("words");
    QTest::newRow("Verison") << "help" << "Label2" << "Other Language/Verison/Additional is";
    QTest::newRow("trailing blank") << "help" << "Label1" << "onto the display ";
    QTest::newRow("Confrim") << "MainHelp" << "Label2" << "Hit Confrim to have it set.";
    QTest::newRow("applicaiton, blanks") << "MainHelp" << "Label2" << "applicaiton path.      ";
    QTest::newRow("identity") << "aboutthis" << "Label1" << "is to identity and remember";
    QTest::newRow("catagorize") << "aboutthis" << "Label1" << "need to catagorize it.";
    QTest::newRow("Additonal") << "aboutthis" << "Label1" << "Other/Version/Additonal is";
    QTest::newRow("credit") << "aboutthis" << "About"
        << "You are welcome to distribute this software.    Matthew 10:8 ...  freely ye have "
           "received, freely give.";
    QTest::newRow("unpaired quote") << "musichelp" << "Label1"
                                    << "Play Music 1 - Play \"Seek ye first - midi file";
}

void TestHelpWindows::showTheirTextsLetterForLetter()
{
    QFETCH(QString, window);
    QFETCH(QString, label);
    QFETCH(QString, words);
    Form* form = open(window);
    QVERIFY(form);
    QVERIFY2(form->findChild<QLabel*>(label)->text().contains(words), qPrintable(words));
}

void TestHelpWindows::showsEveryTextAsWritten_data()
{
    QTest::addColumn<QString>("window");
    for (const HelpPage& page : HelpPages::kPages)
        QTest::newRow(page.window.data()) << qs(page.window);
}

void TestHelpWindows::showsEveryTextAsWritten()
{
    QFETCH(QString, window);
    Form* form = open(window);
    QVERIFY(form);
    const HelpPage& page = *HelpPages::byWindow(window);
    for (const HelpLabel& line : page.labels) {
        if (line.name.empty())
            continue;
        auto* label = form->findChild<QLabel*>(qs(line.name));
        QVERIFY2(label, line.name.data());
        QCOMPARE(label->text(), qs(line.text));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->font().bold(), bool(line.style & Bold));
    }
    auto* ok = buttonOf(form, qs(page.okButton));
    QVERIFY(ok);
    QCOMPARE(ok->caption(), QStringLiteral("OK"));
}

void TestHelpWindows::titlesFramesAndPlaces_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("randomTitle");
    QTest::addColumn<bool>("resizable");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<QPoint>("place"); // (-1, -1): the window system's choice
    QTest::newRow("help") << "help" << true << false << true << QPoint(-1, -1);
    QTest::newRow("MainHelp") << "MainHelp" << true << false << true << QPoint(-1, -1);
    QTest::newRow("aboutthis") << "aboutthis" << true << false << true << QPoint(184, 250);
    QTest::newRow("subhelp") << "subhelp" << true << false << true << QPoint(184, 250);
    QTest::newRow("musichelp") << "musichelp" << false << true << false << QPoint(-1, -1);
}

void TestHelpWindows::titlesFramesAndPlaces()
{
    QFETCH(QString, window);
    QFETCH(bool, randomTitle);
    QFETCH(bool, resizable);
    QFETCH(bool, icon);
    QFETCH(QPoint, place);
    Form* form = open(window);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    if (randomTitle)
        QCOMPARE(form->windowTitle(), m_run->titles(1).first());
    else
        QCOMPARE(form->windowTitle(), QStringLiteral("Musichelp"));
    QCOMPARE(bool(form->windowFlags() & Qt::WindowMaximizeButtonHint), resizable);
    // Without an icon of its own a window shows the application's, which is none.
    QTRY_COMPARE(!form->windowIcon().isNull(), icon);
    if (place.x() >= 0)
        QCOMPARE(form->client()->mapToGlobal(QPoint(0, 0)), place);
}

void TestHelpWindows::okClosesAndTheNextOpeningLoadsAnew()
{
    for (const HelpPage& page : HelpPages::kPages) {
        Form* form = open(qs(page.window));
        QVERIFY(form);
        click(form, qs(page.okButton));
        QTRY_VERIFY(!visibleWindow(qs(page.window)));
        QVERIFY(!m_shell->windows().find(qs(page.window)));
        QVERIFY(open(qs(page.window)));
        QVERIFY(m_shell->windows().find(qs(page.window)));
    }
}

void TestHelpWindows::configurationHelpIsOneWindowForItsOpeners()
{
    QVERIFY(m_shell->start());
    Form* main = m_shell->windows().find(QStringLiteral("Main"));
    click(main, QStringLiteral("Command27"));
    Form* help = visibleWindow(QStringLiteral("MainHelp"));
    QVERIFY(help);
    const QString title = help->windowTitle();
    trigger(main, QStringLiteral("Conf"));
    QCOMPARE(visibleWindow(QStringLiteral("MainHelp")), help);
    QCOMPARE(help->windowTitle(), title);
    QCOMPARE(visibleWindows(), (QStringList{"Main", "MainHelp"}));
}

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
