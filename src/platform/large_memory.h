#pragma once

#include <cstddef>
#include <limits>
#include <new>

namespace grelvin {

// Memory for the few buffers of a run that can reach megabytes: the input
// image and the record tables of the store.
//
// The first touch of each fresh 4 KiB page costs a page fault, and for a
// large model those faults take more time than the conversion itself. Where
// the system offers transparent huge pages, a block of 1 MiB or more is laid
// out so that everything after its first 64 KiB can be backed by 2 MiB pages,
// which cost about as much to fault in as a dozen small ones. The first 64 KiB
// stay in small pages, so a table that a small model barely uses costs no
// more than before. Smaller blocks come from the ordinary heap.
void* allocateLargeBlock(std::size_t bytes) noexcept;
void releaseLargeBlock(void* block, std::size_t bytes) noexcept;

// A standard allocator over allocateLargeBlock, for std::vector.
template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    explicit LargeBlockAllocator(const LargeBlockAllocator<U>& /*other*/) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        void* block = allocateLargeBlock(count * sizeof(T));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(block);
    }

    void deallocate(T* block, std::size_t count) noexcept {
        releaseLargeBlock(block, count * sizeof(T));
    }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>& /*other*/) const noexcept {
        return true;
    }
};

}  // namespace grelvin
