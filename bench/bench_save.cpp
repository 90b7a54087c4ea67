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

// Each iteration opens the file and posts one price (not timed), then times the close, which
// rewrites the file whole; the file is put back afterwards.
void SaveItemTable(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    BenchEnvironment environment;
    int64_t written = 0;
    for (auto _ : state) {
        ItemTable items;
        items.Open(file.Path());
        items.table.BeginEdit();
        items.preco_ini.SetAsText(PriceText(state.iterations()));
        items.table.PostRow();
        state.SetIterationTime(SecondsOf([&] { items.table.CloseTable(); }));
        written += static_cast<int64_t>(platform::ReadFileShared(file.Path()).size());
        file.Restore();
    }
    state.SetBytesProcessed(written);
}

void PugixmlSave(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    pugi::xml_document document;
    ParseWithPugixml(file.Bytes(), document);
    int64_t written = 0;
    for (auto _ : state) {
        std::string saved;
        state.SetIterationTime(SecondsOf([&] { saved = SaveWithPugixml(document); }));
        written += static_cast<int64_t>(saved.size());
    }
    state.SetBytesProcessed(written);
}

// One write call of the file's byte count into a new file, then fsync: what the disk allows.
void WriteWithFsync(benchmark::State& state) {
    const ProposalsFile& file = FileOf(static_cast<int>(state.range(0)));
    const std::string path = file.Path() + ".raw";
    for (auto _ : state) {
        state.SetIterationTime(SecondsOf([&] {
            const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const ssize_t count = ::write(descriptor, file.Bytes().data(), file.Bytes().size());
            const bool synced = ::fsync(descriptor) == 0;
            ::close(descriptor);
            if (count != static_cast<ssize_t>(file.Bytes().size()) || !synced)
                throw std::runtime_error("cannot write " + path);
        }));
    }
    ::unlink(path.c_str());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.Bytes().size()));
}

}  // namespace

BENCHMARK(SaveItemTable)
    ->Name("save/velmora")
    ->Arg(kSmall)
    ->Arg(kMedium)
    ->Arg(kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlSave)
    ->Name("save/pugixml")
    ->Arg(kSmall)
    ->Arg(kMedium)
    ->Arg(kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WriteWithFsync)
    ->Name("save/write_fsync")
    ->Arg(kSmall)
    ->Arg(kMedium)
    ->Arg(kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace velmora::bench
