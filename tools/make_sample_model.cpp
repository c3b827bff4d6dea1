// Writes the bundled sample model, samples/ship.bin: a small sailing ship that
// holds every kind of chunk the converter knows. The hull, mast and sail are
// three parts of one textured mesh (SMRT, ARC0), group A names their textures
// and group B a second set (SKA0, SKB0), a box around the hull is the collision
// mesh (COLO), and three hit boxes place it and mark two cannon ports (SMHP).
// EDTR, CHER, SMED and MCA0 chunks carry data that the conversion reads and
// discards, and one chunk of an unknown kind is stepped over.
//
// Usage: make_sample_model OUT
// The file is the same on every run: the committed sample is this tool's output.

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "support/model_file_builder.h"

namespace {

using grelvin::testing::Bytes;
using grelvin::testing::chunk;

struct SampleVertex {
    float x, y, z, u, v;
};

struct SampleTriangle {
    std::int16_t a, b, c;
};

struct SamplePart {
    std::string_view name;
    std::int32_t firstIndex;
    std::int32_t indexCount;
};

// Hull (deck, sides, stern), a flat mast and a two-sided sail.
constexpr std::array<SampleVertex, 14> kVertices{{
    {0.0F, 1.0F, 4.0F, 0.5F, 0.0F},       // bow
    {-1.5F, 1.0F, 1.0F, 0.0F, 0.375F},    // port fore deck
    {1.5F, 1.0F, 1.0F, 1.0F, 0.375F},     // starboard fore deck
    {-1.5F, 1.1F, -3.0F, 0.0F, 1.0F},     // port aft deck
    {1.5F, 1.1F, -3.0F, 1.0F, 1.0F},      // starboard aft deck
    {0.0F, -0.8F, 1.0F, 0.5F, 0.375F},    // keel fore
    {0.0F, -0.65F, -3.0F, 0.5F, 1.0F},    // keel aft
    {-0.1F, 1.0F, 0.0F, 0.0F, 1.0F},      // mast foot
    {0.1F, 1.0F, 0.0F, 1.0F, 1.0F},       //
    {-0.1F, 5.5F, 0.0F, 0.0F, 0.0F},      // mast head
    {0.1F, 5.5F, 0.0F, 1.0F, 0.0F},       //
    {0.0F, 5.2F, 0.2F, 0.0F, 0.0F},       // sail peak
    {0.0F, 1.6F, 0.2F, 0.0F, 1.0F},       // sail tack
    {0.0F, 1.6F, -2.4F, 0.333333F, 1.0F}  // sail clew
}};

constexpr std::array<SampleTriangle, 14> kTriangles{{
    {0, 1, 2},
    {1, 3, 2},
    {2, 3, 4},  // deck
    {0, 5, 1},
    {1, 5, 6},
    {1, 6, 3},  // port side
    {0, 2, 5},
    {2, 4, 6},
    {2, 6, 5},  // starboard side
    {3, 6, 4},  // stern
    {7, 8, 9},
    {8, 10, 9},  // mast
    {11, 12, 13},
    {11, 13, 12},  // sail, both faces
}};

constexpr std::array<SamplePart, 3> kParts{{
    {"hull", 0, 30},
    {"mast", 30, 6},
    {"sail", 36, 6},
}};

Bytes textureGroup(std::string_view name, std::initializer_list<std::string_view> textures) {
    Bytes payload;
    payload.wide(name).u16(static_cast<std::uint16_t>(textures.size()));
    for (const std::string_view texture : textures) {
        payload.wide(texture);
    }
    return payload;
}

Bytes vertexChunkPayload() {
    Bytes payload;
    payload.u16(1).u16(static_cast<std::uint16_t>(kVertices.size()));
    for (const SampleVertex& vertex : kVertices) {
        payload.f32(vertex.x).f32(vertex.y).f32(vertex.z).zeros(12).f32(vertex.u).f32(vertex.v);
    }
    // The chunk's own index list and the three trailing groups, which the
    // converter steps over.
    payload.u16(static_cast<std::uint16_t>(kTriangles.size() * 3));
    for (const SampleTriangle& triangle : kTriangles) {
        payload.i16(triangle.a).i16(triangle.b).i16(triangle.c);
    }
    payload.zeros(18);
    return payload;
}

Bytes arc0ChunkPayload() {
    constexpr std::int32_t kFirstArrayCount = 1;   // 64-byte records
    constexpr std::int32_t kSecondArrayCount = 2;  // 16-byte records
    constexpr std::int32_t kThirdArrayCount = 3;   // 16-bit values
    Bytes payload;
    payload.zeros(40);
    payload.i32(kFirstArrayCount)
        .i32(static_cast<std::int32_t>(kTriangles.size() * 3))
        .i32(0)
        .i32(static_cast<std::int32_t>(kParts.size()))
        .i32(kThirdArrayCount)
        .i32(0)
        .i32(kSecondArrayCount)
        .zeros(12);
    payload.zeros(64 * kFirstArrayCount).zeros(16 * kSecondArrayCount).zeros(2 * kThirdArrayCount);
    for (const SampleTriangle& triangle : kTriangles) {
        payload.i16(triangle.a).i16(triangle.b).i16(triangle.c);
    }
    for (const SamplePart& part : kParts) {
        payload.u8(static_cast<std::uint8_t>(part.name.size())).raw(part.name);
        payload.i32(0).i32(0).i32(0).i32(part.firstIndex).i32(part.indexCount).i32(0);
    }
    return payload;
}

// A box around the hull: eight corners, two triangles per side.
Bytes coloChunkPayload() {
    constexpr float kHalfWidth = 1.5F;
    constexpr float kBottom = -0.8F;
    constexpr float kTop = 1.25F;
    constexpr float kFore = 4.0F;
    constexpr float kAft = -3.0F;
    Bytes payload;
    payload.u32(0).i32(8);
    for (int corner = 0; corner < 8; ++corner) {
        payload.f32((corner & 1) != 0 ? kHalfWidth : -kHalfWidth)
            .f32((corner & 2) != 0 ? kTop : kBottom)
            .f32((corner & 4) != 0 ? kFore : kAft);
    }
    constexpr std::array<SampleTriangle, 12> kBoxTriangles{{
        {0, 1, 3},
        {0, 3, 2},
        {4, 6, 7},
        {4, 7, 5},  // aft, fore
        {0, 2, 6},
        {0, 6, 4},
        {1, 5, 7},
        {1, 7, 3},  // port, starboard
        {0, 4, 5},
        {0, 5, 1},
        {2, 3, 7},
        {2, 7, 6},  // bottom, top
    }};
    payload.i32(static_cast<std::int32_t>(kBoxTriangles.size()));
    for (const SampleTriangle& triangle : kBoxTriangles) {
        payload.i16(triangle.a).i16(triangle.b).i16(triangle.c);
    }
    return payload;
}

// Twelve floats: the images of the three axes, then the translation.
Bytes hitBox(std::array<float, 12> matrix, std::string_view name) {
    Bytes entry;
    for (const float value : matrix) {
        entry.f32(value);
    }
    entry.wide(name);
    return entry;
}

Bytes smhpChunkPayload() {
    Bytes payload;
    payload.u16(3);
    // Places the collision mesh a little lower, as the hull sits in water.
    payload.append(hitBox({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, -0.25F, 0}, "Collision"));
    payload.append(hitBox({0.5F, 0, 0, 0, 0.5F, 0, 0, 0, 0.5F, -1.75F, 0.5F, -1}, "cannon_port"));
    payload.append(
        hitBox({0.5F, 0, 0, 0, 0.5F, 0, 0, 0, 0.5F, 1.25F, 0.5F, -1}, "cannon_starboard"));
    return payload;
}

Bytes words(std::initializer_list<std::uint32_t> values) {
    Bytes payload;
    for (const std::uint32_t value : values) {
        payload.u32(value);
    }
    return payload;
}

Bytes smedChunkPayload() {
    Bytes payload;
    payload.i32(1).zeros(2 * 6).zeros(2 * 4);
    return payload;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: make_sample_model OUT\n", stderr);
        return 2;
    }
    const std::vector<Bytes> chunks = {
        chunk("EDTR", words({1, 2, 3})),
        chunk("SKA0", textureGroup("ship", {"hull_planks", "mast_pine", "sail_canvas"})),
        chunk("SKB0", textureGroup("ship_burnt", {"hull_charred", "sail_torn"})),
        chunk("SMRT", vertexChunkPayload()),
        chunk("SMED", smedChunkPayload()),
        chunk("ARC0", arc0ChunkPayload()),
        chunk("CHER", Bytes().u16(7)),
        chunk("MCA0", words({0x3F800000, 0})),
        chunk("NOTE", Bytes().raw("stepped over")),
        chunk("COLO", coloChunkPayload()),
        chunk("SMHP", smhpChunkPayload()),
    };
    const Bytes file = grelvin::testing::modelFile("ship", "sample model", "grelvin", chunks);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written =
        std::fwrite(file.data.data(), 1, file.data.size(), out) == file.data.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
