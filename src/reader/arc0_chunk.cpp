// ARC0: the triangles of the mesh and the parts that group them.
//
// Payload: ten unused words, a head of ten words with the counts, three
// arrays that are read and discarded, the triangles (three signed 16-bit
// vertex indices each) and the part records (a length byte, the name, six
// signed 32-bit values). Each field or record is one read, so that the count
// of the chunk's last read, which ends the walk when it is zero, comes out as
// the file dictates.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "reader/chunk_decoders.h"

namespace grelvin {

// Part values are read straight into their int32 fields, so that a value cut
// short by the end of the file overlays only the bytes it delivered.
static_assert(std::endian::native == std::endian::little,
              "part values are read into their fields as little-endian bytes");

namespace {

constexpr std::uint32_t kUnusedWords = 10;
constexpr std::uint32_t kHeadSize = 40;
constexpr std::uint32_t kFirstSkippedRecordSize = 64;
constexpr std::uint32_t kSecondSkippedRecordSize = 16;
constexpr std::uint32_t kThirdSkippedRecordSize = 2;
constexpr std::uint32_t kTriangleRecordSize = 6;
constexpr std::uint32_t kPartValueCount = 6;

// The counts of the head at payload offsets 40 to 79; the other words of the
// head are not used.
struct Arc0Head {
    std::int32_t firstSkippedCount = 0;   // 64-byte records
    std::int32_t triangleIndexCount = 0;  // triangle corners
    std::int32_t partCount = 0;
    std::int32_t thirdSkippedCount = 0;   // 2-byte values
    std::int32_t secondSkippedCount = 0;  // 16-byte records
};

std::int32_t wordAt(const std::array<std::uint8_t, kHeadSize>& bytes, std::size_t word) {
    const std::size_t at = 4 * word;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[at]) |
                                     static_cast<std::uint32_t>(bytes[at + 1]) << 8U |
                                     static_cast<std::uint32_t>(bytes[at + 2]) << 16U |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24U);
}

// One 40-byte read; bytes that the end of the file cuts off count as zero.
Arc0Head readHead(InputCursor& input) {
    std::array<std::uint8_t, kHeadSize> bytes{};
    readBytes(input, bytes.data(), kHeadSize);
    Arc0Head head;
    head.firstSkippedCount = wordAt(bytes, 0);   // offset 40
    head.triangleIndexCount = wordAt(bytes, 1);  // offset 44
    head.partCount = wordAt(bytes, 3);           // offset 52
    head.thirdSkippedCount = wordAt(bytes, 4);   // offset 56
    head.secondSkippedCount = wordAt(bytes, 6);  // offset 64
    return head;
}

// Reads triangle records into faces 0 to count - 1. A record cut short by the
// end of the file replaces only the bytes it delivered: the stored indices are
// laid out as the file's three little-endian 16-bit values, overlaid and
// widened again. Once the file is exhausted every remaining read delivers
// nothing and leaves its face alone, so those reads are accounted for at once.
//
// Records that the file holds whole are decoded straight from the image
// first, in one pass with the effect of their reads on the cursor: a large
// model holds a hundred thousand of them.
void readTriangles(InputCursor& input, std::int64_t count, Table<Face>& faces) {
    const std::size_t available = atEnd(input) ? 0 : input.size - input.position;
    const std::int64_t whole =
        std::min<std::int64_t>(count, static_cast<std::int64_t>(available / kTriangleRecordSize));
    const std::uint8_t* next = input.data + input.position;
    for (std::int64_t i = 0; i < whole; ++i, next += kTriangleRecordSize) {
        Face& face = faces.slot(static_cast<std::size_t>(i));
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const auto bits =
                static_cast<std::uint16_t>(next[2 * corner] | next[2 * corner + 1] << 8U);
            face.indices[corner] = static_cast<std::int16_t>(bits);
        }
    }
    if (whole > 0) {
        const auto bytes = static_cast<std::size_t>(whole) * kTriangleRecordSize;
        input.position += bytes;
        input.deliveredTotal += bytes;
        input.lastReadCount = kTriangleRecordSize;
    }
    for (std::int64_t i = whole; i < count; ++i) {
        if (atEnd(input)) {
            skipRecords(input, kTriangleRecordSize, count - i);
            return;
        }
        const auto index = static_cast<std::size_t>(i);
        const Face& held = faces.at(index);
        std::array<std::uint8_t, kTriangleRecordSize> record{};
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const auto bits = static_cast<std::uint16_t>(held.indices[corner]);
            record[2 * corner] = static_cast<std::uint8_t>(bits & 0xFFU);
            record[2 * corner + 1] = static_cast<std::uint8_t>(bits >> 8U);
        }
        readBytes(input, record.data(), kTriangleRecordSize);
        Face& face = faces.slot(index);
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const auto bits =
                static_cast<std::uint16_t>(record[2 * corner] | record[2 * corner + 1] << 8U);
            face.indices[corner] = static_cast<std::int16_t>(bits);
        }
    }
}

// The length byte of a part record, taken as unsigned (0 to 255); a length
// byte beyond the end of the file is 0.
std::uint32_t readNameLength(InputCursor& input) {
    std::uint8_t length = 0;
    readBytes(input, &length, 1);
    return length;
}

// One part record into `part`: L name bytes of which the first 64 are kept
// (name bytes beyond L, or not delivered, keep what they held), then the six
// values one read each.
void readPart(InputCursor& input, Part& part) {
    const std::uint32_t nameLength = readNameLength(input);
    if (nameLength <= part.name.size()) {
        if (nameLength != 0) {
            readBytes(input, part.name.data(), nameLength);
        }
    } else {
        std::array<std::uint8_t, 255> name;
        const std::uint32_t delivered = readBytes(input, name.data(), nameLength);
        std::memcpy(part.name.data(), name.data(),
                    std::min<std::size_t>(delivered, part.name.size()));
    }
    std::int32_t* const values[kPartValueCount] = {&part.unused[0],  &part.unused[1],
                                                   &part.unused[2],  &part.firstIndex,
                                                   &part.indexCount, &part.trailing};
    for (std::int32_t* value : values) {
        readBytes(input, value, sizeof *value);
    }
}

// A part record beyond the part table: read for its length and dropped.
void skipPart(InputCursor& input) {
    const std::uint32_t nameLength = readNameLength(input);
    skipRecords(input, nameLength, 1);
    skipRecords(input, sizeof(std::int32_t), kPartValueCount);
}

void readParts(InputCursor& input, std::int32_t count, ModelStore& store) {
    for (std::int32_t p = 0; p < count; ++p) {
        if (atEnd(input)) {
            // Every read of the remaining records delivers nothing: no length,
            // no name, no value; the last of them leaves a count of zero.
            skipRecords(input, sizeof(std::int32_t), 1);
            return;
        }
        const auto index = static_cast<std::size_t>(p);
        if (index < store.parts.size()) {
            readPart(input, store.parts[index]);
        } else {
            skipPart(input);
        }
    }
}

}  // namespace

void readArc0Chunk(InputCursor& input, const ChunkHeader& /*header*/, ModelStore& store) {
    skipRecords(input, 4, kUnusedWords);
    const Arc0Head head = readHead(input);
    skipRecords(input, kFirstSkippedRecordSize, head.firstSkippedCount);
    skipRecords(input, kSecondSkippedRecordSize, head.secondSkippedCount);
    skipRecords(input, kThirdSkippedRecordSize, head.thirdSkippedCount);
    readTriangles(input, head.triangleIndexCount / 3, store.faces);
    store.partCount = head.partCount;
    readParts(input, head.partCount, store);
}

}  // namespace grelvin
