// Writes the seed corpora of the fuzz targets: small binary model files that
// reach every chunk kind, cut short at telling places and with odd counts
// (fuzz/corpus/convert/), and bit patterns of telling floats and doubles
// (fuzz/corpus/float/). The committed corpora are this tool's output:
//
//   write_fuzz_corpus fuzz/corpus
//
// Every file is small, so that a fuzz run starts from all of them at once.
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "support/collision_payloads.h"
#include "support/mesh_payloads.h"
#include "support/model_file_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace grelvin::testing;

struct Seed {
    std::string name;
    Bytes bytes;
};

Bytes cut(const Bytes& bytes, std::size_t size) {
    Bytes shorter;
    shorter.data.assign(bytes.data.begin(), bytes.data.begin() + static_cast<std::ptrdiff_t>(
                                                                     std::min(size, bytes.size())));
    return shorter;
}

Bytes smallMesh() {
    return arc0Payload({{0, 1, 2}, {2, 1, 3}, {3, -1, 0}},
                       {{.name = "hull", .firstIndex = 0, .indexCount = 6},
                        {.name = "fin", .firstIndex = 6, .indexCount = 3}});
}

Bytes smallVertices() {
    return vertexPayload({{1.0F, -2.5F, 0.25F, 0.5F, 0.25F},
                          {0.1F, 12345.6F, -0.0F, 1.0F, 0.0F},
                          {1e-5F, 3e38F, -1e-40F, 0.0F, 1.0F},
                          {1234567.0F, 0.333333F, 99999.95F, 0.75F, 0.125F}},
                         9);
}

Bytes collision() {
    ColoContent content;
    content.points = {{1, 2, 3}, {-1, 0.5F, 2}, {0, 0, -4}};
    content.faces = {{0, 1, 2}, {2, 1, -1}};
    return coloPayload(content);
}

Bytes hitBoxes() {
    return smhpPayload({{translationMatrix(10, 0, 0), "Collision"},
                        {translationMatrix(1, 2, 3, 10), "door"},
                        {translationMatrix(-4, 0.5F, 1e20F), "hatch"}});
}

// A model with one chunk of every kind that reaches the output, and some that
// are read and discarded.
Bytes fullModel() {
    return modelFile(
        "ship", "v2", "me",
        {chunk("SKA0", skPayload("wall", {"brick", "roof.tga"})),
         chunk("SKC0", skPayload("alt", {"red"})), chunk("EDTR", Bytes().u32(1).u32(2)),
         chunk("SMRT", smallVertices()), chunk("ARC0", smallMesh()), chunk("COLO", collision()),
         chunk("CHER", Bytes().u16(7)), chunk("SMED", Bytes().i32(0).zeros(10)),
         chunk("MCQ0", Bytes().u32(0)), chunk("SMHP", hitBoxes())});
}

std::vector<Seed> convertSeeds() {
    std::vector<Seed> seeds;
    auto add = [&seeds](std::string name, Bytes bytes) {
        seeds.push_back({std::move(name), std::move(bytes)});
    };

    add("empty_model", modelFile("box", "", "me"));
    add("full_model", fullModel());
    add("wrong_magic", Bytes().raw("1FFE0FNIx").zeros(7));
    add("header_only", fileHeader(0));

    // One file per chunk kind and id family.
    add("arc0", modelFile("m", "", "", {chunk("ARC0", smallMesh())}));
    for (const char* id : {"SM01", "SM02", "SM03", "SM04", "SM05", "SMRT"}) {
        add(std::string("vertices_") + id, modelFile("m", "", "", {chunk(id, smallVertices())}));
    }
    add("textures_a_b_z",
        modelFile("m", "", "",
                  {chunk("SKA0", skPayload("x", {"a", "b", "c"})), chunk("SKB0", skPayload("", {})),
                   chunk("SKZ0", skPayload("zz", {"last"}))}));
    add("colo", modelFile("m", "", "", {chunk("COLO", collision())}));
    add("smhp", modelFile("m", "", "", {chunk("SMHP", hitBoxes())}));
    add("discarded",
        modelFile("m", "", "",
                  {chunk("EDTR", Bytes().zeros(6)), chunk("CHER", Bytes()),
                   chunk("SMED", Bytes().i32(2).zeros(30)), chunk("MCA0", Bytes().zeros(3)),
                   chunk("MCZ0", Bytes().zeros(8)), chunk("SM00", Bytes().zeros(4))}));

    // Odd counts.
    Arc0Counts manyParts;
    manyParts.triangleIndexCount = 7;
    manyParts.partCount = 70;
    Bytes arc0Odd = arc0Head(manyParts);
    arc0Odd.append(triangleRecords({{0, 1, 2}, {1, 2, 3}}));
    for (int p = 0; p < 3; ++p) {
        arc0Odd.append(partRecord({.name = std::string(static_cast<std::size_t>(70 * p), 'n'),
                                   .firstIndex = -2 + 3 * p,
                                   .indexCount = 400000}));
    }
    arc0Odd.append(
        partRecord({.name = "neg", .firstIndex = 0, .indexCount = 3, .nameLength = 200}));
    add("arc0_odd_counts", modelFile("m", "", "", {chunk("ARC0", arc0Odd)}));

    Arc0Counts skipped;
    skipped.firstSkipped = 1;
    skipped.secondSkipped = 2;
    skipped.thirdSkipped = 3;
    skipped.triangleIndexCount = -3;
    skipped.partCount = -1;
    add("arc0_skipped_arrays",
        modelFile("m", "", "", {chunk("ARC0", arc0Head(skipped).zeros(64 + 32 + 6))}));

    add("vertices_k_max",
        modelFile("m", "", "",
                  {chunkWithSize("SM01", 40,
                                 Bytes().u16(0).u16(1).append(vertexRecord({})).u16(65535))}));
    add("two_vertex_chunks", modelFile("m", "", "",
                                       {chunk("SM03", smallVertices()),
                                        chunk("SMRT", vertexPayload({{5, 5, 5, 0.5F, 0.5F}}, 30)),
                                        chunk("ARC0", arc0Payload({{3, 3, 3}}, {}))}));
    add("textures_announced_many",
        modelFile("m", "", "", {chunk("SKA0", skPayload("g", {"t"}, 65535))}));
    ColoContent negative;
    negative.faces = {{0, 1, 2}};
    negative.pointCount = -5;
    add("colo_negative_counts", modelFile("m", "", "", {chunk("COLO", coloPayload(negative))}));
    ColoContent promising;
    promising.points = {{1, 1, 1}};
    promising.pointCount = 20000;
    add("colo_promises_more", modelFile("m", "", "", {chunk("COLO", coloPayload(promising))}));
    add("smhp_announces_65535",
        modelFile("m", "", "",
                  {chunk("SMHP", smhpPayload({{translationMatrix(0, 0, 0), "COLLISION"},
                                              {translationMatrix(1, 1, 1), "cube"}},
                                             65535))}));

    // Framing: sizes and offsets that point backwards, into the strings, out
    // of range; chunks that overlap.
    add("chunk_size_minus_12",
        modelFile("m", "", "", {chunkWithSize("EDTR", -12, Bytes().zeros(4))}));
    add("chunk_size_huge",
        modelFile("m", "", "", {chunkWithSize("CHER", 0x7FFFFFF0, Bytes().u16(1))}));
    add("chunks_overlap",
        modelFile("m", "", "",
                  {chunkWithSize("SKA0", 0, Bytes()), chunkWithSize("SKB0", 0, Bytes()),
                   chunk("SKC0", skPayload("c", {"x", "y"}))}));
    Bytes backwards = fileHeader(-8);
    backwards.append(headerStrings("a", "b", "c"));
    add("first_chunk_offset_negative", backwards);
    Bytes intoStrings = fileHeader(2);
    intoStrings.append(headerStrings("abcdefgh", "", "")).append(chunk("CHER", Bytes().u16(0)));
    add("first_chunk_offset_into_strings", intoStrings);
    add("chunk_header_fragment", modelFile("m", "", "", {Bytes().raw("0CRA").u32(0)}));
    add("line_feeds_in_names",
        modelFile("a\nb\r\n", "\"q\"", "x",
                  {chunk("SKA0", skPayload("g\n", {"t\n"})),
                   chunk("SMHP", smhpPayload({{translationMatrix(0, 0, 0), "c"},
                                              {translationMatrix(0, 0, 0), "d\ne"}}))}));

    // Truncations of the full model: inside the header, the strings, a chunk
    // header and every payload.
    const Bytes full = fullModel();
    for (std::size_t size : {7U, 15U, 17U, 25U, 40U, 60U, 90U, 130U, 200U, 300U, 420U, 560U}) {
        if (size < full.size()) {
            add("full_model_cut_" + std::to_string(size), cut(full, size));
        }
    }
    add("full_model_cut_last_byte", cut(full, full.size() - 1));
    return seeds;
}

std::vector<Seed> floatSeeds() {
    std::vector<Seed> seeds;
    auto addDouble = [&seeds](const std::string& name, double value) {
        seeds.push_back(
            {"double_" + name,
             Bytes()
                 .u32(static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(value)))
                 .u32(static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(value) >> 32U))});
    };
    auto addFloat = [&seeds](const std::string& name, float value) {
        seeds.push_back({"float_" + name, Bytes().f32(value)});
    };
    const float floats[] = {0.0F,
                            -0.0F,
                            1.0F,
                            -2.75F,
                            0.1F,
                            1.0F / 3,
                            12345.599609375F,
                            123456.0F,
                            99999.953125F,
                            999999.5F,
                            1234567.0F,
                            1234565.0F,
                            1.015625F,
                            1e-4F,
                            1e-5F,
                            0.000123456F,
                            3.40282347e38F,
                            1.40129846e-45F,
                            1.17549435e-38F,
                            9.999995e5F,
                            0.5F,
                            100000.0F};
    int index = 0;
    for (const float value : floats) {
        addFloat(std::to_string(index++), value);
    }
    seeds.push_back({"float_inf", Bytes().u32(0x7F800000)});
    seeds.push_back({"float_minus_inf", Bytes().u32(0xFF800000)});
    seeds.push_back({"float_ind", Bytes().u32(0xFFC00000)});
    seeds.push_back({"float_qnan", Bytes().u32(0x7FC00001)});
    seeds.push_back({"float_snan", Bytes().u32(0xFF800001)});
    addDouble("max", std::numeric_limits<double>::max());
    addDouble("true_min", std::numeric_limits<double>::denorm_min());
    addDouble("min_normal", std::numeric_limits<double>::min());
    addDouble("half_up_boundary", 0.12345650000000001);
    addDouble("carry", 9.9999950000000001e-5);
    addDouble("tenth", 0.1);
    addDouble("e300", 1.2345675e300);
    seeds.push_back({"double_snan", Bytes().u32(1).u32(0x7FF00000)});
    seeds.push_back({"double_minus_ind", Bytes().u32(0).u32(0xFFF80000)});
    return seeds;
}

bool writeSeeds(const fs::path& directory, const std::vector<Seed>& seeds) {
    fs::create_directories(directory);
    for (const Seed& seed : seeds) {
        std::ofstream file(directory / seed.name, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(seed.bytes.data.data()),
                   static_cast<std::streamsize>(seed.bytes.size()));
        if (!file) {
            std::cerr << "cannot write " << (directory / seed.name).string() << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr
            << "usage: write_fuzz_corpus DIRECTORY   (writes DIRECTORY/convert, DIRECTORY/float)\n";
        return 2;
    }
    const fs::path root = argv[1];
    if (!writeSeeds(root / "convert", convertSeeds()) ||
        !writeSeeds(root / "float", floatSeeds())) {
        return 1;
    }
    return 0;
}
