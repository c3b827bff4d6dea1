#include "writer/text_output.h"

namespace grelvin {

bool flushTextOutput(TextOutput& output) {
    if (output.used != 0 && !output.failed) {
        if (!output.sink.write(output.sink.context, output.buffer.data(), output.used)) {
            output.failed = true;
        }
    }
    output.used = 0;
    return !output.failed;
}

void writeRawSlow(TextOutput& output, const char* data, std::size_t size) {
    flushTextOutput(output);
    if (size <= output.buffer.size()) {
        std::memcpy(output.buffer.data(), data, size);
        output.used = size;
        return;
    }
    if (!output.failed && !output.sink.write(output.sink.context, data, size)) {
        output.failed = true;
    }
}

void writeText(TextOutput& output, std::string_view text) {
    while (!text.empty()) {
        const void* found = std::memchr(text.data(), '\n', text.size());
        if (found == nullptr) {
            writeRaw(output, text.data(), text.size());
            return;
        }
        const auto lineLength =
            static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        writeRaw(output, text.data(), lineLength);
        writeRaw(output, "\r\n", 2);
        text.remove_prefix(lineLength + 1);
    }
}

}  // namespace grelvin
