// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SingleInstance.h"

#include "files/PrivateFolder.h"
#include "widgets/Form.h"
#include "widgets/Messages.h"
#include "widgets/WindowRegistry.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace Lumora {

namespace {

constexpr std::chrono::seconds kReachWait{5};
constexpr int kAnswerWaitMs = 10000;
constexpr char kRequest = 'S';
constexpr char kAnswer = 'A';

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
    QString real = QFileInfo(appFolder).canonicalFilePath();
    if (real.isEmpty())
        real = QFileInfo(appFolder).absoluteFilePath();
    m_name = QStringLiteral("lumora-") +
             QString::fromLatin1(
                 QCryptographicHash::hash(QFile::encodeName(real), QCryptographicHash::Sha256)
                     .toHex()
                     .left(16));
}

SingleInstance::~SingleInstance()
{
    // The socket goes while the lock is still held, so that it is never a successor's.
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlinkat(m_folder, QFile::encodeName(m_name + QStringLiteral(".socket")).constData(), 0);
    }
    // The lock file stays: removing it would let a start that opened it lock a file that
    // the next start no longer finds.
    for (const int fd : {m_lock, m_folder}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool SingleInstance::socketAddress(sockaddr_un& address) const
{
    // Through the folder held open: the folder that was checked, and an address that fits
    // in the 108 bytes of sun_path however long the folder's own path is.
    const QByteArray path =
        "/proc/self/fd/" + QByteArray::number(m_folder) + '/' + QFile::encodeName(m_name) + ".socket";
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return true;
}

SingleInstance::Claim SingleInstance::claim(const Activation& launch)
{
    const QString folder = PrivateFolder::path(&m_problem);
    if (folder.isEmpty())
        return Claim::Unguarded;
    struct stat info;
    m_folder = ::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (m_folder < 0 || ::fstat(m_folder, &info) != 0) {
        m_problem = QStringLiteral("The folder %1 could not be opened: %2")
                        .arg(QDir::toNativeSeparators(folder), systemError());
        return Claim::Unguarded;
    }
    // Checked again as opened, in case it was swapped for another since.
    m_problem = PrivateFolder::problemWith(folder, info);
    if (!m_problem.isEmpty())
        return Claim::Unguarded;
    const QString lockPath = folder + QLatin1Char('/') + m_name + QStringLiteral(".lock");
    m_lock = ::openat(m_folder, QFile::encodeName(m_name + QStringLiteral(".lock")).constData(),
                      O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // The kernel lets go of the lock when its holder ends, killed or not.
    if (m_lock >= 0 && ::flock(m_lock, LOCK_EX | LOCK_NB) == 0) {
        // For the message of a later start that gets no answer.
        const QByteArray pid = QByteArray::number(qint64(::getpid()));
        if (::ftruncate(m_lock, 0) != 0 || ::pwrite(m_lock, pid.constData(), std::size_t(pid.size()), 0) < 0)
            std::fprintf(stderr, "lumora: %s: %s\n", qPrintable(lockPath), std::strerror(errno));
        listen();
        return Claim::First;
    }
    if (m_lock < 0 || errno != EWOULDBLOCK) {
        m_problem = QStringLiteral("The lock %1 could not be taken: %2")
                        .arg(QDir::toNativeSeparators(lockPath), systemError());
        return Claim::Unguarded;
    }
    return ask(launch);
}

void SingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(address))
        return;
    // Whoever holds the lock owns the socket: one left by a killed program goes.
    ::unlinkat(m_folder, QFile::encodeName(m_name + QStringLiteral(".socket")).constData(), 0);
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
    const auto noAnswer = [this] {
        char pid[24] = {};
        if (::pread(m_lock, pid, sizeof pid - 1, 0) < 0)
            pid[0] = 0;
        m_problem = QStringLiteral("Lumora is already running for this application folder "
                                   "(process %1), but it did not answer. Close it, or end it if "
                                   "it no longer responds, and start Lumora again.")
                        .arg(std::atoll(pid));
        return Claim::NoAnswer;
    };
    sockaddr_un address;
    if (!socketAddress(address))
        return noAnswer();
    // The running program may have taken the lock a moment ago and not be listening yet.
    const QDeadlineTimer reach(kReachWait);
    int fd = -1;
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return noAnswer();
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        ::close(fd);
        if (reach.hasExpired())
            return noAnswer();
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
    return answered ? Claim::HandedOver : noAnswer();
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
    case Claim::HandedOver:
        return 0;
    case Claim::Unguarded:
        // Without the lock two copies could run on one folder and undo each other's saves.
        m_problem += QStringLiteral(" Lumora does not start without the lock that keeps a "
                                    "second copy off this application folder.");
        break;
    case Claim::NoAnswer:
        break;
    }
    std::fprintf(stderr, "lumora: %s\n", qPrintable(m_problem));
    Messages::inform(nullptr, m_problem);
    return 1;
}

} // namespace Lumora
