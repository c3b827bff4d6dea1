#include "cli/conversion_run.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "conversion/convert_model.h"
#include "platform/files.h"
#include "writer/number_forms.h"
#include "writer/text_model_writer.h"

namespace grelvin {

namespace {

constexpr std::string_view kBanner = "Grelvin Version 1.10 by Mirrowell\n";
constexpr std::string_view kUsage = "Usage: Grelvin Infile <Outfile>\n";

void printMessage(std::string_view before, std::string_view argument) {
    std::string line;
    line.reserve(before.size() + argument.size() + 1);
    line.append(before).append(argument).push_back('\n');
    writeConsole(line);
}

// The header bytes up to the first zero byte, all 16 when none is zero.
std::string_view headerText(const FileHeader& header) {
    std::string_view text(reinterpret_cast<const char*>(header.bytes.data()), header.bytes.size());
    return text.substr(0, text.find('\0'));
}

OutputSink fileSink(OutputFile& file) {
    return {&file, [](void* context, const char* data, std::size_t size) {
                return writeOutputFile(*static_cast<const OutputFile*>(context), data, size);
            }};
}

}  // namespace

std::string deriveOutputPath(std::string_view inputPath) {
    std::string outputPath(inputPath.substr(0, inputPath.rfind('.')));
    outputPath += ".e";
    return outputPath;
}

int runConversion(int argumentCount, const char* const* arguments) {
    auto store = std::make_unique<ModelStore>();
    writeConsole(kBanner);
    if (argumentCount != 1 && argumentCount != 2) {
        writeConsole(kUsage);
        return 1;
    }
    const std::string_view inputPath = arguments[0];
    const std::string outputPath =
        argumentCount == 2 ? std::string(arguments[1]) : deriveOutputPath(inputPath);
    if (inputPath == outputPath) {
        printMessage("Input file and Output file cannot be the same! ", inputPath);
        return 1;
    }

    InputFile input;
    long errorCode = 0;
    if (!openInputFile(arguments[0], input, errorCode)) {
        char digits[24];
        const std::size_t length = formatDecimal(static_cast<std::int32_t>(errorCode), digits);
        printMessage("Can't open input file! Status = ", std::string_view(digits, length));
        return 1;
    }
    const InputImage image = readInputFile(input);

    // The magic is tested before the output is touched, so that a file of the
    // wrong kind costs the user no existing output.
    const FileHeader header = peekFileHeader(image);
    if (!hasValidMagic(header)) {
        printMessage("File type should be 1FFE0FNI, is ", headerText(header));
        closeInputFile(input);
        return 1;
    }

    OutputFile output;
    if (!openOutputFile(outputPath.c_str(), input, output)) {
        printMessage("Error opening output file ", outputPath);
        closeInputFile(input);
        return 1;
    }
    readModelImage(image, *store);
    closeInputFile(input);

    auto text = std::make_unique<TextOutput>(fileSink(output));
    writeTextModel(*text, inputPath, *store);
    const bool written = flushTextOutput(*text);
    if (!written || !closeOutputFile(output)) {
        discardOutputFile(outputPath.c_str(), output);
        printMessage("Error writing output file ", outputPath);
        return 1;
    }
    return 0;
}

}  // namespace grelvin
