#include <cstdlib>

#include "platform/large_memory.h"

namespace grelvin {

// Huge pages on Windows need a privilege that users do not have; the heap
// serves every block.
void* allocateLargeBlock(std::size_t bytes) noexcept {
    return std::malloc(bytes);
}

void releaseLargeBlock(void* block, std::size_t /*bytes*/) noexcept {
    std::free(block);
}

}  // namespace grelvin
