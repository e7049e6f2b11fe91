// Filling a paste string must take time in proportion to its length: the
// bytes per second stay the same from 1 MiB to 16 MiB of placeholders.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fastest.h"
#include "run/clip_str.h"

namespace tagsmit {
namespace {

// `unit` repeated up to `size` bytes: every byte belongs to a placeholder.
std::string Repeated(std::string_view unit, std::size_t size) {
  std::string out;
  out.reserve(size);
  while (out.size() + unit.size() <= size) out += unit;
  return out;
}

void BM_ExpandClipStr(benchmark::State& state) {
  const std::string clip_str = Repeated("&w&h&f", static_cast<std::size_t>(state.range(0)));
  const std::size_t units = clip_str.size() / 6;
  for (auto _ : state) {
    // The copy into the by-value parameter is part of a real expansion too.
    std::string text = ExpandClipStr(clip_str, "photo.jpg", "1920", "1080");
    benchmark::DoNotOptimize(text.data());
    if (text.size() != units * (4 + 4 + 9)) {
      state.SkipWithError("wrong expansion");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(clip_str.size()));
}

void BM_ReplaceAll(benchmark::State& state) {
  const std::string source = Repeated("&w", static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    // A fresh copy each time, as the call replaces in its argument.
    std::string subject = source;
    const auto count = ReplaceAll(subject, "&w", "1920");
    benchmark::DoNotOptimize(subject.data());
    if (static_cast<std::size_t>(count) != source.size() / 2) {
      state.SkipWithError("wrong count");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(source.size()));
}

BENCHMARK(BM_ExpandClipStr)
    ->Arg(1 << 20)
    ->Arg(4 << 20)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_ReplaceAll)
    ->Arg(1 << 20)
    ->Arg(4 << 20)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace tagsmit
