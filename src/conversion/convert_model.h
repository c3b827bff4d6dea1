#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/model_store.h"
#include "reader/model_reader.h"
#include "writer/text_output.h"

namespace grelvin {

// The header of a binary model image, as the reader sees it.
FileHeader peekFileHeader(std::span<const std::uint8_t> image);

// Reads a whole binary model image into the store. Returns false, leaving
// the store untouched, when the image does not start with a valid header.
bool readModelImage(std::span<const std::uint8_t> image, ModelStore& store);

enum class ConversionStatus { converted, wrongMagic, writeFailed };

// The whole conversion in memory: the bytes of a binary model file in, the
// text model file out to `sink`. `inputPath` is the name written in the
// comment block.
ConversionStatus convertModel(std::span<const std::uint8_t> image, std::string_view inputPath,
                              OutputSink sink);

// Sinks for callers that keep the text in memory or only measure it.
OutputSink stringSink(std::string& text);
OutputSink countingSink(std::uint64_t& byteCount);

}  // namespace grelvin
