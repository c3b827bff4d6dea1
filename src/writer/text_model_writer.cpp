#include "writer/text_model_writer.h"

#include "writer/section_writers.h"

namespace grelvin {

namespace {

// Strings of the store end at their first zero byte, like the input path.
std::string_view untilZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

void writeObjectHeader(TextOutput& output, std::string_view name) {
    writeText(output, "BEGIN \"");
    writeText(output, untilZero(name));
    writeText(output, "\"\n\n");
}

void writeCommentLine(TextOutput& output, std::string_view label, std::string_view value) {
    writeText(output, label);
    writeText(output, untilZero(value));
    writeText(output, "\n");
}

void writeCommentBlock(TextOutput& output, std::string_view inputPath, const ModelStore& store) {
    writeText(output, "COMMENT{\n");
    writeCommentLine(output, "//  Converted by Grelvin from: ", inputPath);
    writeCommentLine(output, "//  Object: ", store.objectName);
    writeCommentLine(output, "//  Unknown string: ", store.infoString);
    writeCommentLine(output, "//  Author: ", store.authorName);
    writeText(output, "}\n\n");
}

}  // namespace

void writeTextModel(TextOutput& output, std::string_view inputPath, const ModelStore& store) {
    writeObjectHeader(output, store.objectName);
    writeCommentBlock(output, inputPath, store);
    writeMaterialsSection(output, store);
    writeGeometrySections(output, store);
    writeCollisionObject(output, store);
    writeHitBoxCubes(output, store);
    writeText(output, "END\n");
}

}  // namespace grelvin
