#include "bench/open_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

#include "bench/bench_support.h"
#include "bench/proposal_tables.h"
#include "store/row_block_pool.h"

namespace velmora::bench {
namespace {

size_t ResidentBytes() {
    malloc_trim(0);
    store::ReleaseKeptRowBlocks();
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

size_t HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

}  // namespace

OpenMemory MeasureOpenMemory(int items) {
    const ProposalsFile& file = FileOf(items);
    OpenMemory memory;
    memory.fileBytes = file.Bytes().size();
    const size_t residentBefore = ResidentBytes();
    const size_t heapBefore = HeapBytes();
    ItemTable table;
    table.Open(file.Path());
    memory.residentBytes = ResidentBytes() - residentBefore;
    memory.heapBytes = HeapBytes() - heapBefore;
    return memory;
}

}  // namespace velmora::bench
