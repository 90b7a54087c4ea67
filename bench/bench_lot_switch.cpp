// Moving the lot table to another lot: its AfterScroll filters the item table to the new lot
// ("id_item = n", Filtered) and puts it on the lot's first item. Beside it, SQLite selecting
// the lot's rows through its index, with their sum.

#include <stdexcept>

#include "bench/bench_support.h"
#include "bench/peer_sqlite.h"
#include "bench/proposal_tables.h"

namespace velmora::bench {
namespace {

void SwitchLot(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    ItemTable items;
    items.Open(file.Path());
    LotTable lots(items);
    lots.Build();
    for (auto _ : state) {
        lots.table.GoNext();
        if (lots.table.AtEnd()) lots.table.GoFirst();
        benchmark::DoNotOptimize(items.preco_ini.AsText());
    }
    if (items.id_item.AsInt32() != lots.id_item.AsInt32())
        throw std::logic_error("the item table is not on the current lot");
    state.SetLabel(items.MissingLiveParts(true));
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
    ->Arg(kSmall)
    ->Arg(kMedium)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SqliteSelectLot)
    ->Name("switch_lot/sqlite")
    ->Arg(kSmall)
    ->Arg(kMedium)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);

}  // namespace velmora::bench
