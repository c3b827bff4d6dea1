// Writes a small corpus of binary model files into a directory: every chunk
// kind, repeated and overlapping chunks, odd counts, special float values and
// files cut short. The Windows leg converts them with both builds and compares
// the outputs byte for byte.
//
//   write_test_models DIRECTORY
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/model_file_builder.h"
#include "support/process_runner.h"

namespace {

namespace fs = std::filesystem;
using grelvin::testing::Bytes;
using grelvin::testing::chunk;
using grelvin::testing::chunkWithSize;
using grelvin::testing::fileHeader;
using grelvin::testing::headerStrings;
using grelvin::testing::modelFile;

// A deterministic generator, so that the corpus is the same on every run.
struct Sequence {
    std::uint64_t state;

    std::uint32_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33U);
    }
    std::uint32_t below(std::uint32_t limit) { return next() % limit; }
    float within(float limit) {
        const auto steps = static_cast<float>(below(2000001U)) - 1000000.0F;
        return steps / 1000000.0F * limit;
    }
};

struct Vertex {
    float x, y, z, u, v;
};

Bytes vertexChunkPayload(const std::vector<Vertex>& vertices, std::uint16_t meshIndexCount) {
    Bytes payload;
    payload.u16(7).u16(static_cast<std::uint16_t>(vertices.size()));
    for (const Vertex& vertex : vertices) {
        payload.f32(vertex.x).f32(vertex.y).f32(vertex.z).u32(0xDEADBEEF).u32(1).u32(2);
        payload.f32(vertex.u).f32(vertex.v);
    }
    payload.u16(meshIndexCount);
    for (int i = 0; i < meshIndexCount / 3; ++i) {
        payload.i16(0).i16(1).i16(2);
    }
    return payload.zeros(18);
}

struct PartRecord {
    std::string name;
    std::int32_t firstIndex;
    std::int32_t indexCount;
};

// An ARC0 payload with the three skipped arrays present.
Bytes arc0Payload(const std::vector<std::int16_t>& corners, const std::vector<PartRecord>& parts,
                  std::int32_t cornerCount) {
    Bytes payload;
    for (int i = 0; i < 10; ++i) {
        payload.u32(0x11111111U * static_cast<std::uint32_t>(i));
    }
    payload.i32(1).i32(cornerCount).u32(0).i32(static_cast<std::int32_t>(parts.size()));
    payload.i32(3).u32(0).i32(2).zeros(12);
    payload.zeros(64).zeros(2 * 16).zeros(3 * 2);
    for (const std::int16_t corner : corners) {
        payload.i16(corner);
    }
    for (const PartRecord& part : parts) {
        payload.u8(static_cast<std::uint8_t>(part.name.size())).raw(part.name);
        payload.i32(10).i32(20).i32(30).i32(part.firstIndex).i32(part.indexCount).i32(-1);
    }
    return payload;
}

Bytes textureGroupPayload(const std::string& name, const std::vector<std::string>& textures) {
    Bytes payload;
    payload.wide(name).u16(static_cast<std::uint16_t>(textures.size()));
    for (const std::string& texture : textures) {
        payload.wide(texture);
    }
    return payload;
}

Bytes collisionPayload(const std::vector<Vertex>& points,
                       const std::vector<std::int16_t>& corners) {
    Bytes payload;
    payload.u32(0xCAFEF00D).i32(static_cast<std::int32_t>(points.size()));
    for (const Vertex& point : points) {
        payload.f32(point.x).f32(point.y).f32(point.z);
    }
    payload.i32(static_cast<std::int32_t>(corners.size() / 3));
    for (const std::int16_t corner : corners) {
        payload.i16(corner);
    }
    return payload;
}

struct HitBoxEntry {
    std::vector<float> matrix;  // twelve values
    std::string name;
};

Bytes hitBoxPayload(const std::vector<HitBoxEntry>& boxes) {
    Bytes payload;
    payload.u16(static_cast<std::uint16_t>(boxes.size()));
    for (const HitBoxEntry& box : boxes) {
        for (const float value : box.matrix) {
            payload.f32(value);
        }
        payload.wide(box.name);
    }
    return payload;
}

// The chunks that are read and discarded, and an id without a handler.
std::vector<Bytes> discardedChunks() {
    Bytes words;
    words.u32(1).u32(2).u32(3);
    Bytes smed;
    smed.i32(1).zeros(2 * 6).zeros(2 * 4);
    return {chunk("EDTR", words), chunk("CHER", Bytes().u16(5)), chunk("SMED", smed),
            chunk("MCA0", words), chunk("MCZ0", Bytes().u16(1)), chunk("XYZW", words)};
}

std::vector<float> placement(float x, float y, float z) {
    return {1, 0, 0, 0, 1, 0, 0, 0, 1, x, y, z};
}

std::vector<Bytes> boxChunks() {
    const std::vector<Vertex> corners = {{-1, -1, -1, 0, 0}, {1, -1, -1, 1, 0}, {1, 1, -1, 1, 1},
                                         {-1, 1, -1, 0, 1},  {-1, -1, 1, 0, 0}, {1, -1, 1, 1, 0},
                                         {1, 1, 1, 1, 1},    {-1, 1, 1, 0, 1}};
    const std::vector<std::int16_t> triangles = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7,
                                                 0, 1, 5, 0, 5, 4, 2, 3, 7, 2, 7, 6,
                                                 1, 2, 6, 1, 6, 5, 0, 3, 7, 0, 7, 4};
    std::vector<Bytes> chunks = discardedChunks();
    chunks.push_back(chunk("SKA0", textureGroupPayload("hull", {"steel", "glass", "decal_01"})));
    chunks.push_back(chunk("SKC0", textureGroupPayload("night", {"steel_dark"})));
    chunks.push_back(chunk("SMRT", vertexChunkPayload(corners, 36)));
    chunks.push_back(chunk("ARC0", arc0Payload(triangles, {{"body", 0, 24}, {"lid", 24, 12}},
                                               static_cast<std::int32_t>(triangles.size()))));
    chunks.push_back(chunk("COLO", collisionPayload(corners, triangles)));
    chunks.push_back(chunk(
        "SMHP", hitBoxPayload({{{0.5F, 0, 0, 0, 2, 0, 0, 0, 1.25F, 10, -20, 0.125F}, "COLLISION"},
                               {placement(3, 4, 5), "door"},
                               {{0, 1, 0, -1, 0, 0, 0, 0, 1, 0.1F, 0.2F, 0.3F}, "hatch"}})));
    return chunks;
}

Bytes boxModel() {
    return modelFile("box", "crate with lid", "corpus", boxChunks());
}

// Values whose general float form takes every path: zeros, sub-normals, the
// largest finite value, infinities, NaNs, and the switches between fixed and
// exponent forms.
Bytes floatFormsModel() {
    const std::uint32_t bits[] = {0x00000000, 0x80000000, 0x00000001, 0x807FFFFF, 0x00800000,
                                  0x7F7FFFFF, 0xFF7FFFFF, 0x7F800000, 0xFF800000, 0x7FC00000,
                                  0xFFC00001, 0x3DCCCCCD, 0x49742400, 0x49742410, 0x38D1B717,
                                  0x38D1B718, 0x3F7FFFFF, 0x3F800001, 0x4B000001, 0xBEAAAAAB};
    Bytes vertices;
    const std::size_t count = std::size(bits);
    vertices.u16(0).u16(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t a = bits[i];
        const std::uint32_t b = bits[(i + 7) % count];
        const std::uint32_t c = bits[(i + 13) % count];
        vertices.f32Bits(a).f32Bits(b).f32Bits(c).zeros(12).f32Bits(c).f32Bits(a);
    }
    vertices.u16(9).zeros(3 * 6).zeros(18);
    std::vector<Vertex> points;
    for (std::size_t i = 0; i + 2 < count; i += 3) {
        points.push_back({std::bit_cast<float>(bits[i]), std::bit_cast<float>(bits[i + 1]),
                          std::bit_cast<float>(bits[i + 2]), 0, 0});
    }
    Bytes file =
        modelFile("floats", "every form", "corpus",
                  {chunk("SM02", vertices),
                   chunk("ARC0", arc0Payload({0, 1, 2, 3, 4, 5, 6, 7, 8}, {{"all", 0, 9}}, 9)),
                   chunk("COLO", collisionPayload(points, {0, 1, 2, 2, 3, 4})),
                   chunk("SMHP", hitBoxPayload({{{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, "Collision"},
                                                {{1e30F, -1e-30F, 3.4e38F, 0, 1, 0, 1.17549435e-38F,
                                                  0, 1, 123456.789F, -0.000123F, 7e-45F},
                                                 "far"}}))});
    return file;
}

// Chunks of one kind more than once, counts that shrink, odd corner counts,
// long and negative name lengths, negative and out-of-range indices.
Bytes overlappingModel() {
    std::vector<Vertex> many;
    std::vector<Vertex> few;
    for (int i = 0; i < 12; ++i) {
        const auto f = static_cast<float>(i);
        many.push_back({f, f * 0.5F, -f, f / 12.0F, 1.0F - f / 12.0F});
    }
    for (int i = 0; i < 5; ++i) {
        const auto f = static_cast<float>(i);
        few.push_back({f + 100.0F, f, f, 0.25F, 0.75F});
    }
    const std::string longName(70, 'n');
    std::vector<Bytes> chunks;
    chunks.push_back(chunk("SM03", vertexChunkPayload(many, 30)));
    chunks.push_back(chunk("SM05", vertexChunkPayload(few, 7)));
    chunks.push_back(
        chunk("ARC0", arc0Payload({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 2, 4, 6, 8, 10},
                                  {{"a", 0, 9}, {"b", 9, 9}, {"c", 3, 30}}, 18)));
    // Seven corners: two triangles, the seventh corner read as the part head.
    chunks.push_back(
        chunk("ARC0", arc0Payload({2, 1, 0, -1, 30000, 4, 9}, {{longName, 0, 6}, {"", -3, 2}}, 7)));
    chunks.push_back(chunk("SKB0", textureGroupPayload("old", {"x", "y", "z"})));
    chunks.push_back(chunk("SKB0", textureGroupPayload("new", {"only"})));
    chunks.push_back(chunk("SKA0", textureGroupPayload("a", {"line\nbreak", "tab\there"})));
    chunks.push_back(chunk("SKZ0", textureGroupPayload("last", {})));
    chunks.push_back(chunk("COLO", collisionPayload(many, {0, 1, 2, 3, 4, 5, 6, 7, 8})));
    chunks.push_back(chunk("COLO", collisionPayload(few, {0, 1, 2, -1, 4, 3})));
    chunks.push_back(chunk("SMHP", hitBoxPayload({{placement(1, 2, 3), "Collision"},
                                                  {placement(4, 5, 6), "a"},
                                                  {placement(7, 8, 9), "b"}})));
    chunks.push_back(chunk("SMHP", hitBoxPayload({{placement(-1, -2, -3), "collisioN"},
                                                  {placement(0.5F, 0.25F, 0.125F), "c"}})));
    // A chunk whose size says less than its payload holds, and a gap.
    chunks.push_back(chunkWithSize("EDTR", 6, Bytes().u32(1).u32(2)));
    chunks.push_back(Bytes().u16(0));
    chunks.push_back(chunk("CHER", Bytes()));
    return modelFile("overlap", "chunks \x01\x7F\xFF again", "corpus", chunks);
}

// A model with counts large enough to take the output through many buffer
// flushes, drawn from a fixed seed.
Bytes largeModel() {
    Sequence random{20240601};
    std::vector<Vertex> vertices;
    for (int i = 0; i < 6000; ++i) {
        vertices.push_back({random.within(2000), random.within(2000), random.within(50),
                            random.within(1), random.within(1)});
    }
    std::vector<std::int16_t> corners;
    for (int i = 0; i < 9000 * 3; ++i) {
        corners.push_back(static_cast<std::int16_t>(random.below(6000)));
    }
    std::vector<PartRecord> parts;
    for (int p = 0; p < 30; ++p) {
        parts.push_back({"part" + std::to_string(p), p * 900, 900});
    }
    std::vector<Bytes> chunks;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::vector<std::string> textures;
        const std::uint32_t textureCount = 1 + random.below(6);
        for (std::uint32_t t = 0; t < textureCount; ++t) {
            textures.push_back(std::string(1, letter) + "_tex" + std::to_string(t));
        }
        chunks.push_back(
            chunk(std::string("SK") + letter + "0", textureGroupPayload("group", textures)));
    }
    chunks.push_back(chunk("SM01", vertexChunkPayload(vertices, 60000)));
    chunks.push_back(
        chunk("ARC0", arc0Payload(corners, parts, static_cast<std::int32_t>(corners.size()))));
    std::vector<Vertex> points(vertices.begin(), vertices.begin() + 1500);
    std::vector<std::int16_t> collisionCorners;
    for (int i = 0; i < 2000 * 3; ++i) {
        collisionCorners.push_back(static_cast<std::int16_t>(random.below(1500)));
    }
    chunks.push_back(chunk("COLO", collisionPayload(points, collisionCorners)));
    std::vector<HitBoxEntry> boxes;
    for (int b = 0; b < 32; ++b) {
        std::vector<float> matrix;
        for (int m = 0; m < 12; ++m) {
            matrix.push_back(random.within(m < 9 ? 1.0F : 500.0F));
        }
        boxes.push_back({matrix, b == 0 ? "Collision" : "box" + std::to_string(b)});
    }
    chunks.push_back(chunk("SMHP", hitBoxPayload(boxes)));
    chunks.push_back(discardedChunks()[2]);
    return modelFile("large", "generated", "corpus", chunks);
}

// Files that end inside a chunk, inside a string, or right after the header.
std::vector<std::pair<std::string, Bytes>> damagedModels(const Bytes& whole) {
    std::vector<std::pair<std::string, Bytes>> files;
    for (const std::size_t cut : {std::size_t{16}, std::size_t{23}, whole.size() / 3,
                                  whole.size() / 2 + 1, whole.size() - 5}) {
        Bytes part;
        part.data.assign(whole.data.begin(), whole.data.begin() + static_cast<std::ptrdiff_t>(cut));
        files.emplace_back("cut_" + std::to_string(cut), part);
    }
    // A chunk area that starts inside the strings, and one after a gap that
    // is never read.
    Bytes early = fileHeader(4);
    early.append(headerStrings("early", "start", "corpus"));
    const Bytes strings = headerStrings("gap", "", "");
    Bytes gap = fileHeader(static_cast<std::int32_t>(strings.size()) + 200);
    gap.append(strings).zeros(200);
    for (const Bytes& c : boxChunks()) {
        early.append(c);
        gap.append(c);
    }
    files.emplace_back("early_start", early);
    files.emplace_back("gap_start", gap);
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_test_models DIRECTORY\n", stderr);
        return 2;
    }
    const fs::path directory = argv[1];
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    std::vector<std::pair<std::string, Bytes>> models = {
        {"empty", modelFile("empty", "", "")},
        {"box", boxModel()},
        {"float_forms", floatFormsModel()},
        {"overlapping", overlappingModel()},
        {"large", largeModel()},
        {"long_strings", modelFile(std::string(3000, 'o'), std::string(2000, 'i'),
                                   std::string(1000, 'a'), boxChunks())},
    };
    for (auto& damaged : damagedModels(overlappingModel())) {
        models.push_back(std::move(damaged));
    }
    for (const auto& [name, bytes] : models) {
        grelvin::testing::writeFile(directory / (name + ".bin"), bytes);
    }
    std::printf("%zu models written to %s\n", models.size(), argv[1]);
    return 0;
}
