#pragma once

#include <string>

namespace grelvin {

// The general float form of value (see writer/format_float.h), computed the
// slow and plain way: the exact decimal expansion by big-integer arithmetic,
// then the rounding to 17 and to 6 significant digits done on the digit text.
std::string referenceFloatForm(double value);

}  // namespace grelvin
