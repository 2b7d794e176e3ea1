#include "modules/optics/lenseditor/LensTableEdit.h"

#include <algorithm>
#include <utility>

namespace kaleno {

namespace {

bool inUse(int count, int index) { return index >= 1 && index <= count; }

} // namespace

int InsertLens(LensTable &table, int &count, int selected, const LensDef &lens)
{
    if (count < 0 || count >= kMaxLens || selected < 1 || selected > count + 1)
        return selected;
    std::move_backward(
        table.begin() + selected, table.begin() + count + 1, table.begin() + count + 2);
    table[selected] = lens;
    ++count;
    return selected;
}

int DeleteLens(LensTable &table, int &count, int selected)
{
    if (count <= 1 || count > kMaxLens || !inUse(count, selected))
        return selected;
    std::move(table.begin() + selected + 1, table.begin() + count + 1, table.begin() + selected);
    // The slot left free past the end holds what an unused slot always holds.
    table[count] = AnonymousLens();
    --count;
    return std::min(selected, count);
}

int MoveLensUp(LensTable &table, int count, int selected)
{
    if (!inUse(count, selected) || selected <= 1)
        return selected;
    std::swap(table[selected], table[selected - 1]);
    return selected - 1;
}

int MoveLensDown(LensTable &table, int count, int selected)
{
    if (!inUse(count, selected) || selected >= count)
        return selected;
    std::swap(table[selected], table[selected + 1]);
    return selected + 1;
}

} // namespace kaleno
