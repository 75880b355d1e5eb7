#include "AppFolder.h"
#include "Driving.h"
#include "RecordingOpener.h"
#include "widgets/Look.h"
#include "app/MainWindow.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"
#include "help/HelpPages.h"
#include "files/Strings.h"

#include <QLabel>
#include <QTest>

using namespace Lumora;

using Texts = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Texts)

class TestHelpWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void showTheirTextsLetterForLetter_data();
    void showTheirTextsLetterForLetter();
    void layoutKeepsEveryTextWholeAndApart_data();
    void layoutKeepsEveryTextWholeAndApart();
    void titlesFramesAndPlaces_data();
    void titlesFramesAndPlaces();
    void okClosesAndTheNextOpeningLoadsAnew();
    void configurationHelpIsOneWindowForItsOpeners();

private:
    Form* open(const QString& window);

    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<Shell> m_shell;
};

void TestHelpWindows::initTestCase()
{
    Look::apply(*qApp);
}

void TestHelpWindows::init()
{
    m_app = std::make_unique<AppFolder>();
    m_app->writeNumberedCaptions(23);
    m_shell = std::make_unique<Shell>(m_app->path(), std::make_unique<RecordingOpener>());
}

void TestHelpWindows::cleanup()
{
    m_shell.reset();
    m_app.reset();
    QTRY_VERIFY(visibleWindows().isEmpty());
}

Form* TestHelpWindows::open(const QString& window)
{
    return m_shell->windows().open(window);
}

void TestHelpWindows::showTheirTextsLetterForLetter_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Texts>("texts");
    QTest::newRow("help") << "help"
        << Texts{{"Label1", "For inserting your own verses onto the display "},
                 {"Label6", "Click Enter Verses to put new verses in, Hit Confirm to insert it.  Only one line is allowed even if you have more than 2 lines.  No need to put return. It will wrap it around once you hit conform"},
                 {"Label2", "Other Language/Verison/Additional is the flexible text editor, it is different from the capture one as described above.  You can cut and paste any other version or language onto that text file, or you can write notes on it.  Changes made on the screen will be set until you make modification again."}};
    QTest::newRow("MainHelp") << "MainHelp"
        << Texts{{"Label1", "Configuration "},
                 {"Label2", "You can add / change any name on the open slot (yellow).  You can also set the data folder to anywhere you want.  To select data folder, the icon of the folder must  be open. Highlight and Click it.   That will be your data folder.  Click it to close it.  Then it will go up to the previous folder.  Hit Confrim to have it set.  If there is no need to change the folder once you set it or , you can leave it as is if you decide to leave it on the applicaiton path.      "},
                 {"Label3", "Copy original files to new data folder.  This is only done once if you have changed your new data folder.  There is no need to do it more than once or your data will be over written.   Once you have done it, all the data from your data folder will be modified or be read.  File types are txt and dat will be copied to new data folder you specify."}};
    QTest::newRow("aboutthis") << "aboutthis"
        << Texts{{"Label1", "Purpose of this software is to identity and remember verses that are commonly used or verses if you feel that you need to catagorize it.  The Bible is full of good verses, I only pull some out, and you can add your verses to the screen or, add notes/verses to external text file .   The verses I used are based on KJV, however there are  \"opening slots\" or yellow buttons, you can use it to create new catagory. Other/Version/Additonal is something flexible you can create or compare with other version."},
                 {"Label2", "Structure of the file type.  lmr - do not move/delete, file to set path.    dat - file to capture to screen display (can be moved to data folder)  txt - external text file, can be used as notes, comparison or UNICODE (foreign language)  Other files with C before it stands for Customized in case you wonder why I named them Cxxx.txt or Cxxx.dat"}};
    QTest::newRow("subhelp") << "subhelp"
        << Texts{{"Label1", "Other Language / Version /Additional - Click on that one, it will pop up a text format file which contains either verses you edit, modified or you can freely add any notes onto that file.  This is modified with notepad.exe"}};
    QTest::newRow("musichelp") << "musichelp"
        << Texts{{"Label1", "Play Music 1 - Play \"Seek ye first - midi file"},
                 {"Label2", "Play Music 2 - Play Shine Jesus Shine"},
                 {"Label3", "Stop Music - Stop music that is playing"}};
}

void TestHelpWindows::showTheirTextsLetterForLetter()
{
    QFETCH(QString, window);
    QFETCH(Texts, texts);
    Form* form = open(window);
    QVERIFY(form);
    for (const auto& [name, text] : texts) {
        auto* label = form->findChild<QLabel*>(name);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    if (window == QLatin1String("musichelp"))
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label1"))->text().size(), 46);
    if (window == QLatin1String("aboutthis")) {
        const QString about = form->findChild<QLabel*>(QStringLiteral("About"))->text();
        QVERIFY(about.contains(QLatin1String("1.0")));
        QVERIFY(about.contains(QLatin1String("December 2009")));
        QVERIFY(about.contains(QLatin1String(
            "You are welcome to distribute this software.    Matthew 10:8 ...  freely ye have "
            "received, freely give.")));
        QVERIFY(about.contains(
            QLatin1String("This software is best viewed by minimum of 1024 x 768 resolution .")));
    }
}

void TestHelpWindows::layoutKeepsEveryTextWholeAndApart_data()
{
    QTest::addColumn<QString>("window");
    for (const HelpPage& page : HelpPages::kPages)
        QTest::newRow(page.window.data()) << qs(page.window);
}

void TestHelpWindows::layoutKeepsEveryTextWholeAndApart()
{
    QFETCH(QString, window);
    Form* form = open(window);
    QVERIFY(form);
    const HelpPage& page = *HelpPages::byWindow(window.toStdString());
    QCOMPARE(form->client()->size(), QSize(page.width, page.height));
    QList<QWidget*> parts;
    for (QLabel* label : form->client()->findChildren<QLabel*>()) {
        QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                 qPrintable(label->objectName()));
        QVERIFY(label->font().bold() == (window != QLatin1String("aboutthis") &&
                                         window != QLatin1String("subhelp")));
        parts.append(label);
    }
    auto* ok = buttonOf(form, qs(page.okButton));
    QVERIFY(ok);
    QCOMPARE(ok->caption(), QStringLiteral("OK"));
    parts.append(ok);
    const QRect inside = form->client()->rect();
    for (QWidget* part : parts) {
        QVERIFY2(inside.contains(part->geometry()), qPrintable(part->objectName()));
        for (QWidget* other : parts) {
            if (other != part)
                QVERIFY2(!part->geometry().intersects(other->geometry()),
                         qPrintable(part->objectName() + u' ' + other->objectName()));
        }
    }
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
        QCOMPARE(form->windowTitle(), m_shell->settings().captionLine(
                                          RandomCaption::lineFor(RandomCaption(m_shell->settings()).nextValue())));
    else
        QCOMPARE(form->windowTitle(), QStringLiteral("Musichelp"));
    QCOMPARE(form->minimumSize() != form->maximumSize(), resizable);
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
