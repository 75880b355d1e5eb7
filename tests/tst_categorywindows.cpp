// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "Driving.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "WindowTest.h"
#include "app/MainWindow.h"
#include "widgets/Picture.h"
#include "app/Shell.h"
#include "categories/Catalogue.h"
#include "tables/Tables.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

using namespace Lumora;

namespace {

QStringList allCategoryWindows()
{
    QStringList names;
    for (const CategoryEntry& entry : Catalogue::kEntries)
        names.append(qs(entry.window));
    return names;
}

} // namespace

class TestCategoryWindows : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void eachWindowHasItsOwnLook_data();
    void eachWindowHasItsOwnLook();
    void mainWindowButtonsOpenTheirCategoryAndItsNotes_data();
    void mainWindowButtonsOpenTheirCategoryAndItsNotes();
    void openingAgainKeepsTheWindowExitAndReopenLoadsAnew();
    void notesButtonOpensTheNotesFileOfTheDataFolderOfTheMoment();
    void notesFailureIsReportedAndTheWindowStays();
    void onlyHeartHasAHelpMenu();
};

void TestCategoryWindows::eachWindowHasItsOwnLook_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("labelPixels");
    QTest::addColumn<QColor>("ink");
    QTest::addColumn<QString>("notesCaption");
    QTest::addColumn<bool>("boldButtons");
    QTest::addColumn<bool>("icon");
    const QString spaced = QStringLiteral("Other Language / Version /Additional");
    const QString tight = QStringLiteral("Other Language / Version/Additional");
    const QColor black(Qt::black), yellow(255, 255, 0);
    // Client areas in twips, 15 to the pixel.
    QTest::newRow("Form2") << "Form2" << QSize(8820, 6450) / 15 << 5 << 13 << black << spaced << true << true;
    QTest::newRow("Form3") << "Form3" << QSize(9345, 6570) / 15 << 5 << 13 << black << spaced << true << true;
    QTest::newRow("Form4") << "Form4" << QSize(9690, 6390) / 15 << 5 << 11 << black << tight << true << true;
    QTest::newRow("Form5") << "Form5" << QSize(9300, 6930) / 15 << 3 << 11 << yellow << spaced << true << true;
    QTest::newRow("Form6") << "Form6" << QSize(9405, 7110) / 15 << 5 << 11 << black << tight << true << true;
    QTest::newRow("Form7") << "Form7" << QSize(9135, 7035) / 15 << 5 << 11 << black << tight << true << true;
    QTest::newRow("Form8") << "Form8" << QSize(9465, 6825) / 15 << 5 << 11 << black << tight << true << true;
    QTest::newRow("Form9") << "Form9" << QSize(9120, 6780) / 15 << 5 << 11 << black << tight << false << false;
    QTest::newRow("Form10") << "Form10" << QSize(9585, 6630) / 15 << 5 << 11 << black << tight << true << true;
    QTest::newRow("Form11") << "Form11" << QSize(9405, 7200) / 15 << 5 << 11 << black << tight << true << true;
    QTest::newRow("Form12") << "Form12" << QSize(8880, 6900) / 15 << 5 << 11 << black << tight << true << true;
}

void TestCategoryWindows::eachWindowHasItsOwnLook()
{
    QFETCH(QString, window);
    QFETCH(QSize, client);
    QFETCH(int, labels);
    QFETCH(int, labelPixels);
    QFETCH(QColor, ink);
    QFETCH(QString, notesCaption);
    QFETCH(bool, boldButtons);
    QFETCH(bool, icon);
    Form* form = open(window);
    QVERIFY(form);
    QCOMPARE(form->client()->size(), client);
    QTRY_COMPARE(!form->windowIcon().isNull(), icon);

    const CategoryEntry* entry = Catalogue::byWindow(window);
    const QList<QLabel*> shown = form->client()->findChildren<QLabel*>();
    QCOMPARE(shown.size(), labels);
    for (int i = 0; i < labels; ++i) {
        auto* label = form->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
        QVERIFY(label);
        QCOMPARE(label->text(), qs(entry->verses[std::size_t(i)]));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->font().pixelSize(), labelPixels);
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), ink);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
    }
    QCOMPARE(form->findChildren<QWidget*>(QStringLiteral("Line1")).size(), labels == 5 ? 5 : 2);

    auto* picture = form->findChild<Picture*>(QStringLiteral("Image1"));
    QVERIFY(picture);
    QCOMPARE(picture->geometry(), form->client()->rect());
    const QColor centre = picture->pixmap().toImage().pixelColor(picture->pixmap().rect().center());
    if (ink == Qt::black)
        QVERIFY2(centre.lightness() > 170, "light picture");
    else
        QVERIFY2(centre.lightness() < 80 && centre.blue() > centre.red(), "dark blue picture");

    CaptionButton* notes = buttonOf(form, QStringLiteral("Command1"));
    CaptionButton* exit = buttonOf(form, QStringLiteral("Command3"));
    QCOMPARE(notes->caption(), notesCaption);
    QCOMPARE(exit->caption(), QStringLiteral("Exit"));
    QCOMPARE(notes->font().bold(), boldButtons);
    QCOMPARE(exit->font().bold(), boldButtons);
    QCOMPARE(exit->size(), QSize(153, 41));
    QVERIFY(form->findChild<QLineEdit*>(QStringLiteral("Text1"))->isHidden());
    QVERIFY(form->findChild<QLineEdit*>(QStringLiteral("Text2"))->isHidden());
}

void TestCategoryWindows::mainWindowButtonsOpenTheirCategoryAndItsNotes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("notes"); // as Text2 holds it; the shipped file is in lower case
    QTest::newRow("Heart") << "Command1" << "Form2" << "Cheart.txt";
    QTest::newRow("Head") << "Command5" << "Form3" << "Chead.txt";
    QTest::newRow("Trinity Grace") << "Command2" << "Form4" << "Cgrace.txt";
    QTest::newRow("Ten Commendments") << "Command7" << "Form5" << "Cten.txt";
    QTest::newRow("Fruits of Spirit") << "Command6" << "Form6" << "cfruit.txt";
    QTest::newRow("Faith Hope Love") << "Command3" << "Form7" << "clove.txt";
    QTest::newRow("God's will") << "Command4" << "Form8" << "cwill.txt";
    QTest::newRow("All Knowing") << "Command10" << "Form9" << "cknow.txt";
    QTest::newRow("Reward") << "Command11" << "Form10" << "creward.txt";
    QTest::newRow("Wisdom") << "Command13" << "Form11" << "cwisdom.txt";
    QTest::newRow("Words") << "Command12" << "Form12" << "cword.txt";
}

void TestCategoryWindows::mainWindowButtonsOpenTheirCategoryAndItsNotes()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, notes);
    QVERIFY(m_shell->start());
    Form* main = m_shell->windows().find(QStringLiteral("Main"));
    click(main, button);
    Form* form = visibleWindow(window);
    QVERIFY(form);
    QCOMPARE(visibleWindows().size(), 2);
    click(form, QStringLiteral("Command1"));
    QCOMPARE(m_opener->opened, QStringList{m_app->file(notes.toLower())});
    QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Text2"))->text(), notes);
}

void TestCategoryWindows::openingAgainKeepsTheWindowExitAndReopenLoadsAnew()
{
    const SettingsFiles settings(m_app->path());
    RandomCaption shadow(settings);
    const QString first = shadow.draw();
    const QString second = shadow.draw();
    Form* heart = open(QStringLiteral("Form2"));
    QCOMPARE(heart->windowTitle(), first);
    QCOMPARE(open(QStringLiteral("Form2")), heart);
    QCOMPARE(heart->windowTitle(), first);
    click(heart, QStringLiteral("Command3"));
    QTRY_VERIFY(!visibleWindow(QStringLiteral("Form2")));
    QVERIFY(!m_shell->windows().find(QStringLiteral("Form2")));
    Form* again = open(QStringLiteral("Form2"));
    QCOMPARE(again->windowTitle(), second);
}

void TestCategoryWindows::notesButtonOpensTheNotesFileOfTheDataFolderOfTheMoment()
{
    Form* heart = open(QStringLiteral("Form2"));
    click(heart, QStringLiteral("Command1"));
    QCOMPARE(heart->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), m_app->path());

    // The data folder changes while the window is open: the next click follows it.
    AppFolder elsewhere;
    m_app->setDataFolder(elsewhere.path() + u'/');
    click(heart, QStringLiteral("Command1"));
    QCOMPARE(m_opener->opened.last(), elsewhere.path() + QStringLiteral("//cheart.txt"));
}

void TestCategoryWindows::notesFailureIsReportedAndTheWindowStays()
{
    MessageLog messages;
    Form* wisdom = open(QStringLiteral("Form11"));
    m_opener->fail = true;
    click(wisdom, QStringLiteral("Command1"));
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.last().startsWith(QLatin1String("Could not start the program")));
    QVERIFY(visibleWindow(QStringLiteral("Form11")));
    m_opener->fail = false;
    m_app->setDataFolder(m_app->file(QStringLiteral("gone")));
    click(wisdom, QStringLiteral("Command1"));
    QCOMPARE(messages.last(), QStringLiteral("Path not found: ") + m_app->file(QStringLiteral("gone/cwisdom.txt")));
    QVERIFY(m_opener->opened.isEmpty());
    QVERIFY(visibleWindow(QStringLiteral("Form11")));
}

void TestCategoryWindows::onlyHeartHasAHelpMenu()
{
    for (const QString& name : allCategoryWindows()) {
        Form* form = open(name);
        const QList<QAction*> actions = form->menuBar()->actions();
        if (name == QLatin1String("Form2")) {
            QCOMPARE(actions.size(), 1);
            QCOMPARE(actions.first()->objectName(), QStringLiteral("help"));
            QCOMPARE(actions.first()->text(), QStringLiteral("Help"));
            QVERIFY(!actions.first()->menu());
            actions.first()->trigger();
            QVERIFY(visibleWindow(QStringLiteral("subhelp")));
        } else {
            QVERIFY2(actions.isEmpty(), qPrintable(name));
        }
    }
}

QTEST_MAIN(TestCategoryWindows)
#include "tst_categorywindows.moc"
