// COLO: the collision mesh, a list of points and a list of triangles.
#include <bit>
#include <cstdint>

#include "reader/chunk_decoders.h"

namespace grelvin {

// Point and face records lie in the file exactly as in their table slots, so
// each is copied in one read; the little-endian fields then need no swapping.
static_assert(std::endian::native == std::endian::little,
              "collision records are copied from the file as they lie on disk");
static_assert(sizeof(CollisionPoint) == 12 && sizeof(CollisionFace) == 6);

namespace {

// Reads `count` records into the table from index 0 upward. Once the end of
// the file is reached every further read would deliver nothing: the loop stops
// there with lastReadCount at 0, so a count in the file cannot grow the table
// beyond what the file holds.
template <typename Record>
void readRecords(InputCursor& input, Table<Record>& table, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) {
        if (atEnd(input)) {
            skipRecords(input, sizeof(Record), count - i);
            return;
        }
        readBytes(input, &table.slot(static_cast<std::size_t>(i)), sizeof(Record));
    }
}

}  // namespace

// Payload: 4 unused bytes, a signed count P, P points of 12 bytes, a signed
// count F, F faces of 6 bytes. Counts are stored as read, negative included.
void readColoChunk(InputCursor& input, const ChunkHeader& /*header*/, ModelStore& store) {
    skipRecords(input, 4, 1);
    store.collisionPointCount = readInt32(input);
    readRecords(input, store.collisionPoints, store.collisionPointCount);
    store.collisionFaceCount = readInt32(input);
    readRecords(input, store.collisionFaces, store.collisionFaceCount);
}

}  // namespace grelvin
