// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Lumora {

// Windows-1252, the code page of the program's text files. Debian's Qt decodes it
// through ICU, to the same text as this table; the table is ours all the same because a
// save must name the first character the code page cannot hold before it writes anything
// (ICU's encoder only reports that it put 0x1A somewhere), and because a Qt built
// without ICU offers no Windows-1252 at all. The five bytes that the code page leaves
// undefined map to the C1 control characters of the same value, as Windows does, so
// every byte reads and writes back unchanged.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// The first character of `text` that the code page cannot hold, as a code point.
std::optional<char32_t> firstUnencodable(QStringView text);

// Encodes `text`; a character that the code page cannot hold must have been refused
// with firstUnencodable() before, and would come out as '?'.
QByteArray encode(QStringView text);

// "“✓” (U+2713)": how a refused character is named to the user.
QString describe(char32_t codePoint);

} // namespace Cp1252
} // namespace Lumora
