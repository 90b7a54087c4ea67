// The benchmark program: the memory of an open 100,000-item table first (before the other
// benchmarks grow the heap), then every benchmark, then the figures against their targets.
// The memory figure is skipped when a --benchmark_filter is given that does not name it.

#include <cstring>
#include <iostream>
#include <optional>

#include "bench/bench_support.h"
#include "bench/open_memory.h"
#include "bench/proposal_tables.h"
#include "bench/ratio_summary.h"

namespace {

bool MemoryWanted(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_filter=", 19) == 0)
            return std::strstr(argv[i], "memory") != nullptr;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora::bench;
    const bool memoryWanted = MemoryWanted(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::optional<OpenMemory> memory;
    if (memoryWanted) {
        BenchEnvironment environment;
        memory = MeasureOpenMemory(kLarge);
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintSummary(reporter.Figures(), memory ? &*memory : nullptr, std::cout);
    return 0;
}
