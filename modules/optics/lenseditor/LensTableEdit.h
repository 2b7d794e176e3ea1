// The lens table's editing steps: insert, delete and exchange records in place, keeping
// lenses 1..count packed and the slots past the last one anonymous.
#pragma once

#include "shell/Settings.h"

#include <array>

namespace kaleno {

using LensTable = std::array<LensDef, kMaxLens + 1>;

// Each step returns the selected index afterwards and does nothing (returning `selected`)
// when it does not apply. `selected` is 1-based; the callers keep it in 1..max(count, 1).

// `lens` goes in at `selected`, the records from there on move one place down; only
// while count < kMaxLens.
int InsertLens(LensTable &table, int &count, int selected, const LensDef &lens);
// The records after `selected` move one place up; deleting the last lens selects the new
// last one. Only while count > 1.
int DeleteLens(LensTable &table, int &count, int selected);
// Exchanges the selected record with the one before (up) or after (down).
int MoveLensUp(LensTable &table, int count, int selected);
int MoveLensDown(LensTable &table, int count, int selected);

} // namespace kaleno
