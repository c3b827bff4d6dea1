#include <cstring>

#include "reader/model_reader.h"

namespace grelvin {

namespace {
constexpr std::uint8_t kMagic[9] = {0x31, 0x46, 0x46, 0x45, 0x30, 0x46, 0x4E, 0x49, 0x00};
}

std::int32_t firstChunkOffset(const FileHeader& header) {
    const auto& b = header.bytes;
    const std::uint32_t value = static_cast<std::uint32_t>(b[12]) |
                                static_cast<std::uint32_t>(b[13]) << 8U |
                                static_cast<std::uint32_t>(b[14]) << 16U |
                                static_cast<std::uint32_t>(b[15]) << 24U;
    return static_cast<std::int32_t>(value);
}

FileHeader readFileHeader(InputCursor& input) {
    FileHeader header;
    readBytes(input, header.bytes.data(), static_cast<std::uint32_t>(header.bytes.size()));
    return header;
}

bool hasValidMagic(const FileHeader& header) {
    return std::memcmp(header.bytes.data(), kMagic, sizeof kMagic) == 0;
}

}  // namespace grelvin
