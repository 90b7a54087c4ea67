#pragma once
// The figures of one run set against their targets: each benchmark's time per iteration (and
// throughput) is read from the runs, paired with its peer's from the same run, and printed
// as one line per figure ("open 10000: 0.83x pugixml (target <= 1.0x) met").

#include <map>
#include <ostream>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/open_memory.h"

namespace velmora::bench {

// The machine is shared, so the time that counts is the process's CPU time, which other
// people's work inflates far less than the clock's; the clock's time is kept beside it (the
// save benchmarks also wait for the disk, which only the clock sees).
struct Measured {
    double seconds = 0;            // CPU time per iteration
    double wallSeconds = 0;        // clock time per iteration
    double bytesPerIteration = 0;  // 0 when not counted
    std::string label;             // what the run lacked ("no lot filter"), empty when complete
};

// Keeps each run's figures under "<name>/<items>" ("open/velmora/1000") while printing the
// usual console table.
class CollectingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    const std::map<std::string, Measured>& Figures() const { return figures_; }

private:
    std::map<std::string, Measured> figures_;
};

// Prints the target lines for what was measured (benchmarks left out by a filter are
// skipped); returns how many targets were missed.
int PrintSummary(const std::map<std::string, Measured>& figures, const OpenMemory* memory,
                 std::ostream& out);

}  // namespace velmora::bench
