#include "conversion/convert_model.h"

#include <memory>

#include "writer/text_model_writer.h"

namespace grelvin {

FileHeader peekFileHeader(std::span<const std::uint8_t> image) {
    InputCursor input = makeInputCursor(image.data(), image.size());
    return readFileHeader(input);
}

bool readModelImage(std::span<const std::uint8_t> image, ModelStore& store) {
    InputCursor input = makeInputCursor(image.data(), image.size());
    const FileHeader header = readFileHeader(input);
    if (!hasValidMagic(header)) {
        return false;
    }
    readModel(input, header, store);
    return true;
}

ConversionStatus convertModel(std::span<const std::uint8_t> image, std::string_view inputPath,
                              OutputSink sink) {
    auto store = std::make_unique<ModelStore>();
    if (!readModelImage(image, *store)) {
        return ConversionStatus::wrongMagic;
    }
    auto output = std::make_unique<TextOutput>(sink);
    writeTextModel(*output, inputPath, *store);
    return flushTextOutput(*output) ? ConversionStatus::converted : ConversionStatus::writeFailed;
}

OutputSink stringSink(std::string& text) {
    return {&text, [](void* context, const char* data, std::size_t size) {
                static_cast<std::string*>(context)->append(data, size);
                return true;
            }};
}

OutputSink countingSink(std::uint64_t& byteCount) {
    return {&byteCount, [](void* context, const char* /*data*/, std::size_t size) {
                *static_cast<std::uint64_t*>(context) += size;
                return true;
            }};
}

}  // namespace grelvin
