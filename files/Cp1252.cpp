// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Cp1252.h"

#include <QList>

#include <array>

namespace Lumora::Cp1252 {

namespace {

// Bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> encodeOne(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

std::optional<char32_t> firstUnencodable(QStringView text)
{
    for (const uint c : text.toUcs4()) {
        if (!encodeOne(c))
            return c;
    }
    return std::nullopt;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint c : text.toUcs4())
        bytes.append(encodeOne(c).value_or('?'));
    return bytes;
}

QString describe(char32_t codePoint)
{
    const QString hex = QString::number(uint(codePoint), 16).toUpper().rightJustified(4, u'0');
    // A control character or a lone surrogate would show as nothing; name it by number only.
    const QString shown = QString::fromUcs4(&codePoint, 1);
    const bool printable = QChar::isPrint(codePoint) && !QChar::isSpace(codePoint);
    if (!printable)
        return QStringLiteral("U+%1").arg(hex);
    return QStringLiteral("\u201C%1\u201D (U+%2)").arg(shown, hex);
}

} // namespace Lumora::Cp1252
