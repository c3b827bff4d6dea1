#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "writer/format_float.h"
#include "writer/text_output.h"

namespace grelvin {

// The integer conversions of the text model format, written without any
// locale or printf machinery.

namespace detail {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Number of decimal digits of value, 1 for 0: from the bit length, which
// leaves two candidates, and one comparison.
inline std::size_t decimalDigitCount(std::uint32_t value) {
    static constexpr std::uint32_t kPowers[] = {1,      10,      100,      1000,      10000,
                                                100000, 1000000, 10000000, 100000000, 1000000000};
    // Or-ing in 1 changes no digit count (powers of ten from 10 are even)
    // and makes 0 count as one digit.
    const std::uint32_t probe = value | 1U;
    const auto bits = static_cast<std::size_t>(std::bit_width(probe));
    const std::size_t guess = bits * 1233 >> 12U;  // floor(bits * log10(2))
    return guess + (probe >= kPowers[guess] ? 1U : 0U);
}

}  // namespace detail

// Signed decimal ("%ld"): "-" in front of a negative value, no padding; at
// most 11 characters. Inline: the face lines of a large model call it half a
// million times.
inline std::size_t formatDecimal(std::int32_t value, char* out) {
    // Negate in unsigned arithmetic so that the most negative value is exact.
    auto magnitude = static_cast<std::uint32_t>(value);
    const std::size_t sign = value < 0 ? 1U : 0U;
    out[0] = '-';
    if (value < 0) {
        magnitude = 0U - magnitude;
    }
    // The digits are written from the last, two at a time, into their places.
    const std::size_t length = sign + detail::decimalDigitCount(magnitude);
    char* end = out + length;
    while (magnitude >= 100) {
        end -= 2;
        std::memcpy(end, detail::kDigitPairs + 2 * (magnitude % 100), 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        std::memcpy(end - 2, detail::kDigitPairs + 2 * magnitude, 2);
    } else {
        end[-1] = static_cast<char>('0' + magnitude);
    }
    return length;
}

// Lowercase hexadecimal of the value taken as unsigned, right-aligned with
// spaces in a field of four characters ("% 4lx"); longer values take all
// their digits.
std::size_t formatHexSpaced4(std::uint32_t value, char* out);

// Lowercase hexadecimal, at least two digits, zero-filled ("%02lx").
std::size_t formatHexZero2(std::uint32_t value, char* out);

inline void writeDecimal(TextOutput& output, std::int32_t value) {
    char text[12];
    writeRaw(output, text, formatDecimal(value, text));
}

inline void writeHexSpaced4(TextOutput& output, std::uint32_t value) {
    char text[8];
    writeRaw(output, text, formatHexSpaced4(value, text));
}

inline void writeHexZero2(TextOutput& output, std::uint32_t value) {
    char text[8];
    writeRaw(output, text, formatHexZero2(value, text));
}

// A 64-bit float in the general float form ("%g").
inline void writeFloat(TextOutput& output, double value) {
    char text[kFloatTextCapacity];
    writeRaw(output, text, formatFloat(value, text));
}

}  // namespace grelvin
