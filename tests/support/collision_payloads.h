#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/model_file_builder.h"

// Payloads of the texture-group chunks SKA0 to SKZ0 and of the collision
// chunks COLO and SMHP.
namespace grelvin::testing {

// A texture-group payload: the group name, the count and the names. The count
// is the number of names unless `announcedCount` says otherwise.
Bytes skPayload(std::string_view groupName, const std::vector<std::string>& textures,
                std::optional<std::uint16_t> announcedCount = std::nullopt);

struct PointRecord {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
};

using CollisionTriangle = std::array<std::int16_t, 3>;

// A COLO payload: the 4 unused bytes (`leading`), the point count, the points,
// the face count and the faces. Each count is its list's length unless
// overridden; an override may promise more or fewer records than follow.
struct ColoContent {
    std::vector<PointRecord> points;
    std::vector<CollisionTriangle> faces;
    std::optional<std::int32_t> pointCount;
    std::optional<std::int32_t> faceCount;
    std::uint32_t leading = 0;
};
Bytes coloPayload(const ColoContent& content);

// A hit box: twelve floats m0 to m11, then its name.
using HitBoxMatrix = std::array<float, 12>;
struct HitBoxEntry {
    HitBoxMatrix matrix{};
    std::string name;
};

// The matrix with the axes (1,0,0), (0,1,0), (0,0,1) times `scale` and the
// translation (x, y, z).
HitBoxMatrix translationMatrix(float x, float y, float z, float scale = 1.0F);

// An SMHP payload: the count (the number of entries unless overridden), then
// the entries.
Bytes smhpPayload(const std::vector<HitBoxEntry>& entries,
                  std::optional<std::uint16_t> announcedCount = std::nullopt);

}  // namespace grelvin::testing
