#pragma once
// Memory of an open item table against the size of the file it came from.

#include <cstddef>

namespace velmora::bench {

struct OpenMemory {
    size_t fileBytes = 0;
    // Growth of the process's resident set from before the open to the open table, freed
    // memory handed back to the system at both points.
    size_t residentBytes = 0;
    // Growth of the bytes the allocator has handed out and not taken back (no page rounding).
    size_t heapBytes = 0;
};

// Opens the generated file of `items` rows into the item table (with its order) and measures.
// REQUIRES: a BenchEnvironment lives. Meant to run before anything else has grown the heap.
OpenMemory MeasureOpenMemory(int items);

}  // namespace velmora::bench
