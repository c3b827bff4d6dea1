#pragma once

#include <cstdint>

#include "support/model_file_builder.h"

// Generated binary model files for benchmarks, scaling runs and batch runs:
// plausible content (coordinates within +-2,000 with a few decimals, texture
// coordinates in 0..1, valid indices) drawn from a deterministic generator, so
// the same shape and seed always give the same bytes.
namespace grelvin::testing {

// How much of each kind of content a generated model holds.
struct ModelShape {
    std::uint16_t vertexCount = 0;      // vertex chunk N
    std::uint16_t meshIndexCount = 0;   // vertex chunk K: K / 3 mapping rows
    std::int32_t triangleCount = 0;     // ARC0 triangles
    std::int32_t partCount = 0;         // ARC0 parts, the triangles split evenly among them
    std::int32_t maxTriangleIndex = 0;  // triangle corners lie in 0..maxTriangleIndex
    int textureGroupCount = 0;          // groups A onward, one SK chunk each
    int texturesPerGroup = 0;
    std::int32_t collisionPointCount = 0;
    std::int32_t collisionFaceCount = 0;
    std::uint16_t hitBoxCount = 0;   // the first is named "Collision"
    std::uint32_t paddingBytes = 0;  // an EDTR chunk of this many bytes, read and discarded
};

// The largest model the format holds: 65,535 vertices, 131,072 triangles in
// 64 parts of 2,048, K = 65,535, 26 texture groups of 50 names, 15,018
// collision points and 4,268 collision faces, 32 hit boxes.
ModelShape maximumModelShape();

// A model of about `targetSize` bytes: the counts of the maximum model scaled
// down, varied by the seed; beyond the maximum model's size the rest is a
// discarded EDTR chunk.
ModelShape randomModelShape(std::uint64_t targetSize, std::uint64_t seed);

// A small model, a few hundred bytes to a few KiB, varied by the seed.
ModelShape smallModelShape(std::uint64_t seed);

// The bytes of a whole binary model file of the given shape.
Bytes generateModel(const ModelShape& shape, std::uint64_t seed);

}  // namespace grelvin::testing
