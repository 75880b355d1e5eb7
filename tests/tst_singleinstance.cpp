#include "AppFolder.h"
#include "Driving.h"
#include "RecordingOpener.h"
#include "app/Shell.h"
#include "app/SingleInstance.h"
#include "widgets/WindowRegistry.h"
#include "widgets/Look.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <future>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Lumora;
using Claim = SingleInstance::Claim;

Q_DECLARE_METATYPE(Lumora::SingleInstance::Claim)

// A later start on an application folder hands over to the program running on it.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void laterStartBringsTheMainWindowForward_data();
    void laterStartBringsTheMainWindowForward();
    void onlyTheSameRealFolderIsHandedOver_data();
    void onlyTheSameRealFolderIsHandedOver();

private:
    QTemporaryDir m_runtime;
};

namespace {

// A later start, made from another thread while this one answers it.
Claim startAgain(const QString& folder)
{
    auto later = std::async(std::launch::async, [folder] { return SingleInstance(folder).claim(); });
    while (later.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return later.get();
}

// A socket file that nobody listens on any more.
void leaveSocket(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

int visibleMainWindows()
{
    return int(visibleWindows().count(QStringLiteral("Main")));
}

} // namespace

void TestSingleInstance::initTestCase()
{
    // Locks and sockets of this run only.
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    Look::apply(*qApp);
}

void TestSingleInstance::cleanup()
{
    QTRY_VERIFY(visibleWindows().isEmpty());
}

void TestSingleInstance::laterStartBringsTheMainWindowForward_data()
{
    QTest::addColumn<QString>("before"); // what happened before the later start
    QTest::newRow("main window open") << QString();
    QTest::newRow("main window closed, configuration open") << QStringLiteral("closed");
    QTest::newRow("lock and socket left by a killed program") << QStringLiteral("killed");
}

void TestSingleInstance::laterStartBringsTheMainWindowForward()
{
    QFETCH(QString, before);
    AppFolder app;
    if (before == QLatin1String("killed")) {
        // As a killed program leaves them: its lock naming a process that is gone, and its
        // socket with nobody listening.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QString lock;
        QByteArray held;
        {
            SingleInstance killed(app.path());
            QCOMPARE(killed.claim(), Claim::First);
            lock = m_runtime.filePath(QDir(m_runtime.path()).entryList({"*.lock"}).constFirst());
            QFile f(lock);
            QVERIFY(f.open(QIODevice::ReadOnly));
            held = f.readAll();
        }
        QFile f(lock);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(pid) + held.mid(held.indexOf('\n')));
        f.close();
        leaveSocket(lock.chopped(5) + QStringLiteral(".socket"));
    }
    SingleInstance first(app.path());
    QCOMPARE(first.claim(), Claim::First);
    Shell shell(app.path(), std::make_unique<RecordingOpener>());
    QVERIFY(shell.start());
    first.serve(shell.windows());
    if (before == QLatin1String("closed")) {
        QVERIFY(shell.windows().open(QStringLiteral("Configure")));
        shell.windows().find(QStringLiteral("Main"))->close();
        QTRY_COMPARE(visibleMainWindows(), 0);
    }

    QCOMPARE(startAgain(app.path()), Claim::HandedOver);
    QCOMPARE(visibleMainWindows(), 1);
    QVERIFY(shell.windows().find(QStringLiteral("Main")));
}

void TestSingleInstance::onlyTheSameRealFolderIsHandedOver_data()
{
    QTest::addColumn<QString>("later"); // the folder of the later start
    QTest::addColumn<Claim>("claim");
    QTest::newRow("same folder") << QStringLiteral("same") << Claim::HandedOver;
    QTest::newRow("same folder through a link") << QStringLiteral("link") << Claim::HandedOver;
    QTest::newRow("same folder, trailing separator") << QStringLiteral("same/") << Claim::HandedOver;
    QTest::newRow("another folder") << QStringLiteral("other") << Claim::First;
}

void TestSingleInstance::onlyTheSameRealFolderIsHandedOver()
{
    QFETCH(QString, later);
    QFETCH(Claim, claim);
    AppFolder app;
    AppFolder other;
    QTemporaryDir links;
    SingleInstance first(app.path());
    QCOMPARE(first.claim(), Claim::First);
    WindowRegistry none([](const QString&) { return nullptr; });
    first.serve(none);
    QString folder = later == QLatin1String("other") ? other.path() : app.path();
    if (later == QLatin1String("link")) {
        folder = links.filePath(QStringLiteral("program"));
        QVERIFY(QFile::link(app.path(), folder));
    } else if (later.endsWith(u'/')) {
        folder += u'/';
    }
    QCOMPARE(startAgain(folder), claim);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
