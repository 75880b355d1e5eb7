// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QFont>
#include <QString>

#include <functional>

namespace Lumora {

// The text a box shows when the whole of `text` does not fit it: the text broken into
// lines as word wrap at `width` pixels in `font` breaks it, cut after as many whole lines
// as fit, the last of them shortened to end in "…". `fits` tells whether a candidate
// fits the box; it is asked of at most `maxLines` candidates, longest first. Never less
// than the text's first line, shortened.
QString elideToLines(const QString& text, const QFont& font, int width, int maxLines,
                     const std::function<bool(const QString&)>& fits);

} // namespace Lumora
