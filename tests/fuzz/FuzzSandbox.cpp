// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FuzzSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

QString scratchTemplate()
{
    const QString shm = QStringLiteral("/dev/shm");
    const QFileInfo info(shm);
    return (info.isDir() && info.isWritable() ? shm : QDir::tempPath()) +
           QStringLiteral("/lumora-fuzz-XXXXXX");
}

} // namespace

FuzzSandbox::FuzzSandbox() : m_dir(scratchTemplate())
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (!m_dir.isValid()) {
        std::fprintf(stderr, "fuzz: no scratch folder: %s\n", qPrintable(m_dir.errorString()));
        std::abort();
    }
}

QByteArray FuzzSandbox::bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
