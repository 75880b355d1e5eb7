#pragma once

#include <QString>

#include <string_view>

namespace Lumora {

// The program's constant tables hold their texts as std::string_view so that they can
// be constexpr; every such text is plain ASCII.
inline QString qs(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace Lumora
