// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "PulseServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

bool PulseServer::installed()
{
    const QStringList programs{"pulseaudio", "pactl", "parec"};
    return std::ranges::none_of(programs, [](const QString& name) {
        return QStandardPaths::findExecutable(name).isEmpty();
    });
}

PulseServer::~PulseServer()
{
    for (const auto& [name, value] : std::as_const(m_environment))
        value ? qputenv(name, *value) : qunsetenv(name);
    for (QProcess* process : {&m_recorder, &m_server}) {
        process->kill();
        process->waitForFinished();
    }
}

QString PulseServer::start()
{
    const QString dir = m_folder.path();
    const QString socket = dir + QStringLiteral("/native");
    // Clients find no other server, and keep their cookie here.
    const std::pair<const char*, QString> environment[] = {
        {"PULSE_SERVER", QStringLiteral("unix:") + socket},
        {"PULSE_COOKIE", dir + QStringLiteral("/cookie")},
        {"XDG_RUNTIME_DIR", dir},
        {"PIPEWIRE_RUNTIME_DIR", dir},
    };
    for (const auto& [name, value] : environment) {
        m_environment.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                     : std::nullopt});
        qputenv(name, QFile::encodeName(value));
    }

    QProcessEnvironment serverEnvironment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
        serverEnvironment.insert(QString::fromLatin1(name), dir);
    m_server.setProcessEnvironment(serverEnvironment);
    // Into a file, which unlike an unread pipe never fills and stops the server.
    const QString log = dir + QStringLiteral("/server.log");
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.setStandardOutputFile(log);
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                    QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=lumora"),
                    QStringLiteral("-L"),
                    QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1").arg(socket)});
    // A machine busy with other work may take its time: wait for an answer, not a clock.
    const QDeadlineTimer deadline(60000);
    const auto answers = [] {
        QProcess info;
        info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        return info.waitForFinished(10000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
    };
    while (!answers()) {
        if (m_server.state() == QProcess::NotRunning || deadline.hasExpired()) {
            QFile output(log);
            output.open(QIODevice::ReadOnly);
            return QStringLiteral("pulseaudio did not start: ") + QString::fromLocal8Bit(output.readAll());
        }
        m_server.waitForFinished(100);
    }
    m_recorder.setStandardErrorFile(QProcess::nullDevice());
    m_recorder.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=lumora.monitor"),
                      QStringLiteral("--format=float32le"), QStringLiteral("--rate=%1").arg(kRate),
                      QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=20")});
    if (!m_recorder.waitForStarted())
        return QStringLiteral("parec did not start");
    return {};
}

bool PulseServer::waitForMore(int ms)
{
    if (!m_recorder.bytesAvailable() && !m_recorder.waitForReadyRead(ms))
        return false;
    m_partial += m_recorder.readAllStandardOutput();
    const qsizetype whole = m_partial.size() / qsizetype(2 * sizeof(float)) * qsizetype(2 * sizeof(float));
    const std::size_t before = m_samples.size();
    m_samples.resize(before + std::size_t(whole) / sizeof(float));
    std::memcpy(m_samples.data() + before, m_partial.constData(), std::size_t(whole));
    m_partial.remove(0, whole);
    return true;
}
