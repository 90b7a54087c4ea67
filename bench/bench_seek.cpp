// The type-ahead search of the item grid: SeekRow on descr_item ignoring letter case, with
// the typed text as a prefix, over the unfiltered item table in "numitem;nuitem" order. A hit
// is the typed beginning of a description (found among the first rows); a miss, a text no
// description begins with, scans the whole view.

#include "bench/bench_support.h"
#include "bench/proposal_tables.h"
#include "platform/codepage.h"

namespace velmora::bench {
namespace {

void Seek(benchmark::State& state, const std::string& typed, bool found) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    ItemTable items;
    items.Open(file.Path());
    const store::Value key = store::Value::Text(typed);
    const store::SeekOptions options{true, true};
    for (auto _ : state) {
        if (items.table.SeekRow("descr_item", key, options) != found) {
            state.SkipWithError("the seek did not end as expected");
            break;
        }
        state.PauseTiming();
        items.table.GoLast();  // a hit moved to the first match: start from elsewhere again
        state.ResumeTiming();
    }
    state.SetLabel(items.MissingLiveParts(false));
}

void SeekHit(benchmark::State& state) {
    Seek(state, platform::FromUtf8("armário de a"), true);
}

void SeekMiss(benchmark::State& state) {
    Seek(state, "grampo trilho", false);
}

}  // namespace

BENCHMARK(SeekHit)
    ->Name("seek/velmora_hit")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SeekMiss)
    ->Name("seek/velmora_miss")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace velmora::bench
