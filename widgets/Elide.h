// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QFont>
#include <QString>

#include <functional>

namespace Lumora {

// Text is fitted into a box by laying out no more of it than the box can show. A caption
// or a verse can be a line of megabytes (the files are the user's to edit), and laying
// out the whole of it would hold the window up for minutes: Qt's wrapping of a word
// longer than a line even takes time that grows with the square of the word's length.

// The most characters a tooltip, an accessible name or a title holds: more than anyone
// reads there.
inline constexpr qsizetype kReadableLength = 2000;

// `text` whole, or when it is longer than `length`, its beginning and "…", `length`
// characters in all.
QString shortened(const QString& text, qsizetype length = kReadableLength);

// The first `maxLines` lines of `text` as word wrap at `width` pixels in `font` breaks it,
// or the whole of a text short enough to cost little to lay out. A word longer than a
// line is broken where the line ends, and a line separator (U+2028) put there, so that a
// box shows the same lines; the program's own text never holds one.
QString firstLines(const QString& text, const QFont& font, int width, int maxLines);

// What a box shows of `text`: the whole text when it fits (its overlong words broken as
// by firstLines()), otherwise as many whole lines as fit, the last of them shortened to
// end in "…"; never less than the first line, shortened. `fits` tells whether a candidate
// fits the box; it is asked of at most `maxLines` candidates, longest first. `whole`
// tells whether the text shows whole.
struct Fitted
{
    QString text;
    bool whole;
};
Fitted fitToLines(const QString& text, const QFont& font, int width, int maxLines,
                  const std::function<bool(const QString&)>& fits);

// What a user who selects `shown` means: the text without the line separators that
// breaking its words put in.
QString unbroken(QString shown);

} // namespace Lumora
