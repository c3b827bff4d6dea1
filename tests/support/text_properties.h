#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "conversion/convert_model.h"

// What must hold for the conversion of any bytes at all, checked as the text
// streams by so that outputs of hundreds of megabytes cost no memory. Used by
// the regression test and the conversion fuzzer.
namespace grelvin::testing {

struct TextProperties {
    ConversionStatus status = ConversionStatus::converted;
    bool validMagic = false;
    std::uint64_t size = 0;
    bool bareLineFeed = false;  // a 0x0A without 0x0D in front
    char tail[5] = {};          // the last five bytes, oldest first
    char previous = '\0';

    std::string_view lastBytes() const {
        return size < sizeof tail ? std::string_view() : std::string_view(tail, sizeof tail);
    }
};

// Converts `image` under `inputPath` and records the properties of the text.
TextProperties convertAndWatch(std::span<const std::uint8_t> image, std::string_view inputPath);

// Empty when the properties hold; otherwise what is wrong: a wrong magic that
// was not refused before any output, a valid one not converted, a text that
// does not end with the END line, a bare line feed, or a text beyond the
// written bound for an input of this size.
std::string_view violatedProperty(const TextProperties& text, std::size_t inputSize,
                                  std::size_t inputPathSize);

}  // namespace grelvin::testing
