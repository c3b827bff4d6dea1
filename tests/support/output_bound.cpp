#include "support/output_bound.h"

#include <algorithm>

namespace grelvin::testing {

std::uint64_t deliveredBytesBound(std::uint64_t inputSize) {
    return 8 * inputSize + (std::uint64_t{1} << 20U) + 12 + inputSize;
}

// Each term bounds one part of the file by what the store can hold after
// reading n bytes. A table grows only with records a chunk delivers, and each
// chunk writes its table from index 0 reading forward, so a table holds at
// most n / (record size) + 1 records however many chunks overlap. Strings of
// 16-bit units give at most n / 2 + 1 characters per read pass.
std::uint64_t maxOutputBytes(std::uint64_t n, std::uint64_t inputPathSize) {
    const std::uint64_t characters = n / 2 + 1;  // one forward pass of 16-bit units

    // The comment block: the input path once, the object name twice, the
    // other two header strings once; the three strings share one pass.
    const std::uint64_t comment = 2 * inputPathSize + 2 * 2 * characters;

    // Each group comes from its letter's last chunk: at most min(65,535, n / 2
    // + 1) texture names, whose characters share one pass; every line repeats
    // the group name (at most 63 characters as stored).
    const std::uint64_t namesPerGroup = std::min(kTexturesPerGroupLimit, characters);
    const std::uint64_t groupName = 2 * std::min(kNameCharacterLimit, characters);
    const std::uint64_t materials =
        kGroupCount * (namesPerGroup * (kMaterialLineBytes + groupName) + 2 * characters + 2);

    const std::uint64_t points = kPointLineLimit * kPointLineBytes;
    const std::uint64_t faceTable = std::max(kFaceTableCapacity, n / 6 + 1);
    const std::uint64_t parts = kPartLimit * faceTable * kFaceLineBytes;
    const std::uint64_t mappings = kMappingLineLimit * kMappingLineBytes;

    const std::uint64_t collisionPoints =
        std::max(kCollisionPointCapacity, n / 12 + 1) * kPointLineBytes;
    const std::uint64_t collisionFaces =
        std::max(kCollisionFaceCapacity, n / 6 + 1) * kCollisionFaceLineBytes;

    // A hit-box entry takes 48 bytes of matrix and at least 2 of name, so the
    // table holds at most max(32, n / 50 + 1) entries; every one but the first
    // is a cube. The names are read by overlapping chunks at worst, so their
    // characters are bounded by everything the reader delivers.
    const std::uint64_t cubes =
        (std::max(kHitBoxCapacity, n / 50 + 1) - 1) * kCubeObjectBytes + deliveredBytesBound(n);

    return kFrameBytes + comment + materials + points + parts + mappings + collisionPoints +
           collisionFaces + cubes;
}

}  // namespace grelvin::testing
