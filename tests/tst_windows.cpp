// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "WindowTest.h"
#include "categories/Catalogue.h"
#include "categories/CategoryWindow.h"
#include "help/HelpPages.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotTable.h"
#include "tables/Tables.h"
#include "widgets/Picture.h"
#include "widgets/Rule.h"

#include <QLabel>

using namespace Lumora;

// What every window must get right, one row a window: a fixed size (the help on music
// alone may be resized), every control whole inside it and none over another (neighbours
// may share an edge of a pixel or two, as the main window's buttons do), every caption
// whole on its button and every wrapped text whole in its box. Run once as it is and once
// with QT_SCALE_FACTOR=2, where the windows scale as a whole and draw their pictures from
// the pixels of the twice-as-large versions.
class TestWindows : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void everyWindowIsWholeAndTidy_data();
    void everyWindowIsWholeAndTidy();
};

void TestWindows::everyWindowIsWholeAndTidy_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("slotNames"); // every slot named so, when given
    QTest::addColumn<int>("controls");      // how many show, where the row says
    QTest::addColumn<QSize>("picture");     // its background's size at 1x, where the row says
    QTest::addColumn<QStringList>("verses"); // a category's, in place of its entry's, when given
    const QStringList none;
    QTest::newRow("Main") << "Main" << QString() << 31 << QSize(500, 369) << none;
    QTest::newRow("Main, every slot named") << "Main"
                                            << "Peace and Joy" << 31 << QSize() << none;
    // The heading, 14 names, 2 lists and 4 buttons.
    QTest::newRow("Configure") << "Configure" << QString() << 21 << QSize(500, 369) << none;
    const QSize kPictures[] = {QSize(640, 480), QSize(575, 350)};
    for (const CategoryEntry& entry : Catalogue::kEntries)
        QTest::newRow(entry.window.data())
            << qs(entry.window) << QString() << -1 << kPictures[0] << none;
    const QString longVerse = QStringLiteral("Thy word is a lamp unto my feet. ").repeated(100);
    QTest::newRow("Form7, five long verses")
        << "Form7" << QString() << -1 << kPictures[0] << QStringList(5, longVerse);
    QTest::newRow("Form2, a long verse among short ones")
        << "Form2" << QString() << -1 << kPictures[0] << QStringList{longVerse, "a", "b", "c", "d"};
    for (const SlotRow& row : SlotTable::kRows)
        QTest::newRow(row.window.data())
            << qs(row.window) << QString() << -1 << kPictures[1] << none;
    for (const HelpPage& page : HelpPages::kPages)
        QTest::newRow(page.window.data()) << qs(page.window) << QString() << -1 << QSize() << none;
}

void TestWindows::everyWindowIsWholeAndTidy()
{
    QFETCH(QString, window);
    QFETCH(QString, slotNames);
    QFETCH(int, controls);
    QFETCH(QSize, picture);
    QFETCH(QStringList, verses);
    if (!slotNames.isEmpty())
        m_app->writeSlotNames(QStringList(SettingsFiles::kSlotCount, slotNames));
    CategoryEntry entry = verses.isEmpty() ? CategoryEntry{} : *Catalogue::byWindow(window);
    const QByteArray texts = verses.join(u'\0').toLatin1();
    for (qsizetype i = 0, at = 0; i < verses.size(); at += verses[i++].size() + 1)
        entry.verses[std::size_t(i)] =
            std::string_view(texts.constData() + at, std::size_t(verses[i].size()));
    std::unique_ptr<Form> copied(verses.isEmpty() ? nullptr : new CategoryWindow(*m_shell, entry));
    if (copied) {
        copied->Form_Load();
        copied->show();
    }
    Form* form = copied ? copied.get() : open(window);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const bool resizable = window == QLatin1String("musichelp");
    QCOMPARE(form->minimumSize() != form->maximumSize(), resizable);
    QCOMPARE(bool(form->windowFlags() & Qt::WindowMaximizeButtonHint), resizable);

    QList<QWidget*> shown = form->client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    shown.removeIf([form](QWidget* control) {
        return !control->isVisibleTo(form) || qobject_cast<Picture*>(control) ||
               qobject_cast<Rule*>(control);
    });
    QVERIFY(!shown.isEmpty());
    if (controls >= 0)
        QCOMPARE(shown.size(), controls);
    for (QWidget* control : std::as_const(shown)) {
        QVERIFY2(form->client()->rect().contains(control->geometry()),
                 qPrintable(control->objectName()));
        for (QWidget* other : std::as_const(shown)) {
            const QRect shared = other->geometry() & control->geometry();
            QVERIFY2(other == control || std::min(shared.width(), shared.height()) <= 2,
                     qPrintable(control->objectName() + u' ' + other->objectName()));
        }
        // A slot window cuts a long verse off at its box by design; these are short.
        if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName() + QStringLiteral(" is cut off")));
    }
    verifyCaptionsFit(form);

    const qreal scale = qApp->devicePixelRatio();
    QCOMPARE(form->devicePixelRatioF(), scale);
    if (picture.isValid())
        QCOMPARE(form->findChild<Picture*>(QStringLiteral("Image1"))->pixmap().size(),
                 picture * scale);
    QCOMPARE(form->client()->grab().size(), form->client()->size() * scale);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
