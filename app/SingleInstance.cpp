// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SingleInstance.h"

#include "widgets/Form.h"
#include "widgets/Messages.h"
#include "widgets/WindowRegistry.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace Lumora {

namespace {

constexpr std::chrono::seconds kReachWait{5};
constexpr int kAnswerWaitMs = 10000;
constexpr char kRequest = 'S';
constexpr char kAnswer = 'A';

bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray native = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()));
    return true;
}

// The request: its letter, then the later start's activation token, whose two parts end
// in a NUL each. A second's wait and a few kilobytes are more than any start needs.
bool readRequest(int client, QByteArray& launch)
{
    const QDeadlineTimer deadline(1000);
    QByteArray bytes;
    char buffer[512];
    while (bytes.count('\0') < 2 && bytes.size() < 4096) {
        pollfd wait{client, POLLIN, 0};
        if (::poll(&wait, 1, int(deadline.remainingTime())) != 1)
            return false;
        const ssize_t got = ::read(client, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        bytes.append(buffer, got);
    }
    if (!bytes.startsWith(kRequest))
        return false;
    launch = bytes.mid(1);
    return true;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SingleInstance::SingleInstance(const QString& appFolder)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString real = QFileInfo(appFolder).canonicalFilePath();
    if (real.isEmpty())
        real = QFileInfo(appFolder).absoluteFilePath();
    if (!runtime.isEmpty())
        m_base = runtime + QStringLiteral("/lumora-") +
                 QString::fromLatin1(
                     QCryptographicHash::hash(QFile::encodeName(real), QCryptographicHash::Sha256)
                         .toHex()
                         .left(16));
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        QFile::remove(m_base + QStringLiteral(".socket"));
    }
}

SingleInstance::Claim SingleInstance::claim(const Activation& launch)
{
    if (m_base.isEmpty()) {
        m_problem = QStringLiteral("There is no runtime folder for this user.");
        return Claim::Unguarded;
    }
    m_lock = std::make_unique<QLockFile>(m_base + QStringLiteral(".lock"));
    // Never stale by age: only when the process that took it has gone.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return Claim::First;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        m_problem = QStringLiteral("The lock %1 could not be taken.").arg(m_lock->fileName());
        m_lock.reset();
        return Claim::Unguarded;
    }
    return ask(launch);
}

void SingleInstance::listen()
{
    const QString path = m_base + QStringLiteral(".socket");
    sockaddr_un address;
    if (!socketAddress(path, address))
        return;
    // Whoever holds the lock owns the socket: one left by a killed program goes.
    ::unlink(address.sun_path);
    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return;
    if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_fd, 8) != 0) {
        m_problem = systemError();
        ::close(m_fd);
        m_fd = -1;
        return;
    }
}

SingleInstance::Claim SingleInstance::ask(const Activation& launch)
{
    qint64 pid = 0;
    m_lock->getLockInfo(&pid, nullptr, nullptr);
    m_problem = QStringLiteral("Lumora is already running for this application folder "
                               "(process %1), but it did not answer. Close it, or end it if it "
                               "no longer responds, and start Lumora again.")
                    .arg(pid);
    sockaddr_un address;
    if (!socketAddress(m_base + QStringLiteral(".socket"), address))
        return Claim::NoAnswer;
    // The running program may have taken the lock a moment ago and not be listening yet.
    const QDeadlineTimer reach(kReachWait);
    int fd = -1;
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return Claim::NoAnswer;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        ::close(fd);
        if (reach.hasExpired())
            return Claim::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    char reply = 0;
    pollfd wait{fd, POLLIN, 0};
    const QByteArray request = kRequest + launch.encode();
    const bool answered = ::send(fd, request.constData(), std::size_t(request.size()),
                                 MSG_NOSIGNAL) == request.size() &&
                          ::poll(&wait, 1, kAnswerWaitMs) == 1 && ::read(fd, &reply, 1) == 1 &&
                          reply == kAnswer;
    ::close(fd);
    return answered ? Claim::HandedOver : Claim::NoAnswer;
}

void SingleInstance::answer()
{
    for (;;) {
        const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            // Out of file descriptors, the waiting start stays queued and would wake this
            // at once again: look again in a second.
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                m_notifier->setEnabled(false);
                QTimer::singleShot(1000, m_notifier, [this] { m_notifier->setEnabled(true); });
            }
            return;
        }
        QByteArray request;
        if (readRequest(client, request)) {
            m_lastLaunch = Activation::decode(request);
            // A load that fails shows a box with an event loop of its own, in which the
            // next start may ask again: that one is only answered.
            if (!m_answering) {
                m_answering = true;
                m_lastLaunch.bringForward(m_windows->open(QStringLiteral("Main")));
                m_answering = false;
            }
            ::send(client, &kAnswer, 1, MSG_NOSIGNAL);
        }
        ::close(client);
    }
}

void SingleInstance::serve(WindowRegistry& windows)
{
    m_windows = &windows;
    // Later starts wait in the socket's queue until now, when the main window stands.
    if (m_fd >= 0 && !m_notifier) {
        m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::answer);
    }
}

std::optional<int> SingleInstance::handOver(const Activation& launch)
{
    switch (claim(launch)) {
    case Claim::First:
        return std::nullopt;
    case Claim::Unguarded:
        std::fprintf(stderr, "lumora: %s Starting without the check that no other Lumora "
                             "runs on this folder.\n", qPrintable(m_problem));
        return std::nullopt;
    case Claim::HandedOver:
        return 0;
    case Claim::NoAnswer:
        break;
    }
    std::fprintf(stderr, "lumora: %s\n", qPrintable(m_problem));
    Messages::inform(nullptr, m_problem);
    return 1;
}

} // namespace Lumora
