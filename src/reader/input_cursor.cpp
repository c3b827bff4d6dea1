#include "reader/input_cursor.h"

#include <cstring>

namespace grelvin {

InputCursor makeInputCursor(const std::uint8_t* data, std::size_t size) {
    InputCursor input;
    input.data = data;
    input.size = size;
    return input;
}

std::uint32_t readBytes(InputCursor& input, void* destination, std::uint32_t count) {
    const std::size_t available = atEnd(input) ? 0 : input.size - input.position;
    const std::uint32_t delivered =
        available < count ? static_cast<std::uint32_t>(available) : count;
    if (delivered != 0) {
        std::memcpy(destination, input.data + input.position, delivered);
        input.position += delivered;
    }
    input.lastReadCount = delivered;
    input.deliveredTotal += delivered;
    return delivered;
}

void seekTo(InputCursor& input, std::int32_t position) {
    // A negative position cannot be reached by the chunk walk, which stops
    // before it; treat it as the end so that reads deliver nothing.
    input.position = position < 0 ? input.size : static_cast<std::size_t>(position);
}

void skipRecords(InputCursor& input, std::uint32_t recordSize, std::int64_t count) {
    if (count <= 0 || recordSize == 0) {
        return;
    }
    const std::uint64_t available = atEnd(input) ? 0 : input.size - input.position;
    const auto records = static_cast<std::uint64_t>(count);
    // count is below 2^63 and recordSize below 2^32; compare by division to
    // stay clear of overflow.
    if (records <= available / recordSize) {
        const std::uint64_t bytes = records * recordSize;
        input.position += static_cast<std::size_t>(bytes);
        input.deliveredTotal += bytes;
        input.lastReadCount = recordSize;
        return;
    }
    // The end comes first: the reads before it deliver whole records, one may
    // deliver a remainder, and the rest deliver nothing.
    const std::uint64_t lastStart = (records - 1) * static_cast<std::uint64_t>(recordSize);
    std::uint32_t lastDelivered = 0;
    if (records - 1 <= available / recordSize && lastStart < available) {
        lastDelivered = static_cast<std::uint32_t>(available - lastStart);
    }
    input.position += static_cast<std::size_t>(available);
    input.deliveredTotal += available;
    input.lastReadCount = lastDelivered;
}

std::int32_t readInt32(InputCursor& input) {
    std::uint8_t bytes[4] = {0, 0, 0, 0};
    readBytes(input, bytes, 4);
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) |
                                static_cast<std::uint32_t>(bytes[1]) << 8U |
                                static_cast<std::uint32_t>(bytes[2]) << 16U |
                                static_cast<std::uint32_t>(bytes[3]) << 24U;
    return static_cast<std::int32_t>(value);
}

std::uint16_t readUint16(InputCursor& input) {
    std::uint8_t bytes[2] = {0, 0};
    readBytes(input, bytes, 2);
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8U);
}

}  // namespace grelvin
