// Saving: CloseTable writing the changed item table as XML (mode 5), beside pugixml saving
// its DOM of the same file to memory, and the raw limit of writing as many bytes with fsync.

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

#include "bench/bench_support.h"
#include "bench/peer_pugixml.h"
#include "bench/proposal_tables.h"
#include "platform/file_system.h"

namespace velmora::bench {
namespace {

// The bytes written per iteration, from which the summary takes CPU and clock throughput.
void CountBytes(benchmark::State& state, int64_t total) {
    state.counters["bytes"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kAvgIterations);
}

// Each iteration opens the file and posts one price (not timed), then times the close, which
// rewrites the file whole (through a temporary file, fsync and rename); the file is put back
// afterwards.
void SaveItemTable(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    int64_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            ItemTable items;
            items.Open(file.Path());
            items.table.BeginEdit();
            items.preco_ini.SetAsText(PriceText(state.iterations()));
            items.table.PostRow();
            state.ResumeTiming();
            items.table.CloseTable();
            state.PauseTiming();
        }
        written += static_cast<int64_t>(platform::ReadFileShared(file.Path()).size());
        file.Restore();
        state.ResumeTiming();
    }
    CountBytes(state, written);
}

void PugixmlSave(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    pugi::xml_document document;
    ParseWithPugixml(file.Bytes(), document);
    int64_t written = 0;
    for (auto _ : state) {
        const std::string saved = SaveWithPugixml(document);
        state.PauseTiming();
        written += static_cast<int64_t>(saved.size());
        state.ResumeTiming();
    }
    CountBytes(state, written);
}

// One write call of the file's byte count into a new file, then fsync: what the disk allows.
void WriteWithFsync(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    const std::string path = file.Path() + ".raw";
    for (auto _ : state) {
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const ssize_t count = ::write(descriptor, file.Bytes().data(), file.Bytes().size());
        const bool synced = ::fsync(descriptor) == 0;
        ::close(descriptor);
        if (count != static_cast<ssize_t>(file.Bytes().size()) || !synced)
            throw std::runtime_error("cannot write " + path);
    }
    ::unlink(path.c_str());
    CountBytes(state, state.iterations() * static_cast<int64_t>(file.Bytes().size()));
}

}  // namespace

BENCHMARK(SaveItemTable)
    ->Name("save/velmora")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})

    ->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlSave)
    ->Name("save/pugixml")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})

    ->Unit(benchmark::kMillisecond);
BENCHMARK(WriteWithFsync)
    ->Name("save/write_fsync")
    ->ArgsProduct({{kSmall, kMedium, kLarge}})

    ->Unit(benchmark::kMillisecond);

}  // namespace velmora::bench
