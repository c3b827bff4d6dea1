#include "support/mesh_payloads.h"

namespace grelvin::testing {

Bytes arc0Head(const Arc0Counts& counts) {
    Bytes head;
    for (int i = 0; i < 10; ++i) {
        head.u32(0xEEEEEEEEU);
    }
    head.i32(counts.firstSkipped)
        .i32(counts.triangleIndexCount)
        .u32(0xEEEEEEEEU)
        .i32(counts.partCount)
        .i32(counts.thirdSkipped)
        .u32(0xEEEEEEEEU)
        .i32(counts.secondSkipped)
        .u32(0xEEEEEEEEU)
        .u32(0xEEEEEEEEU)
        .u32(0xEEEEEEEEU);
    return head;
}

Bytes triangleRecords(const std::vector<Triangle>& triangles) {
    Bytes records;
    for (const Triangle& triangle : triangles) {
        records.i16(triangle[0]).i16(triangle[1]).i16(triangle[2]);
    }
    return records;
}

Bytes partRecord(const PartRecord& part) {
    Bytes record;
    const int length = part.nameLength < 0 ? static_cast<int>(part.name.size()) : part.nameLength;
    record.u8(static_cast<std::uint8_t>(length)).raw(part.name);
    record.i32(part.unused[0]).i32(part.unused[1]).i32(part.unused[2]);
    record.i32(part.firstIndex).i32(part.indexCount).i32(part.trailing);
    return record;
}

Bytes arc0Payload(const std::vector<Triangle>& triangles, const std::vector<PartRecord>& parts) {
    Arc0Counts counts;
    counts.triangleIndexCount = static_cast<std::int32_t>(3 * triangles.size());
    counts.partCount = static_cast<std::int32_t>(parts.size());
    Bytes payload = arc0Head(counts);
    payload.append(triangleRecords(triangles));
    for (const PartRecord& part : parts) {
        payload.append(partRecord(part));
    }
    return payload;
}

Bytes vertexRecord(const VertexRecord& vertex, std::uint8_t spareFill) {
    Bytes record;
    record.f32(vertex.x).f32(vertex.y).f32(vertex.z);
    for (int i = 0; i < 12; ++i) {
        record.u8(spareFill);
    }
    record.f32(vertex.u).f32(vertex.v);
    return record;
}

Bytes vertexPayload(const std::vector<VertexRecord>& vertices, std::uint16_t meshIndexCount) {
    Bytes payload;
    payload.u16(0xBEEF).u16(static_cast<std::uint16_t>(vertices.size()));
    for (const VertexRecord& vertex : vertices) {
        payload.append(vertexRecord(vertex, 0x5A));
    }
    payload.u16(meshIndexCount);
    payload.zeros(6 * static_cast<std::size_t>(meshIndexCount / 3) + 18);
    return payload;
}

}  // namespace grelvin::testing
