// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

namespace Lumora {

// What a screen reader is told about the program's own widgets. A top-level QWidget is
// announced as a bare "filler" by default, so a window of the program would not be
// announced as a window at all; every Form is a window.
namespace Accessible {

// Registers the program's accessibility factory with Qt; once per program, before the
// first window is made.
void install();

} // namespace Accessible
} // namespace Lumora
