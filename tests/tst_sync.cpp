// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Two computers in one process: each with an application folder and a Lumora of its own,
// their data folders kept alike by two Syncthing instances that talk over loopback only.
#include "AppFolder.h"
#include "Driving.h"
#include "MessageLog.h"
#include "app/Shell.h"
#include "config/Relocation.h"
#include "files/ConflictCopies.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <optional>

#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

using namespace Lumora;

namespace {

constexpr int kSyncMs = 20000;

// Nothing leaves the machine: no discovery, relays, NAT traversal, reports or upgrades.
// The folder is scanned a second after each change.
const char* const kConfig = R"(<configuration version="36">
<folder id="lumora" path="%1" type="sendreceive" rescanIntervalS="3600" fsWatcherEnabled="true"
 fsWatcherDelayS="1"><device id="%2"></device><device id="%3"></device><maxConflicts>10</maxConflicts></folder>
<device id="%2"><address>dynamic</address></device>
<device id="%3"><address>tcp://127.0.0.1:%4</address></device>
<gui enabled="true" tls="false"><address>127.0.0.1:%5</address><apikey>lumora-test-key</apikey></gui>
<options><listenAddress>tcp://127.0.0.1:%6</listenAddress><globalAnnounceEnabled>false</globalAnnounceEnabled>
<localAnnounceEnabled>false</localAnnounceEnabled><relaysEnabled>false</relaysEnabled><natEnabled>false</natEnabled>
<urAccepted>-1</urAccepted><crashReportingEnabled>false</crashReportingEnabled><autoUpgradeIntervalH>0</autoUpgradeIntervalH>
<startBrowser>false</startBrowser><stunKeepaliveStartS>0</stunKeepaliveStartS><reconnectionIntervalS>1</reconnectionIntervalS>
</options></configuration>)";

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

QString syncthing(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("syncthing"), arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

CaptionButton* line(Form* compare, const QString& side, int index)
{
    for (CaptionButton* button : compare->findChildren<CaptionButton*>(side)) {
        if (button->property("index").toInt() == index)
            return button;
    }
    return nullptr;
}

struct Computer
{
    explicit Computer(const QString& computerName) : name(computerName)
    {
        QDir().mkpath(data);
        app.setDataFolder(data);
        syncthing({"generate", "--home=" + home, "--no-default-folder"});
        id = syncthing({"serve", "--home=" + home, "--device-id"});
        shell = std::make_unique<Shell>(app.path());
    }
    ~Computer()
    {
        shell.reset();
        server.terminate();
        if (!server.waitForFinished(5000))
            server.kill();
    }

    void start(const Computer& peer)
    {
        QFile config(home + QStringLiteral("/config.xml"));
        config.open(QIODevice::WriteOnly);
        config.write(QString::fromLatin1(kConfig).arg(data, id, peer.id).arg(peer.listen).arg(gui).arg(listen).toUtf8());
        config.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
        server.setProcessEnvironment(environment);
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.setStandardOutputFile(home + QStringLiteral("/log"));
        // Gone with the test, however it ends.
        server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server.start(QStringLiteral("syncthing"),
                     {"serve", "--home=" + home, "--no-browser", "--no-restart", "--no-upgrade"});
    }
    QByteArray read(const QString& file) const
    {
        QFile f(data + u'/' + file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList copies() const
    {
        QStringList names;
        for (const ConflictCopies::Copy& copy : ConflictCopies::find(data, QStringLiteral("c0004.dat")))
            names.append(copy.name);
        return names;
    }
    Form* window(const QString& windowName) { return shell->windows().find(windowName); }

    QString name;
    AppFolder app;
    QTemporaryDir root;
    QString home = root.filePath(QStringLiteral("home"));
    QString data = root.filePath(QStringLiteral("data"));
    QString id;
    int listen = freePort();
    int gui = freePort();
    QProcess server;
    std::unique_ptr<Shell> shell;
};

} // namespace

class TestSync : public QObject
{
    Q_OBJECT
    MessageLog m_messages;
    std::optional<Computer> m_a;
    std::optional<Computer> m_b;

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("syncthing")).isEmpty())
            QSKIP("syncthing is missing; tools/install-deps.sh installs it");
        m_a.emplace(QStringLiteral("A"));
        m_b.emplace(QStringLiteral("B"));
        // A has the files that come with the program; B's empty data folder fills from A.
        QCOMPARE(Relocation::run(m_a->app.path()).outcome, Relocation::Result::Outcome::Copied);
        m_a->start(*m_b);
        m_b->start(*m_a);
        QTRY_COMPARE_WITH_TIMEOUT(int(QDir(m_b->data).entryList(QDir::Files).size()), 39, 30000);
    }

    void raceLeavesACopyTheLoserCompares()
    {
        // Both save slot 4 within a second, before either hears of the other's save.
        for (Computer* computer : {&*m_a, &*m_b}) {
            Form* slot = computer->shell->windows().open(QStringLiteral("Formc4"));
            slot->findChild<QLineEdit*>(QStringLiteral("Text3"))->setText("saved on " + computer->name);
            click(slot, QStringLiteral("Command2"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(m_a->copies().size() == 1 && m_b->copies() == m_a->copies() &&
                                     m_a->read("c0004.dat") == m_b->read("c0004.dat"),
                                 kSyncMs);
        Computer& loser = m_a->read("c0004.dat").startsWith("saved on B") ? *m_a : *m_b;
        const QByteArray lost = loser.read(loser.copies().first());
        QVERIFY(lost.startsWith("saved on " + loser.name.toLatin1()));
        // The losing side's window, opened again, says so at once and compares.
        click(loser.window(QStringLiteral("Formc4")), QStringLiteral("Command3"));
        m_messages.answer(QMessageBox::Yes); // Compare
        loser.shell->windows().open(QStringLiteral("Formc4"));
        QTRY_VERIFY(loser.window(QStringLiteral("Compare4")));
        QVERIFY(m_messages.last().startsWith(QStringLiteral("Syncthing has left another version")));
        Form* compare = loser.window(QStringLiteral("Compare4"));
        QTest::mouseClick(line(compare, QStringLiteral("Option2"), 0), Qt::LeftButton);
        m_messages.answer(QMessageBox::Yes); // Remove Copy
        click(compare, QStringLiteral("Command1"));
        // The line taken back reaches the other computer, and the copy goes on both.
        QTRY_VERIFY_WITH_TIMEOUT(m_a->read("c0004.dat") == lost && m_b->read("c0004.dat") == lost &&
                                     m_a->copies().isEmpty() && m_b->copies().isEmpty(),
                                 kSyncMs);
    }

    void changeBoxShowsBothAndKeepsBothOnReturn()
    {
        // B types in slot 5 while A saves it; A's save reaches B before B's Confirm.
        Form* typing = m_b->shell->windows().open(QStringLiteral("Formc5"));
        click(typing, QStringLiteral("Command4"));
        typing->findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("typed on B"));
        Form* saving = m_a->shell->windows().open(QStringLiteral("Formc5"));
        saving->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("saved on A"));
        click(saving, QStringLiteral("Command2"));
        QTRY_VERIFY_WITH_TIMEOUT(m_b->read("c0005.dat").contains("saved on A"), kSyncMs);
        const QByteArray arrived = m_b->read("c0005.dat");
        click(typing, QStringLiteral("Command2"));
        Form* compare = m_b->window(QStringLiteral("Compare5"));
        QVERIFY(compare);
        QCOMPARE(line(compare, QStringLiteral("Option1"), 0)->caption(), QStringLiteral("typed on B"));
        QCOMPARE(line(compare, QStringLiteral("Option2"), 1)->caption(), QStringLiteral("saved on A"));
        QTest::keyClick(compare, Qt::Key_Return);
        QTRY_VERIFY(!m_b->window(QStringLiteral("Compare5")));
        QCOMPARE(m_b->read("c0005.dat"), arrived);
        QCOMPARE(m_a->read("c0005.dat"), arrived);
        QCOMPARE(typing->findChild<QLineEdit*>(QStringLiteral("Text3"))->text(), QStringLiteral("typed on B"));
    }

    void relocationKeepsEveryReplacedVerse()
    {
        // Slots 4 and 5 hold saved verses on both computers; A copies the shipped files over them.
        const QByteArray four = m_a->read("c0004.dat");
        const QByteArray five = m_a->read("c0005.dat");
        const Relocation::Result result = Relocation::run(m_a->app.path());
        QCOMPARE(result.outcome, Relocation::Result::Outcome::Copied);
        QCOMPARE(result.kept, 2);
        const QString kept = QFileInfo(result.keptFolder).fileName();
        for (Computer* computer : {&*m_a, &*m_b}) {
            QTRY_VERIFY_WITH_TIMEOUT(computer->read(kept + "/c0004.dat") == four &&
                                         computer->read(kept + "/c0005.dat") == five &&
                                         computer->read("c0004.dat") == m_a->app.read("c0004.dat"),
                                     kSyncMs);
        }
    }
};

QTEST_MAIN(TestSync)
#include "tst_sync.moc"
