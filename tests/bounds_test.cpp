// The written bounds (README, "Guarantees") against the worst inputs we can
// build: the text stays within maxOutputBytes for the input's size, the
// tables hold no more records than the file delivers, and the reader
// delivers no more bytes than its budget however the chunks overlap. Sizes
// are counted, never timed.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "reader/chunk_table.h"
#include "support/collision_payloads.h"
#include "support/mesh_payloads.h"
#include "support/model_file_builder.h"
#include "support/output_bound.h"
#include "support/text_properties.h"

namespace grelvin {
namespace {

using testing::Arc0Counts;
using testing::Bytes;
using testing::chunk;
using testing::modelFile;

constexpr std::string_view kPath = "worst.bin";

// Widest float forms: 13 characters each once written.
constexpr float kWideFloat = -1.234567e-38F;

struct TextCount {
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;
    std::uint64_t objects = 0;  // lines that begin an object
};

TextCount countText(const Bytes& file) {
    struct Sink {
        TextCount count;
        std::string lineStart;  // the first bytes of the current line
    } sink;
    const auto write = [](void* context, const char* data, std::size_t size) {
        auto& s = *static_cast<Sink*>(context);
        for (std::size_t i = 0; i < size; ++i) {
            if (s.lineStart.size() < 6) {
                s.lineStart.push_back(data[i]);
                if (s.lineStart == "BEGIN ") {
                    ++s.count.objects;
                }
            }
            if (data[i] == '\n') {
                ++s.count.lines;
                s.lineStart.clear();
            }
        }
        s.count.bytes += size;
        return true;
    };
    EXPECT_EQ(convertModel(file.data, kPath, OutputSink{&sink, write}),
              ConversionStatus::converted);
    return sink.count;
}

// The text of `file` holds every property and stays within the bound.
TextCount expectWithinBound(const Bytes& file) {
    const testing::TextProperties text = testing::convertAndWatch(file.data, kPath);
    EXPECT_EQ(testing::violatedProperty(text, file.size(), kPath.size()), "")
        << text.size << " bytes of text for " << file.size() << " bytes of input; bound "
        << testing::maxOutputBytes(file.size(), kPath.size());
    return countText(file);
}

// Memory follows the file: every table holds at most the records one forward
// pass over the file can deliver.
void expectTablesWithinFile(const Bytes& file) {
    auto store = std::make_unique<ModelStore>();
    ASSERT_TRUE(readModelImage(file.data, *store));
    const std::size_t n = file.size();
    EXPECT_LE(store->vertices.records.size(), n / sizeof(Vertex) + 1);
    EXPECT_LE(store->faces.records.size(), n / 6 + 1);
    EXPECT_LE(store->collisionPoints.records.size(), n / sizeof(CollisionPoint) + 1);
    EXPECT_LE(store->collisionFaces.records.size(), n / sizeof(CollisionFace) + 1);
    EXPECT_LE(store->hitBoxes.records.size(), n / 50 + 1);
    std::size_t characters =
        store->objectName.size() + store->infoString.size() + store->authorName.size();
    for (const TextureGroup& group : store->textureGroups) {
        EXPECT_LE(group.textures.size(), n / 2 + 1);
        EXPECT_LE(group.name.size(), testing::kNameCharacterLimit);
        characters += group.name.size();
        for (const TextureName& texture : group.textures) {
            characters += texture.name.size();
        }
    }
    EXPECT_LE(characters, (testing::kGroupCount + 1) * (n / 2 + 1));
}

// 64 parts, each covering the whole face table, from a file of a few hundred
// bytes: the largest text for the smallest input, 64 * 131,072 face lines.
TEST(Bounds, SixtyFourPartsEachNamingTheWholeFaceTable) {
    Arc0Counts counts;
    counts.partCount = 64;
    Bytes arc0 = testing::arc0Head(counts);
    for (int p = 0; p < 64; ++p) {
        testing::PartRecord part;
        part.firstIndex = 0;
        part.indexCount = std::numeric_limits<std::int32_t>::max();
        arc0.append(testing::partRecord(part));
    }
    const Bytes file = modelFile("m", "", "", {chunk("ARC0", arc0)});
    ASSERT_LT(file.size(), 2000U);
    const TextCount text = expectWithinBound(file);
    const TextCount frame = countText(modelFile("m", "", ""));
    EXPECT_EQ(text.lines - frame.lines, 64U * 131072U);
    expectTablesWithinFile(file);
}

// The same with every face delivered and as wide as a face line gets:
// indices of six characters, face numbers of six digits.
TEST(Bounds, SixtyFourPartsOfTheWidestFaces) {
    Arc0Counts counts;
    counts.triangleIndexCount = 3 * 131072;
    counts.partCount = 64;
    Bytes arc0 = testing::arc0Head(counts);
    for (int f = 0; f < 131072; ++f) {
        arc0.i16(-32768).i16(-32768).i16(-32768);
    }
    for (int p = 0; p < 64; ++p) {
        testing::PartRecord part;
        part.firstIndex = 0;
        part.indexCount = 3 * 131072;
        arc0.append(testing::partRecord(part));
    }
    const Bytes file = modelFile("m", "", "", {chunk("ARC0", arc0)});
    const TextCount text = expectWithinBound(file);
    EXPECT_GT(text.bytes, 64U * 131072U * 35U);
    expectTablesWithinFile(file);
}

// The most PART_MAPPINGS rows (K = 65,535 gives 21,845), each naming vertices
// whose texture coordinates take the widest float form.
TEST(Bounds, MostMappingRowsOfTheWidestFloats) {
    std::vector<testing::VertexRecord> vertices(
        3, {kWideFloat, kWideFloat, kWideFloat, kWideFloat, kWideFloat});
    std::vector<testing::Triangle> triangles(21845, {0, 1, 2});
    const Bytes file = modelFile("m", "", "",
                                 {chunk("SMRT", testing::vertexPayload(vertices, 65535)),
                                  chunk("ARC0", testing::arc0Payload(triangles, {}))});
    const TextCount text = expectWithinBound(file);
    EXPECT_GT(text.bytes, 21845U * (5 + 6 * 13));
    expectTablesWithinFile(file);
}

// Header strings and names as long as the file allows, made of line feeds,
// each of which is written as two bytes.
TEST(Bounds, LongStringsOfLineFeeds) {
    const std::string feeds(100000, '\n');
    const Bytes file = modelFile(
        feeds, feeds, feeds,
        {chunk("SKA0", testing::skPayload(feeds, {feeds, feeds})),
         chunk("SMHP", testing::smhpPayload({{testing::translationMatrix(0, 0, 0), feeds},
                                             {testing::translationMatrix(0, 0, 0), feeds}}))});
    const TextCount text = expectWithinBound(file);
    EXPECT_GT(text.bytes, 4U * 2 * feeds.size());
    expectTablesWithinFile(file);
}

// A group name as long as the count of names: every material line repeats
// the group name, so unless the stored name is held to its field the text
// would grow with the product of the two.
TEST(Bounds, ALongGroupNameWithManyTextures) {
    const std::string longName(65535, 'g');
    const std::vector<std::string> textures(65535, "");
    const Bytes file = modelFile("m", "", "",
                                 {chunk("SKA0", testing::skPayload(longName, textures)),
                                  chunk("SKB0", testing::skPayload(longName, textures))});
    expectWithinBound(file);
    expectTablesWithinFile(file);
}

// All 26 groups full: 65,535 textures each under a name of line feeds.
TEST(Bounds, EveryGroupWithTheMostTextures) {
    const std::vector<std::string> textures(65535, "");
    std::vector<Bytes> chunks;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        chunks.push_back(chunk(std::string("SK") + letter + "0",
                               testing::skPayload(std::string(63, '\n'), textures)));
    }
    const Bytes file = modelFile("m", "", "", chunks);
    const TextCount text = expectWithinBound(file);
    EXPECT_GT(text.lines, 26U * 65535U);
    expectTablesWithinFile(file);
}

// 65,535 hit boxes announced, three delivered: the cubes stop at the hit-box
// table (32 records), the ones beyond the file being empty.
TEST(Bounds, HitBoxCountBeyondWhatIsDelivered) {
    const Bytes file =
        modelFile("m", "", "",
                  {chunk("SMHP", testing::smhpPayload({{testing::translationMatrix(0, 0, 0), "a"},
                                                       {testing::translationMatrix(1, 2, 3), "b"},
                                                       {testing::translationMatrix(4, 5, 6), "c"}},
                                                      65535))});
    const TextCount text = expectWithinBound(file);
    EXPECT_EQ(text.objects, 1U + 31U);
    expectTablesWithinFile(file);
}

// 65,535 hit boxes delivered: one cube each after the first, at the widest
// corner values.
TEST(Bounds, EveryHitBoxDelivered) {
    std::vector<testing::HitBoxEntry> entries(
        65535, {testing::translationMatrix(kWideFloat, kWideFloat, -3.4e38F), ""});
    const Bytes file = modelFile("m", "", "", {chunk("SMHP", testing::smhpPayload(entries))});
    const TextCount text = expectWithinBound(file);
    EXPECT_EQ(text.objects, 65535U);
    expectTablesWithinFile(file);
}

// A collision mesh beyond its nominal capacities, at the widest values, and
// a collision material number of five hexadecimal digits.
TEST(Bounds, CollisionMeshBeyondItsCapacities) {
    testing::ColoContent content;
    content.points.assign(20000, {kWideFloat, kWideFloat, kWideFloat});
    content.faces.assign(6000, {-32768, -32768, -32768});
    const Bytes file =
        modelFile("m", "", "",
                  {chunk("SKA0", testing::skPayload("a", std::vector<std::string>(65535, ""))),
                   chunk("COLO", testing::coloPayload(content))});
    const TextCount text = expectWithinBound(file);
    EXPECT_GT(text.lines, 20000U + 6000U + 65535U);
    expectTablesWithinFile(file);
}

// Chunks that overlap: each SMED chunk says size 4, so the next header
// follows right after its count, and the count sends it reading whole records
// almost to the end of the file. Unchecked, the walk would read about n^2 / 32
// bytes; the budget keeps it within 8n + 1 MiB and one last chunk.
TEST(Bounds, OverlappingChunksStayWithinTheReadBudget) {
    constexpr std::size_t kChunks = 100000;
    constexpr std::size_t kUnit = 16;  // chunk header and count
    const std::size_t base =
        testing::fileHeader(0).size() + testing::headerStrings("m", "", "").size();
    const std::size_t total = base + kChunks * kUnit;
    std::vector<Bytes> chunks;
    for (std::size_t i = 0; i < kChunks; ++i) {
        const std::size_t remaining = total - (base + (i + 1) * kUnit);
        // c + 1 records of 6 bytes and c + 1 of 4, every one delivered whole.
        const auto count = static_cast<std::int32_t>(remaining / 10) - 1;
        chunks.push_back(testing::chunkWithSize("SMED", 4, Bytes().i32(count)));
    }
    const Bytes file = modelFile("m", "", "", chunks);
    ASSERT_EQ(file.size(), total);
    auto store = std::make_unique<ModelStore>();
    InputCursor input = makeInputCursor(file.data.data(), file.size());
    const FileHeader header = readFileHeader(input);
    readHeaderStrings(input, *store);
    walkChunks(input, header, *store, findChunkHandler);
    EXPECT_LE(input.deliveredTotal, testing::deliveredBytesBound(file.size()));
    EXPECT_GT(input.deliveredTotal, 8U * file.size());  // the case does reach the budget
    expectWithinBound(file);
}

}  // namespace
}  // namespace grelvin
