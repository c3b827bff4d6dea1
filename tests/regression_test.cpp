// Inputs that once broke the converter, kept in tests/regression/ (each named
// after what it broke). Every one must now convert, or be refused for its
// magic, with the properties that hold for any input: the END line last, no
// bare line feed, a text within the bound for its size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "support/process_runner.h"
#include "support/text_properties.h"

namespace grelvin {
namespace {

namespace fs = std::filesystem;

fs::path regressionDirectory() {
    return fs::path(__FILE__).parent_path() / "regression";
}

std::vector<fs::path> regressionInputs() {
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(regressionDirectory())) {
        if (entry.is_regular_file() && entry.path().extension() != ".md") {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

TEST(Regression, EveryKeptInputConvertsCleanly) {
    const std::vector<fs::path> inputs = regressionInputs();
    ASSERT_FALSE(inputs.empty()) << "no inputs in " << regressionDirectory();
    for (const fs::path& path : inputs) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = testing::readFile(path);
        const std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
        const std::string inputPath = path.filename().string();
        const testing::TextProperties text = testing::convertAndWatch(image, inputPath);
        EXPECT_EQ(testing::violatedProperty(text, image.size(), inputPath.size()), "");
    }
}

// A group name of 32,768 characters with as many textures: the stored name is
// held to its 63 characters, and every texture is still there.
TEST(Regression, GroupNameTimesTextureCount) {
    const std::string bytes =
        testing::readFile(regressionDirectory() / "group_name_times_texture_count.bin");
    const std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    auto store = std::make_unique<ModelStore>();
    ASSERT_TRUE(readModelImage(image, *store));
    EXPECT_EQ(store->textureGroups[0].name, std::string(63, 'g'));
    EXPECT_EQ(store->textureGroups[0].textureCount, 32768);
}

}  // namespace
}  // namespace grelvin
