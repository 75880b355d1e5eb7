// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SlotNames.h"
#include "WindowTest.h"
#include "widgets/Look.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "categories/Catalogue.h"
#include "slots/SlotTable.h"
#include "widgets/Elide.h"

#include <QDirIterator>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

using namespace Lumora;

class TestMainWindow : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void opensAtItsPlaceWithItsTitleAndSize();
    void showsSlotNamesInSlotTableOrder();
    void boldMarksNamedSlots_data();
    void boldMarksNamedSlots();
    void slotNamesArePlainText();
    void longSlotNamesEndInAnEllipsis_data();
    void longSlotNamesEndInAnEllipsis();
    void categoryButtonsHaveTheirCaptionsColoursAndFonts_data();
    void categoryButtonsHaveTheirCaptionsColoursAndFonts();
    void bottomRowAndHelpMenu();
    void helpButtonAndMenuOpenTheirWindows_data();
    void helpButtonAndMenuOpenTheirWindows();
    void openingAgainKeepsTheTitleReopeningDrawsAnew();
    void firstTitleIsTheSameInEveryRun();
    void emptyCaptionLineGivesAnEmptyTitle();
    void failedFirstLoadIsReportedAndShowsNothing_data();
    void failedFirstLoadIsReportedAndShowsNothing();
    void failedLoadAfterStartLeavesTheProgramRunning();
    void quitEndsTheProgramAtOnce();
    void programEndsWithItsLastWindow();
    void everyPictureLoads();
    void menuBarOverflowArrowIsFusions();
};

void TestMainWindow::opensAtItsPlaceWithItsTitleAndSize()
{
    MainWindow* main = m_run->start();
    QVERIFY(main);
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->windowTitle(), m_run->titles(1).first());
    QCOMPARE(main->client()->size(), QSize(637, 465));
    QCOMPARE(main->client()->mapToGlobal(QPoint(0, 0)), QPoint(157, 151));
    QVERIFY(!(main->windowFlags() & Qt::WindowMinimizeButtonHint));
    QTRY_VERIFY(!main->windowIcon().isNull());
    auto* background = main->findChild<QWidget*>(QStringLiteral("Image1"));
    auto* banner = main->findChild<QWidget*>(QStringLiteral("Image2"));
    QCOMPARE(background->geometry(), QRect(0, 0, 636, 449));
    QCOMPARE(banner->geometry(), QRect(168, 40, 302, 85));
}

void TestMainWindow::showsSlotNamesInSlotTableOrder()
{
    QStringList names;
    for (int slot = 2; slot <= 15; ++slot)
        names.append(QStringLiteral("Name of %1").arg(slot));
    m_app->writeSlotNames(names);
    MainWindow* main = m_run->start();
    QVERIFY(main);
    for (const SlotRow& row : SlotTable::kRows) {
        CaptionButton* button = main->button(qs(row.button));
        QCOMPARE(button->caption(), QStringLiteral("Name of %1").arg(row.slot));
        QCOMPARE(button->palette().color(QPalette::Button), Look::yellow());
    }
}

void TestMainWindow::boldMarksNamedSlots_data()
{
    addSlotNameRows();
}

void TestMainWindow::boldMarksNamedSlots()
{
    QFETCH(QString, name);
    QFETCH(bool, named);
    QStringList names(14, QStringLiteral("open"));
    names[6] = name; // slot 8, the button in the bottom row of the grid
    m_app->writeSlotNames(names);
    MainWindow* main = m_run->start();
    QVERIFY(main);
    QCOMPARE(main->button(QStringLiteral("Command14"))->caption(), name);
    QCOMPARE(main->button(QStringLiteral("Command14"))->font().bold(), named);
    QCOMPARE(main->button(QStringLiteral("Command22"))->font().bold(), false);
}

void TestMainWindow::slotNamesArePlainText()
{
    QStringList names(14, QStringLiteral("open"));
    names[0] = QStringLiteral("Faith & <b>Works</b>");
    m_app->writeSlotNames(names);
    MainWindow* main = m_run->start();
    QVERIFY(main);
    CaptionButton* button = main->button(QStringLiteral("Command22"));
    QCOMPARE(button->caption(), names[0]);
    QVERIFY(button->shortcut().isEmpty());
    QCOMPARE(button->accessibleName(), names[0]);
}

void TestMainWindow::longSlotNamesEndInAnEllipsis_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("words") << "Faith that moves mountains and hope that never fails us";
    QTest::newRow("one long word") << "Pneumonoultramicroscopicsilicovolcanoconiosis";
    QTest::newRow("3 MB of words") << QStringLiteral("Faith hope love ").repeated(200000);
    QTest::newRow("3 MB without a space") << QStringLiteral("Faithhopelove").repeated(250000);
}

void TestMainWindow::longSlotNamesEndInAnEllipsis()
{
    QFETCH(QString, name);
    m_app->writeSlotNames(QStringList{name} + QStringList(13, QStringLiteral("open")));
    // The caption list's lines too: the first title is drawn from line 5.
    m_app->write(QStringLiteral("Rantxt.lmr"), crlf(QStringList(5, name)));
    MainWindow* main = nullptr;
    QVERIFY(msTaken([&] { main = m_run->start(); }) < kPromptMs);
    QVERIFY(main);
    QCOMPARE(main->windowTitle(), shortened(name));
    CaptionButton* button = main->button(QStringLiteral("Command22"));
    QCOMPARE(button->caption(), name);
    QVERIFY(button->shownCaption().startsWith(name.left(4)));
    QVERIFY(button->shownCaption().endsWith(u'\u2026'));
    const QRect room = button->captionRect();
    QVERIFY(room.contains(QFontMetrics(button->font())
                              .boundingRect(room, CaptionButton::kCaptionFlags, button->shownCaption())));
    QCOMPARE(button->toolTip(), shortened(name));
    QCOMPARE(button->accessibleName(), shortened(name));
    // A name that fits shows whole, without a tooltip.
    QCOMPARE(main->button(QStringLiteral("Command23"))->shownCaption(), QStringLiteral("open"));
    QVERIFY(main->button(QStringLiteral("Command23"))->toolTip().isEmpty());
}

void TestMainWindow::categoryButtonsHaveTheirCaptionsColoursAndFonts_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("pixels");
    const QColor red(255, 0, 0), orange(192, 64, 0), yellow(255, 255, 0);
    QTest::newRow("Heart") << "Command1" << "Heart" << red << false << 11;
    QTest::newRow("Trinity Grace") << "Command2" << "Trinity Grace" << orange << true << 11;
    QTest::newRow("Faith Hope Love") << "Command3" << "Faith Hope Love" << orange << true << 11;
    QTest::newRow("God's will") << "Command4" << "God's will" << orange << true << 11;
    QTest::newRow("Head") << "Command5" << "Head" << orange << true << 11;
    QTest::newRow("Fruits") << "Command6" << "Fruits of Spirit - Lord's prayer" << orange << true << 11;
    QTest::newRow("Ten Commendments") << "Command7" << "Ten Commendments" << orange << true << 9;
    QTest::newRow("All Knowing") << "Command10" << "All Knowing" << yellow << true << 11;
    QTest::newRow("Reward") << "Command11" << "Reward" << yellow << true << 11;
    QTest::newRow("Words") << "Command12" << "Words" << yellow << true << 11;
    QTest::newRow("Wisdom") << "Command13" << "Wisdom" << yellow << true << 11;
}

void TestMainWindow::categoryButtonsHaveTheirCaptionsColoursAndFonts()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QColor, face);
    QFETCH(bool, bold);
    QFETCH(int, pixels);
    MainWindow* main = m_run->start();
    QVERIFY(main);
    CaptionButton* b = main->button(button);
    QCOMPARE(b->caption(), caption);
    QCOMPARE(b->palette().color(QPalette::Button), face);
    QCOMPARE(b->font().bold(), bold);
    QCOMPARE(b->font().pixelSize(), pixels);
    QCOMPARE(b->height(), 41);
}

void TestMainWindow::bottomRowAndHelpMenu()
{
    MainWindow* main = m_run->start();
    QVERIFY(main);
    const QList<std::pair<QString, QString>> bottom = {
        {"Command29", "Play Music1"}, {"Command30", "Play Music 2"}, {"Command31", "Stop Music"},
        {"Command26", "Configuration"}, {"Command27", "Help"}, {"Command28", "Quit"}};
    for (const auto& [name, caption] : bottom) {
        QCOMPARE(main->button(name)->caption(), caption);
        QCOMPARE(main->button(name)->geometry().top(), 368);
        QVERIFY(main->button(name)->font().bold());
    }
    QCOMPARE(main->button(QStringLiteral("Command26"))->font().pixelSize(), 13);
    QCOMPARE(main->button(QStringLiteral("Command29"))->font().pixelSize(), 11);

    const QList<QMenu*> menus = main->menuBar()->findChildren<QMenu*>();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->objectName(), QStringLiteral("HelpMe"));
    QCOMPARE(menus.first()->title(), QStringLiteral("Help"));
    QStringList items;
    for (QAction* action : menus.first()->actions())
        items.append(action->objectName() + u'=' + action->text());
    QCOMPARE(items, (QStringList{"Conf=Configuration", "Music=Music", "About=About"}));
}

void TestMainWindow::helpButtonAndMenuOpenTheirWindows_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("window");
    QTest::newRow("Help button") << "Command27" << "MainHelp";
    QTest::newRow("menu Configuration opens the configuration help") << "Conf" << "MainHelp";
    QTest::newRow("menu Music") << "Music" << "musichelp";
    QTest::newRow("menu About") << "About" << "aboutthis";
}

void TestMainWindow::helpButtonAndMenuOpenTheirWindows()
{
    QFETCH(QString, control);
    QFETCH(QString, window);
    MainWindow* main = m_run->start();
    QVERIFY(main);
    if (control.startsWith(QLatin1String("Command")))
        click(main, control);
    else
        trigger(main, control);
    QCOMPARE(visibleWindows(), (QStringList{"Main", window}));
}

void TestMainWindow::openingAgainKeepsTheTitleReopeningDrawsAnew()
{
    const QStringList titles = m_run->titles(3);
    MainWindow* main = m_run->start();
    QVERIFY(main);
    trigger(main, QStringLiteral("About"));
    Form* about = visibleWindow(QStringLiteral("aboutthis"));
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), titles[1]);
    trigger(main, QStringLiteral("About"));
    QCOMPARE(visibleWindow(QStringLiteral("aboutthis")), about);
    QCOMPARE(about->windowTitle(), titles[1]);
    click(about, QStringLiteral("OKButton"));
    QTRY_VERIFY(!visibleWindow(QStringLiteral("aboutthis")));
    trigger(main, QStringLiteral("About"));
    QTRY_VERIFY(visibleWindow(QStringLiteral("aboutthis")));
    QCOMPARE(visibleWindow(QStringLiteral("aboutthis"))->windowTitle(), titles[2]);
}

void TestMainWindow::firstTitleIsTheSameInEveryRun()
{
    QString first;
    for (int run = 0; run < 2; ++run) {
        Running r;
        MainWindow* main = r.start();
        QVERIFY(main);
        if (run == 0)
            first = main->windowTitle();
        else
            QCOMPARE(main->windowTitle(), first);
    }
}

void TestMainWindow::emptyCaptionLineGivesAnEmptyTitle()
{
    m_app->write(QStringLiteral("Rantxt.lmr"), crlf(QStringList(23, QString())));
    MainWindow* main = m_run->start();
    QVERIFY(main);
    // A title that shows nothing: an empty one, Qt would replace by the program's name.
    QVERIFY(!main->windowTitle().isEmpty());
    QCOMPARE(main->fontMetrics().horizontalAdvance(main->windowTitle()), 0);
}

void TestMainWindow::failedFirstLoadIsReportedAndShowsNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind");
    QTest::newRow("caption list missing") << "Rantxt.lmr" << true << QByteArray() << "File not found";
    QTest::newRow("caption list empty") << "Rantxt.lmr" << false << QByteArray()
                                        << "Input past end of file";
    QTest::newRow("slot names missing") << "configure.lmr" << true << QByteArray() << "File not found";
    QTest::newRow("thirteen slot names") << "configure.lmr" << false
                                         << crlf(QStringList(13, QStringLiteral("open")))
                                         << "Input past end of file";
}

void TestMainWindow::failedFirstLoadIsReportedAndShowsNothing()
{
    QFETCH(QString, file);
    QFETCH(bool, remove);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    MessageLog& messages = m_run->messages;
    if (remove)
        QFile::remove(m_app->file(file));
    else
        m_app->write(file, bytes);
    QVERIFY(!m_run->start());
    QCOMPARE(messages.texts().size(), 1);
    QCOMPARE(messages.last(), kind + QStringLiteral(": ") + m_app->file(file));
    QVERIFY(visibleWindows().isEmpty());
}

void TestMainWindow::failedLoadAfterStartLeavesTheProgramRunning()
{
    // With a caption list one line short, a load fails on the one draw in 23 that asks
    // for line 23; everything else goes on.
    MessageLog& messages = m_run->messages;
    m_app->writeNumberedCaptions(22);
    const SettingsFiles settings(m_app->path());
    RandomCaption shadow(settings);
    QVERIFY(RandomCaption::lineFor(shadow.nextValue()) != 23); // the main window starts
    MainWindow* main = m_run->start();
    QVERIFY(main);
    for (int i = 0; i < 200 && messages.texts().isEmpty(); ++i) {
        trigger(main, QStringLiteral("About"));
        if (Form* about = visibleWindow(QStringLiteral("aboutthis")))
            about->close();
    }
    QCOMPARE(messages.texts().size(), 1);
    QCOMPARE(messages.last(),
             QStringLiteral("Input past end of file: ") + m_app->file(QStringLiteral("Rantxt.lmr")));
    QVERIFY(!visibleWindow(QStringLiteral("aboutthis")));
    QCOMPARE(visibleWindows(), QStringList{"Main"});
}

void TestMainWindow::quitEndsTheProgramAtOnce()
{
    MainWindow* main = m_run->start();
    QVERIFY(main);
    trigger(main, QStringLiteral("About"));
    QVERIFY(endsProgram([&] { click(main, QStringLiteral("Command28")); }));
}

void TestMainWindow::programEndsWithItsLastWindow()
{
    MainWindow* main = m_run->start();
    QVERIFY(main);
    trigger(main, QStringLiteral("Music"));
    // Closing the main window leaves the program running with the other window.
    QVERIFY(!endsProgram([&] { main->close(); }, 300));
    QCOMPARE(visibleWindows(), QStringList{"musichelp"});
    QVERIFY(endsProgram([] { click(visibleWindow(QStringLiteral("musichelp")), QStringLiteral("Command1")); }));
}

void TestMainWindow::everyPictureLoads()
{
    QDirIterator it(QStringLiteral(":/assets"));
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
        ++count;
    }
    QVERIFY(count >= 9);
    QVERIFY(!Look::programIcon().pixmap(32).isNull());
}

void TestMainWindow::menuBarOverflowArrowIsFusions()
{
    // Our style hands the arrow out undecoded; once drawn it must be Fusion's own.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon ours = QApplication::style()->standardIcon(which);
        const QImage drawn = ours.pixmap(16).toImage();
        QVERIFY(!drawn.isNull());
        QCOMPARE(drawn, fusion->standardIcon(which).pixmap(16).toImage());
        QCOMPARE(ours.availableSizes(), fusion->standardIcon(which).availableSizes());
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
