// Opening a proposals file into the item table, beside pugixml parsing the same bytes.

#include <stdexcept>

#include "bench/bench_support.h"
#include "bench/peer_pugixml.h"
#include "bench/proposal_tables.h"

namespace velmora::bench {
namespace {

// Read, parse, store, order "numitem;nuitem", SomaItens and the first rows fetched.
void OpenItemTable(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    for (auto _ : state) {
        state.PauseTiming();
        ItemTable items;
        state.ResumeTiming();
        items.Open(file.Path());
        state.PauseTiming();
        if (items.table.RowCount() != static_cast<uint32_t>(state.range(0)))
            throw std::logic_error("the item table did not open every row");
        state.SetLabel(items.MissingLiveParts(false));
        items.table.CloseTable();  // unchanged: writes nothing
        state.ResumeTiming();
    }
}

void PugixmlParse(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        {
            pugi::xml_document document;
            state.ResumeTiming();
            ParseWithPugixml(file.Bytes(), document);
            state.PauseTiming();
            if (PugixmlRowCount(document) != static_cast<size_t>(state.range(0)))
                throw std::logic_error("pugixml did not parse every row");
        }
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(OpenItemTable)
    ->Name("open/velmora")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})

    ->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlParse)
    ->Name("open/pugixml")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})

    ->Unit(benchmark::kMillisecond);

}  // namespace velmora::bench
