#include "writer/transform_point.h"

#include <bit>
#include <cmath>
#include <cstdint>

// The order of operations is part of the output format: no contraction into
// fused multiply-add, whatever the build's defaults (GCC takes it from
// -ffp-contract=off, set for every target).
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#elif defined(_MSC_VER)
#pragma fp_contract(off)
#endif

namespace grelvin {

namespace {

// Hosts disagree about the sign of a not-a-number that an operation creates,
// and compilers may swap the operands of a sum or product, which decides
// which of two not-a-numbers is passed on. This slow path settles both; it
// runs only for a coordinate that came out not a number.
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51U;
constexpr std::uint64_t kCreatedNotANumber = 0xFFF8'0000'0000'0000U;

double quieted(double value) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) | kQuietBit);
}

double settledSum(double a, double b) {
    if (std::isnan(a)) {
        return quieted(a);
    }
    if (std::isnan(b)) {
        return quieted(b);
    }
    const double sum = a + b;
    return std::isnan(sum) ? std::bit_cast<double>(kCreatedNotANumber) : sum;
}

double settledProduct(double a, double b) {
    if (std::isnan(a)) {
        return quieted(a);
    }
    if (std::isnan(b)) {
        return quieted(b);
    }
    const double product = a * b;
    return std::isnan(product) ? std::bit_cast<double>(kCreatedNotANumber) : product;
}

// ((a·b + c·d) + e·f) + g, each step in double.
double combine(double a, double b, double c, double d, double e, double f, double g) {
    const double first = a * b;
    const double second = c * d;
    const double third = e * f;
    const double result = ((first + second) + third) + g;
    if (!std::isnan(result)) {
        return result;
    }
    return settledSum(
        settledSum(settledSum(settledProduct(a, b), settledProduct(c, d)), settledProduct(e, f)),
        g);
}

// Rounds to float once. A not-a-number keeps its sign and the high 23 bits of
// its fraction and is quiet, spelled out so that no host differs.
float narrowed(double value) {
    if (!std::isnan(value)) {
        return static_cast<float>(value);
    }
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto sign = static_cast<std::uint32_t>(bits >> 32U) & 0x8000'0000U;
    const auto fraction = static_cast<std::uint32_t>(bits >> 29U) & 0x007F'FFFFU;
    return std::bit_cast<float>(sign | 0x7FC0'0000U | fraction);
}

}  // namespace

CollisionPoint transformPoint(const CollisionPoint& point, const std::array<float, 12>& matrix) {
    const double x = point.x;
    const double y = point.y;
    const double z = point.z;
    auto m = [&matrix](std::size_t index) { return static_cast<double>(matrix[index]); };
    CollisionPoint result;
    result.x = narrowed(combine(m(3), y, m(6), z, x, m(0), m(9)));
    result.y = narrowed(combine(m(1), x, m(4), y, m(7), z, m(10)));
    result.z = narrowed(combine(m(2), x, m(5), y, m(8), z, m(11)));
    return result;
}

}  // namespace grelvin
