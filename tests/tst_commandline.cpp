// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program started with a command line, with or without a display.
class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answersBeforeOpeningADisplay_data();
    void answersBeforeOpeningADisplay();
};

void TestCommandLine::answersBeforeOpeningADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display"); // DISPLAY; unset when empty, and no Wayland either
    QTest::addColumn<int>("status");      // -1: still running with its window
    QTest::addColumn<QString>("output");  // "out:" or "err:" and a text it holds
    QTest::addColumn<int>("lines");       // how many lines it has; 0: any number
    QTest::newRow("--help") << QStringList{"--help"} << "" << 0 << "out:Usage: lumora [options]"
                            << 0;
    QTest::newRow("-h beside a Qt option")
        << QStringList{"-platform", "offscreen", "-h"} << "" << 0 << "out:--version" << 0;
    QTest::newRow("--help-all lists Qt's options")
        << QStringList{"--help-all"} << "" << 0 << "out:--platform <name[:options]>" << 0;
    QTest::newRow("--version") << QStringList{"--version"} << "" << 0 << "out:lumora 1.0\n" << 0;
    QTest::newRow("-v") << QStringList{"-v"} << "" << 0 << "out:GPL-3.0-or-later" << 0;
    QTest::newRow("unknown option")
        << QStringList{"--bogus"} << "" << 2 << "err:lumora: Unknown option 'bogus'." << 0;
    QTest::newRow("unknown option after a good one")
        << QStringList{"-style", "fusion", "-x"} << "" << 2 << "err:Usage: lumora" << 0;
    QTest::newRow("an argument") << QStringList{"somefile"} << "" << 2
                                 << "err:Unexpected argument 'somefile'" << 0;
    QTest::newRow("an argument after --")
        << QStringList{"--", "--help"} << "" << 2 << "err:Unexpected argument '--help'" << 0;
    QTest::newRow("a Qt option without its value")
        << QStringList{"-platform"} << "" << 2 << "err:Missing value after '-platform'." << 0;
    QTest::newRow("no display at all")
        << QStringList{} << "" << 1
        << "err:lumora: Lumora needs a graphical session, and none could be opened: neither "
           "DISPLAY nor WAYLAND_DISPLAY is set.\n"
        << 1;
    QTest::newRow("a display that is not there")
        << QStringList{} << ":9997" << 1 << "err:could not connect to display :9997.\n"
        << 1;
    QTest::newRow("-display naming one that is not there")
        << QStringList{"-display", ":9998"} << "" << 1 << "err:display :9998.\n"
        << 1;
    QTest::newRow("-platform offscreen needs none")
        << QStringList{"-platform", "offscreen", "-reverse"} << "" << -1 << "err:" << 0;
}

void TestCommandLine::answersBeforeOpeningADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(int, lines);
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        env.remove(QLatin1String(name));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), runtime.filePath(QStringLiteral("data")));
    QProcess lumora;
    lumora.setProcessEnvironment(env);
    lumora.start(QStringLiteral(LUMORA_PROGRAM), arguments);
    QVERIFY(lumora.waitForStarted());
    const bool ended = lumora.waitForFinished(status < 0 ? 1500 : 10000);
    if (!ended) {
        lumora.kill();
        lumora.waitForFinished();
    }
    const QByteArray out = lumora.readAllStandardOutput();
    const QByteArray err = lumora.readAllStandardError();
    QVERIFY2(status < 0 ? !ended : ended && lumora.exitStatus() == QProcess::NormalExit, err);
    if (status >= 0)
        QCOMPARE(lumora.exitCode(), status);
    const QByteArray& stream = output.startsWith(QLatin1String("out:")) ? out : err;
    QVERIFY2(stream.contains(output.mid(4).toUtf8()), out + err);
    if (lines > 0)
        QCOMPARE(stream.count('\n'), lines);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
