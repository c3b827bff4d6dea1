// The mesh: ARC0 and vertex chunks into the store, and the POINTS, PARTS and
// PART_MAPPINGS sections out of it.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "reader/chunk_decoders.h"
#include "support/mesh_payloads.h"
#include "support/model_file_builder.h"
#include "writer/section_writers.h"

namespace grelvin {
namespace {

using testing::Arc0Counts;
using testing::arc0Head;
using testing::arc0Payload;
using testing::Bytes;
using testing::chunk;
using testing::modelFile;
using testing::PartRecord;
using testing::partRecord;
using testing::Triangle;
using testing::triangleRecords;
using testing::vertexPayload;
using testing::VertexRecord;
using testing::vertexRecord;

// Runs one decoder over a payload that ends the file; returns the cursor as
// the decoder left it.
InputCursor decodePayload(ChunkHandler handler, const Bytes& payload, ModelStore& store) {
    InputCursor input = makeInputCursor(payload.data.data(), payload.data.size());
    handler(input, ChunkHeader{}, store);
    return input;
}

std::unique_ptr<ModelStore> readFile(const Bytes& file) {
    auto store = std::make_unique<ModelStore>();
    EXPECT_TRUE(readModelImage(file.data, *store));
    return store;
}

Bytes fileOf(const std::vector<Bytes>& chunks) {
    return modelFile("", "", "", chunks);
}

Triangle faceAt(const ModelStore& store, std::size_t index) {
    const auto& indices = store.faces.at(index).indices;
    return {static_cast<std::int16_t>(indices[0]), static_cast<std::int16_t>(indices[1]),
            static_cast<std::int16_t>(indices[2])};
}

std::string geometryOf(const ModelStore& store) {
    std::string text;
    auto output = std::make_unique<TextOutput>(stringSink(text));
    writeGeometrySections(*output, store);
    flushTextOutput(*output);
    return text;
}

// The entry lines of one section of the geometry text, without line ends.
std::vector<std::string> sectionLines(const std::string& text, const std::string& keyword) {
    const std::string opener = keyword + "{\r\n";
    std::size_t at = text.find(opener);
    EXPECT_NE(at, std::string::npos) << keyword;
    std::vector<std::string> lines;
    if (at == std::string::npos) {
        return lines;
    }
    at += opener.size();
    while (text.compare(at, 3, "}\r\n") != 0) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << keyword << " is not closed";
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::string convert(const Bytes& file, std::string_view inputPath) {
    std::string text;
    EXPECT_EQ(convertModel(file.data, inputPath, stringSink(text)), ConversionStatus::converted);
    return text;
}

// ---------------------------------------------------------------------------
// ARC0

TEST(Arc0Chunk, StoresTrianglesWidenedWithSignAndPartsAsRead) {
    PartRecord hull{"hull", 3, 6, {-1, 2, 3}, 77};
    Arc0Counts counts;
    counts.triangleIndexCount = 6;
    counts.partCount = 1;
    Bytes payload = arc0Head(counts);
    payload.append(triangleRecords({{0, 1, 2}, {-1, 32767, -32768}}));
    payload.append(partRecord(hull));

    auto store = std::make_unique<ModelStore>();
    decodePayload(readArc0Chunk, payload, *store);
    EXPECT_EQ(faceAt(*store, 0), (Triangle{0, 1, 2}));
    EXPECT_EQ(store->faces.at(1).indices, (std::array<std::int32_t, 3>{-1, 32767, -32768}));
    EXPECT_EQ(store->partCount, 1);
    const Part& part = store->parts[0];
    EXPECT_EQ(std::memcmp(part.name.data(), "hull", 4), 0);
    EXPECT_EQ(part.name[4], 0);
    EXPECT_EQ(part.unused, (std::array<std::int32_t, 3>{-1, 2, 3}));
    EXPECT_EQ(part.firstIndex, 3);
    EXPECT_EQ(part.indexCount, 6);
    EXPECT_EQ(part.trailing, 77);
}

// Where each piece of the tail starts, and the count of the last read that
// the chunk walk tests afterwards.
TEST(Arc0Chunk, PiecesFollowEachOtherAndTheLastReadCountIsTheLastPiecePresent) {
    struct Case {
        const char* what;
        Arc0Counts counts;
        Bytes tail;
        std::vector<Triangle> faces;           // expected faces 0 upward
        std::vector<std::int32_t> partFirsts;  // expected firstIndex of parts 0 upward
        std::uint32_t lastReadCount;
        std::size_t unread = 0;  // bytes at the end of the tail that are not read
    };
    const PartRecord part{"p", 30, 3};
    auto counts = [](std::int32_t first, std::int32_t second, std::int32_t third,
                     std::int32_t corners, std::int32_t parts) {
        Arc0Counts c;
        c.firstSkipped = first;
        c.secondSkipped = second;
        c.thirdSkipped = third;
        c.triangleIndexCount = corners;
        c.partCount = parts;
        return c;
    };
    const std::vector<Case> cases = {
        {"head alone", counts(0, 0, 0, 0, 0), Bytes(), {}, {}, 40},
        {"all three skipped arrays, then a triangle and a part",
         counts(2, 1, 3, 3, 1),
         Bytes()
             .raw(std::string(128, '\xAA'))
             .raw(std::string(16, '\xBB'))
             .raw(std::string(6, '\xCC'))
             .append(triangleRecords({{1, 2, 3}}))
             .append(partRecord(part)),
         {{1, 2, 3}},
         {30},
         4},
        {"skipped arrays with negative counts are absent",
         counts(-1, -5, -2, 3, 0),
         triangleRecords({{4, 5, 6}}),
         {{4, 5, 6}},
         {},
         6},
        {"the second skipped array ends the chunk",
         counts(0, 2, 0, 0, 0),
         Bytes().zeros(32),
         {},
         {},
         16},
        {"the third skipped array comes after the second",
         counts(1, 1, 1, 0, 0),
         Bytes().zeros(82),
         {},
         {},
         2},
        {"seven corners: two faces, the part on the seventh corner's bytes",
         counts(0, 0, 0, 7, 1),
         triangleRecords({{1, 1, 1}, {2, 2, 2}}).append(partRecord(part)),
         {{1, 1, 1}, {2, 2, 2}},
         {30},
         4},
        {"two corners: no face", counts(0, 0, 0, 2, 1), partRecord(part), {}, {30}, 4},
        {"negative corner count: no face", counts(0, 0, 0, -3, 1), partRecord(part), {}, {30}, 4},
        {"part count 0 reads no part",
         counts(0, 0, 0, 3, 0),
         triangleRecords({{7, 8, 9}}).append(partRecord(part)),
         {{7, 8, 9}},
         {},
         6,
         26},
        {"negative part count reads no part",
         counts(0, 0, 1, 0, -4),
         Bytes().zeros(2).append(partRecord(part)),
         {},
         {},
         2,
         26},
        {"two parts",
         counts(0, 0, 0, 0, 2),
         partRecord(part).append(partRecord({"second", 60, 3})),
         {},
         {30, 60},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes payload = arc0Head(c.counts);
        payload.append(c.tail);
        auto store = std::make_unique<ModelStore>();
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(input.lastReadCount, c.lastReadCount);
        EXPECT_EQ(input.position, payload.size() - c.unread);
        EXPECT_EQ(store->faces.records.size(), c.faces.size());
        for (std::size_t i = 0; i < c.faces.size(); ++i) {
            EXPECT_EQ(faceAt(*store, i), c.faces[i]) << "face " << i;
        }
        EXPECT_EQ(store->partCount, c.counts.partCount);
        for (std::size_t p = 0; p < c.partFirsts.size(); ++p) {
            EXPECT_EQ(store->parts[p].firstIndex, c.partFirsts[p]) << "part " << p;
            EXPECT_EQ(store->parts[p].indexCount, 3) << "part " << p;
        }
        EXPECT_EQ(store->parts[c.partFirsts.size()].firstIndex, 0);
    }
}

TEST(Arc0Chunk, NameLengthByteIsUnsignedAndOnlyTheFirst64NameBytesAreKept) {
    for (const int length : {0, 1, 63, 64, 65, 100, 127, 128, 200, 255}) {
        SCOPED_TRACE(length);
        std::string name;
        for (int i = 0; i < length; ++i) {
            name.push_back(static_cast<char>('A' + i % 26));
        }
        Arc0Counts counts;
        counts.partCount = 1;
        Bytes payload = arc0Head(counts);
        payload.append(partRecord({name, 12, 15, {4, 5, 6}, 7}));

        auto store = std::make_unique<ModelStore>();
        store->parts[0].name.fill('#');
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(input.position, payload.size());
        const Part& part = store->parts[0];
        for (std::size_t i = 0; i < part.name.size(); ++i) {
            const char expected = i < name.size() ? name[i] : '#';
            ASSERT_EQ(static_cast<char>(part.name[i]), expected) << "name byte " << i;
        }
        EXPECT_EQ(part.unused, (std::array<std::int32_t, 3>{4, 5, 6}));
        EXPECT_EQ(part.firstIndex, 12);
        EXPECT_EQ(part.indexCount, 15);
        EXPECT_EQ(part.trailing, 7);
    }
}

TEST(Arc0Chunk, LaterChunksOverwriteFromIndexZeroAndLeaveTheRest) {
    const Bytes file = fileOf({
        chunk("ARC0", arc0Payload({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}},
                                  {{"firstname", 0, 9}, {"other", 3, 3}})),
        chunk("ARC0", arc0Payload({{9, 9, 9}}, {{"ab", 6, 3}})),
    });
    auto store = readFile(file);
    EXPECT_EQ(faceAt(*store, 0), (Triangle{9, 9, 9}));
    EXPECT_EQ(faceAt(*store, 1), (Triangle{2, 2, 2}));
    EXPECT_EQ(faceAt(*store, 2), (Triangle{3, 3, 3}));
    EXPECT_EQ(store->partCount, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(store->parts[0].name.data()), 10),
              std::string("abrstname\0", 10));
    EXPECT_EQ(store->parts[0].firstIndex, 6);
    EXPECT_EQ(store->parts[1].firstIndex, 3);
}

// Values cut short by the end of the file: what was delivered replaces the
// matching bytes, the rest keeps what it held.
TEST(Arc0Chunk, RecordsCutShortByTheEndOfTheFileKeepWhatWasNotDelivered) {
    auto heldStore = [] {
        auto store = std::make_unique<ModelStore>();
        store->faces.slot(0).indices = {0x1111, -1, 0x3333};
        Part& part = store->parts[0];
        part.name.fill('#');
        part.unused = {7, 8, 9};
        part.firstIndex = 0x11223344;
        part.indexCount = 0x55667788;
        part.trailing = 10;
        return store;
    };
    Arc0Counts oneTriangle;
    oneTriangle.triangleIndexCount = 3;
    Arc0Counts onePart;
    onePart.partCount = 1;
    Arc0Counts twoParts;
    twoParts.partCount = 2;

    {
        SCOPED_TRACE("a triangle cut after three bytes");
        auto store = heldStore();
        const InputCursor input =
            decodePayload(readArc0Chunk, arc0Head(oneTriangle).raw({0x01, 0x02, 0x03}), *store);
        EXPECT_EQ(store->faces.at(0).indices, (std::array<std::int32_t, 3>{0x0201, -253, 0x3333}));
        EXPECT_EQ(input.lastReadCount, 3U);
    }
    {
        SCOPED_TRACE("a part cut inside firstIndex");
        auto store = heldStore();
        Bytes payload = arc0Head(onePart);
        payload.u8(2).raw("ab").i32(1).i32(2).i32(3).raw({0xAA, 0xBB});
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        const Part& part = store->parts[0];
        EXPECT_EQ(part.name[0], 'a');
        EXPECT_EQ(part.name[2], '#');
        EXPECT_EQ(part.unused, (std::array<std::int32_t, 3>{1, 2, 3}));
        EXPECT_EQ(part.firstIndex, 0x1122BBAA);
        EXPECT_EQ(part.indexCount, 0x55667788);
        EXPECT_EQ(part.trailing, 10);
        EXPECT_EQ(input.lastReadCount, 0U);
    }
    {
        SCOPED_TRACE("a part cut inside its name");
        auto store = heldStore();
        Bytes payload = arc0Head(onePart);
        payload.u8(5).raw("ab");
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(store->parts[0].name.data()), 4),
                  "ab##");
        EXPECT_EQ(store->parts[0].firstIndex, 0x11223344);
        EXPECT_EQ(input.lastReadCount, 0U);
    }
    {
        SCOPED_TRACE("a long name cut short keeps the delivered bytes only");
        auto store = heldStore();
        Bytes payload = arc0Head(onePart);
        payload.u8(200).raw(std::string(70, 'n'));
        decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(store->parts[0].name.data()), 64),
                  std::string(64, 'n'));
    }
    {
        SCOPED_TRACE("the second part's length byte lies beyond the end");
        auto store = heldStore();
        store->parts[1].firstIndex = 99;
        Bytes payload = arc0Head(twoParts);
        payload.append(partRecord({"", 3, 3}));
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(store->parts[0].firstIndex, 3);
        EXPECT_EQ(store->parts[1].firstIndex, 99);
        EXPECT_EQ(store->partCount, 2);
        EXPECT_EQ(input.lastReadCount, 0U);
    }
    {
        SCOPED_TRACE("a head cut short keeps the bytes delivered, the rest zero");
        auto store = heldStore();
        Bytes payload;
        payload.zeros(40).i32(0).u16(6);  // corner count 6, from two bytes
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(store->faces.at(0).indices, (std::array<std::int32_t, 3>{0x1111, -1, 0x3333}));
        EXPECT_EQ(store->faces.records.size(), 1U);
        EXPECT_EQ(store->partCount, 0);
        EXPECT_EQ(input.lastReadCount, 0U);
    }
}

// Counts up to 2^31 - 1 against a small file: the decoder ends at once with
// the last read delivering nothing, writing only what the file holds.
TEST(Arc0Chunk, HugeCountsEndAtTheEndOfTheFile) {
    struct Case {
        const char* what;
        Arc0Counts counts;
        std::size_t facesWritten;
    };
    auto counts = [](std::int32_t first, std::int32_t second, std::int32_t third,
                     std::int32_t corners, std::int32_t parts) {
        Arc0Counts c;
        c.firstSkipped = first;
        c.secondSkipped = second;
        c.thirdSkipped = third;
        c.triangleIndexCount = corners;
        c.partCount = parts;
        return c;
    };
    const Case cases[] = {
        {"first skipped array", counts(INT_MAX, 0, 0, 3, 1), 0},
        {"second skipped array", counts(0, INT_MAX, 0, 3, 1), 0},
        {"third skipped array", counts(0, 0, INT_MAX, 3, 1), 0},
        // The part record's 26 bytes are read as triangles too: 4 more
        // whole ones and a last one of 2 bytes.
        {"triangles", counts(0, 0, 0, INT_MAX, 1), 6},
        {"parts", counts(0, 0, 0, 3, INT_MAX), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes payload = arc0Head(c.counts);
        payload.append(triangleRecords({{1, 2, 3}})).append(partRecord({"x", 3, 3}));
        auto store = std::make_unique<ModelStore>();
        const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
        EXPECT_EQ(input.lastReadCount, 0U);
        EXPECT_EQ(store->faces.records.size(), c.facesWritten);
        EXPECT_EQ(store->partCount, c.counts.partCount);
    }
}

TEST(Arc0Chunk, TrianglesBeyondTheTableAreKeptAndPartsBeyond64AreReadAndDropped) {
    constexpr std::size_t kTriangles = kFaceCapacity + 3;
    std::vector<Triangle> triangles(kTriangles);
    for (std::size_t i = 0; i < kTriangles; ++i) {
        const auto low = static_cast<std::int16_t>(i % 30000);
        triangles[i] = {low, static_cast<std::int16_t>(-low), 5};
    }
    std::vector<PartRecord> parts;
    for (std::int32_t p = 0; p < 66; ++p) {
        parts.push_back({std::string(static_cast<std::size_t>(p), 'n'), 3 * p, 3 + p});
    }
    const Bytes payload = arc0Payload(triangles, parts);
    auto store = std::make_unique<ModelStore>();
    const InputCursor input = decodePayload(readArc0Chunk, payload, *store);
    EXPECT_EQ(input.position, payload.size());
    EXPECT_EQ(input.lastReadCount, 4U);
    EXPECT_EQ(store->faces.size(), kTriangles);
    EXPECT_EQ(faceAt(*store, kTriangles - 1), triangles.back());
    EXPECT_EQ(store->partCount, 66);
    EXPECT_EQ(store->parts[63].firstIndex, 189);
    EXPECT_EQ(store->parts[63].indexCount, 66);

    // The writer walks 64 parts: the last line is part 64's last face, 84
    // ((189 + 66) / 3 = 85).
    EXPECT_EQ(sectionLines(geometryOf(*store), "PARTS").back(), "4,N,84,  40,(84,-84,5);");

    // A part may name the faces beyond the nominal table.
    store->parts[0].firstIndex = 3 * 131073;
    store->parts[0].indexCount = 30;
    const std::vector<std::string> lines = sectionLines(geometryOf(*store), "PARTS");
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[0], "4,N,131073,   1,(11073,-11073,5);");
    EXPECT_EQ(lines[1], "4,N,131074,   1,(11074,-11074,5);");
    EXPECT_EQ(lines[2], "4,N,1,   2,(1,-1,5);");
}

// ---------------------------------------------------------------------------
// Vertex chunks

TEST(SmChunk, StoresWholeRecordsAndTheFaceCountAndEndsOnTheTrailingReads) {
    struct Case {
        std::size_t vertices;
        std::uint16_t meshIndexCount;
        std::int32_t meshFaceCount;
    };
    const Case cases[] = {{3, 9, 3}, {0, 6, 2}, {2, 0, 0},        {1, 1, 0},
                          {1, 2, 0}, {1, 7, 2}, {0, 65535, 21845}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.vertices << " vertices, K " << c.meshIndexCount);
        std::vector<VertexRecord> vertices;
        for (std::size_t i = 0; i < c.vertices; ++i) {
            const auto f = static_cast<float>(i);
            vertices.push_back({f + 0.5F, -f, f * 2.0F, 0.25F * f, 1.0F - f});
        }
        const Bytes payload = vertexPayload(vertices, c.meshIndexCount);
        auto store = std::make_unique<ModelStore>();
        const InputCursor input = decodePayload(readSmChunk, payload, *store);
        EXPECT_EQ(input.position, payload.size());
        EXPECT_EQ(input.lastReadCount, 6U);
        EXPECT_EQ(store->vertexCount, static_cast<std::int32_t>(c.vertices));
        EXPECT_EQ(store->meshFaceCount, c.meshFaceCount);
        for (std::size_t i = 0; i < c.vertices; ++i) {
            const Bytes expected = vertexRecord(vertices[i], 0x5A);
            EXPECT_EQ(std::memcmp(&store->vertices.at(i), expected.data.data(), sizeof(Vertex)), 0)
                << "vertex " << i;
        }
        EXPECT_EQ(store->vertices.at(c.vertices).u, 0.0F);
    }
}

TEST(SmChunk, EachOfTheSixIdsDecodesAndALaterChunkKeepsEarlierVerticesBeyondItsCount) {
    for (const char* id : {"SM01", "SM02", "SM03", "SM04", "SM05", "SMRT"}) {
        SCOPED_TRACE(id);
        const Bytes file = fileOf({
            chunk("SM03",
                  vertexPayload({{1, 1, 1, 0.5F, 0.5F}, {2, 2, 2}, {3, 3, 3, 0.75F, 1}}, 9)),
            chunk(id, vertexPayload({{-1, -1, -1, 0.25F, 0}}, 3)),
        });
        auto store = readFile(file);
        EXPECT_EQ(store->vertexCount, 1);
        EXPECT_EQ(store->meshFaceCount, 1);
        EXPECT_EQ(store->vertices.at(0).x, -1.0F);
        EXPECT_EQ(store->vertices.at(0).u, 0.25F);
        EXPECT_EQ(store->vertices.at(2).x, 3.0F);
        EXPECT_EQ(store->vertices.at(2).u, 0.75F);
    }
}

TEST(SmChunk, ReadsCutShortByTheEndOfTheFile) {
    auto store = std::make_unique<ModelStore>();
    Vertex& held = store->vertices.slot(1);
    held.x = 5.0F;
    held.u = 6.0F;
    held.v = 7.0F;
    {
        SCOPED_TRACE("the second record cut after 28 bytes");
        Bytes payload;
        payload.u16(0).u16(2).append(vertexRecord({1, 2, 3, 4, 5}));
        payload.append(vertexRecord({8, 9, 10, 11, 12})).data.resize(payload.size() - 4);
        const InputCursor input = decodePayload(readSmChunk, payload, *store);
        EXPECT_EQ(store->vertexCount, 2);
        EXPECT_EQ(store->vertices.at(1).x, 8.0F);
        EXPECT_EQ(store->vertices.at(1).u, 11.0F);
        EXPECT_EQ(store->vertices.at(1).v, 7.0F);
        EXPECT_EQ(store->meshFaceCount, 0);
        EXPECT_EQ(input.lastReadCount, 0U);
    }
    {
        SCOPED_TRACE("the trailing records cut short");
        Bytes payload;
        payload.u16(0).u16(0).u16(3).zeros(6 + 6 + 6 + 2);
        const InputCursor input = decodePayload(readSmChunk, payload, *store);
        EXPECT_EQ(store->meshFaceCount, 1);
        EXPECT_EQ(input.lastReadCount, 2U);
    }
    {
        SCOPED_TRACE("a huge vertex count against a short file");
        Bytes payload;
        payload.u16(0).u16(65535).append(vertexRecord({1, 2, 3, 4, 5}));
        const InputCursor input = decodePayload(readSmChunk, payload, *store);
        EXPECT_EQ(store->vertexCount, 65535);
        EXPECT_EQ(store->vertices.at(1).x,
                  8.0F);  // the second chunk left it, this one cannot reach it
        EXPECT_EQ(input.lastReadCount, 0U);
    }
}

// ---------------------------------------------------------------------------
// Geometry sections

TEST(GeometrySections, EmptyStoreWritesTheThreeFramesOnly) {
    auto store = std::make_unique<ModelStore>();
    EXPECT_EQ(geometryOf(*store),
              "\r\n\r\nPOINTS{\r\n}\r\n\r\nPARTS{\r\n}\r\n\r\nPART_MAPPINGS{\r\n}\r\n\r\n");
}

std::vector<std::int64_t> facesListed(const ModelStore& store) {
    std::vector<std::int64_t> faces;
    for (const std::string& line : sectionLines(geometryOf(store), "PARTS")) {
        faces.push_back(std::stoll(line.substr(4)));
    }
    return faces;
}

TEST(GeometrySections, PartFaceRanges) {
    struct Case {
        std::int32_t firstIndex;
        std::int32_t indexCount;
        std::vector<std::int64_t> faces;
    };
    const std::vector<Case> cases = {
        {0, 6, {0, 1}},
        {4, 5, {1, 2}},
        {5, 1, {1}},  // 5 / 3 = 1, 6 / 3 = 2
        {6, 0, {}},
        {6, -3, {}},
        {-2, 5, {0}},                        // -2 / 3 truncates to 0
        {-30, 36, {0, 1}},                   // faces below 0 are not written
        {-9, 8, {}},                         // -3 up to -1 / 3 = 0
        {3 * 131070, 30, {131070, 131071}},  // clipped to the face table
        {3 * 131072, 3, {}},
        {INT_MAX, 3, {}},  // the sum wraps to a large negative value
        {INT_MAX - 5, 3, {}},
        {INT_MIN + 3, -9, {}},  // wraps to INT_MAX - 5: from a negative face to the table's end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.firstIndex << " + " << c.indexCount);
        auto store = std::make_unique<ModelStore>();
        store->partCount = 1;
        store->parts[0].firstIndex = c.firstIndex;
        store->parts[0].indexCount = c.indexCount;
        const std::vector<std::int64_t> faces = facesListed(*store);
        if (c.firstIndex == INT_MIN + 3) {
            ASSERT_EQ(faces.size(), kFaceCapacity);
            EXPECT_EQ(faces.front(), 0);
            EXPECT_EQ(faces.back(), static_cast<std::int64_t>(kFaceCapacity - 1));
        } else {
            EXPECT_EQ(faces, c.faces);
        }
    }
}

TEST(GeometrySections, PartsAreWalkedInOrderWithTheirNumberInTheMaterialField) {
    struct Case {
        std::int32_t partCount;
        std::vector<std::string> lines;
    };
    auto oneLinePerPart = [](int parts) {
        std::vector<std::string> lines;
        // Parts 1 to 64 take one or two hexadecimal digits, right-aligned in four.
        const std::string digits = "0123456789abcdef";
        for (std::size_t p = 1; p <= static_cast<std::size_t>(parts); ++p) {
            const std::string field =
                p < 16 ? "   " + digits.substr(p, 1)
                       : "  " + digits.substr(p / 16, 1) + digits.substr(p % 16, 1);
            lines.push_back("4,N,2," + field + ",(-1,32767,-32768);");
        }
        return lines;
    };
    const std::vector<Case> cases = {
        {0, {}},
        {-1, {}},
        {1, {"4,N,2,   1,(-1,32767,-32768);"}},
        {11, oneLinePerPart(11)},
        {64, oneLinePerPart(64)},
        {70, oneLinePerPart(64)},
        {INT_MAX, oneLinePerPart(64)},
    };
    ASSERT_EQ(oneLinePerPart(64)[15], "4,N,2,  10,(-1,32767,-32768);");
    ASSERT_EQ(oneLinePerPart(64)[63], "4,N,2,  40,(-1,32767,-32768);");
    auto store = std::make_unique<ModelStore>();
    store->faces.slot(2).indices = {-1, 32767, -32768};
    for (Part& part : store->parts) {
        part.firstIndex = 6;
        part.indexCount = 3;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.partCount);
        store->partCount = c.partCount;
        EXPECT_EQ(sectionLines(geometryOf(*store), "PARTS"), c.lines);
    }
}

TEST(GeometrySections, MappingCornersLookUpTheVertexTableAsItStands) {
    auto store = std::make_unique<ModelStore>();
    store->vertexCount = 2;
    Vertex& v0 = store->vertices.slot(0);
    v0.u = 0.5F;
    v0.v = 0.25F;
    store->vertices.slot(1).u = 1.0F;
    Vertex& beyondCount = store->vertices.slot(2);  // left by an earlier chunk
    beyondCount.u = 0.75F;
    beyondCount.v = 1.0F;
    store->faces.slot(0).indices = {0, 1, 2};
    store->faces.slot(1).indices = {-1, 3, -32768};  // no vertex; never written; no vertex
    store->faces.slot(2).indices = {32767, 2, 0};
    store->meshFaceCount = 5;  // faces 3 and 4 were never written: vertex 0 thrice
    EXPECT_EQ(sectionLines(geometryOf(*store), "PART_MAPPINGS"),
              (std::vector<std::string>{
                  "0,(0.5,0.25),(1,0),(0.75,1);",
                  "1,(0,0),(0,0),(0,0);",
                  "2,(0,0),(0.75,1),(0.5,0.25);",
                  "3,(0.5,0.25),(0.5,0.25),(0.5,0.25);",
                  "4,(0.5,0.25),(0.5,0.25),(0.5,0.25);",
              }));
}

TEST(GeometrySections, PointsFollowTheVertexCount) {
    auto store = std::make_unique<ModelStore>();
    Vertex& v0 = store->vertices.slot(0);
    v0.x = 1.0F;
    v0.y = -2.5F;
    v0.z = 0.25F;
    Vertex& v1 = store->vertices.slot(1);
    v1.x = -0.0F;
    v1.y = 1234567.0F;
    v1.z = 0.1F;
    store->vertices.slot(2).x = 9.0F;  // beyond the count
    store->vertexCount = 2;
    EXPECT_EQ(sectionLines(geometryOf(*store), "POINTS"),
              (std::vector<std::string>{"1,-2.5,0.25;", "0,1.23457e+006,0.1;"}));
}

// ---------------------------------------------------------------------------
// Whole files, the expected text written out by hand.

TEST(MeshConversion, SimpleModel) {
    const Bytes file = modelFile(
        "tri", "info", "me",
        {chunk("SMRT", vertexPayload({{0, 0, 0, 0, 0},
                                      {1, 0, 0, 1, 0},
                                      {1, 1, 0, 1, 1},
                                      {-0.0F, 0.1F, 1234567, 0.25F, 0.00001F}},
                                     6)),
         chunk("ARC0", arc0Payload({{0, 1, 2}, {0, 2, 3}}, {{"front", 0, 6}, {"back", 3, 3}}))});
    const std::string expected =
        "BEGIN \"tri\"\r\n"
        "\r\n"
        "COMMENT{\r\n"
        "//  Converted by Grelvin from: tri.bin\r\n"
        "//  Object: tri\r\n"
        "//  Unknown string: info\r\n"
        "//  Author: me\r\n"
        "}\r\n"
        "\r\n"
        "MATERIALS{\r\n"
        "}\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "POINTS{\r\n"
        "0,0,0;\r\n"
        "1,0,0;\r\n"
        "1,1,0;\r\n"
        "0,0.1,1.23457e+006;\r\n"
        "}\r\n"
        "\r\n"
        "PARTS{\r\n"
        "4,N,0,   1,(0,1,2);\r\n"
        "4,N,1,   1,(0,2,3);\r\n"
        "4,N,1,   2,(0,2,3);\r\n"
        "}\r\n"
        "\r\n"
        "PART_MAPPINGS{\r\n"
        "0,(0,0),(1,0),(1,1);\r\n"
        "1,(0,0),(1,1),(0.25,1e-005);\r\n"
        "}\r\n"
        "\r\n"
        "END\r\n";
    EXPECT_EQ(convert(file, "tri.bin"), expected);
}

// Repeated chunks of both kinds, a corner count that is not a multiple of 3,
// parts that overlap, reach below face 0, beyond the table and wrap around,
// more mapping rows than triangles, and corners outside the vertex count.
TEST(MeshConversion, RepeatedChunksAndStrayRanges) {
    Arc0Counts secondHead;
    secondHead.triangleIndexCount = 4;  // one triangle; the fourth corner is not read
    secondHead.partCount = 5;
    Bytes secondArc0 = arc0Head(secondHead);
    secondArc0.append(triangleRecords({{0, -1, 5}}));
    for (const PartRecord& part : std::vector<PartRecord>{
             {"a", 0, 6}, {"b", 3, 3}, {"c", -6, 9}, {"d", 3 * 131071, 9}, {"e", INT_MAX - 1, 3}}) {
        secondArc0.append(partRecord(part));
    }
    const Bytes file = modelFile(
        "mesh", "", "",
        {chunk("SM03", vertexPayload(
                           {{1, 1, 1, 0.5F, 0.5F}, {2, 2, 2, 1, 0}, {3, 3, 3, 0.75F, 0.125F}}, 3)),
         chunk("ARC0", arc0Payload({{0, 1, 2}, {1, 2, 0}, {2, 0, 1}}, {{"old", 0, 9}})),
         chunk("SMRT", vertexPayload({{-1, -2, -3, 0.5F, 0.25F}, {4, 5, 6, 0, 1}}, 12)),
         chunk("ARC0", secondArc0)});
    const std::string expected =
        "BEGIN \"mesh\"\r\n"
        "\r\n"
        "COMMENT{\r\n"
        "//  Converted by Grelvin from: m.bin\r\n"
        "//  Object: mesh\r\n"
        "//  Unknown string: \r\n"
        "//  Author: \r\n"
        "}\r\n"
        "\r\n"
        "MATERIALS{\r\n"
        "}\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "POINTS{\r\n"
        "-1,-2,-3;\r\n"
        "4,5,6;\r\n"
        "}\r\n"
        "\r\n"
        "PARTS{\r\n"
        "4,N,0,   1,(0,-1,5);\r\n"
        "4,N,1,   1,(1,2,0);\r\n"
        "4,N,1,   2,(1,2,0);\r\n"
        "4,N,0,   3,(0,-1,5);\r\n"
        "4,N,131071,   4,(0,0,0);\r\n"
        "}\r\n"
        "\r\n"
        "PART_MAPPINGS{\r\n"
        "0,(0.5,0.25),(0,0),(0,0);\r\n"
        "1,(0,1),(0.75,0.125),(0.5,0.25);\r\n"
        "2,(0.75,0.125),(0.5,0.25),(0,1);\r\n"
        "3,(0.5,0.25),(0.5,0.25),(0.5,0.25);\r\n"
        "}\r\n"
        "\r\n"
        "END\r\n";
    EXPECT_EQ(convert(file, "m.bin"), expected);
}

}  // namespace
}  // namespace grelvin
