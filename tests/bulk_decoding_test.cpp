// The triangles of an ARC0 chunk are decoded in bulk where the file holds them
// whole; the result must be that of one read per record, wherever the file
// ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "reader/chunk_decoders.h"
#include "support/mesh_payloads.h"

namespace grelvin {
namespace {

using testing::Arc0Counts;
using testing::arc0Head;
using testing::Bytes;

TEST(BulkDecoding, TrianglesCutAnywhereMatchOneReadPerRecord) {
    constexpr std::size_t kTriangles = 3;
    constexpr std::size_t kHeadSize = 80;
    Arc0Counts counts;
    counts.triangleIndexCount = 3 * kTriangles;
    Bytes full = arc0Head(counts);
    for (std::size_t i = 0; i < 2 * 3 * kTriangles; ++i) {
        full.u8(static_cast<std::uint8_t>(0x80 + i));  // high bytes 0x8x: negative indices
    }
    for (std::size_t kept = 0; kept <= 6 * kTriangles; ++kept) {
        SCOPED_TRACE(kept);
        auto store = std::make_unique<ModelStore>();
        for (std::size_t i = 0; i < kTriangles; ++i) {
            store->faces.slot(i).indices = {0x1111, 0x2222, 0x3333};
        }
        InputCursor input = makeInputCursor(full.data.data(), kHeadSize + kept);
        readArc0Chunk(input, ChunkHeader{}, *store);

        for (std::size_t i = 0; i < kTriangles; ++i) {
            // Record i gets the bytes the file delivers to its read; the
            // rest keeps the little-endian bytes of what the face held.
            std::array<std::uint8_t, 6> bytes = {0x11, 0x11, 0x22, 0x22, 0x33, 0x33};
            const std::size_t start = 6 * i;
            const std::size_t delivered = kept > start ? std::min<std::size_t>(kept - start, 6) : 0;
            std::copy_n(full.data.begin() + static_cast<std::ptrdiff_t>(kHeadSize + start),
                        delivered, bytes.begin());
            std::array<std::int32_t, 3> expected{};
            for (std::size_t corner = 0; corner < 3; ++corner) {
                expected[corner] =
                    static_cast<std::int16_t>(bytes[2 * corner] | bytes[2 * corner + 1] << 8U);
            }
            EXPECT_EQ(store->faces.at(i).indices, expected) << "face " << i;
        }
        const std::size_t lastStart = 6 * (kTriangles - 1);
        EXPECT_EQ(input.lastReadCount, kept > lastStart ? kept - lastStart : 0U);
        EXPECT_EQ(input.position, kHeadSize + kept);
        EXPECT_EQ(input.deliveredTotal, kHeadSize + kept);
    }
}

}  // namespace
}  // namespace grelvin
