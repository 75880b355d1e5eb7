// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SlotNames.h"
#include "AppFolder.h"
#include "Driving.h"
#include "MessageLog.h"
#include "WindowTest.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "config/ConfigureWindow.h"
#include "config/FolderList.h"
#include "files/FileSave.h"
#include "slots/SlotTable.h"
#include "widgets/OneLineEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Lumora;

namespace {

const QString kFailed = QStringLiteral(
    "Files not copied.  Please make sure (Set data path first and ) data folder is not the same "
    "as application folder.  Default folder is your data folder");

OneLineEdit* box(QWidget* w, int slot)
{
    return w->findChild<OneLineEdit*>(QStringLiteral("Text%1").arg(slot));
}

QListWidgetItem* entry(FolderList* list, const QString& label)
{
    const QList<QListWidgetItem*> found = list->findItems(label, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void doubleClick(FolderList* list, QListWidgetItem* item)
{
    list->scrollToItem(item);
    const QRect r = list->visualItemRect(item);
    // QTest's double click is only taken as one after a press of its own, as a real
    // double click begins with a click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

void singleClick(FolderList* list, QListWidgetItem* item)
{
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QStringList labels(FolderList* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestConfigure : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void controlsStandWhereTheyBelong();
    void loadsNamesWithBoldMarks_data();
    void loadsNamesWithBoldMarks();
    void readsOnlyFourteenNamesAndWritesFourteen();
    void shortNameFileKeepsTheWindowClosed();
    void confirmWritesBothFilesExactly();
    void changeMadeWhileConfirmingIsNotOverwritten();
    void changedNamesAreReloadedKeepingWhatWasTyped();
    void confirmRefusesNamesTheCodePageCannotHold();
    void confirmThatCannotWriteKeepsTheEntries();
    void folderListOpensOnDoubleClickSelectsOnSingle();
    void folderListShowsHiddenFoldersLast();
    void vanishedFolderIsReportedAndTheListStays();
    void driveChangeMovesTheFolderList();
    void brokenDataFolderIsMendedHere_data();
    void brokenDataFolderIsMendedHere();
    void exitRebuildsTheMainWindowWithTheNewNames();
    void exitWithBrokenNameFileKeepsThisWindow();
    void relocationAsksAndReports_data();
    void relocationAsksAndReports();
    void helpMenuAndHelpButton();

private:
    ConfigureWindow* open()
    {
        return qobject_cast<ConfigureWindow*>(m_shell->windows().open(QStringLiteral("Configure")));
    }
};

void TestConfigure::controlsStandWhereTheyBelong()
{
    ConfigureWindow* w = open();
    QVERIFY(w);
    QCOMPARE(w->client()->size(), QSize(584, 365));
    QVERIFY(w->findChild<QLineEdit*>(QStringLiteral("Text1"))->isHidden());
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral("CONFIGURATION - Please enter Catagory / Header name to set it up"));
    QCOMPARE(box(w, 2)->palette().color(QPalette::Base), QColor(255, 255, 0));
    QCOMPARE(w->folderList()->palette().color(QPalette::Base), QColor(255, 0, 0));
    const QStringList captions{"Confirm Data and  Header", "EXIT",
                               "Copy Original Data to New data path", "HELP"};
    for (int n = 1; n <= 4; ++n) {
        CaptionButton* b = buttonOf(w, QStringLiteral("Command%1").arg(n));
        QCOMPARE(b->caption(), captions[n - 1]);
    }
    // The name boxes stand as the slot buttons of the main window do: the same order
    // from left to right and from top to bottom.
    Form* main = m_run->start();
    QVERIFY(main);
    for (const SlotRow& a : SlotTable::kRows) {
        for (const SlotRow& b : SlotTable::kRows) {
            const QRect boxA = box(w, a.slot)->geometry(), boxB = box(w, b.slot)->geometry();
            const QRect buttonA = buttonOf(main, qs(a.button))->geometry();
            const QRect buttonB = buttonOf(main, qs(b.button))->geometry();
            QCOMPARE(boxA.x() < boxB.x(), buttonA.x() < buttonB.x());
            QCOMPARE(boxA.y() < boxB.y(), buttonA.y() < buttonB.y());
        }
    }
}

void TestConfigure::loadsNamesWithBoldMarks_data()
{
    addSlotNameRows();
}

void TestConfigure::loadsNamesWithBoldMarks()
{
    QFETCH(QString, name);
    QFETCH(bool, named);
    QStringList names(14, QStringLiteral("open"));
    names[12] = name; // slot 14
    m_app->writeSlotNames(names);
    ConfigureWindow* w = nullptr;
    QVERIFY(msTaken([&] { w = open(); }) < kPromptMs);
    QVERIFY(w);
    QCOMPARE(box(w, 14)->line(), name);
    QCOMPARE(box(w, 14)->font().bold(), named);
    QVERIFY(!box(w, 2)->font().bold());
    // Typing does not change the weight; only the next load does.
    box(w, 2)->setText(QStringLiteral("Faith"));
    QTest::keyClick(box(w, 2), Qt::Key_A);
    QVERIFY(!box(w, 2)->font().bold());
    // Typed into at its start, a name keeps all of itself and Confirm writes it whole;
    // typed over, nothing of it is left.
    box(w, 14)->home(false);
    QVERIFY(msTaken([&] { QTest::keyClicks(box(w, 14), QStringLiteral("Hope ")); }) < kPromptMs);
    click(w, QStringLiteral("Command1"));
    names[0] = QStringLiteral("Faitha");
    names[12] = QStringLiteral("Hope ") + name;
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), crlf(names));
    box(w, 14)->selectAll();
    QTest::keyClicks(box(w, 14), QStringLiteral("Hope"));
    QCOMPARE(box(w, 14)->line(), QStringLiteral("Hope"));
}

void TestConfigure::readsOnlyFourteenNamesAndWritesFourteen()
{
    QStringList names;
    for (int n = 1; n <= 15; ++n)
        names.append(QStringLiteral("name %1").arg(n));
    m_app->writeSlotNames(names);
    ConfigureWindow* w = open();
    QCOMPARE(box(w, 15)->text(), QStringLiteral("name 14"));
    click(w, QStringLiteral("Command1"));
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), crlf(names.mid(0, 14)));
}

void TestConfigure::shortNameFileKeepsTheWindowClosed()
{
    MessageLog messages;
    m_app->write(QStringLiteral("configure.lmr"), QByteArray());
    QVERIFY(!open());
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Input past end of file: ") +
                                           m_app->file(QStringLiteral("configure.lmr"))});
}

void TestConfigure::confirmWritesBothFilesExactly()
{
    MessageLog messages;
    QTemporaryDir data;
    const QString folder = data.filePath(QStringLiteral("Vers\u00E9s \u05D0"));
    QDir().mkpath(folder);
    ConfigureWindow* w = open();
    w->folderList()->setCurrentFolder(folder + u'/');
    box(w, 2)->setText(QStringLiteral("Caf\u00E9 \u201CJoy\u201D"));
    box(w, 6)->clear();
    box(w, 15)->setText(QStringLiteral("  spaced  "));
    click(w, QStringLiteral("Command1"));

    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), folder.toUtf8() + "\r\n");
    QByteArray expected = "Caf\xe9 \x93Joy\x94\r\n";
    for (int slot = 3; slot <= 15; ++slot)
        expected += slot == 6 ? "\r\n" : slot == 15 ? "  spaced  \r\n" : "open\r\n";
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), expected);
    QCOMPARE(messages.texts(),
             QStringList{QStringLiteral("All header info have been set & Data path changed to ") + folder});
    QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), folder);
    // The root folder keeps its separator.
    w->folderList()->setCurrentFolder(QStringLiteral("/"));
    click(w, QStringLiteral("Command1"));
    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), QByteArray("/\r\n"));
}

void TestConfigure::changedNamesAreReloadedKeepingWhatWasTyped()
{
    MessageLog messages;
    ConfigureWindow* w = open();
    box(w, 2)->selectAll();
    QTest::keyClicks(box(w, 2), QStringLiteral("Peace"));
    // Another program names slots 2 and 3 meanwhile.
    QStringList theirs = QStringList{"Joy", "Hope"} + QStringList(12, QStringLiteral("open"));
    m_app->writeSlotNames(theirs);
    messages.answer(QMessageBox::No);
    click(w, QStringLiteral("Command1"));
    QVERIFY(messages.last().startsWith(QStringLiteral("Changed by another program: ") +
                                       m_app->file(QStringLiteral("configure.lmr"))));
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), crlf(theirs));
    QCOMPARE(box(w, 2)->text(), QStringLiteral("Peace"));
    QCOMPARE(box(w, 3)->text(), QStringLiteral("Hope"));
    // Confirmed now, the names are the ones shown.
    click(w, QStringLiteral("Command1"));
    theirs[0] = QStringLiteral("Peace");
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), crlf(theirs));
}

void TestConfigure::changeMadeWhileConfirmingIsNotOverwritten()
{
    MessageLog messages;
    ConfigureWindow* w = open();
    // Another program moves the data folder the moment this Confirm has written it.
    FileSave::setBeforeCommit([&](const QString& target) {
        if (target.endsWith(QLatin1String("configure.lmr")))
            m_app->write(QStringLiteral("path.lmr"), "/theirs\r\n");
    });
    click(w, QStringLiteral("Command1"));
    FileSave::setBeforeCommit({});
    messages.answer(QMessageBox::Cancel);
    click(w, QStringLiteral("Command1"));
    QVERIFY(messages.last().startsWith(QStringLiteral("Changed by another program: ") +
                                       m_app->file(QStringLiteral("path.lmr"))));
    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), QByteArray("/theirs\r\n"));
}

void TestConfigure::confirmRefusesNamesTheCodePageCannotHold()
{
    MessageLog messages;
    const QByteArray pathBefore = m_app->read(QStringLiteral("path.lmr"));
    const QByteArray namesBefore = m_app->read(QStringLiteral("configure.lmr"));
    ConfigureWindow* w = open();
    w->folderList()->setCurrentFolder(QStringLiteral("/"));
    box(w, 9)->setText(QStringLiteral("Shalom \u05E9\u05DC\u05D5\u05DD"));
    click(w, QStringLiteral("Command1"));
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.last().startsWith(QLatin1String("Character not allowed: ")));
    QVERIFY(messages.last().contains(QStringLiteral("\u201C\u05E9\u201D (U+05E9)")));
    QVERIFY(messages.last().contains(QLatin1String("slot 9")));
    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), pathBefore);
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), namesBefore);
    QCOMPARE(box(w, 9)->text(), QStringLiteral("Shalom \u05E9\u05DC\u05D5\u05DD"));
    QVERIFY(visibleWindow(QStringLiteral("Configure")));
}

void TestConfigure::confirmThatCannotWriteKeepsTheEntries()
{
    MessageLog messages;
    const QByteArray namesBefore = m_app->read(QStringLiteral("configure.lmr"));
    ConfigureWindow* w = open();
    QFile::setPermissions(m_app->file(QStringLiteral("configure.lmr")), QFile::ReadOwner);
    box(w, 3)->setText(QStringLiteral("Kept"));
    click(w, QStringLiteral("Command1"));
    QCOMPARE(messages.texts().size(), 1);
    QCOMPARE(messages.last().section(u'\n', 0, 0),
             QStringLiteral("Permission denied: ") + m_app->file(QStringLiteral("configure.lmr")));
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), namesBefore);
    QCOMPARE(box(w, 3)->text(), QStringLiteral("Kept"));
}

void TestConfigure::folderListOpensOnDoubleClickSelectsOnSingle()
{
    QTemporaryDir root;
    for (const char* sub : {"alpha", "beta/inner", "gamma"})
        QDir().mkpath(root.filePath(QLatin1String(sub)));
    m_app->setDataFolder(root.path());
    ConfigureWindow* w = open();
    FolderList* list = w->folderList();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(list->currentFolder(), root.path());
    const QString rootName = QFileInfo(root.path()).fileName();
    QCOMPARE(labels(list).mid(labels(list).indexOf(rootName)),
             (QStringList{rootName, "alpha", "beta", "gamma"}));
    QCOMPARE(list->currentItem()->text(), rootName);
    QVERIFY(list->currentItem()->font().bold());

    // A single click selects; it does not open.
    singleClick(list, entry(list, QStringLiteral("gamma")));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("gamma"));
    QCOMPARE(list->currentFolder(), root.path());

    // A double click (or Enter) opens.
    doubleClick(list, entry(list, QStringLiteral("beta")));
    QCOMPARE(list->currentFolder(), root.filePath(QStringLiteral("beta")));
    QCOMPARE(labels(list).last(), QStringLiteral("inner"));
    list->setCurrentItem(entry(list, QStringLiteral("inner")));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(list->currentFolder(), root.filePath(QStringLiteral("beta/inner")));

    // An ancestor opens too, going up.
    doubleClick(list, entry(list, rootName));
    QCOMPARE(list->currentFolder(), root.path());

    // Confirm stores the open folder, not the selected one.
    singleClick(list, entry(list, QStringLiteral("alpha")));
    click(w, QStringLiteral("Command1"));
    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), root.path().toUtf8() + "\r\n");
}

void TestConfigure::folderListShowsHiddenFoldersLast()
{
    QTemporaryDir root;
    for (const char* sub : {"Zeta", ".config", "alpha", ".cache", "Beta"})
        QDir().mkpath(root.filePath(QLatin1String(sub)));
    FolderList list(QStringLiteral("Dir1"), nullptr);
    list.setCurrentFolder(root.path());
    QCOMPARE(labels(&list).mid(labels(&list).size() - 5),
             (QStringList{"alpha", "Beta", "Zeta", ".cache", ".config"}));
}

void TestConfigure::vanishedFolderIsReportedAndTheListStays()
{
    MessageLog messages;
    QTemporaryDir root;
    QDir().mkpath(root.filePath(QStringLiteral("soon-gone")));
    m_app->setDataFolder(root.path());
    ConfigureWindow* w = open();
    FolderList* list = w->folderList();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QListWidgetItem* item = entry(list, QStringLiteral("soon-gone"));
    QDir(root.filePath(QStringLiteral("soon-gone"))).removeRecursively();
    doubleClick(list, item);
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Path not found: ") +
                                           root.filePath(QStringLiteral("soon-gone"))});
    QCOMPARE(list->currentFolder(), root.path());
    QVERIFY(entry(list, QStringLiteral("soon-gone")));
}

void TestConfigure::driveChangeMovesTheFolderList()
{
    MessageLog messages;
    ConfigureWindow* w = open();
    QComboBox* drives = w->driveList();
    QVERIFY(drives->count() >= 1);
    QCOMPARE(drives->itemText(0), QStringLiteral("Root (/)"));
    const QString text1 = w->findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
    drives->setCurrentIndex(0);
    Q_EMIT drives->activated(0);
    QCOMPARE(w->folderList()->currentFolder(), QStringLiteral("/"));
    QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), text1);
    QVERIFY(messages.texts().isEmpty());
}

void TestConfigure::brokenDataFolderIsMendedHere_data()
{
    QTest::addColumn<QString>("pointer"); // %1: a temporary folder that exists
    QTest::addColumn<QString>("start");   // where the list starts; "~" for the home folder
    QTest::addColumn<QString>("problem");
    QTest::newRow("folder gone") << "%1/gone/deeper" << "%1" << "Path not found";
    QTest::newRow("empty line") << "" << "~" << "No data folder is set";
    QTest::newRow("no line at all") << "<none>" << "~" << "Input past end of file";
    QTest::newRow("a file, not a folder") << "%1/file" << "%1" << "Not a folder";
}

void TestConfigure::brokenDataFolderIsMendedHere()
{
    QFETCH(QString, pointer);
    QFETCH(QString, start);
    QFETCH(QString, problem);
    MessageLog messages;
    QTemporaryDir root;
    QFile file(root.filePath(QStringLiteral("file")));
    file.open(QIODevice::WriteOnly);
    file.close();
    if (pointer == QLatin1String("<none>"))
        m_app->write(QStringLiteral("path.lmr"), QByteArray());
    else
        m_app->setDataFolder(pointer.arg(root.path()));
    ConfigureWindow* w = open();
    QVERIFY(w);
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.last().startsWith(problem), qPrintable(messages.last()));
    const QString expected = start == QLatin1String("~") ? QDir::homePath() : start.arg(root.path());
    QCOMPARE(w->folderList()->currentFolder(), QDir::cleanPath(expected));
}

void TestConfigure::exitRebuildsTheMainWindowWithTheNewNames()
{
    QVERIFY(m_shell->start());
    QPointer<Form> oldMain = m_shell->windows().find(QStringLiteral("Main"));
    click(oldMain, QStringLiteral("Command26"));
    QPointer<ConfigureWindow> w = qobject_cast<ConfigureWindow*>(visibleWindow(QStringLiteral("Configure")));
    QVERIFY(w);
    box(w, 5)->setText(QStringLiteral("Hope"));
    click(w, QStringLiteral("Command1"));
    // Neither window is there for a moment; the program goes on all the same.
    QVERIFY(!endsProgram([&] { click(w, QStringLiteral("Command2")); }, 300));
    QCOMPARE(visibleWindows(), QStringList{"Main"});
    auto* main = qobject_cast<MainWindow*>(m_shell->windows().find(QStringLiteral("Main")));
    QVERIFY(main && main != oldMain.data());
    QCOMPARE(main->button(QStringLiteral("Command8"))->caption(), QStringLiteral("Hope"));
    QVERIFY(main->button(QStringLiteral("Command8"))->font().bold());
    QTRY_VERIFY(oldMain.isNull() && w.isNull());
}

void TestConfigure::exitWithBrokenNameFileKeepsThisWindow()
{
    MessageLog messages;
    QVERIFY(m_shell->start());
    Form* oldMain = m_shell->windows().find(QStringLiteral("Main"));
    ConfigureWindow* w = open();
    m_app->write(QStringLiteral("configure.lmr"), crlf({"open", "open"}));
    click(w, QStringLiteral("Command2"));
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Input past end of file: ") +
                                           m_app->file(QStringLiteral("configure.lmr"))});
    QCOMPARE(visibleWindows(), (QStringList{"Configure", "Main"}));
    QCOMPARE(m_shell->windows().find(QStringLiteral("Main")), oldMain);
    // Confirm mends the file, and EXIT then works.
    messages.answer(QMessageBox::Yes); // overwrite what changed behind the window's back
    click(w, QStringLiteral("Command1"));
    QVERIFY(messages.texts()[1].startsWith(QLatin1String("Changed by another program")));
    click(w, QStringLiteral("Command2"));
    QTRY_COMPARE(visibleWindows(), QStringList{"Main"});
}

void TestConfigure::relocationAsksAndReports_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("folder"); // "app", "other", "kept" (other, a verse in it) or "missing"
    QTest::addColumn<QString>("message");
    QTest::newRow("No") << false << "other" << kFailed;
    QTest::newRow("same folder") << true << "app" << QStringLiteral(
        "Your data folder is the same as application folder.. Please change it first");
    QTest::newRow("copied") << true << "other" << QStringLiteral("Files copied");
    QTest::newRow("copied, a verse kept") << true << "kept" << QStringLiteral(
        "Files copied\n\n1 file of the data folder held something else; what it held is kept in %1/%2.");
    QTest::newRow("missing folder") << true << "missing"
                                    << kFailed + "\n\nPath not found: %1\n\n0 of the 39 files were copied.";
}

void TestConfigure::relocationAsksAndReports()
{
    QFETCH(bool, yes);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    MessageLog messages;
    QTemporaryDir other;
    ConfigureWindow* w = open();
    QLineEdit* text1 = w->findChild<QLineEdit*>(QStringLiteral("Text1"));
    const QString before = text1->text();
    // The relocation uses what path.lmr says, not what the folder list shows.
    const QString target = folder == QLatin1String("app")       ? m_app->path()
                           : folder != QLatin1String("missing") ? other.path()
                                                                : other.filePath(QStringLiteral("missing"));
    if (folder == QLatin1String("kept"))
        QFile(other.filePath(QStringLiteral("c0004.dat"))).open(QIODevice::WriteOnly);
    m_app->setDataFolder(target);
    w->folderList()->setCurrentFolder(QStringLiteral("/"));
    messages.answer(yes ? QMessageBox::Yes : QMessageBox::No);
    click(w, QStringLiteral("Command3"));
    QCOMPARE(messages.texts(),
             (QStringList{"Do this once and only you want to copy data to other location",
                          QString(message).replace(QLatin1String("%1"), target).replace(QLatin1String("%2"),
                              QDir(other.path()).entryList({"kept-*"}).value(0))}));
    QCOMPARE(text1->text(), yes ? target : before);
    QCOMPARE(QDir(other.path()).entryList(QDir::Files).size(),
             message.startsWith(QLatin1String("Files copied")) ? 39 : 0);
    QVERIFY(!QFileInfo::exists(other.filePath(QStringLiteral("missing"))));
}

void TestConfigure::helpMenuAndHelpButton()
{
    MessageLog messages;
    ConfigureWindow* w = open();
    const QList<QMenu*> menus = w->menuBar()->findChildren<QMenu*>();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->objectName(), QStringLiteral("help"));
    QCOMPARE(menus.first()->title(), QStringLiteral("Help"));
    QStringList items;
    for (QAction* a : menus.first()->actions())
        items.append(a->objectName() + u'=' + a->text());
    QCOMPARE(items, (QStringList{"CDH=Confirm Data and Header",
                                 "codndp=Copy Orignal data New Data Path"}));
    trigger(w, QStringLiteral("CDH"));
    QCOMPARE(messages.last(), QStringLiteral("You can set your header info here, if data folder is "
                                             "highlighted, that is your default data folder"));
    trigger(w, QStringLiteral("codndp"));
    QCOMPARE(messages.texts().at(1),
             QStringLiteral("Do this once and only you want to copy data to other location"));
    click(w, QStringLiteral("Command4"));
    QCOMPARE(visibleWindows(), (QStringList{"Configure", "MainHelp"}));
}

QTEST_MAIN(TestConfigure)
#include "tst_configure.moc"
