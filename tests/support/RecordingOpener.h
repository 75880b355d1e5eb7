// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "notes/Opener.h"

#include <QStringList>

// Stands in for the desktop's editor: remembers what it was asked to open.
class RecordingOpener : public Lumora::Opener
{
public:
    void open(const QString& path) override;

    QStringList opened;
    bool fail = false;
};
