#pragma once

#include <cstddef>

namespace grelvin {

// Room for any general float form (the longest, "-1.23457e-308", has 13
// characters) plus the scratch bytes formatFloat may write past its result.
inline constexpr std::size_t kFloatTextCapacity = 32;

// Writes the general float form of value into out (no terminator); returns the length.
//
// The form has six significant digits. The exact value is rounded to 17
// significant digits and that result to 6, both half up. Decimal exponents -4
// to 5 are written in fixed notation, others as d.ddddde+XXX with a sign and
// three exponent digits; trailing zeros after the point, and a point left
// bare, are dropped. Zero of either sign is "0"; infinities and NaNs are
// 1.#INF, -1.#INF, -1.#IND, 1.#QNAN, -1.#QNAN, 1.#SNAN and -1.#SNAN. No locale
// is consulted.
//
// out must have room for kFloatTextCapacity characters: bytes after the
// returned length may be overwritten.
std::size_t formatFloat(double value, char* out);

namespace detail {

// The same form derived from the complete decimal expansion of value: exact
// and slow. formatFloat falls back to it in the rare cases its scaled 128-bit
// product is too close to an integer to decide the digits.
std::size_t formatFloatFromExpansion(double value, char* out);

}  // namespace detail

}  // namespace grelvin
