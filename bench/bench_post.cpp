// One price typed and posted in the item table, beside SQLite updating one row by key.

#include "bench/bench_support.h"
#include "bench/peer_sqlite.h"
#include "bench/proposal_tables.h"

namespace velmora::bench {
namespace {

// Every size posts as often, so each ends with as many new row versions.
constexpr int64_t kPosts = 50000;

// The item table open in "numitem;nuitem" order with its indexes, filtered to the first lot
// by the lot table, SomaItens live; each iteration edits the current row's price and posts.
void PostPrice(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    OpenLotAuction auction(file.Path());
    ItemTable& items = auction.items;
    int64_t posted = 0;
    for (auto _ : state) {
        items.table.BeginEdit();
        items.preco_ini.SetAsText(PriceText(posted++));
        items.table.PostRow();
    }
    state.SetLabel(items.MissingLiveParts(true));
    state.counters["lot_rows"] = items.table.RowCount();
    state.counters["slots"] = items.table.StoredTable()->SlotCount();
    // The posted prices must not be saved over the generated file the other benchmarks read.
    items.table.SetFileName({});
}

void SqlitePostPrice(benchmark::State& state) {
    SqliteItems items(FileOf(static_cast<int>(state.range(0))).Bytes());
    int64_t posted = 0;
    for (auto _ : state) items.PostPrice(1, 1.0 + static_cast<double>(posted++ % 9999 + 1) / 10000);
    benchmark::DoNotOptimize(items.Total());
}

}  // namespace

BENCHMARK(PostPrice)
    ->Name("post/velmora")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})
    ->Iterations(kPosts)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SqlitePostPrice)
    ->Name("post/sqlite")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})
    ->Iterations(kPosts)
    ->Unit(benchmark::kMicrosecond);

}  // namespace velmora::bench
