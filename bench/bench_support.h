#pragma once
// What the benchmark files share: the item counts measured, the generated files (made once
// per count and kept for the run), and the prices typed.

#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/proposals_generator.h"

namespace velmora::bench {

inline constexpr int kSmall = 1000;
inline constexpr int kMedium = 10000;
inline constexpr int kLarge = 100000;

// The proposals file of that many items, generated at its first use.
const ProposalsFile& FileOf(int items);

// A price text in the user's notation that differs from the one before it, so each post
// stores a new row version: "1,0001", "1,0002", ... cycling through 9999 values.
std::string PriceText(int64_t iteration);

}  // namespace velmora::bench
