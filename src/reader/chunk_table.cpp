#include "reader/chunk_table.h"

#include <algorithm>
#include <array>

namespace grelvin {

namespace {

constexpr std::array<ChunkTableRow, kChunkTableSize> buildChunkTable() {
    std::array<ChunkTableRow, kChunkTableSize> rows{};
    std::size_t n = 0;
    rows[n++] = {makeChunkId("ARC0"), readArc0Chunk};
    rows[n++] = {makeChunkId("CHER"), readCherChunk};
    rows[n++] = {makeChunkId("COLO"), readColoChunk};
    rows[n++] = {makeChunkId("EDTR"), readEdtrChunk};
    for (unsigned letter = 0; letter < 26; ++letter) {
        rows[n++] = {letteredChunkId(kMcChunkBase, letter), readMcChunk};
    }
    for (unsigned letter = 0; letter < 26; ++letter) {
        rows[n++] = {letteredChunkId(kSkChunkBase, letter), readSkChunk};
    }
    for (ChunkId id = makeChunkId("SM01"); id <= makeChunkId("SM05"); ++id) {
        rows[n++] = {id, readSmChunk};
    }
    rows[n++] = {makeChunkId("SMRT"), readSmChunk};
    rows[n++] = {makeChunkId("SMED"), readSmedChunk};
    rows[n++] = {makeChunkId("SMHP"), readSmhpChunk};
    std::sort(rows.begin(), rows.end(),
              [](const ChunkTableRow& a, const ChunkTableRow& b) { return a.id < b.id; });
    return rows;
}

constexpr std::array<ChunkTableRow, kChunkTableSize> kChunkTable = buildChunkTable();

constexpr bool hasDistinctSortedIds() {
    for (std::size_t i = 1; i < kChunkTable.size(); ++i) {
        if (kChunkTable[i - 1].id >= kChunkTable[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(hasDistinctSortedIds(), "every row of the chunk table needs its own id");

}  // namespace

const ChunkTableRow* chunkTableBegin() { return kChunkTable.data(); }
const ChunkTableRow* chunkTableEnd() { return kChunkTable.data() + kChunkTable.size(); }

ChunkHandler findChunkHandler(ChunkId id) {
    const auto* row = std::lower_bound(
        chunkTableBegin(), chunkTableEnd(), id,
        [](const ChunkTableRow& entry, ChunkId wanted) { return entry.id < wanted; });
    return row != chunkTableEnd() && row->id == id ? row->handler : nullptr;
}

}  // namespace grelvin
