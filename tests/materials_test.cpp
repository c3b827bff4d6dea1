// Texture-group chunks and the MATERIALS section with the commented groups.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "support/collision_payloads.h"
#include "support/expected_text.h"
#include "support/model_file_builder.h"
#include "writer/section_writers.h"

namespace grelvin {
namespace {

using testing::Bytes;
using testing::chunk;
using testing::ColoContent;
using testing::coloPayload;
using testing::crlf;
using testing::modelFile;
using testing::skPayload;

std::unique_ptr<ModelStore> read(const Bytes& file) {
    auto store = std::make_unique<ModelStore>();
    EXPECT_TRUE(readModelImage(file.data, *store));
    return store;
}

std::vector<std::string> textureNames(const TextureGroup& group) {
    std::vector<std::string> names;
    for (const TextureName& texture : group.textures) {
        names.push_back(texture.name);
    }
    return names;
}

std::string materialsOf(const Bytes& file) {
    const auto store = read(file);
    std::string text;
    auto output = std::make_unique<TextOutput>(stringSink(text));
    writeMaterialsSection(*output, *store);
    EXPECT_TRUE(flushTextOutput(*output));
    return text;
}

Bytes collisionMesh(std::size_t pointCount) {
    ColoContent mesh;
    mesh.points.resize(pointCount);
    return chunk("COLO", coloPayload(mesh));
}

TEST(TextureGroupChunk, ReadsNameAndTexturesInFileOrder) {
    const Bytes payload = skPayload("wall", {"brick", "roof"});
    ASSERT_EQ(payload.size(), 34U);
    const auto store = read(modelFile("m", "", "", {chunk("SKA0", payload)}));
    const TextureGroup& group = store->textureGroups[0];
    EXPECT_EQ(group.name, "wall");
    EXPECT_EQ(group.textureCount, 2);
    EXPECT_EQ(textureNames(group), (std::vector<std::string>{"brick", "roof"}));
    EXPECT_EQ(store->groupLimit, 1);
}

TEST(TextureGroupChunk, GroupLimitIsOneMoreThanTheHighestLetterSeen) {
    const auto lone = read(modelFile("m", "", "", {chunk("SKC0", skPayload("alt", {"red"}))}));
    EXPECT_EQ(lone->groupLimit, 3);
    EXPECT_EQ(lone->textureGroups[2].name, "alt");
    for (const std::size_t g : {0U, 1U}) {
        EXPECT_EQ(lone->textureGroups[g].textureCount, 0);
        EXPECT_EQ(lone->textureGroups[g].name, "");
        EXPECT_TRUE(lone->textureGroups[g].textures.empty());
    }

    const auto falling = read(modelFile(
        "m", "", "", {chunk("SKD0", skPayload("d", {"x"})), chunk("SKA0", skPayload("a", {}))}));
    EXPECT_EQ(falling->groupLimit, 4);

    const auto last = read(modelFile("m", "", "", {chunk("SKZ0", skPayload("z", {"t"}))}));
    EXPECT_EQ(last->groupLimit, 26);
    EXPECT_EQ(textureNames(last->textureGroups[25]), std::vector<std::string>{"t"});
}

TEST(TextureGroupChunk, LaterChunkOfTheSameLetterReplacesTheWholeGroup) {
    const auto store = read(modelFile(
        "m", "", "",
        {chunk("SKB0", skPayload("first", {"a", "b", "c"})),
         chunk("SKC0", skPayload("other", {"o"})), chunk("SKB0", skPayload("second", {"z"}))}));
    const TextureGroup& group = store->textureGroups[1];
    EXPECT_EQ(group.name, "second");
    EXPECT_EQ(group.textureCount, 1);
    EXPECT_EQ(textureNames(group), std::vector<std::string>{"z"});
    EXPECT_EQ(textureNames(store->textureGroups[2]), std::vector<std::string>{"o"});

    // A count of 0 still replaces the name and empties the list.
    const auto emptied = read(modelFile(
        "m", "", "",
        {chunk("SKB0", skPayload("full", {"a", "b"})), chunk("SKB0", skPayload("bare", {}))}));
    EXPECT_EQ(emptied->textureGroups[1].name, "bare");
    EXPECT_EQ(emptied->textureGroups[1].textureCount, 0);
    EXPECT_TRUE(emptied->textureGroups[1].textures.empty());
    EXPECT_EQ(emptied->groupLimit, 2);
}

TEST(TextureGroupChunk, BytesAfterTheLastNameAreStepped) {
    // The extra bytes would read as one more texture name if the decoder
    // went by anything but the count, and as a chunk header if the walk did
    // not go by the size.
    Bytes payload = skPayload("g", {"t"});
    payload.wide("extra").zeros(12);
    const auto store = read(
        modelFile("m", "", "", {chunk("SKA0", payload), chunk("SKB0", skPayload("next", {"n"}))}));
    EXPECT_EQ(textureNames(store->textureGroups[0]), std::vector<std::string>{"t"});
    EXPECT_EQ(store->textureGroups[1].name, "next");
    EXPECT_EQ(store->groupLimit, 2);
}

// The list holds the names the file delivers; textureCount follows it.
TEST(TextureGroupChunk, CountIsWhatTheFileDelivers) {
    struct Case {
        const char* what;
        Bytes payload;  // the last bytes of the file
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {"count promises more names than follow",
         skPayload("g", {"brick", "roof"}, 65535),
         {"brick", "roof"}},
        {"the last name cut off by the end",
         skPayload("g", {"brick"}, 3).u16('r').u16('o'),
         {"brick", "ro"}},
        {"a name cut off on an odd byte", skPayload("g", {}, 2).u8('b'), {"b"}},
        {"a count cut off by the end", Bytes().wide("g").u8(5), {}},
        {"no count at all", Bytes().wide("g"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto store = read(modelFile("m", "", "", {chunk("SKA0", c.payload)}));
        const TextureGroup& group = store->textureGroups[0];
        EXPECT_EQ(group.name, "g");
        EXPECT_EQ(textureNames(group), c.names);
        EXPECT_EQ(group.textureCount, static_cast<std::int32_t>(c.names.size()));
        EXPECT_EQ(store->groupLimit, 1);
    }
}

TEST(MaterialsSection, MaterialLinesOfGroupAAndTheCollisionMaterial) {
    struct Case {
        const char* what;
        std::vector<Bytes> chunks;
        const char* expected;
    };
    ColoContent negative;
    negative.pointCount = -1;
    ColoContent facesOnly;
    facesOnly.faces = {{0, 1, 2}};
    std::vector<std::string> ten;
    for (int i = 1; i <= 10; ++i) {
        ten.push_back(std::to_string(i).insert(0, 1, 't'));
    }
    const std::vector<Case> cases = {
        {"nothing", {}, "MATERIALS{\n}\n\n"},
        {"group A and a collision mesh",
         {chunk("SKA0", skPayload("wall", {"brick", "roof"})), collisionMesh(5)},
         "MATERIALS{\n"
         "1,\"wall1\",PHONG,TMAP \"brick.bmp\",100,TRANSP 0;\n"
         "2,\"wall2\",PHONG,TMAP \"roof.bmp\",100,TRANSP 0;\n"
         "3,\"Material3\",PHONG,RGB 255,0,0,TRANSP 50;\n"
         "}\n\n"},
        {"a collision mesh and an empty group A",
         {chunk("SKA0", skPayload("wall", {})), collisionMesh(1)},
         "MATERIALS{\n1,\"Material1\",PHONG,RGB 255,0,0,TRANSP 50;\n}\n\n"},
        {"a negative point count",
         {chunk("COLO", coloPayload(negative))},
         "MATERIALS{\n1,\"Material1\",PHONG,RGB 255,0,0,TRANSP 50;\n}\n\n"},
        {"faces but no points", {chunk("COLO", coloPayload(facesOnly))}, "MATERIALS{\n}\n\n"},
        {"the file name keeps its own extension",
         {chunk("SKA0", skPayload("w", {"brick.tga"}))},
         "MATERIALS{\n1,\"w1\",PHONG,TMAP \"brick.tga.bmp\",100,TRANSP 0;\n}\n\n"},
        {"ten textures",
         {chunk("SKA0", skPayload("x", ten)), collisionMesh(1)},
         "MATERIALS{\n"
         "1,\"x1\",PHONG,TMAP \"t1.bmp\",100,TRANSP 0;\n"
         "2,\"x2\",PHONG,TMAP \"t2.bmp\",100,TRANSP 0;\n"
         "3,\"x3\",PHONG,TMAP \"t3.bmp\",100,TRANSP 0;\n"
         "4,\"x4\",PHONG,TMAP \"t4.bmp\",100,TRANSP 0;\n"
         "5,\"x5\",PHONG,TMAP \"t5.bmp\",100,TRANSP 0;\n"
         "6,\"x6\",PHONG,TMAP \"t6.bmp\",100,TRANSP 0;\n"
         "7,\"x7\",PHONG,TMAP \"t7.bmp\",100,TRANSP 0;\n"
         "8,\"x8\",PHONG,TMAP \"t8.bmp\",100,TRANSP 0;\n"
         "9,\"x9\",PHONG,TMAP \"t9.bmp\",100,TRANSP 0;\n"
         "10,\"x10\",PHONG,TMAP \"t10.bmp\",100,TRANSP 0;\n"
         "11,\"Material11\",PHONG,RGB 255,0,0,TRANSP 50;\n"
         "}\n\n"},
        {"line feeds inside names",
         {chunk("SKA0", skPayload("a\nb", {"c\nd\re"}))},
         "MATERIALS{\n1,\"a\nb1\",PHONG,TMAP \"c\nd\re.bmp\",100,TRANSP 0;\n}\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(materialsOf(modelFile("m", "", "", c.chunks)), crlf(c.expected));
    }
}

TEST(MaterialsSection, GroupsAfterAAreCommentedBlocksUpToTheLimit) {
    struct Case {
        const char* what;
        std::vector<Bytes> chunks;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"a lone SKC0 chunk",
         {chunk("SKC0", skPayload("alt", {"red"}))},
         "MATERIALS{\n}\n\n"
         "\n"
         "//3,\"alt\",PHONG,TMAP \"red.bmp\",100,TRANSP 0;\n"
         "\n"},
        {"group D with three textures after group A",
         {chunk("SKD0", skPayload("d", {"p", "q", "r"})), chunk("SKA0", skPayload("a", {"s"}))},
         "MATERIALS{\n"
         "1,\"a1\",PHONG,TMAP \"s.bmp\",100,TRANSP 0;\n"
         "}\n\n"
         "\n"
         "\n"
         "//4,\"d\",PHONG,TMAP \"p.bmp\",100,TRANSP 0;\n"
         "//4,\"d\",PHONG,TMAP \"q.bmp\",100,TRANSP 0;\n"
         "//4,\"d\",PHONG,TMAP \"r.bmp\",100,TRANSP 0;\n"
         "\n"},
        {"group Z with an empty group B",
         {chunk("SKB0", skPayload("b", {})), chunk("SKZ0", skPayload("z", {"last"}))},
         "MATERIALS{\n}\n\n"
         "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n"
         "//26,\"z\",PHONG,TMAP \"last.bmp\",100,TRANSP 0;\n"
         "\n"},
        {"group A alone writes no comment block",
         {chunk("SKA0", skPayload("a", {}))},
         "MATERIALS{\n}\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(materialsOf(modelFile("m", "", "", c.chunks)), crlf(c.expected));
    }
}

}  // namespace
}  // namespace grelvin
