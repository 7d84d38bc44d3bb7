#pragma once
// The items of the tree as the import tests compare them, one line each:
// "I Bookmarks/News/BBC = http://bbc.co.uk", with " (parameters; work dir)", " [admin]" and
// " [folder]" where they apply. Groups show in the paths of their items.

#include "tree/Categories.h"

#include <string>

namespace vantrel::testing {

std::string ListItems(const Categories& categories);

} // namespace vantrel::testing
