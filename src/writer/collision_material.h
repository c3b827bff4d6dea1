#pragma once

#include <cstdint>

#include "model/model_store.h"

namespace grelvin {

// The number of the red collision material: one more than the textures of
// group A. MATERIALS defines it and every face of the "Collision" object and
// of the hit-box cubes names it. Taken modulo 2^32, like the fields it fills.
inline std::uint32_t collisionMaterialNumber(const ModelStore& store) {
    return static_cast<std::uint32_t>(store.textureGroups[0].textureCount) + 1U;
}

}  // namespace grelvin
