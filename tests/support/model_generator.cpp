#include "support/model_generator.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace grelvin::testing {

namespace {

// splitmix64: small, fast and the same on every platform.
struct Random {
    std::uint64_t state;

    std::uint64_t next() {
        state += 0x9E3779B97F4A7C15U;
        std::uint64_t z = state;
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
        return z ^ (z >> 31U);
    }

    // Uniform in 0..bound - 1 (bound > 0); the tiny modulo bias is harmless here.
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }

    std::int32_t between(std::int32_t low, std::int32_t high) {
        return low + static_cast<std::int32_t>(below(static_cast<std::uint32_t>(high - low + 1)));
    }

    // A coordinate within +-2,000 with two decimals, as modelling tools leave them.
    float coordinate() {
        return static_cast<float>(static_cast<double>(between(-200'000, 200'000)) / 100.0);
    }

    // A texture coordinate in 0..1 with four decimals.
    float unit() { return static_cast<float>(static_cast<double>(between(0, 10'000)) / 10'000.0); }
};

constexpr std::array<std::string_view, 16> kWords = {
    "hull",  "plate", "deck", "rail",   "glass", "metal", "rust",  "wood",
    "stone", "roof",  "door", "window", "panel", "trim",  "light", "engine"};

std::string textureName(Random& random, int group, int index) {
    std::string name(kWords[random.below(kWords.size())]);
    name += '_';
    name += kWords[random.below(kWords.size())];
    name += '_';
    name += static_cast<char>('a' + group);
    name += std::to_string(index);
    return name;
}

Bytes textureGroupChunk(Random& random, int group, int textureCount) {
    Bytes payload;
    std::string groupName = "set_";
    groupName += kWords[static_cast<std::size_t>(group) % kWords.size()];
    payload.wide(groupName).u16(static_cast<std::uint16_t>(textureCount));
    for (int i = 0; i < textureCount; ++i) {
        payload.wide(textureName(random, group, i));
    }
    const char id[] = {'S', 'K', static_cast<char>('A' + group), '0'};
    return chunk(std::string_view(id, 4), payload);
}

Bytes vertexChunk(Random& random, const ModelShape& shape) {
    Bytes payload;
    payload.data.reserve(32U * shape.vertexCount + 6U * (shape.meshIndexCount / 3U) + 32U);
    payload.u16(0).u16(shape.vertexCount);
    for (unsigned i = 0; i < shape.vertexCount; ++i) {
        payload.f32(random.coordinate()).f32(random.coordinate()).f32(random.coordinate());
        // The spare bytes hold a normal in real files; nothing reads them.
        payload.f32(0.0F).f32(1.0F).f32(0.0F);
        payload.f32(random.unit()).f32(random.unit());
    }
    payload.u16(shape.meshIndexCount);
    const unsigned maxIndex = shape.vertexCount == 0 ? 0U : shape.vertexCount - 1U;
    for (unsigned i = 0; i < shape.meshIndexCount / 3U; ++i) {
        for (int corner = 0; corner < 3; ++corner) {
            payload.u16(static_cast<std::uint16_t>(random.below(maxIndex + 1)));
        }
    }
    payload.zeros(18);
    return chunk("SMRT", payload);
}

Bytes arc0Chunk(Random& random, const ModelShape& shape) {
    constexpr std::int32_t kSkipped64 = 4;
    constexpr std::int32_t kSkipped16 = 8;
    constexpr std::int32_t kSkipped2 = 16;
    Bytes payload;
    payload.data.reserve(6U * static_cast<std::size_t>(shape.triangleCount) + 4096U);
    payload.zeros(40);
    payload.i32(kSkipped64).i32(3 * shape.triangleCount).i32(0).i32(shape.partCount);
    payload.i32(kSkipped2).i32(0).i32(kSkipped16).i32(0).i32(0).i32(0);
    payload.zeros(64 * kSkipped64 + 16 * kSkipped16 + 2 * kSkipped2);
    // Neighbouring triangles share nearby vertices, as in a real mesh.
    const std::int32_t maxIndex = shape.maxTriangleIndex;
    for (std::int32_t i = 0; i < shape.triangleCount; ++i) {
        const std::int32_t base = maxIndex == 0 ? 0 : (i / 2) % (maxIndex + 1);
        for (int corner = 0; corner < 3; ++corner) {
            const std::int32_t index = std::clamp(base + random.between(-32, 32), 0, maxIndex);
            payload.i16(static_cast<std::int16_t>(index));
        }
    }
    for (std::int32_t p = 0; p < shape.partCount; ++p) {
        const std::int32_t first = static_cast<std::int32_t>(
            static_cast<std::int64_t>(shape.triangleCount) * p / shape.partCount);
        const std::int32_t end = static_cast<std::int32_t>(
            static_cast<std::int64_t>(shape.triangleCount) * (p + 1) / shape.partCount);
        const std::string name =
            std::string("part_") + std::string(kWords[random.below(16)]) + std::to_string(p);
        payload.u8(static_cast<std::uint8_t>(name.size())).raw(name);
        payload.i32(0).i32(0).i32(p).i32(3 * first).i32(3 * (end - first)).i32(0);
    }
    return chunk("ARC0", payload);
}

Bytes coloChunk(Random& random, const ModelShape& shape) {
    Bytes payload;
    payload.data.reserve(12U * static_cast<std::size_t>(shape.collisionPointCount) +
                         6U * static_cast<std::size_t>(shape.collisionFaceCount) + 16U);
    payload.u32(0).i32(shape.collisionPointCount);
    for (std::int32_t i = 0; i < shape.collisionPointCount; ++i) {
        payload.f32(random.coordinate()).f32(random.coordinate()).f32(random.coordinate());
    }
    payload.i32(shape.collisionFaceCount);
    const auto points = static_cast<std::uint32_t>(std::max(shape.collisionPointCount, 1));
    for (std::int32_t i = 0; i < shape.collisionFaceCount; ++i) {
        for (int corner = 0; corner < 3; ++corner) {
            payload.i16(static_cast<std::int16_t>(random.below(points)));
        }
    }
    return chunk("COLO", payload);
}

Bytes smhpChunk(Random& random, const ModelShape& shape) {
    Bytes payload;
    payload.u16(shape.hitBoxCount);
    for (unsigned i = 0; i < shape.hitBoxCount; ++i) {
        if (i == 0) {
            // Places the collision mesh: a turn about z and a shift.
            payload.f32(0.6F).f32(0.8F).f32(0.0F);
            payload.f32(-0.8F).f32(0.6F).f32(0.0F);
            payload.f32(0.0F).f32(0.0F).f32(1.0F);
            payload.f32(random.coordinate()).f32(random.coordinate()).f32(random.coordinate());
            payload.wide("Collision");
            continue;
        }
        payload.f32(1.0F).f32(0.0F).f32(0.0F);
        payload.f32(0.0F).f32(1.0F).f32(0.0F);
        payload.f32(0.0F).f32(0.0F).f32(1.0F);
        payload.f32(random.coordinate()).f32(random.coordinate()).f32(random.coordinate());
        payload.wide(std::string("hit_") + std::string(kWords[random.below(16)]) +
                     std::to_string(i));
    }
    return chunk("SMHP", payload);
}

std::int32_t scaled(std::int32_t full, double fraction, Random& random, std::int32_t least) {
    // Each count varies by up to a quarter either way around its share.
    const double jitter = 0.75 + 0.5 * static_cast<double>(random.below(1001)) / 1000.0;
    const auto count = static_cast<std::int32_t>(static_cast<double>(full) * fraction * jitter);
    return std::clamp(count, least, full);
}

}  // namespace

ModelShape maximumModelShape() {
    ModelShape shape;
    shape.vertexCount = 65535;
    shape.meshIndexCount = 65535;
    shape.triangleCount = 131072;
    shape.partCount = 64;
    shape.maxTriangleIndex = 32767;
    shape.textureGroupCount = 26;
    shape.texturesPerGroup = 50;
    shape.collisionPointCount = 15018;
    shape.collisionFaceCount = 4268;
    shape.hitBoxCount = 32;
    return shape;
}

ModelShape randomModelShape(std::uint64_t targetSize, std::uint64_t seed) {
    const ModelShape full = maximumModelShape();
    const auto fullSize = static_cast<double>(generateModel(full, seed).size());
    const double fraction = std::min(1.0, static_cast<double>(targetSize) / fullSize);
    Random random{seed ^ 0x5A17E5C0FFEEU};

    ModelShape shape;
    shape.vertexCount = static_cast<std::uint16_t>(scaled(full.vertexCount, fraction, random, 3));
    shape.triangleCount = scaled(full.triangleCount, fraction, random, 1);
    shape.partCount = scaled(full.partCount, fraction, random, 1);
    shape.maxTriangleIndex = std::min<std::int32_t>(full.maxTriangleIndex, shape.vertexCount - 1);
    shape.meshIndexCount =
        static_cast<std::uint16_t>(3 * std::min<std::int32_t>(shape.triangleCount, 21845));
    shape.textureGroupCount = scaled(full.textureGroupCount, fraction, random, 1);
    shape.texturesPerGroup = scaled(full.texturesPerGroup, fraction, random, 1);
    if (random.below(4) != 0) {
        shape.collisionPointCount = scaled(full.collisionPointCount, fraction, random, 4);
        shape.collisionFaceCount = scaled(full.collisionFaceCount, fraction, random, 1);
    }
    shape.hitBoxCount = static_cast<std::uint16_t>(scaled(full.hitBoxCount, fraction, random, 0));

    const std::size_t size = generateModel(shape, seed).size();
    constexpr std::size_t kChunkHeaderSize = 12;
    if (targetSize > size + kChunkHeaderSize) {
        const std::uint64_t rest = targetSize - size - kChunkHeaderSize;
        shape.paddingBytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(rest, 0x7FFF0000U));
    }
    return shape;
}

ModelShape smallModelShape(std::uint64_t seed) {
    Random random{seed ^ 0x5311A11U};
    ModelShape shape;
    shape.vertexCount = static_cast<std::uint16_t>(random.between(3, 80));
    shape.triangleCount = random.between(1, 60);
    shape.partCount = random.between(1, 4);
    shape.maxTriangleIndex = shape.vertexCount - 1;
    shape.meshIndexCount = static_cast<std::uint16_t>(3 * shape.triangleCount);
    shape.textureGroupCount = random.between(0, 3);
    shape.texturesPerGroup = random.between(1, 6);
    if (random.below(2) != 0) {
        shape.collisionPointCount = random.between(4, 24);
        shape.collisionFaceCount = random.between(1, 16);
    }
    shape.hitBoxCount = static_cast<std::uint16_t>(random.between(0, 3));
    return shape;
}

Bytes generateModel(const ModelShape& shape, std::uint64_t seed) {
    Random random{seed};
    std::vector<Bytes> chunks;
    for (int group = 0; group < shape.textureGroupCount; ++group) {
        chunks.push_back(textureGroupChunk(random, group, shape.texturesPerGroup));
    }
    chunks.push_back(vertexChunk(random, shape));
    chunks.push_back(arc0Chunk(random, shape));
    if (shape.collisionPointCount != 0) {
        chunks.push_back(coloChunk(random, shape));
    }
    if (shape.hitBoxCount != 0) {
        chunks.push_back(smhpChunk(random, shape));
    }
    if (shape.paddingBytes != 0) {
        Bytes padding;
        padding.zeros(shape.paddingBytes);
        chunks.push_back(chunk("EDTR", padding));
    }
    const std::string objectName = "model_" + std::to_string(seed % 100000U);
    return modelFile(objectName, "generated", "grelvin bench", chunks);
}

}  // namespace grelvin::testing
