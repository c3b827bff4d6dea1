#include "writer/section_writers.h"

namespace grelvin {

void writeMaterialsSection(TextOutput& output, const ModelStore& /*store*/) {
    writeText(output, "MATERIALS{\n");
    writeText(output, "}\n\n");
}

}  // namespace grelvin
