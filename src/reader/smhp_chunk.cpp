// SMHP: the hit boxes, each a twelve-float matrix and a name.
#include <bit>
#include <cstdint>

#include "reader/chunk_decoders.h"
#include "reader/wide_string.h"

namespace grelvin {

// The matrix lies in the file as in the record: twelve little-endian floats,
// copied in one read.
static_assert(std::endian::native == std::endian::little,
              "hit-box matrices are copied from the file as they lie on disk");
static_assert(sizeof(HitBox::matrix) == 48);

// Payload: an unsigned 16-bit count H, then H entries of a matrix followed by
// a string of 16-bit units. The count is stored as read; entries stop at the
// end of the file, where every further read would deliver nothing.
void readSmhpChunk(InputCursor& input, const ChunkHeader& /*header*/, ModelStore& store) {
    const std::uint16_t count = readUint16(input);
    store.hitBoxCount = count;
    for (std::size_t i = 0; i < count; ++i) {
        if (atEnd(input)) {
            skipRecords(input, sizeof(HitBox::matrix), 1);  // the next matrix read: nothing
            return;
        }
        HitBox& hitBox = store.hitBoxes.slot(i);
        readBytes(input, hitBox.matrix.data(), sizeof hitBox.matrix);
        readWideString(input, hitBox.name);
    }
}

}  // namespace grelvin
