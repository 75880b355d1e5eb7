// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Driving.h"
#include "Running.h"
#include "widgets/Look.h"
#include "app/MainWindow.h"
#include "widgets/Picture.h"
#include "app/Shell.h"

#include <QLabel>
#include <QTest>

using namespace Lumora;

// Run with QT_SCALE_FACTOR=2: the windows scale as a whole and stay sharp.
class TestHiDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowsScaleWholeWithSharpPictures_data();
    void windowsScaleWholeWithSharpPictures();
};

void TestHiDpi::initTestCase()
{
    Look::apply(*qApp);
}

void TestHiDpi::windowsScaleWholeWithSharpPictures_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("picture"); // the pixels drawn from
    QTest::newRow("main") << "Main" << QSize(1000, 738);
    QTest::newRow("category") << "Form4" << QSize(1280, 960);
    QTest::newRow("starry category") << "Form5" << QSize(1280, 960);
    QTest::newRow("slot") << "Formc2" << QSize(1150, 700);
    QTest::newRow("configuration") << "Configure" << QSize(1000, 738);
}

void TestHiDpi::windowsScaleWholeWithSharpPictures()
{
    QFETCH(QString, window);
    QFETCH(QSize, picture);
    Running run;
    Form* form = run.shell->windows().open(window);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->devicePixelRatioF(), 2.0);
    QCOMPARE(form->findChild<Picture*>(QStringLiteral("Image1"))->pixmap().size(), picture);
    verifyCaptionsFit(form);
    for (QLabel* label : form->client()->findChildren<QLabel*>()) {
        if (label->isVisible() && label->wordWrap() && window != QLatin1String("Formc2"))
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
    }
    // The whole window grabbed at twice the pixels.
    QCOMPARE(form->client()->grab().size(), form->client()->size() * 2);
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
