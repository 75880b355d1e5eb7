// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "AppFolder.h"
#include "SaveContent.h"
#include "config/Relocation.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotVerseFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

using namespace Lumora;

// A save loop in a child process is killed with SIGKILL at random moments; after every
// kill each file it was saving must hold one save's content whole: the one before the
// interrupted save or the interrupted one itself. Only kills that landed while a save was
// under way count. LUMORA_KILLS sets how many (30 by default, so that the ordinary test run
// stays short); LUMORA_SEED repeats a run's kill moments.
class TestInterruptedSaves : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyKillLeavesOldOrNewContentWhole_data();
    void everyKillLeavesOldOrNewContentWhole();

private:
    quint32 m_seed = 0;
};

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The files a save loop writes, each with the saves its content may come from.
struct Watched
{
    QString path;
    std::function<QByteArray(int n)> content;
};

// The last line the child finished saying: ('S' or 'E', n), or (0, 0) for none.
std::pair<char, int> lastReport(const QByteArray& output)
{
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast(); // whatever follows the last line feed is not a whole line
    if (lines.isEmpty())
        return {0, 0};
    const QByteArray& last = lines.constLast();
    return {last.at(0), last.mid(2).toInt()};
}

} // namespace

void TestInterruptedSaves::initTestCase()
{
    const QByteArray seed = qgetenv("LUMORA_SEED");
    m_seed = seed.isEmpty() ? QRandomGenerator::system()->generate() : seed.toUInt();
    qInfo("LUMORA_SEED=%u", m_seed);
}

void TestInterruptedSaves::everyKillLeavesOldOrNewContentWhole_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("maxDelayMs"); // how long after the first save began the kill comes
    QTest::newRow("slot verse file") << "slot" << 25;
    QTest::newRow("settings files") << "settings" << 25;
    QTest::newRow("relocation") << "relocation" << 400;
}

void TestInterruptedSaves::everyKillLeavesOldOrNewContentWhole()
{
    QFETCH(QString, mode);
    QFETCH(int, maxDelayMs);
    const int wanted = qEnvironmentVariableIsSet("LUMORA_KILLS")
                           ? qEnvironmentVariableIntValue("LUMORA_KILLS")
                           : 30;
    QRandomGenerator random(m_seed ^ quint32(qHash(mode)));

    AppFolder app;
    QTemporaryDir data;
    const SettingsFiles settings(app.path());
    QList<Watched> watched;
    QString folder = app.path(); // where the files are written
    if (mode == QLatin1String("slot")) {
        watched.append({app.file(QStringLiteral("c0002.dat")),
                        [](int n) { return SaveContent::crlfBytes(SaveContent::verses(n)); }});
    } else if (mode == QLatin1String("settings")) {
        watched.append({settings.dataFolderPath(), [](int n) {
                            return QFile::encodeName(SaveContent::dataFolder(n)) + "\r\n";
                        }});
        watched.append({settings.slotNamesPath(),
                        [](int n) { return SaveContent::crlfBytes(SaveContent::slotNames(n)); }});
    } else {
        folder = data.path();
        app.setDataFolder(folder);
        for (const QString& name : Relocation::files())
            watched.append({data.filePath(name),
                            [name](int n) { return SaveContent::relocationSource(name, n); }});
    }
    // Save 0, the content before the first kill.
    for (const Watched& file : std::as_const(watched)) {
        QFile f(file.path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file.content(0));
    }
    const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);

    QList<int> held(watched.size(), 0); // the save each file holds now
    QSet<QString> leftovers;
    int counted = 0;
    int tries = 0;
    int next = 1;
    while (counted < wanted) {
        QVERIFY2(tries < 20 * wanted + 50, "kills keep missing the saves");
        ++tries;
        QProcess child;
        child.start(QStringLiteral(LUMORA_SAVE_LOOP), {mode, app.path(), QString::number(next)});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        QByteArray output;
        while (!output.contains('S') && child.state() == QProcess::Running) {
            child.waitForReadyRead(30000);
            output += child.readAllStandardOutput();
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(random.bounded(maxDelayMs * 1000 + 1)));
        child.kill();
        QVERIFY(child.waitForFinished(30000));
        output += child.readAllStandardOutput();
        QVERIFY2(child.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("the save loop stopped by itself: ") +
                            QString::fromLocal8Bit(child.readAllStandardError())));

        const auto [what, n] = lastReport(output);
        QVERIFY2(what == 'S' || what == 'E', output.right(200).constData());
        if (what == 'S')
            ++counted;
        for (qsizetype i = 0; i < watched.size(); ++i) {
            const QByteArray bytes = bytesOf(watched[i].path);
            // After a finished save only its content will do; during one, the old or the
            // new. The old is the save before it, or what the file held when this child began.
            const int old = n > next ? n - 1 : held[i];
            QList<int> allowed{n};
            if (what == 'S')
                allowed.append(old);
            const auto match = std::find_if(allowed.cbegin(), allowed.cend(),
                                            [&](int v) { return watched[i].content(v) == bytes; });
            QVERIFY2(match != allowed.cend(),
                     qPrintable(QStringLiteral("%1 after a kill in save %2 (%3 bytes, %4 or %5 "
                                               "expected): %6")
                                    .arg(watched[i].path)
                                    .arg(n)
                                    .arg(bytes.size())
                                    .arg(watched[i].content(n).size())
                                    .arg(watched[i].content(old).size())
                                    .arg(QString::fromLatin1(bytes.left(60)))));
            held[i] = *match;
        }
        // The readers find the real files, whatever temporary files lie beside them.
        if (mode == QLatin1String("slot")) {
            QCOMPARE(SlotVerseFile::read(settings.dataFolder(), 2), SaveContent::verses(held[0]));
        } else if (mode == QLatin1String("settings")) {
            QCOMPARE(settings.dataFolder(), SaveContent::dataFolder(held[0]));
            QCOMPARE(settings.slotNames(), SaveContent::slotNames(held[1]));
        } else {
            for (qsizetype i = 0; i < watched.size(); ++i) {
                const QString name = Relocation::files()[i];
                QCOMPARE(bytesOf(dataFilePath(folder, name)), watched[i].content(held[i]));
            }
        }
        for (const QString& name :
             QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (!before.contains(name))
                leftovers.insert(name);
        }
        next = n + 1;
    }
    qInfo().noquote() << QStringLiteral("kills: %1 %2 of %3 kills counted, %4 temporary files left")
                             .arg(mode)
                             .arg(counted)
                             .arg(tries)
                             .arg(leftovers.size());
    if (!leftovers.isEmpty())
        qInfo().noquote() << QStringLiteral("left by kills at the rename, for example:")
                          << QStringList(leftovers.cbegin(), leftovers.cend()).mid(0, 3);
}

QTEST_GUILESS_MAIN(TestInterruptedSaves)
#include "tst_interruptedsaves.moc"
