#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/large_memory.h"

namespace grelvin {

// The file layer: the few operations the converter needs from the operating
// system, with one back end per platform. Handles are plain integers wide
// enough for a descriptor or a Windows handle.

struct InputFile {
    std::intptr_t handle = -1;
};

struct OutputFile {
    std::intptr_t handle = -1;
    bool isRegular = false;  // a regular file, not a device or a pipe
    std::uint64_t volume = 0;  // identity of the file, kept after it is closed
    std::uint64_t index = 0;
};

// Makes the process report failed writes as errors instead of signals.
void initPlatform();

// Opens an existing file for reading, shared with other openers for reading
// only. On failure returns false with the platform's error code.
bool openInputFile(const char* path, InputFile& file, long& errorCode);

// The bytes of an input file. A large model's image takes megabytes, hence the
// allocator (see large_memory.h).
using InputImage = std::vector<std::uint8_t, LargeBlockAllocator<std::uint8_t>>;

// Reads from the current position to the end of the file (or of the stream).
// A read error ends the image where it happened.
InputImage readInputFile(const InputFile& file);

void closeInputFile(InputFile& file);

// Opens `path` for writing and empties it, creating it if needed. Refuses,
// before anything is truncated, a path that names the file open as `input`.
bool openOutputFile(const char* path, const InputFile& input, OutputFile& file);

bool writeOutputFile(const OutputFile& file, const char* data, std::size_t size);

// Closes the file; returns false when the close reports an error.
bool closeOutputFile(OutputFile& file);

// Discards an output whose writing failed: a regular file is removed (or, when
// the path no longer names it, emptied); devices and pipes are left alone.
void discardOutputFile(const char* path, OutputFile& file);

// Writes text to standard output.
void writeConsole(std::string_view text);

}  // namespace grelvin
