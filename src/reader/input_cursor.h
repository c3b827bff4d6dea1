#pragma once

#include <cstddef>
#include <cstdint>

namespace grelvin {

// A bounds-checked read position over the image of a binary model file held
// in memory. Every read of the file goes through readBytes, which delivers at
// most the bytes left before the end of the image and never touches the part
// of the destination it does not fill.
struct InputCursor {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;        // may lie beyond `size` after a seek
    std::uint32_t lastReadCount = 0;  // bytes delivered by the most recent read
    std::uint64_t deliveredTotal = 0;  // bytes delivered by all reads so far
};

InputCursor makeInputCursor(const std::uint8_t* data, std::size_t size);

// Copies up to `count` bytes at the read position into `destination`, moves
// the position past them and records the number delivered in lastReadCount.
std::uint32_t readBytes(InputCursor& input, void* destination, std::uint32_t count);

// Sets the read position, counted from the start of the file. A position at or
// beyond the end is accepted; reads there deliver nothing.
void seekTo(InputCursor& input, std::int32_t position);

// Has the same effect on the position and on lastReadCount as `count` reads of
// `recordSize` bytes each whose contents are discarded, in constant time.
// Nothing happens when `count` is 0 or less.
void skipRecords(InputCursor& input, std::uint32_t recordSize, std::int64_t count);

// True when every further read delivers nothing until the next seek.
inline bool atEnd(const InputCursor& input) { return input.position >= input.size; }

// Little-endian integers of the file. Bytes that the end of the file cuts off
// count as zero.
std::int32_t readInt32(InputCursor& input);
std::uint16_t readUint16(InputCursor& input);

}  // namespace grelvin
