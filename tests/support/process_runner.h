#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/model_file_builder.h"

namespace grelvin::testing {

struct ProcessResult {
    std::string standardOutput;
    std::string standardError;
    int exitStatus = -1;  // -1 when the process did not exit normally
};

// Runs `program` with `arguments` in `workingDirectory`, feeding it
// `standardInput`, and collects both output streams and the exit status.
// `fileSizeLimit`, when not 0, limits the size of files the child may write.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingDirectory,
                         const std::string& standardInput = {}, long fileSizeLimit = 0);

// A fresh empty directory under the system's temporary directory, removed
// with its contents when the object goes.
struct ScratchDirectory {
    std::filesystem::path path;
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
};

void writeFile(const std::filesystem::path& path, const Bytes& bytes);
void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

}  // namespace grelvin::testing
