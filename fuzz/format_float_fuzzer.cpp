// The general float form against its exact reference. The first eight bytes
// are the bit pattern of a double, the first four that of a float widened to
// double, the conversion every store coordinate goes through. Any difference
// aborts.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "support/float_reference.h"
#include "writer/format_float.h"

namespace {

void check(double value) {
    char text[grelvin::kFloatTextCapacity];
    const std::size_t length = grelvin::formatFloat(value, text);
    const std::string_view actual(text, length);
    const std::string expected = grelvin::referenceFloatForm(value);
    if (actual != expected) {
        std::fprintf(stderr, "formatFloat(0x%016llx) = \"%.*s\", expected \"%s\"\n",
                     static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)),
                     static_cast<int>(actual.size()), actual.data(), expected.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 8) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        check(std::bit_cast<double>(bits));
    }
    if (size >= 4) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        check(static_cast<double>(std::bit_cast<float>(bits)));
    }
    return 0;
}
