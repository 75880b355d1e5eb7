#pragma once

#include "files/Strings.h"

#include <QString>

#include <array>
#include <string_view>

namespace Lumora {

// One built-in category: the window that shows it, the main-window button that opens
// it with its caption (the category's only display name), its notes file in the data
// folder and its verses, top to bottom. Verses are shown exactly as they stand here,
// with every leading, trailing and doubled space.
struct CategoryEntry {
    std::string_view window;
    std::string_view button;
    std::string_view caption;
    std::string_view notesFile;
    std::array<std::string_view, 5> verses;

    int verseCount() const
    {
        int count = 0;
        for (const auto verse : verses)
            count += verse.empty() ? 0 : 1;
        return count;
    }
};

namespace Catalogue {

extern const std::array<CategoryEntry, 11> kEntries;

const CategoryEntry* byWindow(QStringView window);
const CategoryEntry* byButton(QStringView button);

} // namespace Catalogue
} // namespace Lumora
