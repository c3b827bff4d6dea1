// The whole conversion in memory on any bytes. Besides the sanitizers' checks
// it asserts what must hold for every input (support/text_properties.h): a
// file with a valid magic is converted and its text ends with the END line,
// every line feed follows a carriage return, and the text stays within the
// written bound on the output for an input of this size.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "support/text_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::string_view kInputPath = "fuzz.bin";
    const grelvin::testing::TextProperties text =
        grelvin::testing::convertAndWatch(std::span<const std::uint8_t>(data, size), kInputPath);
    const std::string_view violated =
        grelvin::testing::violatedProperty(text, size, kInputPath.size());
    if (!violated.empty()) {
        std::fprintf(stderr, "convert_model_fuzzer: %.*s (text of %llu bytes)\n",
                     static_cast<int>(violated.size()), violated.data(),
                     static_cast<unsigned long long>(text.size));
        std::abort();
    }
    return 0;
}
