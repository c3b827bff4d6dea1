#pragma once

#include "model/model_store.h"
#include "writer/text_output.h"

namespace grelvin {

// One writer per piece of the text model file, called by writeTextModel in
// the order of the file.

// MATERIALS of the main object, then the commented texture groups B onward.
void writeMaterialsSection(TextOutput& output, const ModelStore& store);

// POINTS, PARTS and PART_MAPPINGS of the main object.
void writeGeometrySections(TextOutput& output, const ModelStore& store);

// The "Collision" object, when the model has a collision mesh.
void writeCollisionObject(TextOutput& output, const ModelStore& store);

// One unit cube object for each hit box after the first.
void writeHitBoxCubes(TextOutput& output, const ModelStore& store);

}  // namespace grelvin
