#include <cstdint>
#include <limits>
#include <vector>

#include "reader/chunk_table.h"
#include "reader/model_reader.h"
#include "reader/wide_string.h"

namespace grelvin {

namespace {

constexpr std::int64_t kChunkHeaderSize = 12;
constexpr std::int64_t kFileHeaderSize = 16;

// Decoders read past their payload when their counts say so, so chunks can
// overlap and a hostile file could have every chunk re-read the rest of the
// file. A well-formed file is read about once; past this many bytes delivered
// the walk stops, which keeps the time of a walk proportional to the file.
std::uint64_t readBudget(std::size_t fileSize) {
    return 8U * static_cast<std::uint64_t>(fileSize) + (std::uint64_t{1} << 20U);
}

ChunkHeader decodeChunkHeader(const std::uint8_t (&bytes)[12]) {
    auto word = [&bytes](int offset) {
        const auto at = static_cast<std::size_t>(offset);
        return static_cast<std::uint32_t>(bytes[at]) |
               static_cast<std::uint32_t>(bytes[at + 1]) << 8U |
               static_cast<std::uint32_t>(bytes[at + 2]) << 16U |
               static_cast<std::uint32_t>(bytes[at + 3]) << 24U;
    };
    ChunkHeader header;
    header.id = word(0);
    header.reserved = static_cast<std::int32_t>(word(4));
    header.size = static_cast<std::int32_t>(word(8));
    return header;
}

}  // namespace

void readHeaderStrings(InputCursor& input, ModelStore& store) {
    readWideString(input, store.objectName);
    readWideString(input, store.infoString);
    readWideString(input, store.authorName);
}

// Visits chunk after chunk. The walk ends at the first of: a read that ends a
// chunk (or the header strings) delivering nothing; a chunk header cut short by
// the end of the file; a next position outside 0 to 2^31 - 1; a position the
// walk has already visited, which would repeat forever; the read budget.
void walkChunks(InputCursor& input, const FileHeader& fileHeader, ModelStore& store,
                ChunkLookup lookup) {
    std::int64_t position = kFileHeaderSize + firstChunkOffset(fileHeader);
    std::vector<bool> visited(input.size);
    const std::uint64_t budget = readBudget(input.size);
    while (input.lastReadCount != 0) {
        if (position < 0 || position > std::numeric_limits<std::int32_t>::max()) {
            return;
        }
        const auto at = static_cast<std::size_t>(position);
        if (at >= input.size || visited[at] || input.deliveredTotal > budget) {
            return;  // a header read at or past the end delivers nothing
        }
        visited[at] = true;
        seekTo(input, static_cast<std::int32_t>(position));

        std::uint8_t bytes[12] = {};
        if (readBytes(input, bytes, sizeof bytes) < sizeof bytes) {
            return;
        }
        const ChunkHeader header = decodeChunkHeader(bytes);
        if (const ChunkHandler handler = lookup(header.id)) {
            handler(input, header, store);
        }
        position += kChunkHeaderSize + header.size;
    }
}

void readModel(InputCursor& input, const FileHeader& header, ModelStore& store) {
    readHeaderStrings(input, store);
    walkChunks(input, header, store, findChunkHandler);
}

}  // namespace grelvin
