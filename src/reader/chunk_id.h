#pragma once

#include <cstdint>

namespace grelvin {

// A chunk id is the chunk header's first four bytes read as one little-endian
// 32-bit value. It is named by its characters from the most significant byte
// down, so ARC0 is 0x41524330 and lies on disk as the bytes 30 43 52 41.
using ChunkId = std::uint32_t;

constexpr ChunkId makeChunkId(const char (&name)[5]) {
    return static_cast<ChunkId>(static_cast<std::uint8_t>(name[0])) << 24U |
           static_cast<ChunkId>(static_cast<std::uint8_t>(name[1])) << 16U |
           static_cast<ChunkId>(static_cast<std::uint8_t>(name[2])) << 8U |
           static_cast<ChunkId>(static_cast<std::uint8_t>(name[3]));
}

// The lettered families: k runs from 0 for A to 25 for Z in the third character.
constexpr ChunkId kSkChunkBase = makeChunkId("SKA0");
constexpr ChunkId kMcChunkBase = makeChunkId("MCA0");
constexpr ChunkId letteredChunkId(ChunkId base, unsigned letterIndex) {
    return base + 0x100U * letterIndex;
}
// Letter of a lettered id, 0 for A up to 25 for Z.
constexpr unsigned chunkLetterIndex(ChunkId id) { return ((id >> 8U) & 0xFFU) - 0x41U; }

}  // namespace grelvin
