// The real executable: messages, exit statuses and what is on disk afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "cli/conversion_run.h"
#include "support/executable_fixture.h"
#include "support/model_file_builder.h"
#include "support/process_runner.h"

namespace grelvin {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::modelFile;
using testing::ProcessResult;
using testing::readFile;
using testing::ScratchDirectory;
using testing::writeFile;

using testing::kBanner;

// The text of a model with empty tables, as every line ends on disk.
std::string emptyModelText(const std::string& inputPath) {
    return "BEGIN \"box\"\r\n\r\nCOMMENT{\r\n//  Converted by Grelvin from: " + inputPath +
           "\r\n//  Object: box\r\n//  Unknown string: \r\n//  Author: me\r\n}\r\n\r\n"
           "MATERIALS{\r\n}\r\n\r\n\r\n\r\nPOINTS{\r\n}\r\n\r\nPARTS{\r\n}\r\n\r\n"
           "PART_MAPPINGS{\r\n}\r\n\r\nEND\r\n";
}

class GrelvinRun : public testing::ExecutableTest {
protected:
    void writeBox(const std::string& name) { writeFile(at(name), modelFile("box", "", "me")); }

    void expectFailure(const ProcessResult& result, const std::string& message) {
        EXPECT_EQ(result.standardOutput, kBanner + message);
        EXPECT_EQ(result.exitStatus, 1);
    }
};

TEST(DeriveOutputPath, CutsAtTheLastDotAnywhereAndAppendsE) {
    const std::pair<const char*, const char*> cases[] = {
        {"model.bin", "model.e"},  {"model", "model.e"}, {"a.b.c", "a.b.e"},   {"ship.", "ship.e"},
        {"old.dir/ship", "old.e"}, {"ship.e", "ship.e"}, {"SHIP.E", "SHIP.e"}, {"", ".e"},
        {".hidden", ".e"},
    };
    for (const auto& [input, output] : cases) {
        EXPECT_EQ(deriveOutputPath(input), output) << input;
    }
}

TEST_F(GrelvinRun, ConvertsAValidFileAndPrintsOnlyTheBanner) {
    writeBox("box.bin");
    const ProcessResult result = run({"box.bin"});
    EXPECT_EQ(result.standardOutput, kBanner);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(at("box.e")), emptyModelText("box.bin"));
}

TEST_F(GrelvinRun, WritesToTheSecondArgumentAndOverwritesIt) {
    writeBox("box.bin");
    writeFile(at("out.txt"), std::string(10000, 'x'));
    const ProcessResult result = run({"box.bin", "out.txt"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(at("out.txt")), emptyModelText("box.bin"));
    EXPECT_FALSE(fs::exists(at("box.e")));
}

TEST_F(GrelvinRun, WrongArgumentCountPrintsUsage) {
    for (const auto& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"a.bin", "b.e", "c"}}) {
        expectFailure(run(arguments), "Usage: Grelvin Infile <Outfile>\n");
    }
}

TEST_F(GrelvinRun, RefusesTheSamePathBeforeOpeningAnything) {
    expectFailure(run({"ship.e"}), "Input file and Output file cannot be the same! ship.e\n");
    expectFailure(run({"x.bin", "x.bin"}),
                  "Input file and Output file cannot be the same! x.bin\n");
    EXPECT_TRUE(fs::is_empty(scratch.path));
}

TEST_F(GrelvinRun, ReportsTheErrorCodeOfAFailedInputOpen) {
    expectFailure(run({"missing.bin"}), "Can't open input file! Status = 2\n");
    expectFailure(run({"nodir/missing.bin"}), "Can't open input file! Status = 2\n");
    fs::create_directory(at("folder.bin"));
    expectFailure(run({"folder.bin", "out.e"}), "Can't open input file! Status = 21\n");
    EXPECT_FALSE(fs::exists(at("missing.e")));
    EXPECT_FALSE(fs::exists(at("out.e")));
}

TEST_F(GrelvinRun, WrongMagicCreatesNoOutputAndKeepsAnExistingOne) {
    writeFile(at("empty.bin"), "");
    expectFailure(run({"empty.bin"}), "File type should be 1FFE0FNI, is \n");
    EXPECT_FALSE(fs::exists(at("empty.e")));

    // Eight right characters and a non-zero ninth byte: the message shows the
    // header up to its first zero byte.
    writeFile(at("ninth.bin"), Bytes().raw("1FFE0FNIxy").u8(0).zeros(5));
    writeFile(at("ninth.e"), "precious");
    expectFailure(run({"ninth.bin"}), "File type should be 1FFE0FNI, is 1FFE0FNIxy\n");
    EXPECT_EQ(readFile(at("ninth.e")), "precious");

    writeFile(at("text.bin"), "all sixteen byte and more");
    expectFailure(run({"text.bin"}), "File type should be 1FFE0FNI, is all sixteen byte\n");
}

TEST_F(GrelvinRun, RefusesTheInputFileUnderAnotherName) {
    writeBox("in.bin");
    fs::create_directory(at("sub"));
    fs::create_symlink("in.bin", at("link.e"));
    fs::create_hard_link(at("in.bin"), at("hard.e"));
    const std::string original = readFile(at("in.bin"));
    for (const std::string& output :
         {std::string("./in.bin"), at("in.bin").string(), std::string("sub/../in.bin"),
          std::string("link.e"), std::string("hard.e")}) {
        SCOPED_TRACE(output);
        expectFailure(run({"in.bin", output}), "Error opening output file " + output + "\n");
        EXPECT_EQ(readFile(at("in.bin")), original);
    }
}

TEST_F(GrelvinRun, ReportsAnOutputThatCannotBeOpened) {
    writeBox("box.bin");
    fs::create_directory(at("dir.e"));
    expectFailure(run({"box.bin", "nodir/out.e"}), "Error opening output file nodir/out.e\n");
    expectFailure(run({"box.bin", "dir.e"}), "Error opening output file dir.e\n");
}

TEST_F(GrelvinRun, ReadsItsInputFromAPipe) {
    const Bytes file = modelFile("box", "", "me");
    const ProcessResult result =
        run({"/dev/stdin", "piped.e"}, std::string(file.data.begin(), file.data.end()));
    EXPECT_EQ(result.standardOutput, kBanner);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(at("piped.e")), emptyModelText("/dev/stdin"));
}

TEST_F(GrelvinRun, AFailedWriteIsReportedAndLeavesNoTruncatedModel) {
    writeBox("box.bin");
    const std::string input = readFile(at("box.bin"));
    if (fs::exists("/dev/full")) {
        expectFailure(run({"box.bin", "/dev/full"}), "Error writing output file /dev/full\n");
    }
    writeFile(at("limited.e"), "old contents");
    expectFailure(run({"box.bin", "limited.e"}, {}, 100), "Error writing output file limited.e\n");
    EXPECT_FALSE(fs::exists(at("limited.e")));
    EXPECT_EQ(readFile(at("box.bin")), input);
}

TEST_F(GrelvinRun, HandlesPathsOfSeveralHundredBytes) {
    const std::string directory(200, 'd');
    const std::string stem(220, 's');
    fs::create_directory(at(directory));
    const std::string input = directory + "/" + stem + ".bin";
    writeBox(input);
    const ProcessResult result = run({input});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(at(directory + "/" + stem + ".e")), emptyModelText(input));

    const std::string longOutput = directory + "/" + std::string(240, 'o') + ".e";
    EXPECT_EQ(run({input, longOutput}).exitStatus, 0);
    EXPECT_EQ(readFile(at(longOutput)), emptyModelText(input));
}

}  // namespace
}  // namespace grelvin
