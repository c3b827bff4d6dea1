// The text output stream, the integer forms and the frame of the text file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "conversion/convert_model.h"
#include "support/model_file_builder.h"
#include "writer/number_forms.h"
#include "writer/text_model_writer.h"
#include "writer/text_output.h"

namespace grelvin {
namespace {

using testing::Bytes;
using testing::modelFile;

std::string convert(const Bytes& file, std::string_view inputPath = "in.bin") {
    std::string text;
    EXPECT_EQ(convertModel(file.data, inputPath, stringSink(text)), ConversionStatus::converted);
    return text;
}

TEST(NumberForms, IntegerConversions) {
    struct Case {
        std::int64_t value;
        const char* decimal;
        const char* hexSpaced4;
        const char* hexZero2;
    };
    const Case cases[] = {
        {0, "0", "   0", "00"},
        {1, "1", "   1", "01"},
        {10, "10", "   a", "0a"},
        {255, "255", "  ff", "ff"},
        {256, "256", " 100", "100"},
        {65536, "65536", "10000", "10000"},
        {-1, "-1", "ffffffff", "ffffffff"},
        {2147483647, "2147483647", "7fffffff", "7fffffff"},
        {-2147483648LL, "-2147483648", "80000000", "80000000"},
    };
    for (const Case& c : cases) {
        char text[16];
        const auto value = static_cast<std::int32_t>(c.value);
        EXPECT_EQ(std::string(text, formatDecimal(value, text)), c.decimal);
        EXPECT_EQ(std::string(text, formatHexSpaced4(static_cast<std::uint32_t>(value), text)),
                  c.hexSpaced4);
        EXPECT_EQ(std::string(text, formatHexZero2(static_cast<std::uint32_t>(value), text)),
                  c.hexZero2);
    }
}

TEST(TextOutput, TurnsEveryLineFeedIntoCrLfAndNothingElse) {
    std::string sink;
    auto output = std::make_unique<TextOutput>(stringSink(sink));
    writeText(*output, "a\nb\r\n\x1A\n\n");
    writeText(*output, "");
    writeText(*output, "\xFF");
    ASSERT_TRUE(flushTextOutput(*output));
    EXPECT_EQ(sink, "a\r\nb\r\r\n\x1A\r\n\r\n\xFF");
}

TEST(TextOutput, KeepsEveryByteAcrossBufferBoundaries) {
    // Lines that straddle the 64 KiB buffer, and one write larger than it.
    std::string sink;
    auto output = std::make_unique<TextOutput>(stringSink(sink));
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        writeText(*output, "line\n");
        expected += "line\r\n";
    }
    const std::string big(200000, 'x');
    writeText(*output, big);
    expected += big;
    writeText(*output, "\n");
    expected += "\r\n";
    ASSERT_TRUE(flushTextOutput(*output));
    EXPECT_EQ(sink, expected);
}

TEST(TextOutput, AFailedSinkIsRememberedAndLaterBytesAreDropped) {
    int calls = 0;
    OutputSink failing{&calls, [](void* context, const char*, std::size_t) {
                           ++*static_cast<int*>(context);
                           return false;
                       }};
    auto output = std::make_unique<TextOutput>(failing);
    const std::string big(3 * TextOutput::kBufferSize, 'x');
    writeText(*output, big);
    writeText(*output, "more\n");
    EXPECT_FALSE(flushTextOutput(*output));
    EXPECT_TRUE(output->failed);
    EXPECT_EQ(calls, 1);

    EXPECT_EQ(convertModel(modelFile("a", "b", "c").data, "x", failing),
              ConversionStatus::writeFailed);
}

TEST(TextModel, AnEmptyStoreGivesTheTwentyFourLines) {
    EXPECT_EQ(convert(modelFile("box", "", "me"), "box.bin"),
              "BEGIN \"box\"\r\n"
              "\r\n"
              "COMMENT{\r\n"
              "//  Converted by Grelvin from: box.bin\r\n"
              "//  Object: box\r\n"
              "//  Unknown string: \r\n"
              "//  Author: me\r\n"
              "}\r\n"
              "\r\n"
              "MATERIALS{\r\n"
              "}\r\n"
              "\r\n"
              "\r\n"
              "\r\n"
              "POINTS{\r\n"
              "}\r\n"
              "\r\n"
              "PARTS{\r\n"
              "}\r\n"
              "\r\n"
              "PART_MAPPINGS{\r\n"
              "}\r\n"
              "\r\n"
              "END\r\n");
}

TEST(TextModel, HeaderStringsAreWrittenAsStoredWithLineFeedsTranslated) {
    const std::string text = convert(modelFile("say \"hi\"", "two\nlines\r\n", "\xE9\x80"),
                                     std::string_view("dir\\in\n.bin"));
    EXPECT_EQ(text.substr(0, text.find("MATERIALS")),
              "BEGIN \"say \"hi\"\"\r\n"
              "\r\n"
              "COMMENT{\r\n"
              "//  Converted by Grelvin from: dir\\in\r\n.bin\r\n"
              "//  Object: say \"hi\"\r\n"
              "//  Unknown string: two\r\nlines\r\r\n\r\n"
              "//  Author: \xE9\x80\r\n"
              "}\r\n"
              "\r\n");
}

TEST(TextModel, StringsEndAtTheirFirstZeroByte) {
    const std::string path("in\0hidden", 9);
    const std::string text = convert(modelFile("box", "", ""), path);
    EXPECT_NE(text.find("from: in\r\n"), std::string::npos);
    EXPECT_EQ(text.find("hidden"), std::string::npos);
}

}  // namespace
}  // namespace grelvin
