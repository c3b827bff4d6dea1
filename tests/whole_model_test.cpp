// One binary model file with every chunk kind, converted as a whole and
// compared with its text model file written out by hand.
#include <gtest/gtest.h>

#include <string>

#include "conversion/convert_model.h"
#include "support/collision_payloads.h"
#include "support/model_file_builder.h"

namespace grelvin {
namespace {

using testing::Bytes;
using testing::chunk;
using testing::chunkWithSize;

Bytes vertexChunkPayload() {
    Bytes payload;
    payload.u16(0xBEEF).u16(4);  // unused, then four vertices
    const float vertices[4][5] = {
        {0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, -2.5F, 0.25F, 0.5F, 0.25F}};
    for (const auto& v : vertices) {
        payload.f32(v[0]).f32(v[1]).f32(v[2]).raw("spare bytes!").f32(v[3]).f32(v[4]);
    }
    payload.u16(6).zeros(2 * 6);  // six corners: two index records, never used
    payload.zeros(3 * 6);         // the three trailing records
    return payload;
}

Bytes arc0ChunkPayload() {
    Bytes payload;
    payload.zeros(40);
    payload.i32(0).i32(6).i32(0).i32(2).i32(0).i32(0).i32(0).zeros(12);
    payload.i16(0).i16(1).i16(2);  // the two triangles
    payload.i16(0).i16(2).i16(3);
    // Two parts of one triangle each.
    payload.u8(4).raw("hull").i32(7).i32(8).i32(9).i32(0).i32(3).i32(10);
    payload.u8(4).raw("deck").i32(7).i32(8).i32(9).i32(3).i32(3).i32(10);
    return payload;
}

TEST(WholeModel, EveryChunkKindConvertsToItsTextModel) {
    using testing::ColoContent;
    ColoContent mesh;
    mesh.points = {{1, 2, 3}, {0, 0, 0}, {-1, 0.5F, 2}};
    mesh.faces = {{0, 1, 2}, {2, 1, -1}};
    const testing::HitBoxMatrix rotated = {0, 1, 0, -1, 0, 0, 0, 0, 1, 10, 0, 0};

    const Bytes file = testing::modelFile(
        "ship", "", "me",
        {
            chunkWithSize("EDTR", 8, Bytes().u32(1).u32(2)),
            chunk("CHER", Bytes().u16(7)),
            chunk("SMED", Bytes().i32(0).zeros(6 + 4)),
            chunk("MCB0", Bytes().u32(5)),
            chunk("ZZZZ", Bytes().raw("never")),
            chunk("SM03", vertexChunkPayload()),
            chunk("ARC0", arc0ChunkPayload()),
            chunk("SKC0", testing::skPayload("alt", {"red"})),
            chunk("SKA0", testing::skPayload("wall", {"brick", "roof"})),
            chunk("COLO", testing::coloPayload(mesh)),
            chunk("SMHP", testing::smhpPayload({{rotated, "collision"},
                                                {testing::translationMatrix(1, 2, 3), "door"}})),
        });

    const char* const expected =
        "BEGIN \"ship\"\r\n"
        "\r\n"
        "COMMENT{\r\n"
        "//  Converted by Grelvin from: ship.bin\r\n"
        "//  Object: ship\r\n"
        "//  Unknown string: \r\n"
        "//  Author: me\r\n"
        "}\r\n"
        "\r\n"
        "MATERIALS{\r\n"
        "1,\"wall1\",PHONG,TMAP \"brick.bmp\",100,TRANSP 0;\r\n"
        "2,\"wall2\",PHONG,TMAP \"roof.bmp\",100,TRANSP 0;\r\n"
        "3,\"Material3\",PHONG,RGB 255,0,0,TRANSP 50;\r\n"
        "}\r\n"
        "\r\n"
        "\r\n"
        "//3,\"alt\",PHONG,TMAP \"red.bmp\",100,TRANSP 0;\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "POINTS{\r\n"
        "0,0,0;\r\n"
        "1,0,0;\r\n"
        "1,1,0;\r\n"
        "0,-2.5,0.25;\r\n"
        "}\r\n"
        "\r\n"
        "PARTS{\r\n"
        "4,N,0,   1,(0,1,2);\r\n"
        "4,N,1,   2,(0,2,3);\r\n"
        "}\r\n"
        "\r\n"
        "PART_MAPPINGS{\r\n"
        "0,(0,0),(1,0),(1,1);\r\n"
        "1,(0,0),(1,1),(0.5,0.25);\r\n"
        "}\r\n"
        "\r\n"
        "BEGIN \"Collision\"\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "POINTS{\r\n"
        "8,1,3;\r\n"
        "10,0,0;\r\n"
        "9.5,-1,2;\r\n"
        "}\r\n"
        "\r\n"
        "PARTS{\r\n"
        "4,N,0,ff03,(2,1,0);\r\n"
        "4,N,1,ff03,(-1,1,2);\r\n"
        "}\r\n"
        "\r\n"
        "BEGIN \"door\"\r\n"
        "\r\n"
        "POINTS{\r\n"
        "1.5,1.5,3.5;\r\n"
        "0.5,1.5,3.5;\r\n"
        "0.5,1.5,2.5;\r\n"
        "1.5,1.5,2.5;\r\n"
        "1.5,2.5,2.5;\r\n"
        "0.5,2.5,2.5;\r\n"
        "1.5,2.5,3.5;\r\n"
        "0.5,2.5,3.5;\r\n"
        "}\r\n"
        "\r\n"
        "PARTS{\r\n"
        "4,N,0,ff03,(2,3,0);\r\n"
        "4,N,1,ff03,(2,0,1);\r\n"
        "4,N,2,ff03,(2,5,4);\r\n"
        "4,N,3,ff03,(2,4,3);\r\n"
        "4,N,4,ff03,(3,4,6);\r\n"
        "4,N,5,ff03,(3,6,0);\r\n"
        "4,N,6,ff03,(0,6,7);\r\n"
        "4,N,7,ff03,(0,7,1);\r\n"
        "4,N,8,ff03,(4,5,7);\r\n"
        "4,N,9,ff03,(4,7,6);\r\n"
        "4,N,10,ff03,(5,2,1);\r\n"
        "4,N,11,ff03,(5,1,7);\r\n"
        "}\r\n"
        "\r\n"
        "END\r\n";

    std::string text;
    ASSERT_EQ(convertModel(file.data, "ship.bin", stringSink(text)), ConversionStatus::converted);
    EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace grelvin
