#include "writer/section_writers.h"

namespace grelvin {

void writeGeometrySections(TextOutput& output, const ModelStore& /*store*/) {
    writeText(output, "\n\nPOINTS{\n");
    writeText(output, "}\n\n");
    writeText(output, "PARTS{\n");
    writeText(output, "}\n\n");
    writeText(output, "PART_MAPPINGS{\n");
    writeText(output, "}\n\n");
}

}  // namespace grelvin
