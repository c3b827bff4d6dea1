// SM01 to SM05 and SMRT: the vertices of the mesh and its face count.
//
// Payload: an unused 16-bit value, the vertex count N, N vertex records of 32
// bytes, the index count K, K / 3 index records of 6 bytes that are read and
// discarded, and three more 6-byte records read whatever the chunk's size.
#include <bit>
#include <cstddef>
#include <cstdint>

#include "reader/chunk_decoders.h"

namespace grelvin {

// A vertex record is copied into its slot byte for byte: the struct mirrors
// the file's layout, floats included.
static_assert(std::endian::native == std::endian::little,
              "vertex records are copied into Vertex as little-endian bytes");
static_assert(sizeof(Vertex) == 32 && offsetof(Vertex, u) == 24 && offsetof(Vertex, v) == 28,
              "Vertex must mirror the 32-byte vertex record");

namespace {

constexpr std::uint32_t kVertexRecordSize = sizeof(Vertex);
constexpr std::uint32_t kIndexRecordSize = 6;
constexpr std::int64_t kTrailingRecords = 3;

// Reads vertex records into vertices 0 to count - 1. A record cut short by
// the end of the file keeps the bytes it did not deliver. Once the file is
// exhausted the remaining reads deliver nothing and touch no vertex, so they
// are accounted for at once.
void readVertices(InputCursor& input, std::uint32_t count, Table<Vertex>& vertices) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (atEnd(input)) {
            skipRecords(input, kVertexRecordSize, count - i);
            return;
        }
        readBytes(input, &vertices.slot(i), kVertexRecordSize);
    }
}

}  // namespace

void readSmChunk(InputCursor& input, const ChunkHeader& /*header*/, ModelStore& store) {
    skipRecords(input, 2, 1);
    const std::uint16_t vertexCount = readUint16(input);
    store.vertexCount = vertexCount;
    readVertices(input, vertexCount, store.vertices);
    const std::uint16_t meshIndexCount = readUint16(input);
    store.meshFaceCount = meshIndexCount / 3;
    skipRecords(input, kIndexRecordSize, meshIndexCount / 3);
    skipRecords(input, kIndexRecordSize, kTrailingRecords);
}

}  // namespace grelvin
