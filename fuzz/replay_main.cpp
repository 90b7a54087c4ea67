// Runs a fuzz target once over every file of the seed folders (or single inputs) given on the
// command line, so that the seeds are replayed as an ordinary test without libFuzzer.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void Replay(const std::filesystem::path& path) {
    const std::vector<uint8_t> input = ReadAll(path);
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_regular_file(argv[i])) {
            Replay(argv[i]);
            ++replayed;
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            Replay(entry.path());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "no seed inputs found\n");
        return 1;
    }
    std::printf("%zu seed inputs replayed\n", replayed);
    return 0;
}
