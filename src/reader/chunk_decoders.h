#pragma once

#include "model/model_store.h"
#include "reader/input_cursor.h"
#include "reader/model_reader.h"

namespace grelvin {

// One decoder per chunk kind. Each is called with the input positioned at the
// first payload byte and reads its payload strictly forward; the walk moves to
// the next chunk by the header's size whatever the decoder read.
using ChunkHandler = void (*)(InputCursor& input, const ChunkHeader& header, ModelStore& store);

// Chunks whose content is read and discarded.
void readEdtrChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);
void readCherChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);
void readSmedChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);
void readMcChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);

// Mesh: triangles and parts; vertices and the mesh face count.
void readArc0Chunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);
void readSmChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);

// Lettered texture groups SKA0 to SKZ0.
void readSkChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);

// Collision mesh and hit boxes.
void readColoChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);
void readSmhpChunk(InputCursor& input, const ChunkHeader& header, ModelStore& store);

}  // namespace grelvin
