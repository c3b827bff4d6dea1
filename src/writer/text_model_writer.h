#pragma once

#include <string_view>

#include "model/model_store.h"
#include "writer/text_output.h"

namespace grelvin {

// Writes the whole text model file: the main object with its COMMENT,
// MATERIALS, POINTS, PARTS and PART_MAPPINGS sections, the "Collision" object,
// one cube object per hit box after the first, and the END line.
void writeTextModel(TextOutput& output, std::string_view inputPath, const ModelStore& store);

}  // namespace grelvin
