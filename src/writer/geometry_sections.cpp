// POINTS, PARTS and PART_MAPPINGS of the main object.
//
// These loops write most of the bytes of a large model, so each line is
// assembled in place at the end of the output buffer with the number
// formatters, its line end already spelled CR LF, and face numbers, which
// count up one at a time, are kept as text and counted up there.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "writer/line_buffer.h"
#include "writer/number_forms.h"
#include "writer/section_writers.h"

namespace grelvin {

namespace {

void writePoints(TextOutput& output, const ModelStore& store) {
    writeText(output, "\n\nPOINTS{\n");
    const std::size_t count = clampCount(store.vertexCount, store.vertices);
    LineBuffer line(output);
    for (std::size_t i = 0; i < count; ++i) {
        const Vertex& vertex = store.vertices.at(i);
        line.beginLine();
        line.putFloat(vertex.x);
        line.put(',');
        line.putFloat(vertex.y);
        line.put(',');
        line.putFloat(vertex.z);
        line.put(';');
        line.endLine();
    }
    writeText(output, "}\n\n");
}

// Faces first / 3 up to, not including, (first + count) / 3; the sum wraps in
// 32 bits and the divisions truncate toward zero. Faces outside the face
// table have no line, so the range is clipped to it.
struct FaceRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

FaceRange partFaceRange(const Part& part, std::size_t faceTableSize) {
    const std::int64_t first = part.firstIndex / 3;
    const auto sum = static_cast<std::int32_t>(static_cast<std::uint32_t>(part.firstIndex) +
                                               static_cast<std::uint32_t>(part.indexCount));
    const std::int64_t last = sum / 3;
    const auto tableSize = static_cast<std::int64_t>(faceTableSize);
    const std::int64_t begin = first < 0 ? 0 : first;
    const std::int64_t end = last > tableSize ? tableSize : last;
    if (begin >= end) {
        return {};
    }
    return {static_cast<std::size_t>(begin), static_cast<std::size_t>(end)};
}

void writeParts(TextOutput& output, const ModelStore& store) {
    writeText(output, "PARTS{\n");
    const std::size_t partLimit =
        store.partCount <= 0
            ? 0
            : std::min(static_cast<std::size_t>(store.partCount), store.parts.size());
    LineBuffer line(output);
    for (std::size_t p = 0; p < partLimit; ++p) {
        // The material field is the same on every line of the part; it is
        // copied with a fixed size, of which its own length counts.
        char material[8] = {};
        const std::size_t materialLength =
            formatHexSpaced4(static_cast<std::uint32_t>(p + 1), material);
        const FaceRange range = partFaceRange(store.parts[p], store.faces.size());
        // At most 2^31 / 3 faces can be read, so a face number fits.
        DecimalCounter faceNumber(range.begin);
        for (std::size_t j = range.begin; j < range.end; ++j, faceNumber.increment()) {
            const Face& face = store.faces.at(j);
            line.beginLine();
            line.put("4,N,");
            line.putCounter(faceNumber);
            line.put(',');
            std::memcpy(line.text + line.length, material, sizeof material);
            line.length += materialLength;
            line.put(",(");
            line.putDecimal(face.indices[0]);
            line.put(',');
            line.putDecimal(face.indices[1]);
            line.put(',');
            line.putDecimal(face.indices[2]);
            line.put(");");
            line.endLine();
        }
    }
    writeText(output, "}\n\n");
}

// A negative index names no vertex and reads as a record never written.
const Vertex& cornerVertex(const ModelStore& store, std::int32_t index) {
    static const Vertex zero{};
    return index < 0 ? zero : store.vertices.at(static_cast<std::size_t>(index));
}

void writePartMappings(TextOutput& output, const ModelStore& store) {
    writeText(output, "PART_MAPPINGS{\n");
    const std::size_t count = clampCount(store.meshFaceCount, store.faces);
    LineBuffer line(output);
    DecimalCounter faceNumber(0);
    for (std::size_t j = 0; j < count; ++j, faceNumber.increment()) {
        const Face& face = store.faces.at(j);
        line.beginLine();
        line.putCounter(faceNumber);
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const Vertex& vertex = cornerVertex(store, face.indices[corner]);
            line.put(",(");
            line.putFloat(vertex.u);
            line.put(',');
            line.putFloat(vertex.v);
            line.put(')');
        }
        line.put(';');
        line.endLine();
    }
    writeText(output, "}\n\n");
}

}  // namespace

void writeGeometrySections(TextOutput& output, const ModelStore& store) {
    writePoints(output, store);
    writeParts(output, store);
    writePartMappings(output, store);
}

}  // namespace grelvin
