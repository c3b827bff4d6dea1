// The "%ld" form against the standard library's integer conversion, at every
// change of digit count and over a dense range.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "writer/number_forms.h"

namespace grelvin {
namespace {

std::string standardDecimal(std::int32_t value) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

TEST(DecimalForm, MatchesTheStandardConversion) {
    std::vector<std::int64_t> values;
    for (std::int64_t power = 1; power <= 1'000'000'000; power *= 10) {
        for (const std::int64_t near : {power - 1, power, power + 1}) {
            values.push_back(near);
            values.push_back(-near);
        }
    }
    for (std::int64_t value = -70'000; value <= 140'000; ++value) {
        values.push_back(value);
    }
    values.push_back(std::numeric_limits<std::int32_t>::max());
    values.push_back(std::numeric_limits<std::int32_t>::min());
    values.push_back(std::numeric_limits<std::int32_t>::min() + 1);
    for (const std::int64_t wide : values) {
        const auto value = static_cast<std::int32_t>(wide);
        char text[16];
        const std::size_t length = formatDecimal(value, text);
        ASSERT_EQ(std::string(text, length), standardDecimal(value)) << value;
    }
}

}  // namespace
}  // namespace grelvin
