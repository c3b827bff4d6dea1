#include "writer/format_float.h"

#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace grelvin {
namespace {

// How the digits are found. Write |value| = m * 2^e and let X be the decimal
// exponent of its first digit. With W = |value| * 2 * 10^(16 - X), which lies
// in [2e16, 2e17), rounding the exact value to 17 digits half up gives
// floor((floor(W) + 1) / 2), and rounding that to 6 digits by the seventh
// gives D = floor((floor(W) + 1 + 1e11) / 2e11). D = 10^6 is the carry out of
// the first digit: digits 100000 and X + 1. So only floor(W) is needed, and
// it is computed exactly.
//
// X is first estimated from the binary exponent as floor(log2|value| *
// log10(2)), which is X or X - 1. W is computed with the estimate; when it
// comes out at 2e17 or more the estimate was one low, and floor(W / 10) =
// floor(floor(W) / 10) gives the right W without starting again. An exact
// power of ten lands on W = 2e17 exactly and takes that step.
//
// floor(W) = floor(m * 2^(e+1) * 10^q) with q = 16 - estimate:
// - q in [0, 27]: m * 5^q fits in 116 bits; shift by e + 1 + q.
// - q in [-27, -1]: m * 2^(e+1+q) fits in 124 bits and is divided by 5^-q.
// - otherwise (|value| below about 1e-11 or from about 1e44): 10^q from a
//   table of 128-bit truncated mantissas. The relative error is below 2^-126,
//   far less than one unit of the 64 fraction bits kept beyond the integer
//   part, so floor(W) is exact unless those bits are all ones; then the digits
//   come from the complete decimal expansion instead.

__extension__ typedef unsigned __int128 u128;
using u64 = std::uint64_t;

[[maybe_unused]] constexpr u64 kTwoE16 = 20'000'000'000'000'000;  // checked by an assert only
constexpr u64 kTwoE17 = 200'000'000'000'000'000;

constexpr std::array<u64, 28> kPow5 = [] {
    std::array<u64, 28> powers{};
    u64 power = 1;
    for (u64& entry : powers) {
        entry = power;
        power *= 5;
    }
    return powers;
}();

// floor(log10(2^n)) for |n| <= 1650.
constexpr int floorLog10Pow2(int n) {
    return (n * 78913) >> 18;
}

// Decimal exponents q = 16 - estimate over all finite nonzero doubles.
constexpr int kMinQ = 16 - floorLog10Pow2(1023);
constexpr int kMaxQ = 16 - floorLog10Pow2(-1074);

// 10^q ~ (hi:lo) * 2^exp2 with hi's top bit set; the mantissa is truncated,
// so it never exceeds the true one.
struct Pow10 {
    u64 hi;
    u64 lo;
    int exp2;
};

// Fixed-width big integers for building the table at compile time: 14 limbs
// hold 5^340 (790 bits) and 2^832.
constexpr int kLimbCount = 14;
using Limbs = std::array<u64, kLimbCount>;
constexpr int kReciprocalBits = 832;

constexpr int bitLength(const Limbs& x) {
    for (int i = kLimbCount - 1; i >= 0; --i) {
        const u64 limb = x[static_cast<std::size_t>(i)];
        if (limb != 0) {
            return i * 64 + 64 - std::countl_zero(limb);
        }
    }
    return 0;
}

constexpr u64 bitsAt(const Limbs& x, int shift) {
    const auto index = static_cast<std::size_t>(shift / 64);
    const int offset = shift % 64;
    u64 word = x[index] >> offset;
    if (offset != 0 && index + 1 < x.size()) {
        word |= x[index + 1] << (64 - offset);
    }
    return word;
}

// The top 128 bits of x (which must have at least 128), truncated.
constexpr Pow10 top128(const Limbs& x, int length, int exp2) {
    const int shift = length - 128;
    return {bitsAt(x, shift + 64), bitsAt(x, shift), exp2 + shift};
}

constexpr std::array<Pow10, kMaxQ - kMinQ + 1> kPow10 = [] {
    std::array<Pow10, kMaxQ - kMinQ + 1> table{};
    // 10^q = 5^q * 2^q.
    Limbs power{};
    power[0] = 1;
    for (int q = 0; q <= kMaxQ; ++q) {
        const int length = bitLength(power);
        Pow10 entry{};
        if (length <= 128) {
            const u128 exact = ((u128{power[1]} << 64) | power[0]) << (128 - length);
            entry = {static_cast<u64>(exact >> 64), static_cast<u64>(exact), q + length - 128};
        } else {
            entry = top128(power, length, q);
        }
        table[static_cast<std::size_t>(q - kMinQ)] = entry;
        u64 carry = 0;
        for (u64& limb : power) {
            const u128 product = u128{limb} * 5 + carry;
            limb = static_cast<u64>(product);
            carry = static_cast<u64>(product >> 64);
        }
    }
    // 10^-p = 2^-p * 2^-N * (2^N / 5^p), with floor(2^N / 5^p) reached by
    // dividing by 5 p times (nested floors of integer divisions compose).
    Limbs reciprocal{};
    reciprocal[kReciprocalBits / 64] = u64{1} << (kReciprocalBits % 64);
    for (int p = 1; p <= -kMinQ; ++p) {
        u64 remainder = 0;
        for (int i = kLimbCount - 1; i >= 0; --i) {
            u64& limb = reciprocal[static_cast<std::size_t>(i)];
            const u128 dividend = (u128{remainder} << 64) | limb;
            limb = static_cast<u64>(dividend / 5);
            remainder = static_cast<u64>(dividend % 5);
        }
        table[static_cast<std::size_t>(-p - kMinQ)] =
            top128(reciprocal, bitLength(reciprocal), -p - kReciprocalBits);
    }
    return table;
}();

static_assert(kPow10[static_cast<std::size_t>(0 - kMinQ)].hi == u64{1} << 63);
static_assert(kPow10[static_cast<std::size_t>(1 - kMinQ)].hi == u64{10} << 60);
static_assert(kPow10[static_cast<std::size_t>(-1 - kMinQ)].hi == 0xCCCCCCCCCCCCCCCC);

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void writePair(char* out, u64 value) {
    std::memcpy(out, kDigitPairs + 2 * value, 2);
}

// The six digits of d (100000 <= d <= 999999) with decimal exponent x. The
// common paths avoid data-dependent branches (sign, digit count), which
// coordinates would make unpredictable; fixed-width copies spill into the
// scratch space beyond the result.
std::size_t writeDigits(bool negative, u64 d, int x, char* out) {
    char digits[16];
    writePair(digits, d / 10000);
    writePair(digits + 2, d / 100 % 100);
    writePair(digits + 4, d % 100);
    std::memset(digits + 6, '0', 10);
    // Significant digits: the position of the last digit that is not '0'
    // (the first never is).
    u64 word = 0;
    std::memcpy(&word, digits, 8);
    word ^= 0x3030303030303030;
    int count = 0;
    if constexpr (std::endian::native == std::endian::little) {
        count = (63 - std::countl_zero(word)) / 8 + 1;
    } else {
        count = 8 - std::countr_zero(word) / 8;
    }

    out[0] = '-';
    char* const p = out + negative;
    const auto sign = static_cast<int>(negative);
    if (x >= 0 && x < 6) {
        // The whole digits, the point, the rest; the point counts only when
        // fraction digits follow it.
        const int whole = x + 1;
        std::memcpy(p, digits, 8);
        p[whole] = '.';
        std::memcpy(p + whole + 1, digits + whole, 8);
        const int length = count > whole ? count + 1 : whole;
        return static_cast<std::size_t>(sign + length);
    }
    if (x < 0 && x >= -4) {
        // "0.", -x - 1 zeros, the digits.
        std::memcpy(p, "0.0000", 6);
        std::memcpy(p + 1 - x, digits, 8);
        return static_cast<std::size_t>(sign + 1 - x + count);
    }
    char* q = p;
    *q++ = digits[0];
    if (count > 1) {
        *q++ = '.';
        std::memcpy(q, digits + 1, 8);
        q += count - 1;
    }
    q[0] = 'e';
    q[1] = x < 0 ? '-' : '+';
    const auto magnitude = static_cast<u64>(x < 0 ? -x : x);
    q[2] = static_cast<char>('0' + magnitude / 100);
    writePair(q + 3, magnitude % 100);
    return static_cast<std::size_t>(q + 5 - out);
}

std::size_t writeText(const char* text, std::size_t length, char* out) {
    std::memcpy(out, text, length);
    return length;
}

// Zero, infinities and NaNs; returns 0 for any other value.
std::size_t writeSpecial(u64 bits, char* out) {
    constexpr u64 kFractionMask = (u64{1} << 52) - 1;
    constexpr u64 kQuietBit = u64{1} << 51;
    const bool negative = (bits >> 63) != 0;
    const u64 fraction = bits & kFractionMask;
    if ((bits & ~(u64{1} << 63)) == 0) {
        return writeText("0", 1, out);
    }
    if (((bits >> 52) & 0x7FF) != 0x7FF) {
        return 0;
    }
    if (fraction == 0) {
        return negative ? writeText("-1.#INF", 7, out) : writeText("1.#INF", 6, out);
    }
    if (negative && fraction == kQuietBit) {
        return writeText("-1.#IND", 7, out);
    }
    if ((fraction & kQuietBit) != 0) {
        return negative ? writeText("-1.#QNAN", 8, out) : writeText("1.#QNAN", 7, out);
    }
    return negative ? writeText("-1.#SNAN", 8, out) : writeText("1.#SNAN", 7, out);
}

// floor(m * 2^(e+1) * 10^q) through the table, or false when the fraction
// bits are too close to one to trust the integer part.
bool scaleByTable(u64 m, int e, int q, u64& w) {
    const int leading = std::countl_zero(m);
    const u64 mantissa = m << leading;
    const Pow10& power = kPow10[static_cast<std::size_t>(q - kMinQ)];
    // The 192-bit product mantissa * (hi:lo) lies in [2^190, 2^192); its top
    // 128 bits are kept. W = product * 2^-shift with W in [2e16, 2e18), so
    // shift is in [130, 137].
    const u128 low = u128{mantissa} * power.lo;
    const u128 top = u128{mantissa} * power.hi + (low >> 64);
    const int shift = -(power.exp2 + e - leading + 1);
    assert(shift >= 129 && shift <= 191);
    const int integerShift = shift - 128;
    w = static_cast<u64>(top >> 64) >> integerShift;
    const auto fraction = static_cast<u64>(top >> integerShift);
    return fraction != ~u64{0};
}

}  // namespace

std::size_t formatFloat(double value, char* out) {
    const auto bits = std::bit_cast<u64>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0x7FF || (bits << 1) == 0) {
        return writeSpecial(bits, out);
    }
    u64 m = bits & ((u64{1} << 52) - 1);
    int e = -1074;
    if (biased != 0) {
        m |= u64{1} << 52;
        e = biased - 1075;
    }
    int x = floorLog10Pow2(63 - std::countl_zero(m) + e);
    const int q = 16 - x;
    u64 w = 0;
    if (q >= 0 && q <= 27) {
        const u128 product = u128{m} * kPow5[static_cast<std::size_t>(q)];
        const int shift = e + 1 + q;
        w = static_cast<u64>(shift >= 0 ? product << shift : product >> -shift);
    } else if (q < 0 && q >= -27) {
        const u128 scaled = u128{m} << (e + 1 + q);
        w = static_cast<u64>(scaled / kPow5[static_cast<std::size_t>(-q)]);
    } else if (!scaleByTable(m, e, q, w)) {
        return detail::formatFloatFromExpansion(value, out);
    }
    // Often unpredictable, so without a branch.
    const bool estimateLow = w >= kTwoE17;
    w = estimateLow ? w / 10 : w;
    x += static_cast<int>(estimateLow);
    assert(w >= kTwoE16 && w < kTwoE17);
    u64 d = (w + 100'000'000'001) / 200'000'000'000;
    if (d == 1'000'000) {
        d = 100'000;
        ++x;
    }
    return writeDigits((bits >> 63) != 0, d, x, out);
}

namespace detail {

std::size_t formatFloatFromExpansion(double value, char* out) {
    const auto bits = std::bit_cast<u64>(value);
    if (const std::size_t length = writeSpecial(bits, out); length != 0) {
        return length;
    }
    // Scientific notation with 767 digits after the point is the exact
    // expansion of every double (none has more than 767 significant digits).
    char text[800];
    const auto result = std::to_chars(text, text + sizeof(text), std::fabs(value),
                                      std::chars_format::scientific, 767);
    assert(result.ec == std::errc{} && text[1] == '.' && text[769] == 'e');
    int x = 0;
    std::from_chars(text + 770 + (text[770] == '+'), result.ptr, x);
    // The first 17 digits, raised when the 18th is 5 or more.
    u64 r17 = static_cast<u64>(text[0] - '0');
    for (int i = 2; i <= 17; ++i) {
        r17 = r17 * 10 + static_cast<u64>(text[i] - '0');
    }
    if (text[18] >= '5') {
        ++r17;
    }
    if (r17 == 100'000'000'000'000'000) {
        r17 /= 10;
        ++x;
    }
    // Then six digits by the seventh.
    u64 d = (r17 + 50'000'000'000) / 100'000'000'000;
    if (d == 1'000'000) {
        d = 100'000;
        ++x;
    }
    return writeDigits((bits >> 63) != 0, d, x, out);
}

}  // namespace detail

}  // namespace grelvin
