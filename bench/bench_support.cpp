#include "bench/bench_support.h"

#include <map>
#include <memory>

namespace velmora::bench {

const ProposalsFile& FileOf(int items) {
    static std::map<int, std::unique_ptr<ProposalsFile>> files;
    std::unique_ptr<ProposalsFile>& file = files[items];
    if (!file) file = std::make_unique<ProposalsFile>(items);
    return *file;
}

std::string PriceText(int64_t iteration) {
    const int fraction = static_cast<int>(iteration % 9999) + 1;
    std::string digits = std::to_string(fraction);
    return "1," + std::string(4 - digits.size(), '0') + digits;
}

}  // namespace velmora::bench
