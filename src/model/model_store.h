#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/table.h"

namespace grelvin {

// One mesh vertex, laid out exactly as the 32-byte record of a vertex chunk so
// that a record is copied from the file into its slot in one piece.
struct Vertex {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
    std::array<std::uint8_t, 12> spare{};
    float u = 0.0F;
    float v = 0.0F;
};
static_assert(sizeof(Vertex) == 32);

// One triangle of the mesh: vertex indices widened with sign from 16 bits.
struct Face {
    std::array<std::int32_t, 3> indices{};
};

// A run of consecutive faces: corners firstIndex up to firstIndex + indexCount.
struct Part {
    std::array<std::uint8_t, 64> name{};  // as read, no terminator; never written out
    std::array<std::int32_t, 3> unused{};
    std::int32_t firstIndex = 0;
    std::int32_t indexCount = 0;
    std::int32_t trailing = 0;
};

struct TextureName {
    std::string name;
};

// A lettered texture group. `textures` is the group's list of names in file
// order; `textureCount` always equals its length.
struct TextureGroup {
    std::int32_t textureCount = 0;
    std::string name;
    std::vector<TextureName> textures;
};

struct CollisionPoint {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
};
static_assert(sizeof(CollisionPoint) == 12);

struct CollisionFace {
    std::array<std::int16_t, 3> indices{};
};
static_assert(sizeof(CollisionFace) == 6);

// A named frame: (m0,m1,m2), (m3,m4,m5), (m6,m7,m8) are the images of the x, y
// and z axes and (m9,m10,m11) the translation.
struct HitBox {
    std::array<float, 12> matrix{};
    std::string name;
};

inline constexpr std::size_t kVertexCapacity = 65536;
inline constexpr std::size_t kFaceCapacity = 131072;
inline constexpr std::size_t kPartCapacity = 64;
inline constexpr std::size_t kTextureGroupCount = 26;
inline constexpr std::size_t kCollisionPointCapacity = 15018;
inline constexpr std::size_t kCollisionFaceCapacity = 4268;
inline constexpr std::size_t kHitBoxCapacity = 32;

// The whole model between reading and writing. Decoders overwrite a table
// from index 0 up to their own count; records beyond it keep earlier data.
// Counts are kept exactly as the file gave them; readers of the store clamp a
// count to its table's size, never reading outside a table.
struct ModelStore {
    std::string objectName;
    std::string infoString;
    std::string authorName;

    Table<Vertex> vertices{kVertexCapacity};
    std::int32_t vertexCount = 0;

    Table<Face> faces{kFaceCapacity};
    std::int32_t meshFaceCount = 0;

    // The part table never grows: every part may name the whole face table,
    // so more parts would let a small file demand a quadratic output.
    std::array<Part, kPartCapacity> parts{};
    std::int32_t partCount = 0;

    std::array<TextureGroup, kTextureGroupCount> textureGroups{};
    std::int32_t groupLimit = 0;

    Table<CollisionPoint> collisionPoints{kCollisionPointCapacity};
    std::int32_t collisionPointCount = 0;

    Table<CollisionFace> collisionFaces{kCollisionFaceCapacity};
    std::int32_t collisionFaceCount = 0;

    Table<HitBox> hitBoxes{kHitBoxCapacity};
    std::int32_t hitBoxCount = 0;
};

// Number of records of a table that a count addresses: none for a count of 0
// or less, and never more than the table holds.
template <typename Record>
std::size_t clampCount(std::int32_t count, const Table<Record>& table) {
    if (count <= 0) {
        return 0;
    }
    const auto wanted = static_cast<std::size_t>(count);
    return wanted < table.size() ? wanted : table.size();
}

}  // namespace grelvin
