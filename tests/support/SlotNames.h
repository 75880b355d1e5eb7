// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QTest>

// The rows of every test of what a slot name means: "open", exactly so, marks a free slot;
// anything else, however like it, names the slot (shown bold).
inline void addSlotNameRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("named");
    QTest::newRow("open is free") << QStringLiteral("open") << false;
    QTest::newRow("Open is named") << QStringLiteral("Open") << true;
    QTest::newRow("OPEN is named") << QStringLiteral("OPEN") << true;
    QTest::newRow("trailing blank is named") << QStringLiteral("open ") << true;
    QTest::newRow("empty is named") << QString() << true;
    QTest::newRow("a real name") << QStringLiteral("Peace") << true;
    QTest::newRow("3 MB is named") << QStringLiteral("Peace ").repeated(500000) << true;
}
