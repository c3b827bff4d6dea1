#pragma once

#include <cstdint>

// The written bound on the text model file that the conversion of an input of
// a given size can produce (README, "Guarantees"). The bounds test and the
// conversion fuzzer hold every output to it.
namespace grelvin::testing {

// Longest line of each kind, in bytes on disk with its CR LF, when every
// number takes its widest form: a float 13 characters ("-1.23457e-045"), a
// corner index 6 ("-32768"), a face number 10, a material number in "%02lx"
// 8, a part number in "% 4lx" 4 (parts 1 to 64). Names are counted apart,
// at two bytes a character (a line feed in a name is written CR LF).
inline constexpr std::uint64_t kPointLineBytes = 3 * 13 + 2 + 1 + 2;                       // 44
inline constexpr std::uint64_t kFaceLineBytes = 4 + 10 + 1 + 4 + 2 + 3 * 6 + 2 + 2 + 2;    // 45
inline constexpr std::uint64_t kMappingLineBytes = 5 + 3 * (2 + 13 + 1 + 13 + 1) + 1 + 2;  // 98
inline constexpr std::uint64_t kCollisionFaceLineBytes = 4 + 10 + 3 + 8 + 2 + 3 * 6 + 2 + 2 + 2;
inline constexpr std::uint64_t kMaterialLineBytes = 5 + 2 + 5 + 14 + 19 + 2;          // 47 + names
inline constexpr std::uint64_t kCommentedTextureLineBytes = 2 + 2 + 2 + 14 + 19 + 2;  // 41 + names
inline constexpr std::uint64_t kCubeObjectBytes = 13 + 9 + 8 * 44 + 5 + 8 + 12 * 28 + 5;  // + name
// Everything else of a file: the object and section frames, the labels of
// the comment block, the collision material line.
inline constexpr std::uint64_t kFrameBytes = 1024;

// Capacities that the bound is built from.
inline constexpr std::uint64_t kNameCharacterLimit = 63;  // group names as stored
inline constexpr std::uint64_t kTexturesPerGroupLimit = 65535;
inline constexpr std::uint64_t kGroupCount = 26;
inline constexpr std::uint64_t kPartLimit = 64;
inline constexpr std::uint64_t kFaceTableCapacity = 131072;
inline constexpr std::uint64_t kPointLineLimit = 65535;
inline constexpr std::uint64_t kMappingLineLimit = 21845;
inline constexpr std::uint64_t kCollisionPointCapacity = 15018;
inline constexpr std::uint64_t kCollisionFaceCapacity = 4268;
inline constexpr std::uint64_t kHitBoxCapacity = 32;

// Bytes the reader can deliver in all from a file of `inputSize` bytes: the
// walk's read budget of 8n + 1 MiB, which it tests before each chunk, plus one
// last chunk header and one last chunk read to the end of the file.
std::uint64_t deliveredBytesBound(std::uint64_t inputSize);

// The largest text model file an input of `inputSize` bytes converted under a
// path of `inputPathSize` bytes can give.
std::uint64_t maxOutputBytes(std::uint64_t inputSize, std::uint64_t inputPathSize);

}  // namespace grelvin::testing
