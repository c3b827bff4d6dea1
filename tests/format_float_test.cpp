// The general float form: formatFloat, its slow exact path and the big-integer
// reference they are checked against.
#include "writer/format_float.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale>
#include <random>
#include <string>
#include <vector>

#include "support/float_reference.h"

namespace grelvin {
namespace {

std::string fastForm(double value) {
    char text[kFloatTextCapacity];
    return std::string(text, formatFloat(value, text));
}

std::string expansionForm(double value) {
    char text[kFloatTextCapacity];
    return std::string(text, detail::formatFloatFromExpansion(value, text));
}

std::string describe(double value) {
    char text[40];
    const auto end = std::to_chars(text, text + sizeof(text), value).ptr;
    char bits[16];
    const auto bitsEnd =
        std::to_chars(bits, bits + 16, std::bit_cast<std::uint64_t>(value), 16).ptr;
    const auto digits = static_cast<std::size_t>(bitsEnd - bits);
    return std::string(text, end) + " (0x" + std::string(16 - digits, '0') +
           std::string(bits, digits) + ")";
}

::testing::AssertionResult matchesReference(double value) {
    const std::string expected = referenceFloatForm(value);
    const std::string actual = fastForm(value);
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << describe(value) << ": formatFloat gives \"" << actual
                                         << "\", the reference \"" << expected << "\"";
}

// The value and its neighbours up to `steps` ulps either way, in both signs.
void expectNeighbourhoodMatches(double value, int steps) {
    double below = value;
    double above = value;
    for (int i = 0; i <= steps; ++i) {
        for (const double v : {below, above, -below, -above}) {
            EXPECT_TRUE(matchesReference(v));
        }
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, std::numeric_limits<double>::infinity());
    }
}

void expectFloatNeighbourhoodMatches(float value, int steps) {
    float below = value;
    float above = value;
    for (int i = 0; i <= steps; ++i) {
        for (const float v : {below, above, -below, -above}) {
            EXPECT_TRUE(matchesReference(v));
        }
        below = std::nextafter(below, 0.0f);
        above = std::nextafter(above, std::numeric_limits<float>::infinity());
    }
}

double parse(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct Example {
    double value;
    const char* text;
};

// Checks the reference against the known text, and both formatting paths
// against the same text.
void expectForms(const std::vector<Example>& examples) {
    for (const Example& example : examples) {
        SCOPED_TRACE(describe(example.value));
        EXPECT_EQ(referenceFloatForm(example.value), example.text);
        EXPECT_EQ(fastForm(example.value), example.text);
        EXPECT_EQ(expansionForm(example.value), example.text);
    }
}

TEST(FloatForm, KnownValues) {
    expectForms({
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-2.75, "-2.75"},
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.333333"},
        {12345.599609375, "12345.6"},
        {123456.0, "123456"},
        {99999.953125, "100000"},
        {999999.5, "1e+006"},
        {1234567.0, "1.23457e+006"},
        {1234565.0, "1.23457e+006"},
        {1.015625, "1.01563"},
        {0.0001f, "0.0001"},
        {0.00001f, "1e-005"},
        {0.000123456f, "0.000123456"},
        {3.40282347e38f, "3.40282e+038"},
        {std::numeric_limits<float>::denorm_min(), "1.4013e-045"},
        {-100.0, "-100"},
        {0.5, "0.5"},
        {-0.0009765625, "-0.000976563"},
        {1e100, "1e+100"},
        {-1.5e-300, "-1.5e-300"},
    });
}

TEST(FloatForm, LimitsAndSubnormals) {
    using Double = std::numeric_limits<double>;
    using Float = std::numeric_limits<float>;
    expectForms({
        {Double::denorm_min(), "4.94066e-324"},
        {-2 * Double::denorm_min(), "-9.88131e-324"},
        {std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF}), "2.22507e-308"},
        {Double::min(), "2.22507e-308"},
        {Double::max(), "1.79769e+308"},
        {-Double::max(), "-1.79769e+308"},
        {Float::min(), "1.17549e-038"},
        {std::bit_cast<float>(std::uint32_t{0x007FFFFF}), "1.17549e-038"},
        {Float::max(), "3.40282e+038"},
        {-Float::denorm_min(), "-1.4013e-045"},
    });
}

TEST(FloatForm, InfinitiesAndNaNs) {
    const struct {
        std::uint64_t bits;
        const char* text;
    } cases[] = {
        {0x7FF0000000000000, "1.#INF"},   {0xFFF0000000000000, "-1.#INF"},
        {0xFFF8000000000000, "-1.#IND"},  {0x7FF8000000000000, "1.#QNAN"},
        {0x7FFFFFFFFFFFFFFF, "1.#QNAN"},  {0xFFF8000000000001, "-1.#QNAN"},
        {0xFFFC000000000000, "-1.#QNAN"}, {0x7FF0000000000001, "1.#SNAN"},
        {0x7FF7FFFFFFFFFFFF, "1.#SNAN"},  {0xFFF4000000000000, "-1.#SNAN"},
        {0x8000000000000000, "0"},
    };
    for (const auto& c : cases) {
        expectForms({{std::bit_cast<double>(c.bits), c.text}});
    }
}

// The double nearest 10^k and a few ulps around it, for every k a double
// reaches, and the same for floats; also every power of two, where the
// first estimate of the decimal exponent changes.
TEST(FloatForm, AroundPowersOfTenAndTwo) {
    for (int k = -320; k <= 308; ++k) {
        const double power = parse("1e" + std::to_string(k));
        expectNeighbourhoodMatches(power, 3);
        if (k >= -45 && k <= 38) {
            expectFloatNeighbourhoodMatches(static_cast<float>(power), 3);
        }
    }
    for (int k = -1074; k <= 1023; ++k) {
        expectNeighbourhoodMatches(std::ldexp(1.0, k), 1);
    }
}

// Values whose exact expansion ends in a 5 as the seventh significant digit
// (it rounds up), and the values a few ulps away on either side.
TEST(FloatForm, HalvesAtTheSeventhDigit) {
    std::mt19937_64 random(7);
    std::vector<double> halves;
    // With decimal exponent x <= 5 these are the odd multiples of 2^(x-6)
    // between 10^x and 10^(x+1); the largest of them carries into a new digit.
    for (int x = -4; x <= 5; ++x) {
        const double low = std::ldexp(std::pow(10.0, x), 6 - x);
        const auto firstOdd = static_cast<std::uint64_t>(std::ceil(low)) | 1;
        const auto lastOdd = (static_cast<std::uint64_t>(std::ceil(10 * low)) - 2) | 1;
        std::uniform_int_distribution<std::uint64_t> pick(0, (lastOdd - firstOdd) / 2);
        for (int i = 0; i < 100; ++i) {
            const std::uint64_t odd = i == 0 ? lastOdd : firstOdd + 2 * pick(random);
            halves.push_back(std::ldexp(static_cast<double>(odd), x - 6));
        }
    }
    // Above, (2p + 1) * 5 * 10^(x-6) is exact while (2p + 1) * 5^(x-5) < 2^53.
    std::uniform_int_distribution<std::uint64_t> prefix(100000, 999999);
    for (int x = 6; x <= 18; ++x) {
        for (int i = 0; i < 100; ++i) {
            const std::uint64_t p = i == 0 ? 999999 : prefix(random);
            std::uint64_t odd = 2 * p + 1;
            for (int j = 0; j < x - 5; ++j) {
                odd *= 5;
            }
            if (odd < (std::uint64_t{1} << 53)) {
                halves.push_back(std::ldexp(static_cast<double>(odd), x - 6));
            }
        }
    }
    ASSERT_GT(halves.size(), 2000u);
    for (const double half : halves) {
        expectNeighbourhoodMatches(half, 3);
        if (const auto narrow = static_cast<float>(half); narrow == half) {
            expectFloatNeighbourhoodMatches(narrow, 3);
        }
    }
}

// The 17-digit rounding comes first: ...4999999999|9x with x >= 5 carries
// into the seventh digit, which then raises the sixth; with x < 5 it does not.
TEST(FloatForm, RoundsToSeventeenDigitsBeforeSix) {
    const struct {
        const char* literal;
        const char* expansion;  // first 19 significant digits of the double
        const char* text;
    } cases[] = {
        {"9.270365", "9270364999999999966", "9.27037"},
        {"207.1925", "2071924999999999954", "207.193"},
        {"0.003294085", "3294084999999999981", "0.00329409"},
        {"1.398355e-07", "1398354999999999950", "1.39836e-007"},
        {"1.960335", "1960334999999999938", "1.96033"},
        {"27.72975", "2772974999999999923", "27.7297"},
    };
    for (const auto& c : cases) {
        const double value = parse(c.literal);
        SCOPED_TRACE(c.literal);
        char digits[40];
        const auto written = std::to_chars(digits, digits + sizeof(digits), value,
                                           std::chars_format::scientific, 25);
        std::string leading(digits, written.ptr);
        leading.erase(1, 1);
        ASSERT_EQ(leading.substr(0, 19), c.expansion);
        expectForms({{value, c.text}, {-value, (std::string("-") + c.text).c_str()}});
    }
}

std::size_t sampleCount(std::size_t standard) {
    if (const char* text = std::getenv("GRELVIN_FLOAT_SAMPLES")) {
        return static_cast<std::size_t>(std::strtoull(text, nullptr, 10));
    }
    return standard;
}

TEST(FloatForm, RandomDoubleBitPatterns) {
    std::mt19937_64 random(20240611);
    const std::size_t count = sampleCount(800'000);
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = std::bit_cast<double>(random());
        ASSERT_TRUE(matchesReference(value));
        if (i % 64 == 0) {
            ASSERT_EQ(expansionForm(value), referenceFloatForm(value)) << describe(value);
        }
    }
}

TEST(FloatForm, RandomFloatBitPatterns) {
    std::mt19937_64 random(99);
    const std::size_t count = sampleCount(800'000);
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        ASSERT_TRUE(matchesReference(value));
    }
}

// What models hold: floats within +-2000 with up to four decimals, and
// texture coordinates in [0, 1].
TEST(FloatForm, RandomCoordinates) {
    std::mt19937_64 random(5);
    std::uniform_int_distribution<std::int64_t> units(-20'000'000, 20'000'000);
    std::uniform_int_distribution<int> decimals(0, 4);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const std::size_t count = sampleCount(800'000) / 4;
    for (std::size_t i = 0; i < count; ++i) {
        const double scale = std::pow(10.0, decimals(random));
        const auto coordinate = static_cast<float>(static_cast<double>(units(random)) / 1e4);
        ASSERT_TRUE(matchesReference(static_cast<float>(std::round(coordinate * scale) / scale)));
        ASSERT_TRUE(matchesReference(unit(random)));
    }
}

TEST(FloatForm, IgnoresTheGlobalLocale) {
    const std::vector<double> values = {1234567.0, -0.5,   0.000123456, 3.40282347e38,
                                        12345.6,   1e-300, 1.0 / 3.0};
    std::vector<std::string> inC;
    for (const double value : values) {
        inC.push_back(fastForm(value));
    }
    const std::locale previous = std::locale::global(std::locale::classic());
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                             "ru_RU.UTF-8", "ru_RU.utf8", "de_DE", "fr_FR"}) {
        try {
            std::locale::global(std::locale(name));
        } catch (const std::runtime_error&) {
            continue;
        }
        // Only a locale with another decimal point makes the check worth it.
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::string(std::localeconv()->decimal_point) != ".") {
            switched = true;
            break;
        }
    }
    if (!switched) {
        std::locale::global(previous);
        GTEST_SKIP() << "no locale other than C is installed";
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(fastForm(values[i]), inC[i]);
    }
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace grelvin
