#include "support/float_reference.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace grelvin {
namespace {

// An unsigned integer in base 10^9, least significant limb first.
class DecimalInteger {
public:
    explicit DecimalInteger(std::uint64_t value) {
        do {
            limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    // Schoolbook multiplication; a limb product plus a limb and a carry stays
    // below 2^60.
    static DecimalInteger product(const DecimalInteger& a, const DecimalInteger& b) {
        DecimalInteger result(0);
        result.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
        for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
                const std::uint64_t sum =
                    result.limbs_[i + j] + std::uint64_t{a.limbs_[i]} * b.limbs_[j] + carry;
                result.limbs_[i + j] = static_cast<std::uint32_t>(sum % kBase);
                carry = sum / kBase;
            }
            result.limbs_[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
        }
        while (result.limbs_.size() > 1 && result.limbs_.back() == 0) {
            result.limbs_.pop_back();
        }
        return result;
    }

    std::string digits() const {
        // Nine digits per limb, filled from the right; leading zeros dropped.
        std::string text(limbs_.size() * 9, '0');
        std::size_t limbEnd = text.size();
        for (const std::uint32_t limb : limbs_) {
            std::size_t i = limbEnd;
            for (std::uint32_t rest = limb; rest != 0; rest /= 10) {
                text[--i] = static_cast<char>('0' + rest % 10);
            }
            limbEnd -= 9;
        }
        text.erase(0, text.find_first_not_of('0'));
        return text;
    }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;

    std::vector<std::uint32_t> limbs_;
};

// base^0 .. base^maxExponent, each from the one before.
std::vector<DecimalInteger> powers(std::uint32_t base, int maxExponent) {
    std::vector<DecimalInteger> table{DecimalInteger(1)};
    const DecimalInteger factor(base);
    for (int i = 1; i <= maxExponent; ++i) {
        table.push_back(DecimalInteger::product(table.back(), factor));
    }
    return table;
}

// Digits d1 d2 ... of a positive number and the decimal exponent of d1.
struct Decimal {
    std::string digits;
    int exponent;
};

// The exact decimal expansion of m * 2^e, m odd (so 0 <= e <= 1023 or
// -1074 <= e < 0).
Decimal exactExpansion(std::uint64_t m, int e) {
    static const std::vector<DecimalInteger> kPowersOf2 = powers(2, 1023);
    static const std::vector<DecimalInteger> kPowersOf5 = powers(5, 1074);
    // For e < 0, m * 2^e = m * 5^-e / 10^-e.
    const DecimalInteger& power =
        e >= 0 ? kPowersOf2[static_cast<std::size_t>(e)] : kPowersOf5[static_cast<std::size_t>(-e)];
    std::string digits = DecimalInteger::product(DecimalInteger(m), power).digits();
    const int exponent = static_cast<int>(digits.size()) - 1 + std::min(e, 0);
    return {std::move(digits), exponent};
}

// Keeps the first `count` digits, padding with zeros, and raises the last one
// when the next digit is 5 or more. A carry out of the first digit gives
// 1000... and a higher exponent.
Decimal roundHalfUp(Decimal number, std::size_t count) {
    std::string& digits = number.digits;
    const bool up = digits.size() > count && digits[count] >= '5';
    digits.resize(count, '0');
    if (up) {
        std::size_t i = count;
        while (i > 0 && digits[i - 1] == '9') {
            digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            digits[0] = '1';
            ++number.exponent;
        } else {
            ++digits[i - 1];
        }
    }
    return number;
}

std::string withoutTrailingZeros(std::string text) {
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    return text;
}

std::string threeDigits(int value) {
    std::string text = std::to_string(value);
    return std::string(3 - std::min<std::size_t>(text.size(), 3), '0') + text;
}

std::string layOut(const Decimal& six) {
    const int x = six.exponent;
    const std::string& d = six.digits;
    if (x < -4 || x >= 6) {
        const std::string fraction = withoutTrailingZeros(d.substr(1));
        std::string text = d.substr(0, 1);
        if (!fraction.empty()) {
            text += "." + fraction;
        }
        return text + "e" + (x < 0 ? "-" : "+") + threeDigits(x < 0 ? -x : x);
    }
    if (x >= 0) {
        const auto whole = static_cast<std::size_t>(x + 1);
        const std::string fraction = withoutTrailingZeros(d.substr(whole));
        return d.substr(0, whole) + (fraction.empty() ? "" : "." + fraction);
    }
    return "0." + std::string(static_cast<std::size_t>(-x - 1), '0') + withoutTrailingZeros(d);
}

}  // namespace

std::string referenceFloatForm(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::string sign = negative ? "-" : "";

    if (biased == 0x7FF) {
        const std::uint64_t highBit = std::uint64_t{1} << 51;
        if (fraction == 0) {
            return sign + "1.#INF";
        }
        if (negative && fraction == highBit) {
            return "-1.#IND";
        }
        return sign + ((fraction & highBit) != 0 ? "1.#QNAN" : "1.#SNAN");
    }
    if (biased == 0 && fraction == 0) {
        return "0";
    }

    std::uint64_t m = fraction;
    int e = -1074;
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    // Shorter products with the factors of two moved into e; m * 2^e is unchanged.
    while ((m & 1) == 0) {
        m >>= 1;
        ++e;
    }
    Decimal exact = exactExpansion(m, e);
    return sign + layOut(roundHalfUp(roundHalfUp(std::move(exact), 17), 6));
}

}  // namespace grelvin
