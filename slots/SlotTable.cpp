// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SlotTable.h"

namespace Lumora::SlotTable {

namespace {

QString fileName(int slot, QLatin1StringView extension)
{
    return QStringLiteral("c%1.").arg(slot, 4, 10, QLatin1Char('0')) + extension;
}

} // namespace

QString notesFile(int slot)
{
    return fileName(slot, QLatin1StringView("txt"));
}

QString verseFile(int slot)
{
    return fileName(slot, QLatin1StringView("dat"));
}

} // namespace Lumora::SlotTable
