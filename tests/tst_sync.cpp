// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Two computers in one process, their data folders kept alike by Syncthing over loopback.
#include "AppFolder.h"
#include "Driving.h"
#include "MessageLog.h"
#include "app/Shell.h"
#include "config/Relocation.h"
#include "files/ConflictCopies.h"

#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

using namespace Lumora;

namespace {

// No discovery, relays, NAT traversal, reports or upgrades; a change is scanned after a second.
const char* const kConfig = R"(<configuration version="36"><folder id="lumora" path="%1" type="sendreceive"
 rescanIntervalS="3600" fsWatcherEnabled="true" fsWatcherDelayS="1"><device id="%2"></device><device id="%3"></device>
 <maxConflicts>10</maxConflicts></folder><device id="%2"><address>dynamic</address></device>
<device id="%3"><address>tcp://127.0.0.1:%4</address></device><gui enabled="true" tls="false">
 <address>127.0.0.1:0</address><apikey>lumora-test-key</apikey></gui><options><listenAddress>tcp://127.0.0.1:%5</listenAddress>
<globalAnnounceEnabled>false</globalAnnounceEnabled><localAnnounceEnabled>false</localAnnounceEnabled>
<relaysEnabled>false</relaysEnabled><natEnabled>false</natEnabled><stunKeepaliveStartS>0</stunKeepaliveStartS>
<urAccepted>-1</urAccepted><crashReportingEnabled>false</crashReportingEnabled><autoUpgradeIntervalH>0</autoUpgradeIntervalH>
<reconnectionIntervalS>1</reconnectionIntervalS></options></configuration>)";

// One computer: its application folder, with its data folder and its Syncthing's home in it.
struct Computer
{
    explicit Computer(int port) : listen(port)
    {
        QDir().mkpath(data);
        app.setDataFolder(data);
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start("syncthing", {"generate", "--home=" + home, "--no-default-folder"});
        server.waitForFinished();
        id = QString::fromLatin1(server.readAll()).section("Device ID: ", 1).left(63);
    }
    // Stopped when the test ends, however it ends, after the windows and before its home goes.
    ~Computer() { server.terminate(); server.waitForFinished(); }
    void start(const Computer& peer)
    {
        app.write("home/config.xml",
                  QString::fromLatin1(kConfig).arg(data, id, peer.id).arg(peer.listen).arg(listen).toUtf8());
        server.setStandardOutputFile(home + "/log");
        server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server.start("syncthing", {"serve", "--home=" + home, "--no-browser", "--no-restart", "--no-upgrade"});
    }
    QList<ConflictCopies::Copy> copies() const { return ConflictCopies::find(data, "c0004.dat"); }
    QByteArray read(const QString& file) const { return app.read("data/" + file); }
    Form* window(const QString& windowName) { return shell->windows().find(windowName); }
    Form* open(const QString& windowName) { return shell->windows().open(windowName); }

    AppFolder app;
    QString home = app.file("home");
    QString data = app.file("data");
    int listen;
    QString id; // of the Syncthing device
    QProcess server;
    std::unique_ptr<Shell> shell = std::make_unique<Shell>(app.path());
};

} // namespace

class TestSync : public QObject
{
    Q_OBJECT
    MessageLog m_messages;
    std::optional<Computer> m_a, m_b;
    static constexpr int kSyncMs = 20000;

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("syncthing").isEmpty())
            QSKIP("syncthing is missing; tools/install-deps.sh installs it");
        // Each dials the other, so one port in use by someone else does not keep them apart.
        const int port = 20000 + 2 * (::getpid() % 20000);
        m_a.emplace(port);
        m_b.emplace(port + 1);
        // A has the files that come with the program; B's empty data folder fills from A.
        Relocation::run(m_a->app.path());
        m_a->start(*m_b);
        m_b->start(*m_a);
        QTRY_COMPARE_WITH_TIMEOUT(int(QDir(m_b->data).entryList(QDir::Files).size()), 39, 60000);
    }

    void raceLeavesACopyTheLoserCompares()
    {
        // Both save slot 4 within a second, before either hears of the other's save, and close.
        for (Computer* computer : {&*m_a, &*m_b}) {
            Form* slot = computer->open("Formc4");
            slot->findChild<QLineEdit*>("Text3")->setText(computer == &*m_a ? "saved on A" : "saved on B");
            click(slot, "Command2");
            click(computer->window("Formc4"), "Command3");
        }
        QTRY_VERIFY_WITH_TIMEOUT(m_a->copies().size() == 1 && m_b->copies().size() == 1 &&
                                     m_a->read("c0004.dat") == m_b->read("c0004.dat"), kSyncMs);
        // The later save, B's, keeps the file; A's verses go into the copy.
        const QByteArray lost = m_a->read(m_a->copies().first().name);
        QVERIFY(lost.startsWith("saved on A"));
        // A's window, opened again, says so at once and compares.
        m_messages.answer(QMessageBox::Yes); // Compare
        m_a->open("Formc4");
        QTRY_VERIFY(m_a->window("Compare4"));
        QTest::mouseClick(m_a->window("Compare4")->findChildren<CaptionButton*>("Option2").at(0), Qt::LeftButton);
        m_messages.answer(QMessageBox::Yes); // Remove Copy
        click(m_a->window("Compare4"), "Command1");
        // The line taken back reaches the other computer, and the copy goes on both.
        QTRY_VERIFY_WITH_TIMEOUT(m_a->read("c0004.dat") == lost && m_b->read("c0004.dat") == lost &&
                                     m_a->copies().isEmpty() && m_b->copies().isEmpty(), kSyncMs);
    }

    void changeBoxShowsBothAndKeepsBothOnReturn()
    {
        // B types in slot 5 while A saves it; A's save reaches B before B's Confirm.
        Form* typing = m_b->open("Formc5");
        click(typing, "Command4");
        typing->findChild<QLineEdit*>("Text3")->setText("typed on B");
        Form* saving = m_a->open("Formc5");
        saving->findChild<QLineEdit*>("Text4")->setText("saved on A");
        click(saving, "Command2");
        QTRY_VERIFY_WITH_TIMEOUT(m_b->read("c0005.dat").contains("saved on A"), kSyncMs);
        const QByteArray arrived = m_b->read("c0005.dat");
        click(typing, "Command2");
        Form* compare = m_b->window("Compare5");
        QCOMPARE(compare->findChildren<CaptionButton*>("Option1").at(0)->caption(), "typed on B");
        QCOMPARE(compare->findChildren<CaptionButton*>("Option2").at(1)->caption(), "saved on A");
        QTest::keyClick(compare, Qt::Key_Return);
        QTRY_VERIFY(!m_b->window("Compare5"));
        QCOMPARE(m_b->read("c0005.dat"), arrived);
        QCOMPARE(m_a->read("c0005.dat"), arrived);
        QCOMPARE(typing->findChild<QLineEdit*>("Text3")->text(), "typed on B");
    }

    void relocationKeepsEveryReplacedVerse()
    {
        // Slots 4 and 5 hold saved verses on both computers; A copies the shipped files over them.
        const QByteArray four = m_a->read("c0004.dat"), five = m_a->read("c0005.dat");
        const Relocation::Result result = Relocation::run(m_a->app.path());
        QCOMPARE(result.kept, 2);
        const QString kept = QFileInfo(result.keptFolder).fileName();
        for (Computer* computer : {&*m_a, &*m_b})
            QTRY_VERIFY_WITH_TIMEOUT(computer->read(kept + "/c0004.dat") == four &&
                                         computer->read(kept + "/c0005.dat") == five &&
                                         computer->read("c0004.dat") == m_a->app.read("c0004.dat"),
                                     kSyncMs);
    }
};

QTEST_MAIN(TestSync)
#include "tst_sync.moc"
