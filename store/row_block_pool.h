#pragma once
// The memory blocks that row storages take their images from. A block a storage releases is
// kept for the next one, up to a bound for the whole process: a table closed and opened again,
// or the next file, reuses warm pages instead of having the kernel map, zero and unmap them
// (unmapping also flushes every core's address translations) each time.

#include <cstddef>

namespace velmora::store {

// A block of `size` bytes with its pages present: a kept one of that size, else freshly mapped.
// Raises std::bad_alloc when the system has no memory for it.
char* TakeRowBlock(size_t size);
// Gives a block from TakeRowBlock back, with the size it has now (TrimRowBlock may have made
// it smaller). Kept for reuse while the kept blocks stay within the bound, unless trimmed;
// else unmapped.
void GiveBackRowBlock(char* start, size_t size) noexcept;
// Unmaps the tail of a block from `kept` bytes on. REQUIRES: kept is a multiple of the page
// size and below size.
void TrimRowBlock(char* start, size_t size, size_t kept) noexcept;
// Unmaps every kept block (for measuring what the open tables themselves hold).
void ReleaseKeptRowBlocks() noexcept;

}  // namespace velmora::store
