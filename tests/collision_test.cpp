// Collision mesh and hit-box chunks, the collision transform, the "Collision"
// object and the hit-box cubes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "support/collision_payloads.h"
#include "support/expected_text.h"
#include "support/model_file_builder.h"
#include "writer/section_writers.h"
#include "writer/transform_point.h"

namespace grelvin {
namespace {

using testing::Bytes;
using testing::chunk;
using testing::chunkWithSize;
using testing::ColoContent;
using testing::coloPayload;
using testing::crlf;
using testing::HitBoxEntry;
using testing::HitBoxMatrix;
using testing::modelFile;
using testing::skPayload;
using testing::smhpPayload;
using testing::translationMatrix;

std::unique_ptr<ModelStore> read(const Bytes& file) {
    auto store = std::make_unique<ModelStore>();
    EXPECT_TRUE(readModelImage(file.data, *store));
    return store;
}

Bytes fileOf(std::initializer_list<Bytes> chunks) {
    return modelFile("m", "", "", chunks);
}

// What writeCollisionObject and then writeHitBoxCubes write for the store.
std::string collisionObjectsOf(const ModelStore& store) {
    std::string text;
    auto output = std::make_unique<TextOutput>(stringSink(text));
    writeCollisionObject(*output, store);
    writeHitBoxCubes(*output, store);
    EXPECT_TRUE(flushTextOutput(*output));
    return text;
}

std::string collisionObjectsOf(const Bytes& file) {
    return collisionObjectsOf(*read(file));
}

Bytes colo(std::vector<testing::PointRecord> points,
           std::vector<testing::CollisionTriangle> faces = {}) {
    ColoContent content;
    content.points = std::move(points);
    content.faces = std::move(faces);
    return chunk("COLO", coloPayload(content));
}

Bytes smhp(std::vector<HitBoxEntry> entries) {
    return chunk("SMHP", smhpPayload(entries));
}

Bytes groupAWith(std::size_t textureCount) {
    return chunk("SKA0", skPayload("g", std::vector<std::string>(textureCount, "t")));
}

float floatFromBits(std::uint32_t bits) {
    return std::bit_cast<float>(bits);
}

// The frame that turns the x axis into y and y into -x, then moves by 10 in x.
const HitBoxMatrix kRotated = {0, 1, 0, -1, 0, 0, 0, 0, 1, 10, 0, 0};

// Lines of the twelve cube faces with the material field ffMM.
std::string cubeFaces(std::string_view material) {
    const char* const corners[] = {"2,3,0", "2,0,1", "2,5,4", "2,4,3", "3,4,6", "3,6,0",
                                   "0,6,7", "0,7,1", "4,5,7", "4,7,6", "5,2,1", "5,1,7"};
    std::string lines = "PARTS{\n";
    for (int face = 0; face < 12; ++face) {
        lines += "4,N," + std::to_string(face) + ",ff" + std::string(material) + ",(" +
                 corners[face] + ");\n";
    }
    return lines + "}\n\n";
}

TEST(CollisionChunk, ReadsPointsAndFacesAsTheyLie) {
    ColoContent content;
    content.leading = 0xDEADBEEFU;  // never used
    content.points = {{1, 2, 3}, {-4, 5.5F, 6}, {7, 8, 9}};
    content.faces = {{0, 1, 2}};
    const auto store = read(fileOf({chunk("COLO", coloPayload(content))}));
    EXPECT_EQ(store->collisionPointCount, 3);
    EXPECT_EQ(store->collisionFaceCount, 1);
    EXPECT_EQ(store->collisionPoints.at(1).x, -4.0F);
    EXPECT_EQ(store->collisionPoints.at(1).y, 5.5F);
    EXPECT_EQ(store->collisionPoints.at(2).z, 9.0F);
    EXPECT_EQ(store->collisionFaces.at(0).indices, (std::array<std::int16_t, 3>{0, 1, 2}));
}

TEST(CollisionChunk, CountsOfZeroOrLessReadNoRecordsAndAreKept) {
    // The face count then follows the point count directly.
    ColoContent none;
    none.faces = {{-1, 7, 3}};
    const auto empty = read(fileOf({chunk("COLO", coloPayload(none))}));
    EXPECT_EQ(empty->collisionPointCount, 0);
    EXPECT_EQ(empty->collisionFaceCount, 1);
    EXPECT_EQ(empty->collisionFaces.at(0).indices, (std::array<std::int16_t, 3>{-1, 7, 3}));

    ColoContent negative;
    negative.pointCount = -5;
    negative.faces = {{1, 2, 3}};
    negative.faceCount = -2;
    const auto store = read(fileOf({chunk("COLO", coloPayload(negative))}));
    EXPECT_EQ(store->collisionPointCount, -5);
    EXPECT_EQ(store->collisionFaceCount, -2);
    EXPECT_EQ(store->collisionFaces.at(0).indices, (std::array<std::int16_t, 3>{0, 0, 0}));
}

TEST(CollisionChunk, LaterChunkOverwritesFromIndexZeroUpToItsCount) {
    std::vector<testing::PointRecord> ten;
    for (int i = 0; i < 10; ++i) {
        ten.push_back({static_cast<float>(i), 0, 0});
    }
    const auto store =
        read(fileOf({colo(ten), colo({{100, 0, 0}, {101, 0, 0}, {102, 0, 0}, {103, 0, 0}})}));
    EXPECT_EQ(store->collisionPointCount, 4);
    EXPECT_EQ(store->collisionPoints.at(3).x, 103.0F);
    EXPECT_EQ(store->collisionPoints.at(4).x, 4.0F);  // kept, but beyond the count
    EXPECT_EQ(collisionObjectsOf(*store),
              crlf("BEGIN \"Collision\"\n\n\n\nPOINTS{\n100,0,0;\n101,0,0;\n102,0,0;\n103,0,0;\n"
                   "}\n\nPARTS{\n}\n\n"));
}

TEST(CollisionChunk, RecordsCutOffByTheEndKeepTheirOldBytes) {
    // The second chunk promises 1000 points: point 0 comes whole, point 1 only
    // with its x, the rest not at all.
    Bytes cut;
    cut.u32(0).i32(1000).f32(10).f32(20).f32(30).f32(40);
    const auto store = read(fileOf({colo({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}), chunk("COLO", cut)}));
    EXPECT_EQ(store->collisionPointCount, 1000);
    EXPECT_EQ(store->collisionPoints.at(0).z, 30.0F);
    EXPECT_EQ(store->collisionPoints.at(1).x, 40.0F);
    EXPECT_EQ(store->collisionPoints.at(1).y, 5.0F);
    EXPECT_EQ(store->collisionPoints.at(2).x, 7.0F);
    EXPECT_EQ(store->collisionPoints.records.size(), 3U);  // the file holds no more
    EXPECT_EQ(store->collisionFaceCount, 0);               // its read delivered nothing
}

TEST(CollisionChunk, ChunkWhoseLastReadDeliversNothingEndsTheWalk) {
    // Each chunk promises records that are not in its payload; its reads run
    // on through the following chunk to the end of the file, so the walk
    // ends and the following chunk is never handled.
    const Bytes next = chunk("SKA0", skPayload("reached", {}));
    ColoContent faces;
    faces.faceCount = 1000;
    const Bytes promisingColo = chunk("COLO", coloPayload(faces));
    const Bytes promisingSmhp = chunk("SMHP", Bytes().u16(3));
    for (const Bytes& promising : {promisingColo, promisingSmhp}) {
        const auto store = read(fileOf({promising, next}));
        EXPECT_EQ(store->textureGroups[0].name, "");
    }
    // Counts that are met leave the walk going.
    const auto store = read(fileOf({colo({}), smhp({}), next}));
    EXPECT_EQ(store->textureGroups[0].name, "reached");
}

TEST(HitBoxChunk, ReadsMatricesAndNamesAsTheyLie) {
    HitBoxMatrix first{};
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = static_cast<float>(i) + 0.25F;
    }
    const auto store = read(fileOf({smhp({{first, "Collision"}, {kRotated, "door"}})}));
    EXPECT_EQ(store->hitBoxCount, 2);
    EXPECT_EQ(store->hitBoxes.at(0).name, "Collision");
    EXPECT_EQ(store->hitBoxes.at(0).matrix, first);
    EXPECT_EQ(store->hitBoxes.at(1).name, "door");
    EXPECT_EQ(store->hitBoxes.at(1).matrix, kRotated);

    const auto emptied = read(fileOf({smhp({{first, "a"}, {first, "b"}, {first, "c"}}), smhp({})}));
    EXPECT_EQ(emptied->hitBoxCount, 0);
    EXPECT_EQ(collisionObjectsOf(*emptied), "");

    // A count beyond the entries the file holds is kept as it is.
    const auto promised = read(fileOf({chunk("SMHP", smhpPayload({{first, "x"}}, 65535))}));
    EXPECT_EQ(promised->hitBoxCount, 65535);
    EXPECT_EQ(promised->hitBoxes.records.size(), 1U);
}

TEST(TransformPoint, MapsByTheAxesAndTheTranslation) {
    const CollisionPoint moved = transformPoint({1, 2, 3}, kRotated);
    EXPECT_EQ(moved.x, 8.0F);
    EXPECT_EQ(moved.y, 1.0F);
    EXPECT_EQ(moved.z, 3.0F);
}

// Each coordinate is a fixed sequence of double operations rounded once to
// float. Products of two floats are exact in double, so only the order and
// precision of the sums can change a result; these values make every other
// order, and float arithmetic, give another float. Fusing a product into a
// sum gives the same result, the product being exact.
TEST(TransformPoint, SumsInTheFixedOrderInDoubleAndRoundsOnce) {
    const float big = 1073741824.0F;            // 2^30
    const float huge = 1152921504606846976.0F;  // 2^60
    const float tiny = 1.0F / big;              // 2^-30
    // In every coordinate the first two terms add up to 2^60 (the 1 is lost
    // to rounding), the third takes 2^60 away and the translation adds 0.5.
    // Any other grouping keeps the 1 and gives 1.5.
    const HitBoxMatrix cancel = {-huge, huge, 1, big, tiny, big, 1, -huge, -huge, 0.5F, 0.5F, 0.5F};
    const CollisionPoint ordered = transformPoint({1, big, 1}, cancel);
    EXPECT_EQ(ordered.x, 0.5F);
    EXPECT_EQ(ordered.y, 0.5F);
    EXPECT_EQ(ordered.z, 0.5F);

    // x: 2^30 + 1 - 2^30 is 1 in double but 0 in float. y: 1 + 2^-24 + 2^-24
    // rounds once to 1 + 2^-23; rounding after each step would give 1.
    const float step = 1.0F / 16777216.0F;  // 2^-24
    const HitBoxMatrix precise = {-big, 1, 0, big, step, 0, 1, step, 0, 0, 0, 0};
    const CollisionPoint exact = transformPoint({1, 1, 1}, precise);
    EXPECT_EQ(exact.x, 1.0F);
    EXPECT_EQ(exact.y, std::nextafter(1.0F, 2.0F));
}

// Not-a-number results come out alike on every host: an operand that is not a
// number is passed on, and one made from numbers is negative and quiet.
TEST(TransformPoint, NotANumberResultsAreTheSameOnEveryHost) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        CollisionPoint point;
        HitBoxMatrix matrix;
        std::uint32_t xBits;
    };
    const Case cases[] = {
        {"zero times infinity", {0, 0, 0}, {inf, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}, 0xFFC00000U},
        {"infinity minus infinity",
         {1, 1, 0},
         {inf, 0, 0, -inf, 0, 0, 0, 0, 0, 0, 0, 0},
         0xFFC00000U},
        {"a stored not-a-number",
         {0, 0, 0},
         {floatFromBits(0x7FC01234U), 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3},
         0x7FC01234U},
        {"the first of two not-a-numbers",
         {1, 1, 1},
         {floatFromBits(0x7FC00003U), 0, 0, floatFromBits(0xFFC00002U), 0, 0,
          floatFromBits(0x7FC00001U), 0, 0, 0, 0, 0},
         0xFFC00002U},
        {"a signalling not-a-number is quieted",
         {1, 0, 0},
         {floatFromBits(0x7F800001U), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         0x7FC00001U},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(transformPoint(c.point, c.matrix).x), c.xBits);
    }
}

TEST(CollisionObject, WritesPointsAsStoredAndFacesCornersReversed) {
    const Bytes file = fileOf(
        {groupAWith(2), colo({{1, 2, 3}, {-0.5F, 0.25F, -0.0F}}, {{0, 1, 2}, {-1, 5, 32767}})});
    EXPECT_EQ(collisionObjectsOf(file), crlf("BEGIN \"Collision\"\n\n"
                                             "\n\nPOINTS{\n"
                                             "1,2,3;\n"
                                             "-0.5,0.25,0;\n"
                                             "}\n\n"
                                             "PARTS{\n"
                                             "4,N,0,ff03,(2,1,0);\n"
                                             "4,N,1,ff03,(32767,5,-1);\n"
                                             "}\n\n"));
}

TEST(CollisionObject, WrittenOnlyWhenThePointCountIsNotZero) {
    ColoContent facesOnly;
    facesOnly.faces = {{0, 1, 2}};
    EXPECT_EQ(collisionObjectsOf(fileOf({chunk("COLO", coloPayload(facesOnly))})), "");

    ColoContent negative = facesOnly;
    negative.pointCount = -3;
    EXPECT_EQ(collisionObjectsOf(fileOf({chunk("COLO", coloPayload(negative))})),
              crlf("BEGIN \"Collision\"\n\n\n\nPOINTS{\n}\n\nPARTS{\n4,N,0,ff01,(2,1,0);\n}\n\n"));
}

TEST(CollisionObject, MaterialFieldIsOneMoreThanTheTexturesOfGroupA) {
    struct Case {
        std::size_t textures;
        const char* faceLine;
    };
    const Case cases[] = {
        {0, "4,N,0,ff01,(2,1,0);\r\n"},
        {9, "4,N,0,ff0a,(2,1,0);\r\n"},
        {255, "4,N,0,ff100,(2,1,0);\r\n"},
    };
    for (const Case& c : cases) {
        const std::string text =
            collisionObjectsOf(fileOf({groupAWith(c.textures), colo({{}}, {{0, 1, 2}})}));
        EXPECT_NE(text.find(c.faceLine), std::string::npos) << c.textures;
    }
}

TEST(CollisionObject, FirstHitBoxNamedCollisionPlacesTheMesh) {
    struct Case {
        const char* name;
        bool places;
    };
    const Case cases[] = {
        {"Collision", true}, {"COLLISION", true},   {"collision", true},
        {"cOLLISIOn", true}, {"Collision2", false}, {"Collision ", false},
        {"Collisio", false}, {"door", false},       {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text =
            collisionObjectsOf(fileOf({colo({{1, 2, 3}}), smhp({{kRotated, c.name}})}));
        EXPECT_EQ(text, crlf(std::string("BEGIN \"Collision\"\n\n\n\nPOINTS{\n") +
                             (c.places ? "8,1,3;\n" : "1,2,3;\n") + "}\n\nPARTS{\n}\n\n"));
    }

    // Only the first hit box places the mesh, and only while it is counted.
    const Bytes second = fileOf(
        {colo({{1, 2, 3}}), smhp({{translationMatrix(1, 2, 3), "door"}, {kRotated, "Collision"}})});
    EXPECT_NE(collisionObjectsOf(second).find("POINTS{\r\n1,2,3;\r\n"), std::string::npos);
    const Bytes dropped = fileOf({colo({{1, 2, 3}}), smhp({{kRotated, "Collision"}}), smhp({})});
    EXPECT_NE(collisionObjectsOf(dropped).find("POINTS{\r\n1,2,3;\r\n"), std::string::npos);
}

TEST(HitBoxCubes, EveryHitBoxAfterTheFirstIsAUnitCubeAtItsCentre) {
    const std::string doorCube = crlf(
        "BEGIN \"door\"\n\n"
        "POINTS{\n"
        "1.5,1.5,3.5;\n"
        "0.5,1.5,3.5;\n"
        "0.5,1.5,2.5;\n"
        "1.5,1.5,2.5;\n"
        "1.5,2.5,2.5;\n"
        "0.5,2.5,2.5;\n"
        "1.5,2.5,3.5;\n"
        "0.5,2.5,3.5;\n"
        "}\n\n" +
        cubeFaces("01"));
    const Bytes door = fileOf({smhp({{kRotated, "root"}, {translationMatrix(1, 2, 3), "door"}})});
    EXPECT_EQ(collisionObjectsOf(door), doorCube);

    // Scaled axes move nothing: only the centre comes from the matrix.
    const Bytes scaled =
        fileOf({smhp({{kRotated, "root"}, {translationMatrix(1, 2, 3, 10), "door"}})});
    EXPECT_EQ(collisionObjectsOf(scaled), doorCube);

    // A single hit box gives no cube, whatever its name.
    EXPECT_EQ(collisionObjectsOf(fileOf({smhp({{kRotated, "door"}})})), "");
}

TEST(HitBoxCubes, SecondHitBoxNamedCollisionIsJustACube) {
    const std::string text = collisionObjectsOf(
        fileOf({groupAWith(1), colo({{1, 2, 3}}),
                smhp({{kRotated, "first"}, {translationMatrix(0, 0, 0), "Collision"}})}));
    EXPECT_EQ(text, crlf("BEGIN \"Collision\"\n\n\n\nPOINTS{\n1,2,3;\n}\n\nPARTS{\n}\n\n"
                         "BEGIN \"Collision\"\n\nPOINTS{\n"
                         "0.5,-0.5,0.5;\n-0.5,-0.5,0.5;\n-0.5,-0.5,-0.5;\n0.5,-0.5,-0.5;\n"
                         "0.5,0.5,-0.5;\n-0.5,0.5,-0.5;\n0.5,0.5,0.5;\n-0.5,0.5,0.5;\n"
                         "}\n\n" +
                         cubeFaces("02")));
}

TEST(HitBoxCubes, CornersAreFormedInDoubleFromTheCentre) {
    // 16777250 - 0.5 is 16777249.5 in double, written 1.67772e+007; a float
    // sum would round it to 16777250, written 1.67773e+007.
    const std::string text =
        collisionObjectsOf(fileOf({smhp({{}, {translationMatrix(16777250, 0, 0), "c"}})}));
    EXPECT_NE(text.find("POINTS{\r\n1.67773e+007,-0.5,0.5;\r\n1.67772e+007,-0.5,0.5;\r\n"),
              std::string::npos)
        << text;
}

TEST(HitBoxCubes, NotANumberInTheMatrixReachesTheCornersOfThatAxis) {
    const float inf = std::numeric_limits<float>::infinity();
    HitBoxMatrix matrix = translationMatrix(1, 2, 3);
    matrix[3] = inf;                         // feeds x: 0·∞ is not a number
    matrix[4] = floatFromBits(0x7FC00000U);  // feeds y
    const std::string text = collisionObjectsOf(fileOf({smhp({{}, {matrix, "odd"}})}));
    EXPECT_EQ(text, crlf("BEGIN \"odd\"\n\nPOINTS{\n"
                         "-1.#IND,1.#QNAN,3.5;\n-1.#IND,1.#QNAN,3.5;\n"
                         "-1.#IND,1.#QNAN,2.5;\n-1.#IND,1.#QNAN,2.5;\n"
                         "-1.#IND,1.#QNAN,2.5;\n-1.#IND,1.#QNAN,2.5;\n"
                         "-1.#IND,1.#QNAN,3.5;\n-1.#IND,1.#QNAN,3.5;\n"
                         "}\n\n" +
                         cubeFaces("01")));
}

// Every cube triangle, with corners P, Q, R in the order written, has
// (Q - P) × (R - P) pointing away from the centre: read back from the text.
TEST(HitBoxCubes, TrianglesFaceOutward) {
    const std::string text =
        collisionObjectsOf(fileOf({smhp({{}, {translationMatrix(0, 0, 0), "c"}})}));
    std::istringstream lines(text);
    std::string line;
    std::vector<std::array<double, 3>> corners;
    int faces = 0;
    while (std::getline(lines, line)) {
        std::array<double, 3> p{};
        int a = 0;
        int b = 0;
        int c = 0;
        if (std::sscanf(line.c_str(), "%lf,%lf,%lf;", &p[0], &p[1], &p[2]) == 3) {
            corners.push_back(p);
        } else if (std::sscanf(line.c_str(), "4,N,%*d,ff01,(%d,%d,%d);", &a, &b, &c) == 3) {
            ASSERT_EQ(corners.size(), 8U);
            const auto& P = corners[static_cast<std::size_t>(a)];
            const auto& Q = corners[static_cast<std::size_t>(b)];
            const auto& R = corners[static_cast<std::size_t>(c)];
            const std::array<double, 3> u = {Q[0] - P[0], Q[1] - P[1], Q[2] - P[2]};
            const std::array<double, 3> v = {R[0] - P[0], R[1] - P[1], R[2] - P[2]};
            const std::array<double, 3> normal = {
                u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
            // The centre is the origin: outward means along the mean corner.
            const double outward = normal[0] * (P[0] + Q[0] + R[0]) +
                                   normal[1] * (P[1] + Q[1] + R[1]) +
                                   normal[2] * (P[2] + Q[2] + R[2]);
            EXPECT_GT(outward, 0.0) << line;
            ++faces;
        }
    }
    EXPECT_EQ(faces, 12);
}

TEST(CollisionWriters, CountsBeyondTheTablesStopAtTheTableSize) {
    // Counts are kept as the file gives them; the writers walk no further
    // than the tables reach, zero records included.
    auto store = std::make_unique<ModelStore>();
    store->collisionPointCount = std::numeric_limits<std::int32_t>::max();
    store->collisionFaceCount = std::numeric_limits<std::int32_t>::max();
    const std::string text = collisionObjectsOf(*store);
    std::size_t lines = 0;
    for (std::size_t at = text.find(";\r\n"); at != std::string::npos;
         at = text.find(";\r\n", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, kCollisionPointCapacity + kCollisionFaceCapacity);

    auto boxes = std::make_unique<ModelStore>();
    boxes->hitBoxCount = 2;
    const std::size_t oneCube = collisionObjectsOf(*boxes).size();
    boxes->hitBoxCount = 65535;
    EXPECT_EQ(collisionObjectsOf(*boxes).size(), (kHitBoxCapacity - 1) * oneCube);
}

}  // namespace
}  // namespace grelvin
