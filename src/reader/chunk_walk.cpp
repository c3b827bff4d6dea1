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

// The chunk positions the walk has visited. A walk that only moves forward
// cannot come back to a position, so while it does the positions are a short
// increasing list; the map with a bit for every byte of the file, whose
// zeroing alone would cost a large file more than its chunk walk, is built
// only when a chunk first sends the walk backward or keeps it in place.
struct VisitedPositions {
    std::vector<std::size_t> forward;
    std::vector<bool> map;
    bool turnedBack = false;

    // Records `at` (below fileSize); false when it was visited before.
    bool visit(std::size_t at, std::size_t fileSize) {
        if (!turnedBack) {
            if (forward.empty() || at > forward.back()) {
                forward.push_back(at);
                return true;
            }
            turnedBack = true;
            map.assign(fileSize, false);
            for (const std::size_t earlier : forward) {
                map[earlier] = true;
            }
            forward = {};
        }
        if (map[at]) {
            return false;
        }
        map[at] = true;
        return true;
    }
};

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
    VisitedPositions visited;
    const std::uint64_t budget = readBudget(input.size);
    while (input.lastReadCount != 0) {
        if (position < 0 || position > std::numeric_limits<std::int32_t>::max()) {
            return;
        }
        const auto at = static_cast<std::size_t>(position);
        if (at >= input.size || input.deliveredTotal > budget || !visited.visit(at, input.size)) {
            return;  // a header read at or past the end delivers nothing
        }
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
