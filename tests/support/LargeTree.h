#pragma once
// The large tree the benchmarks and the tests of large trees use: 10,000 entries in every
// category, nested down to depth 99 in places, with texts of realistic length.

#include "tree/Categories.h"

namespace vantrel::testing {

constexpr int LargeTreeEntriesPerCategory = 10000;

// Fills the categories, which are empty: one chain of groups down to depth 99, then blocks
// of a group with four subgroups of five items and three items of its own.
void FillLargeTree(const Categories& categories);

} // namespace vantrel::testing
