// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Elide.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>

namespace Lumora {

namespace {

constexpr QChar kEllipsis(0x2026);

// No glyph of the program's fonts that takes up room is narrower than this, spaces
// included; a line of the box never holds more than its width over this many characters.
// Characters without width (a zero-width space, a combining mark) can make a line hold
// more: such a line shows less than would fit, and ends in "…".
constexpr int kNarrowestGlyph = 2;

qsizetype lineWindow(int width)
{
    return std::max(width, 0) / kNarrowestGlyph + 2;
}

struct Line
{
    qsizetype start;
    qsizetype end;
    bool broken; // ends inside a word, where the text gives no break
};

// The first `maxLines` lines of `text`, each laid out on its own from a piece of text
// just longer than a line can hold: the work grows with the lines, never with the text,
// and a word however long costs no more than a line of it.
QList<Line> wrap(const QString& text, const QFont& font, int width, int maxLines)
{
    const qsizetype window = lineWindow(width);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QList<Line> lines;
    for (qsizetype start = 0; start < text.size() && lines.size() < maxLines;) {
        const QString piece = text.mid(start, window);
        QTextLayout layout(piece, font);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(width);
        layout.endLayout();
        const qsizetype length = std::clamp<qsizetype>(line.textLength(), 1, piece.size());
        bool broken = false;
        if (length < piece.size()) {
            QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, piece);
            breaks.setPosition(length);
            broken = !breaks.isAtBoundary();
        }
        lines.append({start, start + length, broken});
        start += length;
    }
    return lines;
}

// Lines [0, count) of `text`, with a line separator after each broken one but the last.
QString join(const QString& text, const QList<Line>& lines, qsizetype count)
{
    QString joined;
    for (qsizetype i = 0; i < count; ++i) {
        joined += QStringView(text).sliced(lines[i].start, lines[i].end - lines[i].start);
        if (lines[i].broken && i + 1 < count)
            joined += QChar::LineSeparator;
    }
    return joined;
}

// Whether `text` is one that word wrap lays out quickly and without breaking a word:
// no longer than `maxLines` lines can hold, and no run of characters between spaces wider
// than a line even in the font's widest glyph. Most verses and captions are; they are laid
// out whole, as they come, without the work of wrap().
bool plain(const QString& text, const QFont& font, int width, int maxLines)
{
    if (text.size() > lineWindow(width) * maxLines)
        return false;
    const qsizetype longestWord = width / std::max(QFontMetrics(font).maxWidth(), 1);
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longestWord)
            return false;
    }
    return true;
}

} // namespace

QString shortened(const QString& text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    return text.left(std::max<qsizetype>(length - 1, 0)) + kEllipsis;
}

QString firstLines(const QString& text, const QFont& font, int width, int maxLines)
{
    if (plain(text, font, width, maxLines))
        return text;
    const QList<Line> lines = wrap(text, font, width, maxLines);
    return join(text, lines, lines.size());
}

Fitted fitToLines(const QString& text, const QFont& font, int width, int maxLines,
                  const std::function<bool(const QString&)>& fits)
{
    if (plain(text, font, width, maxLines) && fits(text))
        return {text, true};
    const QList<Line> lines = wrap(text, font, width, maxLines + 1);
    if (lines.size() <= maxLines) {
        const QString whole = join(text, lines, lines.size());
        if (fits(whole))
            return {whole, true};
    }
    // The last line holds the rest of the text, shortened to the width; a rest longer
    // than a line can hold is cut first, and so ends in "…" whatever its glyphs.
    const QFontMetrics metrics(font);
    const auto lastLine = [&](qsizetype start) {
        const qsizetype window = lineWindow(width);
        QString rest = text.mid(start, window);
        if (start + window < text.size())
            rest += kEllipsis;
        return metrics.elidedText(rest, Qt::ElideRight, width);
    };
    for (qsizetype count = std::min<qsizetype>(maxLines, lines.size()); count > 1; --count) {
        QString candidate = join(text, lines, count);
        candidate.truncate(candidate.size() - (lines[count - 1].end - lines[count - 1].start));
        candidate += lastLine(lines[count - 1].start);
        if (fits(candidate))
            return {candidate, false};
    }
    return {lastLine(0), false};
}

QString unbroken(QString shown)
{
    return shown.remove(QChar::LineSeparator);
}

} // namespace Lumora
