// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "RecordingOpener.h"

#include "files/FileError.h"

void RecordingOpener::open(const QString& path)
{
    if (fail)
        throw Lumora::FileError(Lumora::FileError::Kind::LaunchFailed, QStringLiteral("xdg-open"));
    opened.append(path);
}
