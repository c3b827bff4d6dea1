#pragma once

#include <cstddef>
#include <cstdint>

#include "writer/format_float.h"
#include "writer/text_output.h"

namespace grelvin {

// The integer conversions of the text model format, written without any
// locale or printf machinery.

// Signed decimal ("%ld"): "-" in front of a negative value, no padding.
std::size_t formatDecimal(std::int32_t value, char* out);

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
