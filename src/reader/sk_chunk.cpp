// SKA0 to SKZ0: one lettered texture group, its name and its texture names.
#include <cstddef>
#include <utility>
#include <vector>

#include "reader/chunk_decoders.h"
#include "reader/chunk_id.h"
#include "reader/wide_string.h"

namespace grelvin {

namespace {
constexpr std::size_t kGroupNameCharacters = 63;
}  // namespace

// Payload: the group name, an unsigned 16-bit count N, then N texture names,
// all strings of 16-bit units. The chunk's size is not consulted.
//
// The list holds the names the file actually delivers: a name whose first
// read meets the end of the file is not a name, one cut off by the end is kept
// as far as it goes. textureCount is the list's length, so a short file cannot
// make a group claim more names than it holds.
void readSkChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store) {
    const unsigned letterIndex = chunkLetterIndex(header.id);
    if (letterIndex >= kTextureGroupCount) {
        return;  // the chunk table routes only SKA0 to SKZ0 here
    }
    TextureGroup& group = store.textureGroups[letterIndex];
    const auto limit = static_cast<std::int32_t>(letterIndex + 1);
    if (store.groupLimit < limit) {
        store.groupLimit = limit;
    }

    readWideString(input, group.name);
    // Every material line repeats the group name, so a name kept whole would
    // make the text grow with the name's length times the number of names: a
    // file of half a megabyte could ask for gigabytes. The name is held to
    // its field of 64 bytes with the terminator; the rest is read and dropped.
    if (group.name.size() > kGroupNameCharacters) {
        group.name.resize(kGroupNameCharacters);
    }
    const std::uint16_t announced = readUint16(input);

    // Every delivered name takes at least one byte of the file, and all but a
    // last one cut off by the end take two.
    const std::size_t remaining = atEnd(input) ? 0 : input.size - input.position;
    const std::size_t deliverable = (remaining + 1) / 2;
    std::vector<TextureName> textures;
    textures.reserve(announced < deliverable ? announced : deliverable);
    for (unsigned i = 0; i < announced; ++i) {
        TextureName& texture = textures.emplace_back();
        readWideString(input, texture.name);
        if (input.lastReadCount == 0 && texture.name.empty()) {
            // Nothing was delivered; every further read would deliver nothing
            // as well, which leaves lastReadCount at 0 for the walk.
            textures.pop_back();
            break;
        }
    }

    // The earlier list is released as a whole; none of its nodes survives.
    group.textures = std::move(textures);
    group.textureCount = static_cast<std::int32_t>(group.textures.size());
}

}  // namespace grelvin
