#include "reader/wide_string.h"

#include <cstdint>

namespace grelvin {

void readWideString(InputCursor& input, std::string& destination) {
    destination.clear();
    for (;;) {
        std::uint8_t unit[2] = {0, 0};
        if (readBytes(input, unit, 2) == 0 || unit[0] == 0) {
            return;
        }
        destination.push_back(static_cast<char>(unit[0]));
    }
}

}  // namespace grelvin
