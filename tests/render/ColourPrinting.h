#pragma once
// Readable colours in test failure messages.

#include "render/ColourModel.h"

#include <ostream>

namespace vantrel {

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Hls& c) {
    return out << "H" << c.hue << " L" << c.lightness << " S" << c.saturation;
}

} // namespace vantrel
