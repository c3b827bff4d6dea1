#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/model_file_builder.h"

// Payloads of the mesh chunks: ARC0 (triangles and parts) and the vertex
// chunks SM01 to SM05 and SMRT.
namespace grelvin::testing {

// The counts of an ARC0 head (payload offsets 40 to 79).
struct Arc0Counts {
    std::int32_t firstSkipped = 0;  // 64-byte records
    std::int32_t triangleIndexCount = 0;
    std::int32_t partCount = 0;
    std::int32_t thirdSkipped = 0;   // 2-byte values
    std::int32_t secondSkipped = 0;  // 16-byte records
};

// The 80 bytes in front of the variable tail: ten unused words (filled with
// 0xEE so that a decoder that takes them for counts shows it), then the head.
Bytes arc0Head(const Arc0Counts& counts);

using Triangle = std::array<std::int16_t, 3>;

Bytes triangleRecords(const std::vector<Triangle>& triangles);

// A part record. `nameLength` is the length byte; when it is negative the
// length of `name` is used. The name bytes are written as given, so a length
// byte may disagree with them.
struct PartRecord {
    std::string name;
    std::int32_t firstIndex = 0;
    std::int32_t indexCount = 0;
    std::array<std::int32_t, 3> unused{};
    std::int32_t trailing = 0;
    int nameLength = -1;
};

Bytes partRecord(const PartRecord& part);

// A whole ARC0 payload without skipped arrays: the head counts follow the
// triangles (3 corners each) and the parts.
Bytes arc0Payload(const std::vector<Triangle>& triangles, const std::vector<PartRecord>& parts);

struct VertexRecord {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
    float u = 0.0F;
    float v = 0.0F;
};

// The 32-byte vertex record; the 12 spare bytes hold `spareFill`.
Bytes vertexRecord(const VertexRecord& vertex, std::uint8_t spareFill = 0);

// A whole vertex chunk payload: the unused value, N, the records, K, the
// K / 3 index records and the three trailing 6-byte records.
Bytes vertexPayload(const std::vector<VertexRecord>& vertices, std::uint16_t meshIndexCount);

}  // namespace grelvin::testing
