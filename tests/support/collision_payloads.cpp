#include "support/collision_payloads.h"

namespace grelvin::testing {

Bytes skPayload(std::string_view groupName, const std::vector<std::string>& textures,
                std::optional<std::uint16_t> announcedCount) {
    Bytes payload;
    payload.wide(groupName);
    payload.u16(announcedCount.value_or(static_cast<std::uint16_t>(textures.size())));
    for (const std::string& texture : textures) {
        payload.wide(texture);
    }
    return payload;
}

Bytes coloPayload(const ColoContent& content) {
    Bytes payload;
    payload.u32(content.leading);
    payload.i32(content.pointCount.value_or(static_cast<std::int32_t>(content.points.size())));
    for (const PointRecord& point : content.points) {
        payload.f32(point.x).f32(point.y).f32(point.z);
    }
    payload.i32(content.faceCount.value_or(static_cast<std::int32_t>(content.faces.size())));
    for (const CollisionTriangle& face : content.faces) {
        payload.i16(face[0]).i16(face[1]).i16(face[2]);
    }
    return payload;
}

HitBoxMatrix translationMatrix(float x, float y, float z, float scale) {
    return {scale, 0, 0, 0, scale, 0, 0, 0, scale, x, y, z};
}

Bytes smhpPayload(const std::vector<HitBoxEntry>& entries,
                  std::optional<std::uint16_t> announcedCount) {
    Bytes payload;
    payload.u16(announcedCount.value_or(static_cast<std::uint16_t>(entries.size())));
    for (const HitBoxEntry& entry : entries) {
        for (const float value : entry.matrix) {
            payload.f32(value);
        }
        payload.wide(entry.name);
    }
    return payload;
}

}  // namespace grelvin::testing
