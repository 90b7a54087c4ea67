// Moving the lot table to another lot: its AfterScroll filters the item table to the new lot
// ("id_item = n", Filtered) and puts it on the lot's first item. Beside it, SQLite selecting
// the lot's rows through its index, with their sum.

#include "bench/bench_support.h"
#include "bench/peer_sqlite.h"
#include "bench/proposal_tables.h"

namespace velmora::bench {
namespace {

void SwitchLot(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    OpenLotAuction auction(file.Path());
    ItemTable& items = auction.items;
    for (auto _ : state) {
        auction.lots.table.GoNext();
        if (auction.lots.table.AtEnd()) auction.lots.table.GoFirst();
        benchmark::DoNotOptimize(items.preco_ini.AsText());
    }
    const std::string missing = items.MissingLiveParts(true);
    if (missing.empty() && items.id_item.AsInt32() != auction.lots.id_item.AsInt32())
        state.SkipWithError("the item table is not on the current lot");
    state.SetLabel(missing);
    state.counters["lot_rows"] = items.table.RowCount();
}

void SqliteSelectLot(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    SqliteItems database(FileOf(items).Bytes());
    const int lotCount = (items + kItemsPerLot - 1) / kItemsPerLot;
    int lot = 0;
    int rows = 0;
    for (auto _ : state) {
        double sum = 0;
        lot = lot % lotCount + 1;
        rows = database.SelectLot(lot, sum);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["lot_rows"] = rows;
}

}  // namespace

BENCHMARK(SwitchLot)
    ->Name("switch_lot/velmora")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SqliteSelectLot)
    ->Name("switch_lot/sqlite")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace velmora::bench
