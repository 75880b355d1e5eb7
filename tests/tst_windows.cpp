// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "WindowTest.h"
#include "categories/Catalogue.h"
#include "categories/CategoryWindow.h"
#include "help/HelpPages.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotTable.h"
#include "slots/SlotWindow.h"
#include "tables/Tables.h"
#include "widgets/Picture.h"
#include "widgets/Rule.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QToolTip>

#include <cmath>

using namespace Lumora;

// What every window must get right, one row a window: a fixed size (the help on music
// alone may be resized), every control whole inside it and none over another (neighbours
// may share an edge of a pixel or two, as the main window's buttons do), every caption
// whole on its button and every wrapped text whole in its box, every text in the
// program's family at its sizes, and the focused control marked from the first moment
// by a frame 2 pixels wide or more that stands at 3:1 from the face. Each window at the
// normal size and zoomed to 200 %; the whole run once as it is and once with
// QT_SCALE_FACTOR=2, where the windows scale as a whole and draw their pictures from the
// pixels of the twice-as-large versions.
namespace {

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Whether `font` is the program's family at one of its three sizes, zoomed.
bool programFont(const QFont& font, int zoom)
{
    const int size = font.pixelSize();
    constexpr int kSizes[] = {9, 11, 13};
    return font.family().startsWith(QLatin1String("Liberation")) &&
           std::any_of(std::begin(kSizes), std::end(kSizes),
                       [&](int normal) { return size == qRound(normal * zoom / 100.0); });
}

} // namespace

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
    QTest::addColumn<int>("zoom");          // per cent
    QTest::addColumn<QStringList>("verses"); // a category's, in place of its entry's, when given
    const QStringList none;
    const QString longVerse = QStringLiteral("Thy word is a lamp unto my feet. ").repeated(100);
    for (const int zoom : {100, 200}) {
        const auto row = [zoom](const std::string_view& name) -> QTestData& {
            return QTest::addRow("%s at %d%%", name.data(), zoom);
        };
        row("Main") << "Main" << QString() << 31 << QSize(500, 369) << zoom << none;
        row("Main, every slot named") << "Main" << "Peace and Joy" << 31 << QSize() << zoom << none;
        // The heading, 14 names, 2 lists and 4 buttons.
        row("Configure") << "Configure" << QString() << 21 << QSize(500, 369) << zoom << none;
        const QSize kPictures[] = {QSize(640, 480), QSize(575, 350)};
        for (const CategoryEntry& entry : Catalogue::kEntries)
            row(entry.window) << qs(entry.window) << QString() << -1 << kPictures[0] << zoom << none;
        // Windows of a copied catalogue entry are the program's by name alone: not zoomed.
        if (zoom == 100) {
            row("Form7, five long verses") << "Form7" << QString() << -1 << kPictures[0] << zoom
                                           << QStringList(5, longVerse);
            row("Form2, a long verse among short ones")
                << "Form2" << QString() << -1 << kPictures[0] << zoom
                << QStringList{longVerse, "a", "b", "c", "d"};
        }
        for (const SlotRow& slot : SlotTable::kRows)
            row(slot.window) << qs(slot.window) << QString() << -1 << kPictures[1] << zoom << none;
        // A heading, two side headings, five marks, ten lines, a count and four buttons.
        row("Compare4") << "Compare4" << QString() << 23 << QSize() << zoom << none;
        for (const HelpPage& page : HelpPages::kPages)
            row(page.window) << qs(page.window) << QString() << -1 << QSize() << zoom << none;
    }
}

void TestWindows::everyWindowIsWholeAndTidy()
{
    QFETCH(QString, window);
    QFETCH(QString, slotNames);
    QFETCH(int, controls);
    QFETCH(QSize, picture);
    QFETCH(int, zoom);
    QFETCH(QStringList, verses);
    if (!slotNames.isEmpty())
        m_app->writeSlotNames(QStringList(SettingsFiles::kSlotCount, slotNames));
    CategoryEntry entry = verses.isEmpty() ? CategoryEntry{} : *Catalogue::byWindow(window);
    const QByteArray verseBytes = verses.join(u'\0').toLatin1();
    for (qsizetype i = 0, at = 0; i < verses.size(); at += verses[i++].size() + 1)
        entry.verses[std::size_t(i)] =
            std::string_view(verseBytes.constData() + at, std::size_t(verses[i].size()));
    std::unique_ptr<Form> copied(verses.isEmpty() ? nullptr : new CategoryWindow(*m_shell, entry));
    if (copied) {
        copied->Form_Load();
        copied->show();
    }
    Form* form = copied ? copied.get() : open(window);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    // Zoomed while open, the window keeps its focus, and a slot window the verses being
    // typed in it.
    const bool typing = window.startsWith(u"Formc") && zoom > 100;
    if (typing) {
        click(form, QStringLiteral("Command4"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
    }
    QWidget* focus = form->focusWidget();
    QVERIFY(focus);
    const auto* edit = qobject_cast<QLineEdit*>(focus);
    const QString typed = edit ? edit->text() : QString();
    QCOMPARE(bool(edit), typing);
    const QSize normal = form->client()->size();
    m_shell->setZoom(zoom);
    QCOMPARE(form->zoom(), zoom / 100.0);
    QCOMPARE(form->client()->size(), normal * form->zoom());
    QCOMPARE(form->focusWidget(), focus);
    if (typing) {
        QCOMPARE(edit->text(), typed);
        QVERIFY(qobject_cast<SlotWindow*>(form)->isEditing());
    }
    // The other open windows follow a moment later.
    if (Form* main = m_shell->windows().find(QStringLiteral("Main")); main && main != form)
        QTRY_COMPARE(main->zoom(), zoom / 100.0);
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
    QList<QWidget*> texts = form->findChildren<QWidget*>();
    texts << form << new QMenu(form) << new QMessageBox(form);
    for (QWidget* text : std::as_const(texts))
        QVERIFY2(programFont(text->font(), zoom) || (text->isWindow() && programFont(text->font(), 100)),
                 qPrintable(text->objectName() + u' ' + text->font().toString()));
    QVERIFY(programFont(QToolTip::font(), 100));

    const qreal scale = qApp->devicePixelRatio();
    QCOMPARE(form->devicePixelRatioF(), scale);
    if (picture.isValid())
        QCOMPARE(form->findChild<Picture*>(QStringLiteral("Image1"))->pixmap().size(),
                 picture * (scale * zoom > 100 ? 2 : 1));
    const QImage shot = form->grab().toImage();
    QCOMPARE(shot.size(), form->size() * scale);

    // The mark: a frame just inside the focused control's border.
    const QRect inner = QRect(focus->mapTo(form, QPoint(2, 2)), focus->size() - QSize(4, 4));
    const auto at = [&](int x, int y) { return shot.pixel(QPoint(x, y) * scale); };
    const int y = inner.center().y();
    for (const int x : {inner.left(), inner.left() + 1, inner.right(), inner.right() - 1}) {
        const double against = contrast(at(x, y), at(inner.left() + zoom / 25, inner.top() + zoom / 25));
        QVERIFY2(against >= 3, qPrintable(QStringLiteral("%1 at %2: %3").arg(focus->objectName()).arg(x).arg(against)));
    }
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
