// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "Activation.h"

#include <QObject>
#include <QString>

#include <optional>

class QSocketNotifier;
struct sockaddr_un;

namespace Lumora {

class WindowRegistry;

// One Lumora per application folder. The first start on a folder takes a lock named after
// the folder's real path and listens on a local socket beside it; a later start on the
// same folder finds the lock held, asks the running program through the socket to bring
// its main window to the front (loading it again if it was closed while other windows
// stayed) with the later start's activation token, waits for the answer and ends. The
// kernel lets go of the lock of a program that was killed. Lock and socket live in a
// folder only the user can reach: the runtime folder, or where that is missing or not the
// user's alone, a folder of Lumora's in the user's cache folder. A plain Unix socket
// watched by a QSocketNotifier spares the start the Qt Network library.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& appFolder);
    ~SingleInstance() override;

    enum class Claim {
        First,      // this process runs the folder
        HandedOver, // another one does, and has brought its main window forward
        NoAnswer,   // another one does, but could not be reached or did not answer
        Unguarded,  // no lock could be had (no private folder, no file descriptor left)
    };
    // Blocks for at most some seconds while another program is asked; `launch` is handed
    // to it.
    Claim claim(const Activation& launch = {});
    // What went wrong, for NoAnswer and Unguarded.
    QString problem() const { return m_problem; }

    // From now on, a later start brings the main window of `windows` forward; those made
    // meanwhile wait until then.
    void serve(WindowRegistry& windows);

    // For main(): claims the folder, handing `launch` over. Empty when this process is to
    // run; otherwise the status to exit with, after a failure has been reported.
    std::optional<int> handOver(const Activation& launch);

    // The activation token of the last start that was handed over.
    const Activation& lastLaunch() const { return m_lastLaunch; }

private:
    bool socketAddress(sockaddr_un& address) const;
    void listen();
    Claim ask(const Activation& launch);
    void answer();

    QString m_name; // of lock and socket, without their suffix
    int m_folder = -1; // the folder they are in, opened as a path
    int m_lock = -1;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    WindowRegistry* m_windows = nullptr;
    bool m_answering = false;
    QString m_problem;
    Activation m_lastLaunch;
};

} // namespace Lumora
