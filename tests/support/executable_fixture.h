#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/process_runner.h"

namespace grelvin::testing {

inline const std::string kBanner = "Grelvin Version 1.10 by Mirrowell\n";

// Runs the real executable in a scratch directory of its own. Every run must
// leave standard error empty: the converter writes only to standard output.
class ExecutableTest : public ::testing::Test {
protected:
    ScratchDirectory scratch;

    std::filesystem::path at(const std::string& name) const { return scratch.path / name; }

    ProcessResult run(const std::vector<std::string>& arguments, const std::string& input = {},
                      long fileSizeLimit = 0) {
        ProcessResult result =
            runProgram(GRELVIN_EXECUTABLE, arguments, scratch.path, input, fileSizeLimit);
        EXPECT_EQ(result.standardError, "");
        return result;
    }
};

}  // namespace grelvin::testing
