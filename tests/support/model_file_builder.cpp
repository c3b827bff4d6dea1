#include "support/model_file_builder.h"

#include <bit>
#include <cassert>

namespace grelvin::testing {

Bytes& Bytes::u8(std::uint8_t value) {
    data.push_back(value);
    return *this;
}

Bytes& Bytes::u16(std::uint16_t value) {
    data.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    data.push_back(static_cast<std::uint8_t>(value >> 8U));
    return *this;
}

Bytes& Bytes::i16(std::int16_t value) { return u16(static_cast<std::uint16_t>(value)); }

Bytes& Bytes::u32(std::uint32_t value) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
        data.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFU));
    }
    return *this;
}

Bytes& Bytes::i32(std::int32_t value) { return u32(static_cast<std::uint32_t>(value)); }

Bytes& Bytes::f32(float value) { return u32(std::bit_cast<std::uint32_t>(value)); }

Bytes& Bytes::f32Bits(std::uint32_t bits) { return u32(bits); }

Bytes& Bytes::raw(std::string_view bytes) {
    for (const char c : bytes) {
        data.push_back(static_cast<std::uint8_t>(c));
    }
    return *this;
}

Bytes& Bytes::raw(std::initializer_list<std::uint8_t> bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes& Bytes::zeros(std::size_t count) {
    data.insert(data.end(), count, 0);
    return *this;
}

Bytes& Bytes::wide(std::string_view text) {
    for (const char c : text) {
        u16(static_cast<std::uint8_t>(c));
    }
    return u16(0);
}

Bytes& Bytes::append(const Bytes& other) {
    data.insert(data.end(), other.data.begin(), other.data.end());
    return *this;
}

Bytes fileHeader(std::int32_t firstChunkOffset, std::uint32_t reserved) {
    Bytes header;
    header.raw("1FFE0FNI").u32(reserved).i32(firstChunkOffset);
    return header;
}

Bytes headerStrings(std::string_view objectName, std::string_view infoString,
                    std::string_view authorName) {
    Bytes strings;
    strings.wide(objectName).wide(infoString).wide(authorName);
    return strings;
}

Bytes chunk(std::string_view id, const Bytes& payload) {
    return chunkWithSize(id, static_cast<std::int32_t>(payload.size()), payload);
}

Bytes chunkWithSize(std::string_view id, std::int32_t size, const Bytes& payload) {
    assert(id.size() == 4);
    Bytes bytes;
    // The name's characters lie on disk from the last to the first.
    bytes.u8(static_cast<std::uint8_t>(id[3]))
        .u8(static_cast<std::uint8_t>(id[2]))
        .u8(static_cast<std::uint8_t>(id[1]))
        .u8(static_cast<std::uint8_t>(id[0]));
    bytes.u32(0).i32(size).append(payload);
    return bytes;
}

Bytes modelFile(std::string_view objectName, std::string_view infoString,
                std::string_view authorName, const std::vector<Bytes>& chunks) {
    const Bytes strings = headerStrings(objectName, infoString, authorName);
    Bytes file = fileHeader(static_cast<std::int32_t>(strings.size()));
    file.append(strings);
    for (const Bytes& c : chunks) {
        file.append(c);
    }
    return file;
}

Bytes modelFile(std::string_view objectName, std::string_view infoString,
                std::string_view authorName, std::initializer_list<Bytes> chunks) {
    return modelFile(objectName, infoString, authorName, std::vector<Bytes>(chunks));
}

}  // namespace grelvin::testing
