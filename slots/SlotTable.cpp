#include "SlotTable.h"

namespace Lumora::SlotTable {

namespace {

template <typename Field>
const SlotRow* findBy(Field field, QStringView value)
{
    for (const SlotRow& row : kRows) {
        if (qs(row.*field) == value)
            return &row;
    }
    return nullptr;
}

QString fileName(int slot, QLatin1StringView extension)
{
    return QStringLiteral("c%1.").arg(slot, 4, 10, QLatin1Char('0')) + extension;
}

} // namespace

const SlotRow* bySlot(int slot)
{
    for (const SlotRow& row : kRows) {
        if (row.slot == slot)
            return &row;
    }
    return nullptr;
}

const SlotRow* byWindow(QStringView window)
{
    return findBy(&SlotRow::window, window);
}

const SlotRow* byButton(QStringView button)
{
    return findBy(&SlotRow::button, button);
}

QString notesFile(int slot)
{
    return fileName(slot, QLatin1StringView("txt"));
}

QString verseFile(int slot)
{
    return fileName(slot, QLatin1StringView("dat"));
}

} // namespace Lumora::SlotTable
