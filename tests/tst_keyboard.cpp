// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "Driving.h"
#include "WindowTest.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "categories/Catalogue.h"
#include "slots/SlotWindow.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

using namespace Lumora;

namespace {

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QStringList focusChain(QWidget* first, int count)
{
    QStringList names;
    QWidget* w = first;
    for (int i = 0; i < count; ++i) {
        names.append(w->objectName());
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()) ||
                 w->objectName().isEmpty());
    }
    return names;
}

} // namespace

// The program used without a mouse, copied from, and read by a screen reader.
class TestKeyboard : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void enterPressesTheFocusedButton();
    void escapeClosesOnlyWhereNothingIsLost_data();
    void escapeClosesOnlyWhereNothingIsLost();
    void f10ReachesTheMenu();
    void focusMovesInASensibleOrder_data();
    void focusMovesInASensibleOrder();
    void versesCanBeCopiedAsShown_data();
    void versesCanBeCopiedAsShown();
    void labelsOfferCopyInTheirContextMenu();
    void controlsHaveAccessibleNames();
};

void TestKeyboard::enterPressesTheFocusedButton()
{
    QVERIFY(m_shell->start());
    auto* main = qobject_cast<MainWindow*>(m_shell->windows().find(QStringLiteral("Main")));
    QVERIFY(QTest::qWaitForWindowActive(main));
    CaptionButton* help = main->button(QStringLiteral("Command27"));
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Return);
    QTRY_VERIFY(visibleWindow(QStringLiteral("MainHelp")));
    CaptionButton* heart = main->button(QStringLiteral("Command1"));
    heart->setFocus();
    QTest::keyClick(heart, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(visibleWindow(QStringLiteral("Form2")));
}

void TestKeyboard::escapeClosesOnlyWhereNothingIsLost_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("editing");
    QTest::addColumn<bool>("closes");
    QTest::newRow("help window") << "help" << false << true;
    QTest::newRow("about window") << "aboutthis" << false << true;
    QTest::newRow("category window") << "Form7" << false << true;
    QTest::newRow("slot window showing verses") << "Formc4" << false << true;
    QTest::newRow("slot window with typing") << "Formc4" << true << false;
    QTest::newRow("configuration window") << "Configure" << false << false;
    QTest::newRow("main window") << "Main" << false << false;
}

void TestKeyboard::escapeClosesOnlyWhereNothingIsLost()
{
    QFETCH(QString, window);
    QFETCH(bool, editing);
    QFETCH(bool, closes);
    Form* form = open(window);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    if (editing)
        click(form, QStringLiteral("Command4"));
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : form;
    QTest::keyClick(focus, Qt::Key_Escape);
    QCOMPARE(!m_shell->windows().find(window), closes);
}

void TestKeyboard::f10ReachesTheMenu()
{
    QVERIFY(m_shell->start());
    Form* main = m_shell->windows().find(QStringLiteral("Main"));
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QAction* active = main->menuBar()->activeAction();
    QVERIFY(active);
    QCOMPARE(active->menu()->objectName(), QStringLiteral("HelpMe"));
    QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : main->menuBar(), Qt::Key_Escape);
}

void TestKeyboard::focusMovesInASensibleOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("press");     // a button pressed first, if any
    QTest::addColumn<bool>("focused");      // the first of the order has the focus at once
    QTest::addColumn<QStringList>("order"); // Tab after Tab from its first
    QStringList main; // the grid by rows, the music buttons, Configuration, Help, Quit
    for (int n = 2; n <= 28; ++n) {
        if (n != 10)
            main.append(QStringLiteral("Command%1").arg(n));
    }
    main << "Command29" << "Command30" << "Command31" << "Command1" << "Command10";
    QTest::newRow("main window") << "Main" << QString() << true << main;
    QStringList configure{"Dir1", "Drive1", "Command1", "Command2"};
    for (int n = 2; n <= 15; ++n)
        configure.append(QStringLiteral("Text%1").arg(n));
    configure << "Command3" << "Command4" << "Dir1";
    QTest::newRow("configuration: lists, confirm, exit, the names, copy, help")
        << "Configure" << QString() << true << configure;
    QTest::newRow("category window") << "Form2" << QString() << false
                                     << QStringList{"Command1", "Command3", "Command1"};
    QTest::newRow("slot window in edit mode")
        << "Formc9" << "Command4" << true
        << QStringList{"Text3", "Text4", "Text5", "Text6", "Text7", "Command1", "Command4",
                       "Command2", "Command5", "Command3", "Text3"};
}

void TestKeyboard::focusMovesInASensibleOrder()
{
    QFETCH(QString, window);
    QFETCH(QString, press);
    QFETCH(bool, focused);
    QFETCH(QStringList, order);
    Form* form = open(window);
    QVERIFY(QTest::qWaitForWindowActive(form));
    if (!press.isEmpty())
        click(form, press);
    QWidget* first = form->findChild<QWidget*>(order.first());
    if (focused)
        QCOMPARE(QApplication::focusWidget(), first);
    QCOMPARE(focusChain(first, int(order.size())), order);
}

void TestKeyboard::versesCanBeCopiedAsShown_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("verse");
    QTest::addColumn<bool>("cut"); // longer than its box shows
    QTest::newRow("category window")
        << "Form6" << qs(Catalogue::byWindow(u"Form6")->verses[1]) << false;
    QTest::newRow("slot window") << "Formc2" << QStringLiteral("  Psa 23:1  The LORD is my shepherd; ")
                                 << false;
    QTest::newRow("a word longer than a line") << "Formc2" << QStringLiteral("Lamp").repeated(25)
                                               << false;
    QTest::newRow("a verse longer than its box")
        << "Formc2" << QStringLiteral("Thy word is a lamp unto my feet. ").repeated(30) << true;
}

void TestKeyboard::versesCanBeCopiedAsShown()
{
    QFETCH(QString, window);
    QFETCH(QString, verse);
    QFETCH(bool, cut);
    m_app->write(QStringLiteral("c0002.dat"), crlf({"one", verse, "three", "four", "five"}));
    Form* form = open(window);
    QVERIFY(QTest::qWaitForWindowActive(form));
    auto* label = form->findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    // Select it with the mouse, from its first letter to its last, then Ctrl+C.
    QApplication::clipboard()->clear();
    label->setSelection(0, int(label->text().size()));
    label->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    if (!cut)
        QCOMPARE(QApplication::clipboard()->text(), verse);

    // A click shows a cut verse whole, in a window of its own that Escape closes; the
    // menu's "Show Whole Verse" shows any.
    const auto whole = [form] { return form->findChild<QDialog*>(QStringLiteral("wholeVerse")); };
    label->setSelection(0, 0);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(bool(whole()), cut);
    if (!whole()) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(label, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        menu->findChild<QAction*>(QStringLiteral("showWhole"))->trigger();
        menu->close();
    }
    QVERIFY(QTest::qWaitForWindowActive(whole()));
    QCOMPARE(whole()->findChild<QPlainTextEdit*>()->toPlainText(), verse);
    QTest::keyClick(whole(), Qt::Key_Escape);
    QTRY_VERIFY(!whole());
}

void TestKeyboard::labelsOfferCopyInTheirContextMenu()
{
    Form* form = open(QStringLiteral("Form3"));
    QVERIFY(QTest::qWaitForWindowActive(form));
    auto* label = form->findChild<QLabel*>(QStringLiteral("Label4"));
    const auto copyFromMenu = [&] {
        QApplication::clipboard()->clear();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                label->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(label, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto* copy = menu->findChild<QAction*>(QStringLiteral("copy"));
        QVERIFY(copy);
        copy->trigger();
        menu->close();
    };
    // Nothing selected: the whole verse, reference and all.
    copyFromMenu();
    QCOMPARE(QApplication::clipboard()->text(), qs(Catalogue::byWindow(u"Form3")->verses[3]));
    // A selection: just that.
    label->setSelection(0, 11);
    copyFromMenu();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Eph 4:15-16"));
}

void TestKeyboard::controlsHaveAccessibleNames()
{
    QStringList names(14, QStringLiteral("open"));
    names[0] = QStringLiteral("Peace & Joy");
    m_app->writeSlotNames(names);
    QVERIFY(m_shell->start());
    auto* main = qobject_cast<MainWindow*>(m_shell->windows().find(QStringLiteral("Main")));
    QCOMPARE(accessibleName(main->button(QStringLiteral("Command22"))), QStringLiteral("Peace & Joy"));
    QCOMPARE(accessibleName(main->button(QStringLiteral("Command6"))),
             QStringLiteral("Fruits of Spirit - Lord's prayer"));
    QCOMPARE(accessibleName(main->button(QStringLiteral("Command28"))), QStringLiteral("Quit"));

    Form* slot = open(QStringLiteral("Formc2"));
    QCOMPARE(accessibleName(slot->findChild<QLineEdit*>(QStringLiteral("Text5"))), QStringLiteral("Verse 3"));
    QCOMPARE(accessibleName(slot->findChild<QLabel*>(QStringLiteral("Label1"))),
             slot->findChild<QLabel*>(QStringLiteral("Label1"))->text());
    Form* configure = open(QStringLiteral("Configure"));
    QCOMPARE(accessibleName(configure->findChild<QLineEdit*>(QStringLiteral("Text9"))),
             QStringLiteral("Name of slot 9"));
    QCOMPARE(accessibleName(configure->findChild<QWidget*>(QStringLiteral("Dir1"))),
             QStringLiteral("Data folder"));
    Form* help = open(QStringLiteral("help"));
    QCOMPARE(accessibleName(buttonOf(help, QStringLiteral("Command1"))), QStringLiteral("OK"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
