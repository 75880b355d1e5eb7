// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "FileSizeLimit.h"
#include "Driving.h"
#include "MessageLog.h"
#include "RecordingOpener.h"
#include "widgets/Look.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"
#include "config/ConfigureWindow.h"
#include "config/FolderList.h"
#include "slots/SlotWindow.h"

#include <QDir>
#include <QScopeGuard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/resource.h>

using namespace Lumora;

// Saves the program must refuse, driven through the windows: the configuration window's
// Confirm on a disk that runs out of room, and text typed into a slot window or a slot name
// box that a Windows-1252 file cannot hold. Whatever is refused, the user is told what and
// why, the files stay as they were and the typing stays in its box.
class TestRefusedSaves : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void confirmOnAFullDiskChangesNeitherFile_data();
    void confirmOnAFullDiskChangesNeitherFile();
    void typingTheCodePageCannotHoldIsRefused_data();
    void typingTheCodePageCannotHoldIsRefused();

private:
    void confirmOnTmpfsAtEveryLevel();

    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<Shell> m_shell;
};

namespace {

QLineEdit* edit(QWidget* window, const QString& name)
{
    return window->findChild<QLineEdit*>(name);
}

// Types `text` at the cursor as a keyboard delivers it: one key event per character, a
// character outside the Basic Multilingual Plane whole.
void type(QWidget* box, const QString& text)
{
    for (const char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                            Qt::NoModifier);
}

} // namespace

void TestRefusedSaves::initTestCase()
{
    Look::apply(*qApp);
}

void TestRefusedSaves::init()
{
    m_app = std::make_unique<AppFolder>();
    m_app->writeNumberedCaptions(23);
    m_shell = std::make_unique<Shell>(m_app->path(), std::make_unique<RecordingOpener>());
}

void TestRefusedSaves::cleanup()
{
    m_shell.reset();
    QTRY_VERIFY(visibleWindows().isEmpty());
}

void TestRefusedSaves::confirmOnAFullDiskChangesNeitherFile_data()
{
    QTest::addColumn<int>("limit");        // bytes a file may grow to
    QTest::addColumn<int>("folderLength"); // of the chosen data folder's name
    QTest::addColumn<bool>("folderFits");  // whether path.lmr alone would fit
    // configure.lmr holds fourteen "open" lines: 84 bytes.
    QTest::newRow("the names do not fit") << 80 << 8 << true;
    QTest::newRow("the data folder does not fit") << 100 << 200 << false;
    QTest::newRow("nothing fits") << 2 << 8 << false;
    // A real file system this time, filled to within 0 to 6 pages of free space: around
    // what both files need, every block boundary. Needs root, to mount it.
    QTest::newRow("a real tmpfs at every free level") << -1 << 8 << true;
}

namespace {

// Free bytes left on the file system of `folder`.
qint64 freeBytes(const QString& folder)
{
    struct statvfs fs{};
    return ::statvfs(QFile::encodeName(folder).constData(), &fs) == 0
               ? qint64(fs.f_bavail) * qint64(fs.f_bsize)
               : -1;
}

} // namespace

// Confirms with 5,000 characters in a name on a tmpfs filled to each free level: the
// settings files are always the old pair or the new pair, never one of each.
void TestRefusedSaves::confirmOnTmpfsAtEveryLevel()
{
    if (::geteuid() != 0)
        QSKIP("needs root, to mount a tmpfs");
    QTemporaryDir mount;
    const QByteArray where = QFile::encodeName(mount.path());
    QVERIFY(::mount("lumora", where.constData(), "tmpfs", 0, "size=16m") == 0);
    const auto unmount = qScopeGuard([&] { ::umount2(where.constData(), MNT_DETACH); });
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", where);
    m_shell.reset();
    m_app = std::make_unique<AppFolder>();
    qputenv("TMPDIR", tmp);
    m_shell = std::make_unique<Shell>(m_app->path(), std::make_unique<RecordingOpener>());
    const QString folder = m_app->file(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    const QString filler = mount.filePath(QStringLiteral("filler"));
    const QString name(5000, u'n');
    const QByteArray oldPath = m_app->read(QStringLiteral("path.lmr"));
    const QByteArray oldNames = m_app->read(QStringLiteral("configure.lmr"));
    int landed = 0, refused = 0;
    for (int pages = 0; pages <= 6; ++pages) {
        MessageLog messages;
        QFile::remove(filler);
        m_app->write(QStringLiteral("path.lmr"), oldPath);
        m_app->write(QStringLiteral("configure.lmr"), oldNames);
        QFile fill(filler);
        QVERIFY(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (freeBytes(mount.path()) > pages * 4096)
            QCOMPARE(fill.write(block), block.size());
        fill.close();
        auto* w =
            qobject_cast<ConfigureWindow*>(m_shell->windows().open(QStringLiteral("Configure")));
        QVERIFY(w);
        w->folderList()->setCurrentFolder(folder);
        edit(w, QStringLiteral("Text2"))->setText(name);
        click(w, QStringLiteral("Command1"));
        const QByteArray path = m_app->read(QStringLiteral("path.lmr"));
        const QByteArray names = m_app->read(QStringLiteral("configure.lmr"));
        const bool isNew = path == folder.toUtf8() + "\r\n" && names.contains(name.toLatin1());
        QVERIFY2(isNew || (path == oldPath && names == oldNames),
                 qPrintable(QStringLiteral("%1 pages free: a mixed pair").arg(pages)));
        ++(isNew ? landed : refused);
        if (Form* open = visibleWindow(QStringLiteral("Configure")))
            open->close();
        QTRY_VERIFY(!visibleWindow(QStringLiteral("Configure")));
    }
    QVERIFY(landed > 0 && refused > 0);
    qInfo("tmpfs: 7 free levels, %d confirmed, %d refused, 0 mixed", landed, refused);
}

void TestRefusedSaves::confirmOnAFullDiskChangesNeitherFile()
{
    QFETCH(int, limit);
    QFETCH(int, folderLength);
    QFETCH(bool, folderFits);
    if (limit < 0)
        return confirmOnTmpfsAtEveryLevel();
    MessageLog messages;
    QTemporaryDir data;
    const QString folder = data.filePath(QString(folderLength, u'd'));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(folder.toUtf8().size() + 2 <= limit, folderFits);
    const QByteArray pathBefore = m_app->read(QStringLiteral("path.lmr"));
    const QByteArray namesBefore = m_app->read(QStringLiteral("configure.lmr"));
    const QStringList filesBefore = QDir(m_app->path()).entryList(QDir::Files | QDir::Hidden);

    auto* w = qobject_cast<ConfigureWindow*>(m_shell->windows().open(QStringLiteral("Configure")));
    QVERIFY(w);
    w->folderList()->setCurrentFolder(folder);
    edit(w, QStringLiteral("Text4"))->setText(QStringLiteral("Kept"));
    {
        const FileSizeLimit full{rlim_t(limit)};
        click(w, QStringLiteral("Command1"));
    }

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.last().startsWith(QLatin1String("Could not write the file: ")),
             qPrintable(messages.last()));
    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), pathBefore);
    QCOMPARE(m_app->read(QStringLiteral("configure.lmr")), namesBefore);
    QCOMPARE(QDir(m_app->path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
    QCOMPARE(edit(w, QStringLiteral("Text4"))->text(), QStringLiteral("Kept"));
    QCOMPARE(w->folderList()->currentFolder(), folder);
    QVERIFY(visibleWindow(QStringLiteral("Configure")));

    // With room again the same Confirm stores both.
    messages.clear();
    click(w, QStringLiteral("Command1"));
    QCOMPARE(messages.texts().size(), 1);
    QCOMPARE(m_app->read(QStringLiteral("path.lmr")), folder.toUtf8() + "\r\n");
    QVERIFY(m_app->read(QStringLiteral("configure.lmr")).contains("\r\nKept\r\n"));
}

void TestRefusedSaves::typingTheCodePageCannotHoldIsRefused_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("named"); // how the message names the character
    const QString hebrew = QStringLiteral("Shalom \u05E9\u05DC\u05D5\u05DD");
    const QString emoji = QStringLiteral("Joy \U0001F600 now");
    const QString privateUse = QStringLiteral("mark\uE000");
    const QString zeroWidth = QStringLiteral("in\u200Bvisible");
    const QString combining = QStringLiteral("cafe\u0301");
    struct Place
    {
        const char* window;
        const char* box;
    };
    for (const Place place : {Place{"Formc5", "Text5"}, Place{"Configure", "Text9"}}) {
        const auto row = [&](const char* what, const QString& typed, const QString& named) {
            QTest::addRow("%s, %s", place.window, what)
                << QString::fromLatin1(place.window) << QString::fromLatin1(place.box) << typed
                << named;
        };
        row("Hebrew letter", hebrew, QStringLiteral("\u201C\u05E9\u201D (U+05E9)"));
        row("character beyond 16 bits", emoji, QStringLiteral("\u201C\U0001F600\u201D (U+1F600)"));
        row("private-use character", privateUse, QStringLiteral("U+E000"));
        row("zero-width space", zeroWidth, QStringLiteral("U+200B"));
        row("combining accent", combining, QStringLiteral("(U+0301)"));
    }
}

void TestRefusedSaves::typingTheCodePageCannotHoldIsRefused()
{
    QFETCH(QString, window);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, named);
    MessageLog messages;
    QMap<QString, QByteArray> before;
    for (const QString& name : QDir(m_app->path()).entryList(QDir::Files | QDir::Hidden))
        before.insert(name, m_app->read(name));

    Form* w = m_shell->windows().open(window);
    QVERIFY(w);
    const bool slot = window.startsWith(QLatin1String("Formc"));
    if (slot)
        click(w, QStringLiteral("Command4"));
    QLineEdit* line = edit(w, box);
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    type(line, typed);
    QCOMPARE(line->text(), typed);
    click(w, slot ? QStringLiteral("Command2") : QStringLiteral("Command1"));

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.last().startsWith(QLatin1String("Character not allowed: ")),
             qPrintable(messages.last()));
    QVERIFY2(messages.last().contains(named), qPrintable(messages.last()));
    QVERIFY(messages.last().contains(QLatin1String("Nothing was written")));
    QCOMPARE(m_shell->windows().find(window), w);
    QVERIFY(w->isVisible());
    if (slot)
        QVERIFY(qobject_cast<SlotWindow*>(w)->isEditing());
    QCOMPARE(line->text(), typed);
    QMap<QString, QByteArray> after;
    for (const QString& name : QDir(m_app->path()).entryList(QDir::Files | QDir::Hidden))
        after.insert(name, m_app->read(name));
    QCOMPARE(after, before);
}

QTEST_MAIN(TestRefusedSaves)
#include "tst_refusedsaves.moc"
