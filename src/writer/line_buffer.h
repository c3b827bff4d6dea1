#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "writer/number_forms.h"
#include "writer/text_output.h"

// The entry lines of a large model are most of its bytes: each is assembled
// in place at the end of the output buffer with the number formatters, its
// line end already spelled CR LF.
namespace grelvin {

// Room for the longest entry line (a mapping line: one integer and six
// floats, about 105 characters) plus the scratch bytes that formatFloat and
// the fixed-size copies may write past the end of the line.
inline constexpr std::size_t kLineCapacity = 192;

// A decimal number that counts up one at a time: a step changes its last
// digit and carries only past a 9.
struct DecimalCounter {
    static constexpr std::size_t kEnd = 16;  // the digits end here; 16 more bytes of room follow
    char digits[2 * kEnd] = {};
    std::size_t first = kEnd;

    // `value` is below 2^31, so the counter never needs more than 10 digits.
    explicit DecimalCounter(std::size_t value) {
        char text[12];
        const std::size_t length = formatDecimal(static_cast<std::int32_t>(value), text);
        first = kEnd - length;
        std::memcpy(digits + first, text, length);
    }

    void increment() {
        std::size_t at = kEnd;
        while (at > first && digits[at - 1] == '9') {
            digits[--at] = '0';
        }
        if (at == first) {
            digits[--first] = '1';
        } else {
            ++digits[at - 1];
        }
    }
};

// One line at a time, assembled in place in the output buffer.
struct LineBuffer {
    TextOutput& output;
    char* text = nullptr;
    std::size_t length = 0;

    explicit LineBuffer(TextOutput& target) : output(target) {}

    void beginLine() {
        text = reserveRaw(output, kLineCapacity);
        length = 0;
    }
    void put(char c) { text[length++] = c; }
    template <std::size_t N>
    void put(const char (&literal)[N]) {
        for (std::size_t i = 0; i + 1 < N; ++i) {
            text[length++] = literal[i];
        }
    }
    void putDecimal(std::int32_t value) { length += formatDecimal(value, text + length); }
    // A fixed-size copy of 16 bytes, of which the counter's digits count.
    void putCounter(const DecimalCounter& counter) {
        std::memcpy(text + length, counter.digits + counter.first, DecimalCounter::kEnd);
        length += DecimalCounter::kEnd - counter.first;
    }
    void putFloat(double value) { length += formatFloat(value, text + length); }
    void endLine() {
        put("\r\n");
        commitRaw(output, length);
    }
};

}  // namespace grelvin
