#pragma once

#include <cstddef>

#include "reader/chunk_decoders.h"

namespace grelvin {

struct ChunkTableRow {
    ChunkId id;
    ChunkHandler handler;
};

inline constexpr std::size_t kChunkTableSize = 64;

// The rows of the chunk table, sorted by id.
const ChunkTableRow* chunkTableBegin();
const ChunkTableRow* chunkTableEnd();

// The handler of an id, or nullptr for an id that the table does not know:
// such a chunk is stepped over unread.
ChunkHandler findChunkHandler(ChunkId id);

// The pieces of readModel, for callers that watch the walk.
using ChunkLookup = ChunkHandler (*)(ChunkId id);
void readHeaderStrings(InputCursor& input, ModelStore& store);
void walkChunks(InputCursor& input, const FileHeader& fileHeader, ModelStore& store,
                ChunkLookup lookup);

}  // namespace grelvin
