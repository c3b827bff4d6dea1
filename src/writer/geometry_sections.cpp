// POINTS, PARTS and PART_MAPPINGS of the main object.
//
// These loops write most of the bytes of a large model, so each line is
// assembled in a local buffer with the number formatters and handed to the
// output in one raw write, its line end already spelled CR LF.
#include <algorithm>
#include <cstdint>

#include "writer/number_forms.h"
#include "writer/section_writers.h"

namespace grelvin {

namespace {

// Room for the longest line of these sections (a mapping line: one integer
// and six floats, about 105 characters) plus the scratch bytes that
// formatFloat may write past the end of its last number.
constexpr std::size_t kLineCapacity = 192;

struct LineBuffer {
    char text[kLineCapacity];
    std::size_t length = 0;

    void put(char c) { text[length++] = c; }
    template <std::size_t N>
    void put(const char (&literal)[N]) {
        for (std::size_t i = 0; i + 1 < N; ++i) {
            text[length++] = literal[i];
        }
    }
    void putDecimal(std::int32_t value) { length += formatDecimal(value, text + length); }
    void putFloat(float value) { length += formatFloat(static_cast<double>(value), text + length); }
    void endLine(TextOutput& output) {
        put("\r\n");
        writeRaw(output, text, length);
        length = 0;
    }
};

void writePoints(TextOutput& output, const ModelStore& store) {
    writeText(output, "\n\nPOINTS{\n");
    const std::size_t count = clampCount(store.vertexCount, store.vertices);
    LineBuffer line;
    for (std::size_t i = 0; i < count; ++i) {
        const Vertex& vertex = store.vertices.at(i);
        line.putFloat(vertex.x);
        line.put(',');
        line.putFloat(vertex.y);
        line.put(',');
        line.putFloat(vertex.z);
        line.put(';');
        line.endLine(output);
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
    LineBuffer line;
    for (std::size_t p = 0; p < partLimit; ++p) {
        // The material field is the same on every line of the part.
        char material[8];
        const std::size_t materialLength =
            formatHexSpaced4(static_cast<std::uint32_t>(p + 1), material);
        const FaceRange range = partFaceRange(store.parts[p], store.faces.size());
        for (std::size_t j = range.begin; j < range.end; ++j) {
            const Face& face = store.faces.at(j);
            line.put("4,N,");
            // At most 2^31 / 3 faces can be read, so a face number fits.
            line.putDecimal(static_cast<std::int32_t>(j));
            line.put(',');
            for (std::size_t k = 0; k < materialLength; ++k) {
                line.put(material[k]);
            }
            line.put(",(");
            line.putDecimal(face.indices[0]);
            line.put(',');
            line.putDecimal(face.indices[1]);
            line.put(',');
            line.putDecimal(face.indices[2]);
            line.put(");");
            line.endLine(output);
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
    LineBuffer line;
    for (std::size_t j = 0; j < count; ++j) {
        const Face& face = store.faces.at(j);
        line.putDecimal(static_cast<std::int32_t>(j));
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const Vertex& vertex = cornerVertex(store, face.indices[corner]);
            line.put(",(");
            line.putFloat(vertex.u);
            line.put(',');
            line.putFloat(vertex.v);
            line.put(')');
        }
        line.put(';');
        line.endLine(output);
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
