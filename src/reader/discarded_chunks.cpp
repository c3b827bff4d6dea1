// Chunks whose content reaches neither the store nor the output. They are
// still read, record by record, because the walk ends after a chunk whose last
// read delivers nothing.
#include "reader/chunk_decoders.h"

namespace grelvin {

namespace {
// EDTR and MCA0 to MCZ0: size / 4 words, nothing when size is below 4.
void skipWords(InputCursor& input, const ChunkHeader& header) {
    skipRecords(input, 4, header.size / 4);
}
}  // namespace

void readEdtrChunk(InputCursor& input, const ChunkHeader& header, ModelStore& /*store*/) {
    skipWords(input, header);
}

void readMcChunk(InputCursor& input, const ChunkHeader& header, ModelStore& /*store*/) {
    skipWords(input, header);
}

// One 16-bit value, whatever the size says.
void readCherChunk(InputCursor& input, const ChunkHeader& /*header*/, ModelStore& /*store*/) {
    skipRecords(input, 2, 1);
}

// A count c, then c + 1 records of 6 bytes and c + 1 records of 4 bytes.
void readSmedChunk(InputCursor& input, const ChunkHeader& /*header*/, ModelStore& /*store*/) {
    const std::int64_t records = static_cast<std::int64_t>(readInt32(input)) + 1;
    skipRecords(input, 6, records);
    skipRecords(input, 4, records);
}

}  // namespace grelvin
