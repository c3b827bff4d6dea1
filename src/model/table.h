#pragma once

#include <cstddef>
#include <vector>

#include "platform/large_memory.h"

namespace grelvin {

// A table of records that reads as `capacity` all-zero records when it is new
// and grows with the records a file actually delivers. Only records that were
// written occupy memory, so a count in a file cannot make the program reserve
// more than the file holds; reads beyond what was written yield a zero record.
template <typename Record>
struct Table {
    // Records written so far, index 0 upward. The vertex and face tables
    // reach megabytes, hence the allocator (see large_memory.h).
    std::vector<Record, LargeBlockAllocator<Record>> records;
    std::size_t capacity = 0;  // the table's nominal size

    explicit Table(std::size_t nominalCapacity) : capacity(nominalCapacity) {
        // Reserving maps address space only; pages are touched when written.
        records.reserve(nominalCapacity);
    }

    // Number of records a reader of the table may address.
    std::size_t size() const { return records.size() > capacity ? records.size() : capacity; }

    const Record& at(std::size_t index) const {
        static const Record zero{};
        return index < records.size() ? records[index] : zero;
    }

    // The record at `index` for writing; records below it must already exist
    // or be created in order, as every decoder writes from index 0 upward.
    Record& slot(std::size_t index) {
        if (index == records.size()) {
            return records.emplace_back();  // the usual case, without a call to resize
        }
        if (index > records.size()) {
            records.resize(index + 1);
        }
        return records[index];
    }
};

}  // namespace grelvin
