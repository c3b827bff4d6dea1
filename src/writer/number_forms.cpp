#include "writer/number_forms.h"

#include <bit>
#include <cstring>

namespace grelvin {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Number of decimal digits of value, 1 for 0: from the bit length, which
// leaves two candidates, and one comparison.
std::size_t decimalDigitCount(std::uint32_t value) {
    static constexpr std::uint32_t kPowers[] = {1,      10,      100,      1000,      10000,
                                                100000, 1000000, 10000000, 100000000, 1000000000};
    // Or-ing in 1 changes no digit count (powers of ten from 10 are even)
    // and makes 0 count as one digit.
    const std::uint32_t probe = value | 1U;
    const auto bits = static_cast<std::size_t>(std::bit_width(probe));
    const std::size_t guess = bits * 1233 >> 12U;  // floor(bits * log10(2))
    return guess + (probe >= kPowers[guess] ? 1U : 0U);
}

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

std::size_t formatDecimal(std::int32_t value, char* out) {
    // Negate in unsigned arithmetic so that the most negative value is exact.
    auto magnitude = static_cast<std::uint32_t>(value);
    const std::size_t sign = value < 0 ? 1U : 0U;
    out[0] = '-';
    if (value < 0) {
        magnitude = 0U - magnitude;
    }
    // The digits are written from the last, two at a time, into their places.
    const std::size_t length = sign + decimalDigitCount(magnitude);
    char* end = out + length;
    while (magnitude >= 100) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * (magnitude % 100), 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        std::memcpy(end - 2, kDigitPairs + 2 * magnitude, 2);
    } else {
        end[-1] = static_cast<char>('0' + magnitude);
    }
    return length;
}

std::size_t formatHexSpaced4(std::uint32_t value, char* out) {
    return formatHex(value, 4, ' ', out);
}

std::size_t formatHexZero2(std::uint32_t value, char* out) {
    return formatHex(value, 2, '0', out);
}

}  // namespace grelvin
