// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "Driving.h"
#include "FileSizeLimit.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "WindowTest.h"
#include "widgets/Picture.h"
#include "app/Shell.h"
#include "slots/SlotTable.h"
#include "slots/SlotWindow.h"
#include "widgets/Elide.h"
#include "widgets/OneLineEdit.h"
#include "widgets/VerseLabel.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <optional>

using namespace Lumora;

namespace {

const QStringList kVerses{"Psa 23:1  The LORD is my shepherd; I shall not want.",
                          "Psa 46:10  Be still, and know that I am God.", "  spaced  ", "",
                          "Joh 11:35  Jesus wept."};

QLabel* label(QWidget* w, int n)
{
    return w->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
}

QLineEdit* edit(QWidget* w, int n) // n = 3..7
{
    return w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
}

QStringList editTexts(QWidget* w)
{
    QStringList texts;
    for (int n = 3; n <= 7; ++n)
        texts.append(edit(w, n)->text());
    return texts;
}

// Types `text` at the cursor, any character, as a keyboard would deliver it.
void type(QWidget* box, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void typeVerses(QWidget* w, const QStringList& verses)
{
    for (int i = 0; i < 5; ++i) {
        QLineEdit* box = edit(w, i + 3);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        type(box, verses[i]);
    }
}

} // namespace

class TestSlotWindows : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void showsTheFiveVersesInYellowOnTheBoard_data();
    void showsTheFiveVersesInYellowOnTheBoard();
    void editModeShowsTheBoxesWithTheVerses();
    void confirmSavesReopensAndShowsTheFile();
    void confirmWithoutEditingNormalisesTheFile();
    void changeOnDiskIsNeverOverwrittenUnasked_data();
    void changeOnDiskIsNeverOverwrittenUnasked();
    void confirmKeepsTheProgramRunningAlone();
    void exitForgetsUnconfirmedEdits();
    void failedSaveKeepsTheWindowAndTheTyping_data();
    void failedSaveKeepsTheWindowAndTheTyping();
    void unreadableVerseFileKeepsTheWindowClosed_data();
    void unreadableVerseFileKeepsTheWindowClosed();
    void everyVerseStaysInView_data();
    void everyVerseStaysInView();
    void editBoxesTakeAnyLengthOnOneLine();
    void slotButtonBringsAnEditingWindowForward();
    void dataFolderChangedWhileOpenIsUsedNext();
    void helpIsOneWindowForAllSlots();

private:
    SlotWindow* open(int slot)
    {
        return qobject_cast<SlotWindow*>(
            m_shell->windows().open(qs(rowOf(SlotTable::kRows, slot, &SlotRow::slot)->window)));
    }
};

void TestSlotWindows::init()
{
    WindowTest::init();
    for (int slot = 2; slot <= 15; ++slot)
        m_app->write(SlotTable::verseFile(slot), crlf(kVerses));
}

void TestSlotWindows::showsTheFiveVersesInYellowOnTheBoard_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("icon");
    QTest::newRow("Formc2") << 2 << QSize(9255, 6975) / 15 << true;
    QTest::newRow("Formc3") << 3 << QSize(9360, 6690) / 15 << false;
    QTest::newRow("Formc7") << 7 << QSize(8805, 6855) / 15 << false;
    QTest::newRow("Formc9") << 9 << QSize(9165, 6600) / 15 << false;
    QTest::newRow("Formc12") << 12 << QSize(9450, 6900) / 15 << false;
    QTest::newRow("Formc15") << 15 << QSize(9450, 6675) / 15 << false;
}

void TestSlotWindows::showsTheFiveVersesInYellowOnTheBoard()
{
    QFETCH(int, slot);
    QFETCH(QSize, client);
    QFETCH(bool, icon);
    m_app->write(SlotTable::verseFile(slot),
                 crlf({"<b>bold?</b> &amp;", "two", "three", "four", "five"}));
    SlotWindow* w = open(slot);
    QVERIFY(w);
    QCOMPARE(w->client()->size(), client);
    QTRY_COMPARE(!w->windowIcon().isNull(), icon);
    QVERIFY(!w->isEditing());
    QCOMPARE(label(w, 1)->text(), QStringLiteral("<b>bold?</b> &amp;"));
    for (int n = 1; n <= 5; ++n) {
        QCOMPARE(label(w, n)->textFormat(), Qt::PlainText);
        QCOMPARE(label(w, n)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        QVERIFY(label(w, n)->font().bold());
        QVERIFY(label(w, n)->isVisible());
        QVERIFY(!edit(w, n + 2)->isVisible());
    }
    QCOMPARE(label(w, 5)->text(), QStringLiteral("five"));
    auto* board = w->findChild<Picture*>(QStringLiteral("Image1"));
    QCOMPARE(board->pixmap().size(), QSize(575, 350));
    QCOMPARE(board->geometry(), w->client()->rect());
    // The title is a caption, never the slot name.
    QVERIFY(w->windowTitle().startsWith(QLatin1String("Caption ")));
    const QStringList captions{"Other Language / Version/Additional", "Enter/Modify Verses",
                               "Confirm Changes", "Help", "Exit"};
    const QStringList names{"Command1", "Command4", "Command2", "Command5", "Command3"};
    int left = -1;
    for (int i = 0; i < 5; ++i) {
        CaptionButton* b = buttonOf(w, names[i]);
        QCOMPARE(b->caption(), captions[i]);
        QVERIFY(b->x() > left);
        left = b->geometry().right();
    }
}

void TestSlotWindows::editModeShowsTheBoxesWithTheVerses()
{
    SlotWindow* w = open(4);
    click(w, QStringLiteral("Command4"));
    QVERIFY(w->isEditing());
    QCOMPARE(editTexts(w), kVerses);
    for (int n = 1; n <= 5; ++n) {
        QVERIFY(!label(w, n)->isVisible());
        QVERIFY(edit(w, n + 2)->isVisible());
    }
    QTest::keyClick(edit(w, 3), Qt::Key_End);
    type(edit(w, 3), QStringLiteral(" more"));
    click(w, QStringLiteral("Command4"));
    QVERIFY(w->isEditing());
    QCOMPARE(edit(w, 3)->text(), kVerses[0] + QStringLiteral(" more"));
}

void TestSlotWindows::confirmSavesReopensAndShowsTheFile()
{
    MessageLog messages;
    QPointer<SlotWindow> w = open(6);
    const SettingsFiles settings(m_app->path());
    RandomCaption shadow(settings);
    shadow.draw();
    const QString secondTitle = shadow.draw();

    click(w, QStringLiteral("Command4"));
    const QStringList typed{"Caf\u00E9 \u201Cquoted\u201D", "  two  ", "", "four", "five \u2013 end"};
    typeVerses(w, typed);
    click(w, QStringLiteral("Command2"));

    QCOMPARE(messages.texts(), QStringList{"Verses have been saved to screen display"});
    QCOMPARE(m_app->read(QStringLiteral("c0006.dat")),
             QByteArray("Caf\xe9 \x93quoted\x94\r\n  two  \r\n\r\nfour\r\nfive \x96 end\r\n"));
    auto* fresh = qobject_cast<SlotWindow*>(m_shell->windows().find(QStringLiteral("Formc6")));
    QVERIFY(fresh);
    QVERIFY(fresh != w.data());
    QVERIFY(!fresh->isEditing());
    QCOMPARE(fresh->windowTitle(), secondTitle);
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(label(fresh, n)->text(), typed[n - 1]);
    QTRY_VERIFY(w.isNull());
    QCOMPARE(visibleWindows(), QStringList{"Formc6"});
}

void TestSlotWindows::confirmWithoutEditingNormalisesTheFile()
{
    // A line feed alone is part of its line, and goes back as it was read.
    m_app->write(QStringLiteral("c0010.dat"),
                 QByteArray("one\r\ntwo\rthree\nand more\r\nfour\r\nfive\r\nsix\r\nseven"));
    SlotWindow* w = open(10);
    click(w, QStringLiteral("Command2"));
    QCOMPARE(m_app->read(QStringLiteral("c0010.dat")),
             QByteArray("one\r\ntwo\r\nthree\nand more\r\nfour\r\nfive\r\n"));
}

void TestSlotWindows::changeOnDiskIsNeverOverwrittenUnasked_data()
{
    QTest::addColumn<bool>("copy");        // the other version is a sync tool's copy beside the file
    QTest::addColumn<QString>("steps");    // in the comparison; "remove" answers its question
    QTest::addColumn<QStringList>("file"); // afterwards
    QTest::addColumn<bool>("closes");
    const QStringList theirs = QStringList{"t1", "t2"} + kVerses.mid(2);
    const QStringList mine = QStringList{"mine"} + kVerses.mid(1);
    QTest::newRow("Return keeps both") << false << "Return" << theirs << true;
    QTest::newRow("a side for each line") << false << "Option1:0 Option2:1 Command1"
                                          << QStringList{"mine", "t2"} + kVerses.mid(2) << true;
    QTest::newRow("all of this window") << false << "Command3 Command1" << mine << true;
    QTest::newRow("all on disk") << false << "Command4 Command1" << theirs << true;
    QTest::newRow("save waits for a side for each") << false << "Option1:0 Command1" << theirs << false;
    QTest::newRow("copy: a line taken, the copy stays") << true << "Option2:0 Command1"
                                                        << QStringList{"t1"} + kVerses.mid(1) << true;
    QTest::newRow("copy: every line decided, removed") << true << "Option2:0 Option1:1 remove Command1"
                                                       << QStringList{"t1"} + kVerses.mid(1) << true;
    QTest::newRow("copy: every line passed over, kept") << true << "Command3 Command1" << mine << true;
}

void TestSlotWindows::changeOnDiskIsNeverOverwrittenUnasked()
{
    QFETCH(bool, copy);
    QFETCH(QString, steps);
    QFETCH(QStringList, file);
    QFETCH(bool, closes);
    MessageLog messages;
    const QStringList theirs = QStringList{"t1", "t2"} + kVerses.mid(2);
    const QString copyName = QStringLiteral("c0003.sync-conflict-20261208-165525-P65PSDR.dat");
    m_app->write(QStringLiteral("c0003.dat"), crlf(QStringList{"mine"} + kVerses.mid(1)));
    if (copy)
        messages.answer(QMessageBox::Yes); // Compare
    SlotWindow* w = open(3);
    QCoreApplication::processEvents(); // the window has looked for copies
    // While the window is open, another program writes the file, or a sync tool leaves a copy.
    m_app->write(copy ? copyName : QStringLiteral("c0003.dat"), crlf(theirs));
    if (!copy)
        click(w, QStringLiteral("Command2"));
    QTRY_VERIFY(visibleWindow(QStringLiteral("Compare3")));
    Form* compare = visibleWindow(QStringLiteral("Compare3"));
    QCOMPARE(messages.texts().join(u'|').section(u'\n', 0, 1),
             copy ? "Syncthing has left another version of these verses beside c0003.dat:\n" + copyName : "");
    for (const QString& step : steps.split(u' ')) {
        if (step == QLatin1String("Return"))
            QTest::keyClick(compare, Qt::Key_Return);
        else if (step == QLatin1String("remove"))
            messages.answer(QMessageBox::Yes);
        else // a button, or line N of a side
            QTest::mouseClick(compare->findChildren<CaptionButton*>(step.section(u':', 0, 0))
                                  .at(step.section(u':', 1).toInt()), Qt::LeftButton);
    }
    QCOMPARE(m_app->read(QStringLiteral("c0003.dat")), crlf(file));
    QCOMPARE(QFile::exists(m_app->file(copyName)), copy && !steps.contains(QLatin1String("remove")));
    QTRY_COMPARE(!visibleWindow(QStringLiteral("Compare3")), closes);
    // A save shows what was saved; otherwise what was typed, or read, is still there.
    SlotWindow* now = qobject_cast<SlotWindow*>(visibleWindow(QStringLiteral("Formc3")));
    const bool saved = closes && steps.endsWith(QLatin1String("Command1"));
    QCOMPARE(saved ? label(now, 1)->text() : edit(now, 3)->text(), saved ? file[0] : QStringLiteral("mine"));
}

void TestSlotWindows::confirmKeepsTheProgramRunningAlone()
{
    MessageLog messages;
    SlotWindow* w = open(13);
    QVERIFY(!endsProgram([&] { click(w, QStringLiteral("Command2")); }, 300));
    QCOMPARE(visibleWindows(), QStringList{"Formc13"});
    QCOMPARE(messages.texts().size(), 1);
}

void TestSlotWindows::exitForgetsUnconfirmedEdits()
{
    SlotWindow* w = open(8);
    click(w, QStringLiteral("Command4"));
    typeVerses(w, QStringList(5, QStringLiteral("lost")));
    click(w, QStringLiteral("Command3"));
    QTRY_VERIFY(!visibleWindow(QStringLiteral("Formc8")));
    QCOMPARE(m_app->read(QStringLiteral("c0008.dat")), crlf(kVerses));
    SlotWindow* again = open(8);
    QCOMPARE(label(again, 1)->text(), kVerses[0]);
    QVERIFY(!again->isEditing());
}

void TestSlotWindows::failedSaveKeepsTheWindowAndTheTyping_data()
{
    QTest::addColumn<FolderSetup>("fault"); // done after the typing, before the save
    QTest::addColumn<QString>("verse");     // the third verse typed
    QTest::addColumn<int>("room");          // bytes a file may grow to; 0: no limit
    QTest::addColumn<QString>("kind");
    const QString fine = QStringLiteral("new three");
    QTest::newRow("data folder gone")
        << FolderSetup(Faults::dataFolderMissing) << fine << 0 << "Path not found";
    QTest::newRow("read-only file") << FolderSetup([](const AppFolder& app) {
        QFile::setPermissions(app.file(QStringLiteral("c0011.dat")), QFile::ReadOwner);
    }) << fine << 0 << "Permission denied";
    QTest::newRow("character outside Windows-1252")
        << FolderSetup(Faults::none) << QStringLiteral("\u05E9\u05DC\u05D5\u05DD peace") << 0
        << "Character not allowed";
    QTest::newRow("path.lmr missing")
        << FolderSetup(Faults::pointerMissing) << fine << 0 << "File not found";
    // The save runs out of room half-way.
    QTest::newRow("disk full") << FolderSetup(Faults::none) << QString(4000, u'x') << 1024
                               << "Could not write the file";
}

void TestSlotWindows::failedSaveKeepsTheWindowAndTheTyping()
{
    QFETCH(FolderSetup, fault);
    QFETCH(QString, verse);
    QFETCH(int, room);
    QFETCH(QString, kind);
    MessageLog messages;
    SlotWindow* w = open(11);
    click(w, QStringLiteral("Command4"));
    const QStringList typed{"new one", "new two", verse, "new four", "new five"};
    typeVerses(w, typed);
    const QByteArray before = m_app->read(QStringLiteral("c0011.dat"));
    fault(*m_app);
    {
        std::optional<FileSizeLimit> limit;
        if (room)
            limit.emplace(rlim_t(room));
        click(w, QStringLiteral("Command2"));
    }

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.last().startsWith(kind + QStringLiteral(": ")), qPrintable(messages.last()));
    if (kind == QLatin1String("Character not allowed"))
        QVERIFY(messages.last().contains(QStringLiteral("\u201C\u05E9\u201D (U+05E9)")));
    QCOMPARE(m_shell->windows().find(QStringLiteral("Formc11")), w);
    QVERIFY(w->isVisible());
    QVERIFY(w->isEditing());
    QCOMPARE(editTexts(w), typed);
    QCOMPARE(m_app->read(QStringLiteral("c0011.dat")), before);
    QCOMPARE(QDir(m_app->path()).entryList({"*.dat*"}, QDir::Files | QDir::Hidden).size(), 14);
}

void TestSlotWindows::unreadableVerseFileKeepsTheWindowClosed_data()
{
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << true << QByteArray() << "File not found";
    QTest::newRow("four lines") << false << crlf({"1", "2", "3", "4"}) << "Input past end of file";
    QTest::newRow("LF endings") << false << QByteArray("1\n2\n3\n4\n5\n") << "Input past end of file";
}

void TestSlotWindows::unreadableVerseFileKeepsTheWindowClosed()
{
    QFETCH(bool, remove);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    MessageLog messages;
    QVERIFY(m_shell->start());
    if (remove)
        QFile::remove(m_app->file(QStringLiteral("c0014.dat")));
    else
        m_app->write(QStringLiteral("c0014.dat"), bytes);
    click(m_shell->windows().find(QStringLiteral("Main")), QStringLiteral("Command19"));
    QCOMPARE(messages.texts(), QStringList{kind + QStringLiteral(": ") +
                                           m_app->file(QStringLiteral("c0014.dat"))});
    QCOMPARE(visibleWindows(), QStringList{"Main"});
    // Reading never creates the file.
    QCOMPARE(QFile::exists(m_app->file(QStringLiteral("c0014.dat"))), !remove);
}

void TestSlotWindows::everyVerseStaysInView_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("unit"); // repeated to make each verse, %1 its number
    QTest::addColumn<int>("length");
    const QString words =
        QStringLiteral("Verse %1  Thy word is a lamp unto my feet, and a light unto my path. ");
    for (const SlotRow& row : SlotTable::kRows)
        QTest::newRow(row.window.data()) << row.slot << words << 2000;
    QTest::newRow("Formc3, 3 MB without a space")
        << 3 << QStringLiteral("Verse%1Thywordisalamp") << (3 << 20);
}

void TestSlotWindows::everyVerseStaysInView()
{
    QFETCH(int, slot);
    QFETCH(QString, unit);
    QFETCH(int, length);
    QStringList verses;
    for (int n = 1; n <= 5; ++n)
        verses.append(unit.arg(n).repeated(length / unit.size() + 1).left(length));
    m_app->write(SlotTable::verseFile(slot), crlf(verses));
    SlotWindow* w = nullptr;
    QVERIFY(msTaken([&] { w = open(slot); }) < kPromptMs);
    QVERIFY(w);
    const int buttonTop = buttonOf(w, QStringLiteral("Command1"))->y();
    QList<QWidget*> parts;
    for (int n = 1; n <= 5; ++n) {
        auto* verse = qobject_cast<VerseLabel*>(label(w, n));
        QVERIFY(verse->isVisible());
        QVERIFY2(verse->text().startsWith(verses[n - 1].left(40)), qPrintable(verse->text()));
        QVERIFY(verse->text().endsWith(u'\u2026'));
        QVERIFY(verse->heightForWidth(verse->width()) <= verse->height());
        QCOMPARE(verse->toolTip(), shortened(verses[n - 1]));
        QCOMPARE(verse->copyText(), verses[n - 1]);
        parts.append(verse);
        parts.append(w->findChildren<QWidget*>(QStringLiteral("Line1")).at(n - 1));
    }
    for (QWidget* part : std::as_const(parts)) {
        QVERIFY2(part->geometry().bottom() < buttonTop, qPrintable(part->objectName()));
        for (QWidget* other : std::as_const(parts))
            QVERIFY2(other == part || !other->geometry().intersects(part->geometry()),
                     qPrintable(part->objectName() + u' ' + other->objectName()));
    }
    // Confirmed untouched, every verse is written back whole.
    click(w, QStringLiteral("Command4"));
    click(w, QStringLiteral("Command2"));
    QCOMPARE(m_app->read(SlotTable::verseFile(slot)), crlf(verses));
    // Short verses keep the rows where they are.
    click(open(slot), QStringLiteral("Command3"));
    m_app->write(SlotTable::verseFile(slot), crlf({"a", "b", "c", "d", "e"}));
    QCOMPARE(label(open(slot), 5)->geometry().top(), 276);
}

void TestSlotWindows::editBoxesTakeAnyLengthOnOneLine()
{
    SlotWindow* w = open(3);
    click(w, QStringLiteral("Command4"));
    QLineEdit* box = edit(w, 4);
    box->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("first line\nsecond\r\nthird"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("first line second  third"));

    auto* big = qobject_cast<OneLineEdit*>(edit(w, 7));
    const QString huge(40000, u'v');
    big->selectAll();
    QApplication::clipboard()->setText(huge);
    QTest::keyClick(big, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(big->line().size(), 40000);
    click(w, QStringLiteral("Command2"));
    const QByteArray saved = m_app->read(QStringLiteral("c0003.dat"));
    QCOMPARE(saved.count("\r\n"), 5);
    QVERIFY(saved.endsWith(huge.toLatin1() + "\r\n"));
    QVERIFY(saved.contains("first line second  third\r\n"));
}

void TestSlotWindows::slotButtonBringsAnEditingWindowForward()
{
    QVERIFY(m_shell->start());
    Form* main = m_shell->windows().find(QStringLiteral("Main"));
    click(main, QStringLiteral("Command17")); // slot 7
    auto* w = qobject_cast<SlotWindow*>(visibleWindow(QStringLiteral("Formc7")));
    QVERIFY(w);
    const QString title = w->windowTitle();
    click(w, QStringLiteral("Command4"));
    QTest::keyClick(edit(w, 5), Qt::Key_End);
    type(edit(w, 5), QStringLiteral("typing"));
    click(main, QStringLiteral("Command17"));
    QCOMPARE(visibleWindow(QStringLiteral("Formc7")), w);
    QVERIFY(w->isEditing());
    QCOMPARE(edit(w, 5)->text(), kVerses[2] + QStringLiteral("typing"));
    QCOMPARE(w->windowTitle(), title);
}

void TestSlotWindows::dataFolderChangedWhileOpenIsUsedNext()
{
    SlotWindow* w = open(2);
    AppFolder other;
    m_app->setDataFolder(other.path());
    click(w, QStringLiteral("Command1"));
    QCOMPARE(m_opener->opened, QStringList{other.file(QStringLiteral("c0002.txt"))});
    click(w, QStringLiteral("Command4"));
    typeVerses(w, {"n1", "n2", "n3", "n4", "n5"});
    click(w, QStringLiteral("Command2"));
    QCOMPARE(other.read(QStringLiteral("c0002.dat")), crlf({"n1", "n2", "n3", "n4", "n5"}));
    QCOMPARE(m_app->read(QStringLiteral("c0002.dat")), crlf(kVerses));
    auto* fresh = m_shell->windows().find(QStringLiteral("Formc2"));
    QCOMPARE(label(fresh, 1)->text(), QStringLiteral("n1"));
    QCOMPARE(fresh->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), other.path());
}

void TestSlotWindows::helpIsOneWindowForAllSlots()
{
    SlotWindow* first = open(2);
    SlotWindow* second = open(15);
    click(first, QStringLiteral("Command5"));
    Form* help = visibleWindow(QStringLiteral("help"));
    QVERIFY(help);
    const QString title = help->windowTitle();
    click(second, QStringLiteral("Command5"));
    QCOMPARE(visibleWindow(QStringLiteral("help")), help);
    QCOMPARE(help->windowTitle(), title);
    QVERIFY(first->isVisible() && second->isVisible());
}

QTEST_MAIN(TestSlotWindows)
#include "tst_slotwindows.moc"
