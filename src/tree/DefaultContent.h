#pragma once
// The example entries a first start puts into every category: one group "Examples" each,
// holding a few ready-made entries, built exactly as if the user had added them.

#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "tree/Categories.h"

#include <string>

namespace vantrel {

// The host pinged and traced by the "Run" examples.
extern const char* const ExampleHost;

// A failure ends it silently and keeps what was created so far.
void CreateDefaultContent(const Categories& categories, Platform& platform, ProcessFacts& facts);

// "http://www.example.org" for the domain "example.org".
std::string WebAddressOf(const std::string& domain);

} // namespace vantrel
