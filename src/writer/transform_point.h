#pragma once

#include <array>

#include "model/model_store.h"

namespace grelvin {

// Maps a point by a hit box's matrix: x·(m0,m1,m2) + y·(m3,m4,m5) +
// z·(m6,m7,m8) + (m9,m10,m11). Each coordinate is computed in double
// precision in one fixed order of operations and rounded once to float:
//   x' = ((m3·y + m6·z) + x·m0) + m9
//   y' = ((m1·x + m4·y) + m7·z) + m10
//   z' = ((m2·x + m5·y) + m8·z) + m11
// A coordinate that comes out not a number is the same on every host: the
// first operand in this order that is not a number is passed on, and a not-a-
// number made from numbers (0·∞, ∞ - ∞) is the negative quiet one that the
// converter's reference platform produces.
CollisionPoint transformPoint(const CollisionPoint& point, const std::array<float, 12>& matrix);

}  // namespace grelvin
