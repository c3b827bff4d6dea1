// The byte reader, the header, the wide strings and the chunk walk.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "reader/chunk_table.h"
#include "reader/model_reader.h"
#include "reader/wide_string.h"
#include "support/model_file_builder.h"

namespace grelvin {
namespace {

using testing::Bytes;
using testing::chunk;
using testing::chunkWithSize;
using testing::fileHeader;
using testing::headerStrings;

InputCursor cursorOver(const Bytes& bytes) {
    return makeInputCursor(bytes.data.data(), bytes.data.size());
}

TEST(ReadBytes, DeliversWhatIsLeftAndLeavesTheRestOfTheDestination) {
    Bytes bytes;
    bytes.raw({1, 2, 3, 4, 5});
    InputCursor input = cursorOver(bytes);
    std::array<std::uint8_t, 4> destination{9, 9, 9, 9};

    EXPECT_EQ(readBytes(input, destination.data(), 3), 3U);
    EXPECT_EQ(input.lastReadCount, 3U);
    EXPECT_EQ(readBytes(input, destination.data(), 4), 2U);
    EXPECT_EQ(input.lastReadCount, 2U);
    EXPECT_EQ(destination, (std::array<std::uint8_t, 4>{4, 5, 3, 9}));
    EXPECT_EQ(readBytes(input, destination.data(), 4), 0U);
    EXPECT_EQ(input.lastReadCount, 0U);

    seekTo(input, 1000);
    EXPECT_EQ(readBytes(input, destination.data(), 1), 0U);
    seekTo(input, 4);
    EXPECT_EQ(readBytes(input, destination.data(), 4), 1U);
    EXPECT_EQ(destination[0], 5);
}

TEST(ReadBytes, ShortIntegersKeepTheDeliveredBytesAndZeroTheRest) {
    Bytes bytes;
    bytes.raw({0x34, 0x12, 0x78});
    InputCursor input = cursorOver(bytes);
    EXPECT_EQ(readUint16(input), 0x1234);
    EXPECT_EQ(readInt32(input), 0x78);
    EXPECT_EQ(input.lastReadCount, 1U);
}

// skipRecords must leave the cursor exactly as the record-by-record reads
// it replaces would.
TEST(ReadBytes, SkippingRecordsMatchesReadingThem) {
    struct Case {
        std::size_t fileSize;
        std::size_t start;
        std::uint32_t recordSize;
        std::int64_t count;
    };
    const Case cases[] = {
        {100, 0, 4, 25},  {100, 0, 4, 26},  {100, 2, 4, 25}, {100, 2, 4, 24}, {100, 98, 6, 1},
        {100, 98, 6, 2},  {100, 100, 6, 3}, {100, 150, 2, 3}, {100, 10, 64, 0}, {100, 10, 64, -5},
        {10, 0, 3, 4},    {10, 0, 3, 3},    {0, 0, 2, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> data(c.fileSize, 7);
        InputCursor skipped = makeInputCursor(data.data(), data.size());
        skipped.position = c.start;
        skipped.lastReadCount = 99;
        InputCursor read = skipped;
        skipRecords(skipped, c.recordSize, c.count);
        std::vector<std::uint8_t> record(c.recordSize);
        for (std::int64_t i = 0; i < c.count; ++i) {
            readBytes(read, record.data(), c.recordSize);
        }
        SCOPED_TRACE(::testing::Message() << "size " << c.fileSize << " start " << c.start
                                          << " record " << c.recordSize << " count " << c.count);
        EXPECT_EQ(skipped.lastReadCount, read.lastReadCount);
        EXPECT_EQ(skipped.deliveredTotal, read.deliveredTotal);
        EXPECT_EQ(atEnd(skipped), atEnd(read));
        if (!atEnd(read)) {
            EXPECT_EQ(skipped.position, read.position);
        }
    }
}

TEST(FileHeader, MagicNeedsTheEightCharactersAndAZeroNinthByte) {
    struct Case {
        Bytes bytes;
        bool valid;
    };
    const Case cases[] = {
        {fileHeader(0), true},
        {fileHeader(0, 0xFFFFFF00U), true},  // bytes 9 to 11 are never examined
        {fileHeader(0, 0x01), false},
        {Bytes().raw("1FFE0FNi").zeros(8), false},
        {Bytes().raw("1FFE0FN"), false},
        {Bytes(), false},
    };
    for (const Case& c : cases) {
        InputCursor input = cursorOver(c.bytes);
        EXPECT_EQ(hasValidMagic(readFileHeader(input)), c.valid);
    }
}

TEST(FileHeader, MissingBytesAreZero) {
    const Bytes shortFile = Bytes().raw("1FFE");
    InputCursor input = cursorOver(shortFile);
    const FileHeader header = readFileHeader(input);
    EXPECT_EQ(header.bytes[3], 'E');
    EXPECT_EQ(header.bytes[4], 0);
    EXPECT_EQ(firstChunkOffset(header), 0);
}

TEST(WideString, KeepsTheLowByteOfEachUnitUpToTheEndingUnit) {
    Bytes bytes;
    bytes.u16(0x0048).u16(0x0069).u16(0x0000);  // "Hi"
    bytes.u16(0x0141).u16(0x0100);               // 0x41, then a unit with a zero low byte
    bytes.u16(0x0042);                           // cut off by the end of the file
    InputCursor input = cursorOver(bytes);
    std::string text = "old";
    readWideString(input, text);
    EXPECT_EQ(text, "Hi");
    readWideString(input, text);
    EXPECT_EQ(text, "A");
    readWideString(input, text);
    EXPECT_EQ(text, "B");
    readWideString(input, text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(input.lastReadCount, 0U);
}

TEST(WideString, KeepsLongStringsWholeAndStopsOnAnOddFinalByte) {
    const std::string longName(1000, 'x');
    Bytes bytes;
    bytes.wide(longName).u8('y');
    InputCursor input = cursorOver(bytes);
    std::string text;
    readWideString(input, text);
    EXPECT_EQ(text, longName);
    readWideString(input, text);
    EXPECT_EQ(text, "y");
}

// Records each chunk the walk visits, by its header position and id.
struct Visit {
    std::size_t position;
    std::string id;
    bool operator==(const Visit&) const = default;
};
std::vector<Visit> visits;

std::string idName(ChunkId id) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        name.push_back(static_cast<char>((id >> static_cast<unsigned>(shift)) & 0xFFU));
    }
    return name;
}

void recordingHandler(InputCursor& input, const ChunkHeader& header, ModelStore& store) {
    visits.push_back({input.position - 12, idName(header.id)});
    if (const ChunkHandler handler = findChunkHandler(header.id)) {
        handler(input, header, store);
    }
}

ChunkHandler recordingLookup(ChunkId /*id*/) { return recordingHandler; }

std::vector<Visit> walk(const Bytes& file) {
    visits.clear();
    InputCursor input = cursorOver(file);
    const FileHeader header = readFileHeader(input);
    auto store = std::make_unique<ModelStore>();
    readHeaderStrings(input, *store);
    walkChunks(input, header, *store, recordingLookup);
    return visits;
}

// A file with empty header strings (6 bytes) and the chunks at offset 22.
Bytes fileWith(std::initializer_list<Bytes> chunks, std::int32_t offset = 6) {
    Bytes file = fileHeader(offset);
    file.append(headerStrings("", "", ""));
    for (const Bytes& c : chunks) {
        file.append(c);
    }
    return file;
}

TEST(ChunkWalk, StepsOverEachChunkBySizeWhateverItsHandlerRead) {
    const Bytes fourBytes = Bytes().u32(0);
    const std::vector<Visit> expected = {
        {22, "ZZZZ"}, {38, "CHER"}, {54, "EDTR"}, {69, "MCA0"}, {84, "SM00"}, {100, "ska0"}};
    EXPECT_EQ(walk(fileWith({chunk("ZZZZ", fourBytes), chunk("CHER", fourBytes),
                             chunkWithSize("EDTR", 3, Bytes().raw("abc")),
                             chunkWithSize("MCA0", 3, Bytes().raw("abc")), chunk("SM00", fourBytes),
                             chunk("ska0", fourBytes)})),
              expected);
}

TEST(ChunkWalk, FirstChunkOffsetMayLeaveAGapOrStartInsideTheStrings) {
    Bytes gap = fileHeader(10);
    gap.append(headerStrings("", "", "")).raw("gap!").append(chunk("ZZZZ", Bytes()));
    EXPECT_EQ(walk(gap), (std::vector<Visit>{{26, "ZZZZ"}}));

    // Offset 0: the walk starts on the strings' own bytes.
    Bytes inside = fileHeader(0);
    inside.append(headerStrings("", "", "")).zeros(6);
    EXPECT_EQ(walk(inside), (std::vector<Visit>{{16, std::string(4, '\0')}}));
}

TEST(ChunkWalk, EndConditions) {
    const Bytes empty;
    struct Case {
        const char* what;
        Bytes file;
        std::vector<Visit> expected;
    };
    const std::vector<Case> cases = {
        {"empty chunk area", fileWith({}), {}},
        {"trailing fragment shorter than a header", fileWith({chunk("ZZZZ", empty)}).raw("abc"),
         {{22, "ZZZZ"}}},
        {"size -12 revisits its own position", fileWith({chunkWithSize("ZZZZ", -12, empty)}),
         {{22, "ZZZZ"}}},
        {"a cycle of two chunks",
         fileWith({chunkWithSize("AAAA", 0, empty), chunkWithSize("BBBB", -24, empty)}),
         {{22, "AAAA"}, {34, "BBBB"}}},
        // BBBB jumps back into AAAA's payload, to a position not seen before;
        // CCCC there leads on to BBBB, seen before.
        {"a jump back to a new position goes on",
         fileWith({chunk("AAAA", chunkWithSize("CCCC", 0, empty)),
                   chunkWithSize("BBBB", -24, empty)}),
         {{22, "AAAA"}, {46, "BBBB"}, {34, "CCCC"}}},
        {"next position below zero", fileWith({chunkWithSize("ZZZZ", -100, empty)}),
         {{22, "ZZZZ"}}},
        {"next position beyond 2^31 - 1",
         fileWith({chunkWithSize("ZZZZ", 0x7FFFFFFF, empty), chunk("YYYY", empty)}),
         {{22, "ZZZZ"}}},
        {"first chunk offset beyond the file", fileWith({chunk("ZZZZ", empty)}, 1000), {}},
        {"negative first chunk offset", fileWith({chunk("ZZZZ", empty)}, -17), {}},
        {"a string cut by the end of the file", fileHeader(0).raw({'a', 0}), {}},
        // SMED promises more records than the file holds; its last read
        // delivers nothing, which ends the walk although its size is right.
        {"a chunk whose last read delivers nothing",
         fileWith({chunkWithSize("SMED", 4, Bytes().i32(1000)), chunk("ZZZZ", empty)}),
         {{22, "SMED"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(walk(c.file), c.expected);
    }
}

TEST(ChunkWalk, DiscardedChunksReadWhatTheirKindPrescribes) {
    // Each discarded chunk is followed by a chunk that the walk reaches only
    // when the discarded chunk's last read delivered something. The chunk
    // sizes are 0, so each handler reads on into the next chunk's bytes.
    struct Case {
        const char* what;
        Bytes discarded;
        std::size_t following;  // bytes between the discarded header and the next chunk
        bool reached;
    };
    const Bytes smedZero = Bytes().i32(0).zeros(10);    // count 0: one 6- and one 4-byte record
    const Bytes smedMinusOne = Bytes().i32(-1);         // count -1: the count alone
    const std::vector<Case> cases = {
        {"SMED count 0 reads its two records", chunkWithSize("SMED", 14, smedZero), 14, true},
        {"SMED count -1 reads only the count", chunkWithSize("SMED", 4, smedMinusOne), 4, true},
        {"EDTR size 6 reads one word", chunkWithSize("EDTR", 6, Bytes().zeros(6)), 6, true},
        {"CHER reads one 16-bit value", chunkWithSize("CHER", 0, Bytes()), 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Visit> seen = walk(fileWith({c.discarded, chunk("ZZZZ", Bytes())}));
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.size() == 2, c.reached);
    }
    // A CHER chunk at the very end: its 16-bit read meets the end and the walk
    // stops there even though nothing follows anyway.
    EXPECT_EQ(walk(fileWith({chunkWithSize("CHER", 0, Bytes())})).size(), 1U);
}

TEST(ChunkWalk, OverlappingChunksCannotMakeTheWalkQuadratic) {
    // Thousands of SMED chunks, each stepping on by 16 bytes but with a count
    // that makes it read almost the whole rest of the file: without a bound the
    // walk would read the file once per chunk.
    constexpr int kChunks = 20000;
    constexpr std::size_t kFileSize = 22 + 16 * kChunks;
    Bytes file = fileHeader(6);
    file.append(headerStrings("", "", ""));
    for (int i = 0; i < kChunks; ++i) {
        const std::size_t remaining = kFileSize - (file.size() + 16);
        const auto records = static_cast<std::int32_t>(remaining / 10);  // 6 + 4 bytes each
        file.append(chunkWithSize("SMED", 4, Bytes().i32(records - 1)));
    }
    ASSERT_EQ(file.size(), kFileSize);
    InputCursor input = cursorOver(file);
    const FileHeader header = readFileHeader(input);
    auto store = std::make_unique<ModelStore>();
    readModel(input, header, *store);
    EXPECT_LE(input.deliveredTotal, 9 * kFileSize + (1U << 20U));
    EXPECT_GT(input.deliveredTotal, 2 * kFileSize);  // the chunks did overlap
}

TEST(ChunkTable, HasARowForEveryKnownIdAndNoneForOthers) {
    EXPECT_EQ(chunkTableEnd() - chunkTableBegin(), 64);
    for (const char* name : {"ARC0", "CHER", "COLO", "EDTR", "MCA0", "MCZ0", "SKA0", "SKZ0", "SM01",
                             "SM05", "SMRT", "SMED", "SMHP"}) {
        const ChunkId id = makeChunkId({name[0], name[1], name[2], name[3], '\0'});
        const auto* row = std::find_if(chunkTableBegin(), chunkTableEnd(),
                                       [id](const ChunkTableRow& r) { return r.id == id; });
        EXPECT_NE(row, chunkTableEnd()) << name;
    }
    for (const char* name : {"SM00", "SM06", "ska0", "MC[0", "SK@0", "arc0"}) {
        EXPECT_EQ(findChunkHandler(makeChunkId({name[0], name[1], name[2], name[3], '\0'})),
                  nullptr)
            << name;
    }
    EXPECT_EQ(makeChunkId("ARC0"), 0x41524330U);
}

TEST(ModelStore, StartsEmpty) {
    auto store = std::make_unique<ModelStore>();
    EXPECT_EQ(store->vertexCount, 0);
    EXPECT_EQ(store->vertices.size(), kVertexCapacity);
    EXPECT_EQ(store->faces.size(), kFaceCapacity);
    EXPECT_EQ(store->faces.at(kFaceCapacity - 1).indices[2], 0);
    EXPECT_EQ(store->groupLimit, 0);
    EXPECT_TRUE(store->textureGroups[25].textures.empty());
    EXPECT_EQ(store->collisionPoints.size(), kCollisionPointCapacity);
    EXPECT_EQ(store->collisionFaces.size(), kCollisionFaceCapacity);
    EXPECT_EQ(store->hitBoxes.size(), kHitBoxCapacity);
}

}  // namespace
}  // namespace grelvin
