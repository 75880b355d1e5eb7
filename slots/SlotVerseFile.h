#pragma once

#include <QStringList>

namespace Lumora {

class SettingsFiles;

// The five verses of an open slot, one per line of its c00NN.dat in the data folder.
// Both operations read path.lmr afresh, so a data folder changed meanwhile is used.
namespace SlotVerseFile {

inline constexpr int kVerseCount = 5;

// Lines 1..5; a missing file or one of fewer lines throws FileError. Lines after the
// fifth are not read.
QStringList read(const SettingsFiles& settings, int slot);

// Replaces the file with exactly five lines, each ended by CR LF, or leaves it whole and
// throws FileError.
void write(const SettingsFiles& settings, int slot, const QStringList& verses);

} // namespace SlotVerseFile
} // namespace Lumora
