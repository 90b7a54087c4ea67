#include "bench/ratio_summary.h"

#include <iomanip>
#include <optional>
#include <sstream>

#include "bench/bench_support.h"

namespace velmora::bench {
namespace {

std::string Fixed(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

// What the run of `measured` lacked, to be shown beside its figure.
std::string Lacking(const Measured& measured) {
    return measured.label.empty() ? std::string() : " [measured with " + measured.label + "]";
}

class Summary {
public:
    Summary(const std::map<std::string, Measured>& figures, std::ostream& out)
        : figures_(figures), out_(out) {}

    std::optional<Measured> Find(const std::string& name, int items) const {
        auto found = figures_.find(name + "/" + std::to_string(items));
        if (found == figures_.end()) return std::nullopt;
        return found->second;
    }

    // One line: what, the figure, the target and whether it holds.
    void Line(const std::string& what, const std::string& figure, const std::string& target,
              bool met) {
        out_ << "  " << what << ": " << figure << " (target " << target << ") "
             << (met ? "met" : "MISSED") << "\n";
        if (!met) ++missed_;
    }
    void Note(const std::string& what, const std::string& figure) {
        out_ << "  " << what << ": " << figure << "\n";
    }
    int Missed() const { return missed_; }

private:
    const std::map<std::string, Measured>& figures_;
    std::ostream& out_;
    int missed_ = 0;
};

constexpr int kSizes[] = {kSmall, kMedium, kLarge};

void OpenLines(Summary& summary) {
    for (int items : kSizes) {
        auto ours = summary.Find("open/velmora", items), peer = summary.Find("open/pugixml", items);
        if (!ours || !peer) continue;
        const double ratio = ours->seconds / peer->seconds;
        summary.Line("open " + std::to_string(items),
                     Fixed(ours->seconds * 1e3, 2) + " ms, " + Fixed(ratio, 2) + "x pugixml" +
                         Lacking(*ours),
                     "<= 1.0x", ratio <= 1.0);
    }
}

// Megabytes per second of the CPU time, and of the clock's.
std::string Throughput(const Measured& measured) {
    return Fixed(measured.bytesPerIteration / measured.seconds / 1e6, 0) + " MB/s (clock " +
           Fixed(measured.bytesPerIteration / measured.wallSeconds / 1e6, 0) + " MB/s)";
}

void SaveLines(Summary& summary) {
    for (int items : kSizes) {
        auto ours = summary.Find("save/velmora", items), peer = summary.Find("save/pugixml", items);
        if (!ours || !peer) continue;
        const double ratio =
            (ours->bytesPerIteration / ours->seconds) / (peer->bytesPerIteration / peer->seconds);
        std::string figure =
            Throughput(*ours) + ", " + Fixed(ratio, 2) + "x pugixml's " + Throughput(*peer);
        if (auto raw = summary.Find("save/write_fsync", items))
            figure += "; raw write+fsync " + Throughput(*raw);
        summary.Line("save " + std::to_string(items), figure, ">= 1.0x", ratio >= 1.0);
    }
}

void PostLines(Summary& summary) {
    auto small = summary.Find("post/velmora", kSmall);
    for (int items : kSizes) {
        auto ours = summary.Find("post/velmora", items), peer = summary.Find("post/sqlite", items);
        if (!ours) continue;
        std::string figure = Fixed(ours->seconds * 1e6, 3) + " us";
        if (peer) figure += ", " + Fixed(ours->seconds / peer->seconds, 2) + "x SQLite";
        figure += Lacking(*ours);
        if (items != kLarge || !small) {
            summary.Note("post " + std::to_string(items), figure);
            continue;
        }
        const double growth = ours->seconds / small->seconds;
        summary.Line("post " + std::to_string(items),
                     figure + ", " + Fixed(growth, 2) + "x the 1000-row post", "<= 1 us and <= 2x",
                     ours->seconds <= 1e-6 && growth <= 2.0);
    }
}

void SwitchLines(Summary& summary) {
    for (int items : kSizes) {
        auto ours = summary.Find("switch_lot/velmora", items);
        auto peer = summary.Find("switch_lot/sqlite", items);
        if (!ours) continue;
        std::string figure = Fixed(ours->seconds * 1e6, 1) + " us";
        const double ratio = peer ? ours->seconds / peer->seconds : 0;
        if (peer) figure += ", " + Fixed(ratio, 2) + "x SQLite";
        figure += Lacking(*ours);
        const std::string what = "switch lot " + std::to_string(items);
        if (items == kSmall && peer)
            summary.Line(what, figure, "<= 1.0x SQLite", ratio <= 1.0);
        else if (items == kLarge)
            summary.Line(what, figure, "<= 2 ms", ours->seconds <= 2e-3);
        else
            summary.Note(what, figure);
    }
}

void SeekLines(Summary& summary) {
    for (const char* outcome : {"hit", "miss"})
        for (int items : kSizes)
            if (auto ours = summary.Find(std::string("seek/velmora_") + outcome, items))
                summary.Note("seek " + std::string(outcome) + " " + std::to_string(items),
                             Fixed(ours->seconds * 1e6, 1) + " us" + Lacking(*ours));
}

void MemoryLine(Summary& summary, const OpenMemory& memory) {
    const double resident = static_cast<double>(memory.residentBytes) / memory.fileBytes;
    const double heap = static_cast<double>(memory.heapBytes) / memory.fileBytes;
    summary.Line("memory " + std::to_string(kLarge),
                 Fixed(resident, 2) + "x the file's " + Fixed(memory.fileBytes / 1e6, 1) +
                     " MB resident (" + Fixed(heap, 2) + "x allocated)",
                 "<= 0.8x", resident <= 0.8);
}

}  // namespace

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
            continue;
        Measured measured;
        const double iterations = static_cast<double>(run.iterations);
        measured.seconds = run.cpu_accumulated_time / iterations;
        measured.wallSeconds = run.real_accumulated_time / iterations;
        auto bytes = run.counters.find("bytes");
        if (bytes != run.counters.end()) measured.bytesPerIteration = bytes->second.value;
        measured.label = run.report_label;
        figures_[run.run_name.function_name + "/" + run.run_name.args] = measured;
    }
    ConsoleReporter::ReportRuns(runs);
}

int PrintSummary(const std::map<std::string, Measured>& figures, const OpenMemory* memory,
                 std::ostream& out) {
    out << "\nFigures against their targets (peers measured in this run):\n";
    Summary summary(figures, out);
    OpenLines(summary);
    SaveLines(summary);
    PostLines(summary);
    SwitchLines(summary);
    SeekLines(summary);
    if (memory) MemoryLine(summary, *memory);
    return summary.Missed();
}

}  // namespace velmora::bench
