// The collision geometry as objects of their own: the "Collision" object from
// the collision mesh, and one unit cube for each hit box after the first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "writer/collision_material.h"
#include "writer/line_buffer.h"
#include "writer/number_forms.h"
#include "writer/section_writers.h"
#include "writer/transform_point.h"

namespace grelvin {

namespace {

// Names are written up to their first zero byte.
std::string_view untilZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Exactly the nine letters of "Collision", each in either case. Only the
// letters A to Z fold; every other byte must match as it is.
bool isCollisionName(std::string_view name) {
    constexpr std::string_view kLower = "collision";
    if (name.size() != kLower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != kLower[i]) {
            return false;
        }
    }
    return true;
}

// The first hit box places the collision mesh when it is named "Collision".
bool hasCollisionFrame(const ModelStore& store) {
    return store.hitBoxCount > 0 && isCollisionName(untilZero(store.hitBoxes.at(0).name));
}

void writeObjectHeader(TextOutput& output, std::string_view name) {
    writeText(output, "BEGIN \"");
    writeText(output, untilZero(name));
    writeText(output, "\"\n\n");
}

// x,y,z; with each value in the general float form.
void writePointLine(TextOutput& output, double x, double y, double z) {
    LineBuffer line(output);
    line.beginLine();
    line.putFloat(x);
    line.put(',');
    line.putFloat(y);
    line.put(',');
    line.putFloat(z);
    line.put(';');
    line.endLine();
}

// 4,N,k,ffMM,(a,b,c);
void writeFaceLine(TextOutput& output, std::int32_t face, std::uint32_t material,
                   const std::array<std::int32_t, 3>& corners) {
    LineBuffer line(output);
    line.beginLine();
    line.put("4,N,");
    line.putDecimal(face);
    line.put(",ff");
    line.length += formatHexZero2(material, line.text + line.length);
    line.put(",(");
    line.putDecimal(corners[0]);
    line.put(',');
    line.putDecimal(corners[1]);
    line.put(',');
    line.putDecimal(corners[2]);
    line.put(");");
    line.endLine();
}

constexpr double kCubeHalfSize = 0.5;

// Corners of a cube as signs of the offsets from its centre, in the order in
// which they are written and numbered.
struct CornerSigns {
    double x;
    double y;
    double z;
};
constexpr std::array<CornerSigns, 8> kCubeCorners = {{
    {+1, -1, +1},
    {-1, -1, +1},
    {-1, -1, -1},
    {+1, -1, -1},
    {+1, +1, -1},
    {-1, +1, -1},
    {+1, +1, +1},
    {-1, +1, +1},
}};

// Two triangles per side, each wound so that it faces away from the centre.
constexpr std::array<std::array<std::int32_t, 3>, 12> kCubeFaces = {{
    {2, 3, 0},
    {2, 0, 1},
    {2, 5, 4},
    {2, 4, 3},
    {3, 4, 6},
    {3, 6, 0},
    {0, 6, 7},
    {0, 7, 1},
    {4, 5, 7},
    {4, 7, 6},
    {5, 2, 1},
    {5, 1, 7},
}};

void writeCube(TextOutput& output, const HitBox& hitBox, std::uint32_t material) {
    writeObjectHeader(output, hitBox.name);
    writeText(output, "POINTS{\n");
    // Only the centre comes from the matrix: the cube keeps edge 1 and stays
    // parallel to the axes. Corners are written in double, not rounded.
    const CollisionPoint centre = transformPoint(CollisionPoint{}, hitBox.matrix);
    const double cx = centre.x;
    const double cy = centre.y;
    const double cz = centre.z;
    for (const CornerSigns& corner : kCubeCorners) {
        writePointLine(output, corner.x > 0 ? cx + kCubeHalfSize : cx - kCubeHalfSize,
                       corner.y > 0 ? cy + kCubeHalfSize : cy - kCubeHalfSize,
                       corner.z > 0 ? cz + kCubeHalfSize : cz - kCubeHalfSize);
    }
    writeText(output, "}\n\n");
    writeText(output, "PARTS{\n");
    for (std::size_t face = 0; face < kCubeFaces.size(); ++face) {
        writeFaceLine(output, static_cast<std::int32_t>(face), material, kCubeFaces[face]);
    }
    writeText(output, "}\n\n");
}

}  // namespace

void writeCollisionObject(TextOutput& output, const ModelStore& store) {
    if (store.collisionPointCount == 0) {
        return;
    }
    const bool framed = hasCollisionFrame(store);
    const std::array<float, 12>& frame = store.hitBoxes.at(0).matrix;
    writeObjectHeader(output, "Collision");
    writeText(output, "\n\nPOINTS{\n");
    const std::size_t points = clampCount(store.collisionPointCount, store.collisionPoints);
    for (std::size_t i = 0; i < points; ++i) {
        const CollisionPoint& stored = store.collisionPoints.at(i);
        const CollisionPoint point = framed ? transformPoint(stored, frame) : stored;
        writePointLine(output, point.x, point.y, point.z);
    }
    writeText(output, "}\n\n");
    writeText(output, "PARTS{\n");
    const std::uint32_t material = collisionMaterialNumber(store);
    const std::size_t faces = clampCount(store.collisionFaceCount, store.collisionFaces);
    for (std::size_t k = 0; k < faces; ++k) {
        const auto& indices = store.collisionFaces.at(k).indices;
        // The text format lists a collision triangle's corners last first.
        writeFaceLine(output, static_cast<std::int32_t>(k), material,
                      {indices[2], indices[1], indices[0]});
    }
    writeText(output, "}\n\n");
}

void writeHitBoxCubes(TextOutput& output, const ModelStore& store) {
    if (store.hitBoxCount <= 1) {
        return;
    }
    const std::uint32_t material = collisionMaterialNumber(store);
    const std::size_t hitBoxes = clampCount(store.hitBoxCount, store.hitBoxes);
    for (std::size_t j = 1; j < hitBoxes; ++j) {
        writeCube(output, store.hitBoxes.at(j), material);
    }
}

}  // namespace grelvin
