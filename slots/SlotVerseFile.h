#pragma once

#include <QStringList>

namespace Lumora {

class SettingsFiles;

// The five verses of an open slot, one per line of its c00NN.dat in the data folder.
// Both operations read path.lmr afresh, so a data folder changed meanwhile is used.
namespace SlotVerseFile {

inline constexpr int kVerseCount = 5;

// Lines 1..5 of the slot's file in `dataFolder`; a missing file or one of fewer lines
// throws FileError. Lines after the fifth are not read.
QStringList read(const QString& dataFolder, int slot);
// The same in the data folder that path.lmr names at this moment.
QStringList read(const SettingsFiles& settings, int slot);

// Replaces the slot's file in `dataFolder` with exactly five lines, each ended by CR LF,
// or leaves it whole and throws FileError.
void write(const QString& dataFolder, int slot, const QStringList& verses);
void write(const SettingsFiles& settings, int slot, const QStringList& verses);

} // namespace SlotVerseFile
} // namespace Lumora
