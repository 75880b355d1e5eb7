// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

#include <algorithm>
#include <ranges>
#include <string_view>

namespace Lumora {

// The program's constant tables (the catalogue, the slot table, the windows' layouts,
// the help texts) are constexpr arrays of small structs. They hold their texts as
// std::string_view so that they can be constexpr; every such text is plain ASCII.
inline QString qs(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The row of `table` whose `field` (a member pointer or any projection) equals `key`, or
// nullptr when there is none.
template <typename Table, typename Key, typename Field>
constexpr auto rowOf(const Table& table, const Key& key, Field field)
    -> const std::ranges::range_value_t<Table>*
{
    const auto it = std::ranges::find(table, key, field);
    return it == std::ranges::end(table) ? nullptr : &*it;
}

// The same for a name held as text: names in the tables are ASCII, so a key that is not
// finds nothing.
template <typename Table, typename Field>
auto rowOf(const Table& table, QStringView name, Field field)
    -> const std::ranges::range_value_t<Table>*
{
    const QByteArray key = name.toLatin1();
    return rowOf(table, std::string_view(key.constData(), std::size_t(key.size())), field);
}

// Whether two tables hold rows for the same keys in the same order: where a feature's
// rows are split over two tables (its data in the core, its window's layout beside the
// window), a static_assert on this keeps a forgotten or misplaced row from building.
template <typename TableA, typename FieldA, typename TableB, typename FieldB>
constexpr bool sameKeys(const TableA& a, FieldA fieldA, const TableB& b, FieldB fieldB)
{
    return std::ranges::equal(a, b, {}, fieldA, fieldB);
}

// The row of `beside` that stands where `row` stands in `table`, for two tables that
// sameKeys() holds in step; `row` must be a row of `table`.
template <typename Beside, typename Table>
constexpr const auto& rowBeside(const Beside& beside, const Table& table,
                                const std::ranges::range_value_t<Table>& row)
{
    const auto index = std::size_t(&row - std::ranges::data(table));
    Q_ASSERT(index < std::ranges::size(beside));
    return beside[index];
}

} // namespace Lumora
