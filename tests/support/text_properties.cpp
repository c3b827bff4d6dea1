#include "support/text_properties.h"

#include "reader/model_reader.h"
#include "support/output_bound.h"

namespace grelvin::testing {

namespace {

bool watchBlock(void* context, const char* data, std::size_t size) {
    auto& text = *static_cast<TextProperties*>(context);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && text.previous != '\r') {
            text.bareLineFeed = true;
        }
        text.previous = data[i];
    }
    for (std::size_t i = size > sizeof text.tail ? size - sizeof text.tail : 0; i < size; ++i) {
        for (std::size_t k = 0; k + 1 < sizeof text.tail; ++k) {
            text.tail[k] = text.tail[k + 1];
        }
        text.tail[sizeof text.tail - 1] = data[i];
    }
    text.size += size;
    return true;
}

}  // namespace

TextProperties convertAndWatch(std::span<const std::uint8_t> image, std::string_view inputPath) {
    TextProperties text;
    text.validMagic = hasValidMagic(peekFileHeader(image));
    text.status = convertModel(image, inputPath, OutputSink{&text, watchBlock});
    return text;
}

std::string_view violatedProperty(const TextProperties& text, std::size_t inputSize,
                                  std::size_t inputPathSize) {
    if (!text.validMagic) {
        if (text.status != ConversionStatus::wrongMagic || text.size != 0) {
            return "a file with a wrong magic was not refused before any output";
        }
        return {};
    }
    if (text.status != ConversionStatus::converted) {
        return "a file with a valid magic was not converted";
    }
    if (text.lastBytes() != "END\r\n") {
        return "the text does not end with the END line";
    }
    if (text.bareLineFeed) {
        return "a line feed without a carriage return in front";
    }
    if (text.size > maxOutputBytes(inputSize, inputPathSize)) {
        return "the text is larger than the bound for its input size";
    }
    return {};
}

}  // namespace grelvin::testing
