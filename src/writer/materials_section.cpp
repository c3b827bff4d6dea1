// MATERIALS of the main object: one textured material per texture of group A,
// the red collision material when there is a collision mesh, and after the
// section the groups B onward as commented material lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "writer/collision_material.h"
#include "writer/number_forms.h"
#include "writer/section_writers.h"

namespace grelvin {

namespace {

// Names are written up to their first zero byte.
std::string_view untilZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// The texture nodes of a group that the writer walks: the list holds exactly
// textureCount of them.
std::size_t walkedTextures(const TextureGroup& group) {
    const std::size_t count =
        group.textureCount <= 0 ? 0 : static_cast<std::size_t>(group.textureCount);
    return std::min(count, group.textures.size());
}

// ,PHONG,TMAP "<texture>.bmp",100,TRANSP 0;
void writeTextureTail(TextOutput& output, const TextureName& texture) {
    writeText(output, "\",PHONG,TMAP \"");
    writeText(output, untilZero(texture.name));
    writeText(output, ".bmp\",100,TRANSP 0;\n");
}

// i,"<group name>i",PHONG,TMAP "<texture>.bmp",100,TRANSP 0;
void writeTexturedMaterial(TextOutput& output, std::int32_t number, const TextureGroup& group,
                           const TextureName& texture) {
    writeDecimal(output, number);
    writeText(output, ",\"");
    writeText(output, untilZero(group.name));
    writeDecimal(output, number);
    writeTextureTail(output, texture);
}

// n,"Materialn",PHONG,RGB 255,0,0,TRANSP 50;
void writeCollisionMaterial(TextOutput& output, std::uint32_t number) {
    const auto decimal = static_cast<std::int32_t>(number);
    writeDecimal(output, decimal);
    writeText(output, ",\"Material");
    writeDecimal(output, decimal);
    writeText(output, "\",PHONG,RGB 255,0,0,TRANSP 50;\n");
}

// //g,"<group name>",PHONG,TMAP "<texture>.bmp",100,TRANSP 0;
void writeCommentedTexture(TextOutput& output, std::int32_t groupNumber, const TextureGroup& group,
                           const TextureName& texture) {
    writeText(output, "//");
    writeDecimal(output, groupNumber);
    writeText(output, ",\"");
    writeText(output, untilZero(group.name));
    writeTextureTail(output, texture);
}

}  // namespace

void writeMaterialsSection(TextOutput& output, const ModelStore& store) {
    writeText(output, "MATERIALS{\n");
    const TextureGroup& groupA = store.textureGroups[0];
    const std::size_t textures = walkedTextures(groupA);
    for (std::size_t i = 0; i < textures; ++i) {
        writeTexturedMaterial(output, static_cast<std::int32_t>(i + 1), groupA, groupA.textures[i]);
    }
    if (store.collisionPointCount != 0) {
        writeCollisionMaterial(output, collisionMaterialNumber(store));
    }
    writeText(output, "}\n\n");

    // Groups B up to groupLimit - 1, each block ended by an empty line, also
    // for a group that never occurred.
    const std::size_t groupEnd =
        store.groupLimit <= 1
            ? 1
            : std::min(static_cast<std::size_t>(store.groupLimit), store.textureGroups.size());
    for (std::size_t g = 1; g < groupEnd; ++g) {
        const TextureGroup& group = store.textureGroups[g];
        const std::size_t count = walkedTextures(group);
        for (std::size_t i = 0; i < count; ++i) {
            writeCommentedTexture(output, static_cast<std::int32_t>(g + 1), group,
                                  group.textures[i]);
        }
        writeText(output, "\n");
    }
}

}  // namespace grelvin
