#include "writer/section_writers.h"

namespace grelvin {

void writeCollisionObject(TextOutput& /*output*/, const ModelStore& /*store*/) {}

void writeHitBoxCubes(TextOutput& /*output*/, const ModelStore& /*store*/) {}

}  // namespace grelvin
