#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace grelvin::testing {

// Composes the exact bytes of a binary model file: little-endian integers,
// floats, 16-bit strings, chunks of any id, size and payload.
struct Bytes {
    std::vector<std::uint8_t> data;

    Bytes& u8(std::uint8_t value);
    Bytes& u16(std::uint16_t value);
    Bytes& i16(std::int16_t value);
    Bytes& u32(std::uint32_t value);
    Bytes& i32(std::int32_t value);
    Bytes& f32(float value);
    Bytes& f32Bits(std::uint32_t bits);
    // Raw bytes as they stand.
    Bytes& raw(std::string_view bytes);
    Bytes& raw(std::initializer_list<std::uint8_t> bytes);
    Bytes& zeros(std::size_t count);
    // A 16-bit string: one unit per byte of `text`, then the zero unit.
    Bytes& wide(std::string_view text);
    Bytes& append(const Bytes& other);

    std::size_t size() const { return data.size(); }
};

// The 16-byte header: the magic, a reserved word and the first chunk offset.
Bytes fileHeader(std::int32_t firstChunkOffset, std::uint32_t reserved = 0);

// The three header strings one after another.
Bytes headerStrings(std::string_view objectName, std::string_view infoString,
                    std::string_view authorName);

// A chunk whose size field is the payload's length; `id` is the four
// characters of the name, such as "ARC0".
Bytes chunk(std::string_view id, const Bytes& payload);

// A chunk whose size field says `size` whatever the payload holds.
Bytes chunkWithSize(std::string_view id, std::int32_t size, const Bytes& payload);

// A whole file: header, strings, and the chunks right after the strings.
Bytes modelFile(std::string_view objectName, std::string_view infoString,
                std::string_view authorName, std::initializer_list<Bytes> chunks = {});
Bytes modelFile(std::string_view objectName, std::string_view infoString,
                std::string_view authorName, const std::vector<Bytes>& chunks);

}  // namespace grelvin::testing
