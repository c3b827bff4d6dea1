#pragma once

#include <array>
#include <cstdint>

#include "model/model_store.h"
#include "reader/chunk_id.h"
#include "reader/input_cursor.h"

namespace grelvin {

// The 16 bytes at the start of a binary model file: the magic "1FFE0FNI", a
// reserved word whose first byte must be zero, and the position of the first
// chunk header counted from offset 16.
struct FileHeader {
    std::array<std::uint8_t, 16> bytes{};
};

std::int32_t firstChunkOffset(const FileHeader& header);

// The 12 bytes in front of every chunk payload.
struct ChunkHeader {
    ChunkId id = 0;
    std::int32_t reserved = 0;
    std::int32_t size = 0;
};

// Reads the header at the current position; bytes the file lacks stay zero.
FileHeader readFileHeader(InputCursor& input);

// True when the header starts with "1FFE0FNI" followed by a zero byte.
bool hasValidMagic(const FileHeader& header);

// Reads the three header strings and then every chunk up to the end of the
// file into the store. The input must be positioned right after the header.
void readModel(InputCursor& input, const FileHeader& header, ModelStore& store);

}  // namespace grelvin
