#include "writer/number_forms.h"

namespace grelvin {

namespace {

// Writes the lowercase hexadecimal digits of value, padded on the left with
// `fill` to at least `width` characters.
std::size_t formatHex(std::uint32_t value, std::size_t width, char fill, char* out) {
    static constexpr char kDigits[] = "0123456789abcdef";
    char digits[8];
    std::size_t count = 0;
    do {
        digits[count++] = kDigits[value & 0xFU];
        value >>= 4U;
    } while (value != 0);
    std::size_t length = 0;
    for (std::size_t pad = count; pad < width; ++pad) {
        out[length++] = fill;
    }
    while (count != 0) {
        out[length++] = digits[--count];
    }
    return length;
}

}  // namespace

std::size_t formatHexSpaced4(std::uint32_t value, char* out) {
    return formatHex(value, 4, ' ', out);
}

std::size_t formatHexZero2(std::uint32_t value, char* out) {
    return formatHex(value, 2, '0', out);
}

}  // namespace grelvin
