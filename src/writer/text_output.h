#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace grelvin {

// Where the finished bytes of a text model file go: a file, a memory buffer, a
// counter. `write` returns false when the bytes could not be stored.
struct OutputSink {
    void* context = nullptr;
    bool (*write)(void* context, const char* data, std::size_t size) = nullptr;
};

// The output stream of a text model file. Every byte passes through it; each
// line feed becomes CR LF, every other byte (CR and 0x1A included) is written
// unchanged, and nothing is added at the end. Bytes are handed to the sink in
// blocks. After the sink has failed once, everything else is dropped and
// `failed` stays set.
struct TextOutput {
    static constexpr std::size_t kBufferSize = 64 * 1024;

    OutputSink sink;
    std::size_t used = 0;
    bool failed = false;
    std::array<char, kBufferSize> buffer;

    explicit TextOutput(OutputSink target) : sink(target) {}
};

// Hands the buffered bytes to the sink; returns false once any write failed.
bool flushTextOutput(TextOutput& output);

// Hands the buffered bytes and then `data` on; for writes that do not fit.
void writeRawSlow(TextOutput& output, const char* data, std::size_t size);

// Writes bytes that hold no line feed, such as digits, unchanged.
inline void writeRaw(TextOutput& output, const char* data, std::size_t size) {
    if (size <= output.buffer.size() - output.used) {
        std::memcpy(output.buffer.data() + output.used, data, size);
        output.used += size;
        return;
    }
    writeRawSlow(output, data, size);
}

// Room for `size` bytes (at most kBufferSize) at the end of the buffer, which
// is flushed first when it has less. A writer that assembles a line in place
// writes there and then counts its bytes in with commitRaw; like writeRaw, for
// bytes that hold no line feed.
inline char* reserveRaw(TextOutput& output, std::size_t size) {
    if (size > output.buffer.size() - output.used) {
        flushTextOutput(output);
    }
    return output.buffer.data() + output.used;
}

inline void commitRaw(TextOutput& output, std::size_t size) {
    output.used += size;
}

// Writes text, turning each line feed into CR LF.
void writeText(TextOutput& output, std::string_view text);

}  // namespace grelvin
