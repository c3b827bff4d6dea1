#pragma once

#include <string>

#include "reader/input_cursor.h"

namespace grelvin {

// Reads a string of 16-bit little-endian units ended by the first unit whose
// low byte is zero, keeping the low byte of each unit. The string also ends at
// the end of the file. The text is kept whole, however long it is.
void readWideString(InputCursor& input, std::string& destination);

}  // namespace grelvin
