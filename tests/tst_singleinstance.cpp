// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "WindowTest.h"
#include "app/SingleInstance.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <future>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Lumora;
using Claim = SingleInstance::Claim;

// A later start on an application folder hands over to the program running on it.
class TestSingleInstance : public WindowTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void laterStartBringsTheMainWindowForward_data();
    void laterStartBringsTheMainWindowForward();

private:
    QTemporaryDir m_runtime;
};

namespace {

// A later start, made from another thread while this one answers it.
Claim startAgain(const QString& folder, const Activation& launch = {})
{
    auto later = std::async(std::launch::async,
                            [folder, launch] { return SingleInstance(folder).claim(launch); });
    while (later.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return later.get();
}

} // namespace

void TestSingleInstance::initTestCase()
{
    // Locks and sockets of this run only.
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_runtime.filePath(QStringLiteral("cache"))));
    WindowTest::initTestCase();
}

void TestSingleInstance::laterStartBringsTheMainWindowForward_data()
{
    QTest::addColumn<QString>("before"); // what happened before the later start
    QTest::addColumn<QString>("later");  // how it names the folder, %1 the folder
    QTest::addColumn<QByteArray>("token"); // its Wayland token and X11 startup id, by "|"
    QTest::newRow("main window open") << QString() << "%1" << QByteArray("|");
    QTest::newRow("main window closed, configuration open")
        << "closed" << "%1/" << QByteArray("|lumora-2_TIME4021");
    QTest::newRow("lock and socket left by a killed program")
        << "killed" << "%1/." << QByteArray("wl token/1|");
    QTest::newRow("through a link, both tokens")
        << QString() << "link" << QByteArray("a|b c\\\"").repeated(200);
    QTest::newRow("runtime folder open to others") << "open runtime" << "%1" << QByteArray("|");
    QTest::newRow("runtime folder path beyond a socket address")
        << "long runtime" << "%1" << QByteArray("|");
    QTest::newRow("cache folder open to others") << "open cache" << "%1" << QByteArray("|");
}

void TestSingleInstance::laterStartBringsTheMainWindowForward()
{
    QFETCH(QString, before);
    QFETCH(QString, later);
    QFETCH(QByteArray, token);
    const QList<QByteArray> parts = token.split('|');
    const Activation launch{parts.first(), parts.mid(1).join('|')};
    AppFolder other;
    // A runtime folder that is not the user's alone is passed over for one in the cache
    // folder, which must then be the user's alone.
    const QString runtime = m_runtime.filePath(before == "long runtime" ? QString(120, 'r') : before);
    const QString cache = m_runtime.filePath(QStringLiteral("cache/lumora"));
    QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(cache));
    QCOMPARE(::chmod(QFile::encodeName(runtime), before.startsWith("open") ? 0707 : 0700), 0);
    QCOMPARE(::chmod(QFile::encodeName(cache), before == "open cache" ? 0707 : 0700), 0);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (before == QLatin1String("open cache")) {
        SingleInstance refused(m_app->path());
        QCOMPARE(refused.claim(), Claim::Unguarded);
        QVERIFY2(refused.problem().contains(cache + " is open to other users"),
                 qPrintable(refused.problem()));
        return;
    }
    if (before == QLatin1String("killed")) {
        // A program that took the folder and was killed, leaving its lock and socket.
        const pid_t killed = ::fork();
        if (killed == 0) {
            SingleInstance held(m_app->path());
            held.claim();
            ::pause();
        }
        const QDir folder(runtime);
        for (int i = 0; i < 500 && folder.entryList({"*.socket"}, QDir::System).isEmpty(); ++i)
            QTest::qWait(10);
        ::kill(killed, SIGKILL);
        ::waitpid(killed, nullptr, 0);
        QCOMPARE(folder.entryList({"*.socket"}, QDir::System).size(), 1);
    }
    SingleInstance first(m_app->path());
    QCOMPARE(first.claim(), Claim::First);
    QVERIFY(m_shell->start());
    first.serve(m_shell->windows());
    if (before == QLatin1String("closed")) {
        QVERIFY(m_shell->windows().open(QStringLiteral("Configure")));
        m_shell->windows().find(QStringLiteral("Main"))->close();
        QTRY_VERIFY(!visibleWindows().contains(QStringLiteral("Main")));
    }

    QString folder = later.arg(m_app->path());
    if (later == QLatin1String("link")) {
        folder = other.file(QStringLiteral("program"));
        QVERIFY(QFile::link(m_app->path(), folder));
    }
    QCOMPARE(startAgain(folder, launch), Claim::HandedOver);
    const QDir used(before == "open runtime" ? cache : runtime);
    QCOMPARE(used.entryList({"*.socket"}, QDir::System).size(), 1);
    QCOMPARE(visibleWindows().count(QStringLiteral("Main")), 1);
    QCOMPARE(first.lastLaunch().waylandToken, launch.waylandToken);
    QCOMPARE(first.lastLaunch().startupId, launch.startupId);
    // Another folder is another program's.
    QCOMPARE(startAgain(other.path()), Claim::First);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
