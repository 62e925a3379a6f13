// The natural-order comparison the directory search sorts with: single
// comparisons of typical names, and the whole sort of a camera dump's names
// beside a plain byte-order sort of the same names for scale.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bench/micro/CameraDumpDirectory.h"
#include "platform/os/NaturalOrder.h"

namespace {

// Neighbouring camera names: the digit runs decide, after a common prefix.
void BM_CompareNaturalCameraNames(benchmark::State& state) {
  const char* a = "IMG_004711.jpg";
  const char* b = "IMG_004712.jpg";
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CompareNatural(a, b));
  }
}
BENCHMARK(BM_CompareNaturalCameraNames);

// Letters that differ only in case, then digit runs of different lengths.
void BM_CompareNaturalMixedNames(benchmark::State& state) {
  const char* a = "Holiday Crete 2023 - img2.JPG";
  const char* b = "holiday crete 2023 - IMG10.jpg";
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CompareNatural(a, b));
  }
}
BENCHMARK(BM_CompareNaturalMixedNames);

template <typename Less>
void SortShuffledNames(benchmark::State& state, Less less) {
  const int nameCount = static_cast<int>(state.range(0));
  const std::vector<std::string> shuffled = CameraDumpDirectory::ShuffledNames(nameCount);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> names = shuffled;
    state.ResumeTiming();
    std::sort(names.begin(), names.end(), less);
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(state.iterations() * nameCount);
  state.SetComplexityN(nameCount);
}

// Sorting with CompareNatural in every comparison, which walks digit runs
// again each time.
void BM_SortNamesNatural(benchmark::State& state) {
  SortShuffledNames(state, [](const std::string& a, const std::string& b) {
    return CompareNatural(a.c_str(), b.c_str()) < 0;
  });
}
BENCHMARK(BM_SortNamesNatural)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

// Making the natural-order keys the directory search sorts by, once per name.
void BM_NaturalSortKeys(benchmark::State& state) {
  const int nameCount = static_cast<int>(state.range(0));
  const std::vector<std::string> names = CameraDumpDirectory::ShuffledNames(nameCount);
  for (auto _ : state) {
    for (const std::string& name : names) benchmark::DoNotOptimize(NaturalSortKey(name.c_str()));
  }
  state.SetItemsProcessed(state.iterations() * nameCount);
  state.SetComplexityN(nameCount);
}
BENCHMARK(BM_NaturalSortKeys)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The floor programs' sort, for scale.
void BM_SortNamesBytes(benchmark::State& state) {
  SortShuffledNames(state, [](const std::string& a, const std::string& b) {
    return std::strcmp(a.c_str(), b.c_str()) < 0;
  });
}
BENCHMARK(BM_SortNamesBytes)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace
