// Writes generated binary model files for benchmarks and batch runs:
//   make_model max OUT               the maximum-capacity model
//   make_model random SIZE SEED OUT  a model of about SIZE bytes
//   make_model small COUNT DIR       COUNT small varied models DIR/small_NNNNN.bin
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/model_generator.h"

namespace {

using grelvin::testing::Bytes;

constexpr std::string_view kUsage =
    "usage: make_model max OUT\n"
    "       make_model random SIZE SEED OUT\n"
    "       make_model small COUNT DIR\n";

bool writeBytes(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "make_model: cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "make_model: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool parseNumber(std::string_view text, std::uint64_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

int usage() {
    std::fputs(kUsage.data(), stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace grelvin::testing;
    if (argc < 2) {
        return usage();
    }
    const std::string_view mode = argv[1];
    if (mode == "max" && argc == 3) {
        return writeBytes(argv[2], generateModel(maximumModelShape(), 1)) ? 0 : 1;
    }
    if (mode == "random" && argc == 5) {
        std::uint64_t size = 0;
        std::uint64_t seed = 0;
        if (!parseNumber(argv[2], size) || !parseNumber(argv[3], seed)) {
            return usage();
        }
        return writeBytes(argv[4], generateModel(randomModelShape(size, seed), seed)) ? 0 : 1;
    }
    if (mode == "small" && argc == 4) {
        std::uint64_t count = 0;
        if (!parseNumber(argv[2], count)) {
            return usage();
        }
        const std::filesystem::path directory = argv[3];
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        for (std::uint64_t i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "small_%05llu.bin",
                          static_cast<unsigned long long>(i));
            if (!writeBytes((directory / name).string(), generateModel(smallModelShape(i), i))) {
                return 1;
            }
        }
        return 0;
    }
    return usage();
}
