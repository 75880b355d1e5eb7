// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "files/FileState.h"

#include <QStringList>

namespace Lumora {

// The five verses of an open slot, one per line of its c00NN.dat in the data folder.
// Both operations are given the data folder as their caller has just read it from
// path.lmr, so a data folder changed meanwhile is used.
namespace SlotVerseFile {

inline constexpr int kVerseCount = 5;

// Lines 1..5 of the slot's file in `dataFolder`; a missing file or one of fewer lines
// throws FileError. Lines after the fifth are not used. With `seen`, what the whole file
// held: a window keeps it and hands it to its save.
QStringList read(const QString& dataFolder, int slot, FileState* seen = nullptr);

// Replaces the slot's file in `dataFolder` with exactly five lines, each ended by CR LF,
// or leaves it whole and throws FileError. Given the state its window read (`expected`),
// it writes only while the file still holds that: when another program has changed the
// file meanwhile, it throws FileError with the kind ChangedOnDisk and writes nothing, and
// the window may offer to overwrite (a save with no expected state) or to reload. Saves of
// several Lumora processes are serialised between that check and the replacement.
void write(const QString& dataFolder, int slot, const QStringList& verses,
           const FileState& expected = {});

} // namespace SlotVerseFile
} // namespace Lumora
