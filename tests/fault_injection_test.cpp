// Faults around the real executable on real models: writes that fail part way
// through the output, outputs that cannot be opened, inputs reached through
// pipes, links and other spellings. Each case checks the exact console text,
// the exit status and everything on disk afterwards: the input is never
// changed, an output that existed survives every failure that comes before
// writing starts, and a failed write leaves no truncated model behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "conversion/convert_model.h"
#include "support/executable_fixture.h"
#include "support/model_file_builder.h"
#include "support/model_generator.h"
#include "support/process_runner.h"

namespace grelvin {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ProcessResult;
using testing::readFile;
using testing::ScratchDirectory;
using testing::writeFile;

using testing::kBanner;

// A file's bytes and modification time, to show it was left alone.
struct FileState {
    std::string bytes;
    struct timespec modified {};
};

FileState stateOf(const fs::path& path) {
    FileState state;
    state.bytes = readFile(path);
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        state.modified = status.st_mtim;
    }
    return state;
}

void expectUnchanged(const fs::path& path, const FileState& before) {
    SCOPED_TRACE(path.string());
    ASSERT_TRUE(fs::exists(path));
    const FileState after = stateOf(path);
    EXPECT_TRUE(after.bytes == before.bytes) << "contents changed";
    EXPECT_EQ(after.modified.tv_sec, before.modified.tv_sec);
    EXPECT_EQ(after.modified.tv_nsec, before.modified.tv_nsec);
}

// The text the converter writes for `model` under the path argument `path`.
std::string expectedText(const Bytes& model, const std::string& path) {
    std::string text;
    const ConversionStatus status = convertModel(model.data, path, stringSink(text));
    EXPECT_EQ(status, ConversionStatus::converted);
    return text;
}

class FaultInjection : public testing::ExecutableTest {
protected:
    // A generated model whose text takes several 64 KiB blocks.
    const Bytes model = testing::generateModel(testing::randomModelShape(120000, 7), 7);

    void expectRun(const ProcessResult& result, int status, const std::string& message) {
        EXPECT_EQ(result.standardOutput, kBanner + message);
        EXPECT_EQ(result.exitStatus, status);
    }

    std::vector<std::string> directoryListing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch.path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FaultInjection, TheModelTakesSeveralOutputBlocks) {
    EXPECT_GT(expectedText(model, "model.bin").size(), 4U * 65536U);
}

TEST_F(FaultInjection, AWriteThatFailsMidwayLeavesNoOutputAndTheInputIntact) {
    writeFile(at("model.bin"), model);
    const FileState input = stateOf(at("model.bin"));

    if (fs::exists("/dev/full")) {
        expectRun(run({"model.bin", "/dev/full"}), 1, "Error writing output file /dev/full\n");
        expectUnchanged(at("model.bin"), input);
    }

    // The limit falls inside the fourth block: three blocks reach the disk
    // before the write fails.
    writeFile(at("model.e"), std::string(500000, 'o'));
    expectRun(run({"model.bin"}, {}, 3 * 65536 + 1000), 1, "Error writing output file model.e\n");
    EXPECT_EQ(directoryListing(), std::vector<std::string>{"model.bin"});
    expectUnchanged(at("model.bin"), input);

    // The same through a link to the output: the link stays, and the file it
    // names is emptied rather than left holding a truncated model.
    writeFile(at("target.e"), "old");
    fs::create_symlink("target.e", at("link.e"));
    expectRun(run({"model.bin", "link.e"}, {}, 2 * 65536 + 10), 1,
              "Error writing output file link.e\n");
    EXPECT_TRUE(fs::is_symlink(at("link.e")));
    EXPECT_EQ(readFile(at("target.e")), "");
    expectUnchanged(at("model.bin"), input);

    // With room enough, the same run converts.
    expectRun(run({"model.bin"}, {}, 64L * 1024 * 1024), 0, "");
    EXPECT_EQ(readFile(at("model.e")), expectedText(model, "model.bin"));
    expectUnchanged(at("model.bin"), input);
}

// Every failure that comes before the output is written leaves an existing
// output file exactly as it was, and the input too.
TEST_F(FaultInjection, AnExistingOutputSurvivesEveryFailureBeforeWriting) {
    writeFile(at("model.bin"), model);
    writeFile(at("wrong.bin"), Bytes().raw("1FFE0FNX").zeros(8).append(model));
    fs::create_directory(at("folder.bin"));
    writeFile(at("precious.e"), "the user's own work\n");
    fs::create_symlink("model.bin", at("link-to-input.e"));
    const FileState input = stateOf(at("model.bin"));
    const FileState output = stateOf(at("precious.e"));

    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"wrong.bin", "precious.e"}, "File type should be 1FFE0FNI, is 1FFE0FNX\n"},
        {{"missing.bin", "precious.e"}, "Can't open input file! Status = 2\n"},
        {{"folder.bin", "precious.e"}, "Can't open input file! Status = 21\n"},
        {{"model.bin", "link-to-input.e"}, "Error opening output file link-to-input.e\n"},
        {{"precious.e", "precious.e"},
         "Input file and Output file cannot be the same! precious.e\n"},
        {{"model.bin", "precious.e", "extra"}, "Usage: Grelvin Infile <Outfile>\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        expectRun(run(c.arguments), 1, c.message);
        expectUnchanged(at("precious.e"), output);
        expectUnchanged(at("model.bin"), input);
    }
    EXPECT_EQ(directoryListing(),
              (std::vector<std::string>{"folder.bin", "link-to-input.e", "model.bin", "precious.e",
                                        "wrong.bin"}));
}

// A pipe delivers the model in pieces; the text is the same as from a file.
TEST_F(FaultInjection, AModelLargerThanAPipeBufferConvertsThroughThePipe) {
    const std::string bytes(model.data.begin(), model.data.end());
    ASSERT_GT(bytes.size(), 65536U);
    expectRun(run({"/dev/stdin", "piped.e"}, bytes), 0, "");
    EXPECT_EQ(readFile(at("piped.e")), expectedText(model, "/dev/stdin"));
}

// A symbolic link, a hard link and another spelling of the path reach the
// same file: the text differs only in the path it names, and the input and
// its links stay as they were.
TEST_F(FaultInjection, TheSameFileUnderOtherNamesConvertsAlike) {
    fs::create_directory(at("sub"));
    writeFile(at("model.bin"), model);
    fs::create_symlink("model.bin", at("soft.bin"));
    fs::create_hard_link(at("model.bin"), at("hard.bin"));
    const FileState input = stateOf(at("model.bin"));

    const std::pair<std::string, std::string> cases[] = {
        {"soft.bin", "soft.e"},
        {"hard.bin", "hard.e"},
        {"./sub/../model.bin", "./sub/../model.e"},
        {at("model.bin").string(), at("model.e").string()},
    };
    for (const auto& [inputPath, outputPath] : cases) {
        SCOPED_TRACE(inputPath);
        expectRun(run({inputPath}), 0, "");
        EXPECT_EQ(readFile(outputPath.front() == '/' ? fs::path(outputPath) : at(outputPath)),
                  expectedText(model, inputPath));
        expectUnchanged(at("model.bin"), input);
        EXPECT_TRUE(fs::is_symlink(at("soft.bin")));
    }
    EXPECT_EQ(fs::hard_link_count(at("model.bin")), 2U);
}

// Paths of several hundred bytes in all, and a name longer than a directory
// entry can be: the first convert, the second fail with the system's error
// and leave everything as it was.
TEST_F(FaultInjection, LongPathsConvertOrFailCleanly) {
    std::string directory;
    for (int depth = 0; depth < 4; ++depth) {
        directory += std::string(120, static_cast<char>('a' + depth)) + "/";
    }
    fs::create_directories(at(directory));
    const std::string inputPath = directory + std::string(200, 'm') + ".bin";
    writeFile(at(inputPath), model);
    const FileState input = stateOf(at(inputPath));

    const std::string outputPath = directory + std::string(250, 'o') + ".e";
    expectRun(run({inputPath, outputPath}), 0, "");
    EXPECT_EQ(readFile(at(outputPath)), expectedText(model, inputPath));

    const std::string tooLongName = directory + std::string(300, 'x') + ".e";
    writeFile(at(directory + "keep.e"), "keep");
    expectRun(run({inputPath, tooLongName}), 1, "Error opening output file " + tooLongName + "\n");
    expectRun(run({tooLongName + ".bin", directory + "keep.e"}), 1,
              "Can't open input file! Status = 36\n");
    EXPECT_EQ(readFile(at(directory + "keep.e")), "keep");
    expectUnchanged(at(inputPath), input);
}

}  // namespace
}  // namespace grelvin
