#pragma once
// A large, realistic tree for the benchmarks: 50,000 entries, 10,000 per category, nested
// up to depth 99 in places.

#include "tree/Categories.h"

namespace vantrel {

constexpr int EntriesPerCategory = 10000;

// One chain of groups down to depth 99, then blocks of a group with four subgroups of five
// items and three items of its own, until each category holds exactly 10,000 entries: the
// tree scripts/make-config.py writes, without its few targets that exist on every Windows.
void FillLargeTree(const Categories& categories);

} // namespace vantrel
