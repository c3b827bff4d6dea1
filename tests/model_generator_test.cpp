// The generated models that the benchmarks and batch runs use hold what they
// claim: the maximum model fills every table to its capacity.
#include "support/model_generator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "conversion/convert_model.h"

namespace grelvin {
namespace {

std::unique_ptr<ModelStore> readGenerated(const testing::ModelShape& shape, std::uint64_t seed) {
    const testing::Bytes file = testing::generateModel(shape, seed);
    auto store = std::make_unique<ModelStore>();
    EXPECT_TRUE(readModelImage(file.data, *store));
    return store;
}

TEST(ModelGenerator, TheMaximumModelFillsEveryTable) {
    const auto store = readGenerated(testing::maximumModelShape(), 1);
    EXPECT_EQ(store->vertexCount, 65535);
    EXPECT_EQ(store->meshFaceCount, 21845);
    EXPECT_EQ(store->faces.records.size(), 131072U);
    ASSERT_EQ(store->partCount, 64);
    for (int p = 0; p < 64; ++p) {
        EXPECT_EQ(store->parts[static_cast<std::size_t>(p)].firstIndex, 3 * 2048 * p);
        EXPECT_EQ(store->parts[static_cast<std::size_t>(p)].indexCount, 3 * 2048);
    }
    EXPECT_EQ(store->groupLimit, 26);
    for (const TextureGroup& group : store->textureGroups) {
        EXPECT_EQ(group.textureCount, 50);
    }
    EXPECT_EQ(store->collisionPointCount, 15018);
    EXPECT_EQ(store->collisionFaceCount, 4268);
    EXPECT_EQ(store->hitBoxCount, 32);
    EXPECT_EQ(store->hitBoxes.at(0).name, "Collision");

    bool indicesInRange = true;
    for (const Face& face : store->faces.records) {
        for (const std::int32_t index : face.indices) {
            indicesInRange = indicesInRange && index >= 0 && index <= 32767;
        }
    }
    EXPECT_TRUE(indicesInRange);
    bool coordinatesInRange = true;
    for (const Vertex& vertex : store->vertices.records) {
        for (const float value : {vertex.x, vertex.y, vertex.z}) {
            coordinatesInRange = coordinatesInRange && value >= -2000.0F && value <= 2000.0F;
        }
        for (const float value : {vertex.u, vertex.v}) {
            coordinatesInRange = coordinatesInRange && value >= 0.0F && value <= 1.0F;
        }
    }
    EXPECT_TRUE(coordinatesInRange);
}

TEST(ModelGenerator, RandomAndSmallModelsHaveTheirSize) {
    for (const std::uint64_t target : {20'000U, 400'000U, 5'000'000U}) {
        const std::size_t size =
            testing::generateModel(testing::randomModelShape(target, 7), 7).size();
        EXPECT_GT(size, target / 2) << target;
        EXPECT_LT(size, target * 3 / 2) << target;
    }
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
        const testing::ModelShape shape = testing::smallModelShape(seed);
        const std::size_t size = testing::generateModel(shape, seed).size();
        EXPECT_GE(size, 200U) << seed;
        EXPECT_LE(size, 8192U) << seed;
        const auto store = readGenerated(shape, seed);
        EXPECT_EQ(store->vertexCount, shape.vertexCount) << seed;
    }
}

}  // namespace
}  // namespace grelvin
