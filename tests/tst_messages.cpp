// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "widgets/Messages.h"
#include "files/FileError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Lumora;

// The real message boxes, answered by a timer the way a person would.
class TestMessages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boxesAreTitledPlainAndIconless_data();
    void boxesAreTitledPlainAndIconless();
    void reportNamesKindAndPath();
};

void TestMessages::boxesAreTitledPlainAndIconless_data()
{
    QTest::addColumn<bool>("question");
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("answer");
    QTest::newRow("information") << false << int(QMessageBox::Ok) << false;
    QTest::newRow("question answered Yes") << true << int(QMessageBox::Yes) << true;
    QTest::newRow("question answered No") << true << int(QMessageBox::No) << false;
}

void TestMessages::boxesAreTitledPlainAndIconless()
{
    QFETCH(bool, question);
    QFETCH(int, press);
    QFETCH(bool, answer);
    const QString text = QStringLiteral("<b>Tom & Jerry</b>  two  spaces");
    QString title, shown;
    int icon = -1;
    Qt::TextFormat format = Qt::AutoText;
    QList<int> buttons;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        shown = box->text();
        icon = box->icon();
        format = box->textFormat();
        for (QAbstractButton* b : box->buttons())
            buttons.append(box->standardButton(b));
        box->button(QMessageBox::StandardButton(press))->click();
    });
    bool result = false;
    if (question)
        result = Messages::ask(nullptr, text);
    else
        Messages::inform(nullptr, text);
    QCOMPARE(title, QStringLiteral("Lumora"));
    QCOMPARE(shown, text);
    QCOMPARE(icon, int(QMessageBox::NoIcon));
    QCOMPARE(format, Qt::PlainText);
    std::sort(buttons.begin(), buttons.end());
    if (question)
        QCOMPARE(buttons, (QList<int>{QMessageBox::Yes, QMessageBox::No}));
    else
        QCOMPARE(buttons, QList<int>{QMessageBox::Ok});
    QCOMPARE(result, answer);
}

void TestMessages::reportNamesKindAndPath()
{
    QString shown;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        box->accept();
    });
    Messages::report(nullptr, FileError(FileError::Kind::PermissionDenied,
                                        QStringLiteral("/data/c0002.dat"),
                                        QStringLiteral("The file is read-only.")));
    QCOMPARE(shown, QStringLiteral("Permission denied: /data/c0002.dat\n\nThe file is read-only."));
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
