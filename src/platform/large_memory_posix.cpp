#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "platform/large_memory.h"

// Under AddressSanitizer every block comes from the heap, where overruns are
// caught.
#if defined(__SANITIZE_ADDRESS__)
#define GRELVIN_HEAP_BLOCKS_ONLY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GRELVIN_HEAP_BLOCKS_ONLY 1
#endif
#endif

namespace grelvin {

namespace {

constexpr std::size_t kHugePageSize = std::size_t{2} << 20U;
constexpr std::size_t kSmallHead = std::size_t{64} << 10U;
#ifdef GRELVIN_HEAP_BLOCKS_ONLY
constexpr std::size_t kLargeBlockThreshold = SIZE_MAX;
#else
constexpr std::size_t kLargeBlockThreshold = std::size_t{1} << 20U;
#endif

// The mapping behind a large block: the head in small pages, then whole huge
// pages.
std::size_t mappedLength(std::size_t bytes) {
    const std::size_t body = bytes - kSmallHead;
    return kSmallHead + (body + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
}

}  // namespace

void* allocateLargeBlock(std::size_t bytes) noexcept {
    if (bytes < kLargeBlockThreshold) {
        return std::malloc(bytes);
    }
    if (bytes > SIZE_MAX - 2 * kHugePageSize) {
        return nullptr;
    }
    const std::size_t length = mappedLength(bytes);
    // Map a huge page more than needed, then trim the mapping so that the
    // head ends on a huge-page boundary.
    const std::size_t reserved = length + kHugePageSize;
    void* mapped =
        ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t bodyStart =
        (start + kSmallHead + kHugePageSize - 1) & ~std::uintptr_t{kHugePageSize - 1};
    const std::uintptr_t blockStart = bodyStart - kSmallHead;
    if (blockStart > start) {
        ::munmap(mapped, blockStart - start);
    }
    const std::uintptr_t blockEnd = blockStart + length;
    if (start + reserved > blockEnd) {
        ::munmap(reinterpret_cast<void*>(blockEnd), start + reserved - blockEnd);
    }
    void* block = reinterpret_cast<void*>(blockStart);
#ifdef MADV_HUGEPAGE
    // Only 2 MiB ranges that lie wholly inside the mapping get huge pages, so
    // the head, whose range begins before the mapping, keeps small ones.
    ::madvise(block, length, MADV_HUGEPAGE);
#endif
    return block;
}

void releaseLargeBlock(void* block, std::size_t bytes) noexcept {
    if (bytes < kLargeBlockThreshold) {
        std::free(block);
        return;
    }
    ::munmap(block, mappedLength(bytes));
}

}  // namespace grelvin
