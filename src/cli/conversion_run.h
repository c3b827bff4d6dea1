#pragma once

#include <string>
#include <string_view>

namespace grelvin {

// The output path for a single argument: the input path cut at its last '.'
// (wherever it lies, a directory name included) with ".e" appended.
std::string deriveOutputPath(std::string_view inputPath);

// One run of the converter: `arguments` excludes the program name. Prints the
// banner and at most one message on standard output; returns the exit status,
// 0 after a complete conversion and 1 after any failure.
int runConversion(int argumentCount, const char* const* arguments);

}  // namespace grelvin
