// The listing a run starts from: FileList::Load of a whole directory (readdir,
// wildcard, one fstatat per entry, natural-order sort, one node per entry),
// the names-only LoadNames that the renumbering pass uses (its names packed,
// no node made), and the list's sorted insertion on its own, where every
// node of a directory listing has the same key and a naive walk would be
// quadratic.

#include <benchmark/benchmark.h>

#include "bench/micro/CameraDumpDirectory.h"
#include "fsystem/FileList.h"
#include "fsystem/SortLLst.h"

namespace {

// Loads a camera dump of state.range(0) files into a FileList with `load`,
// then reads what a walker of that load reads first.
template <typename Load>
void LoadCameraDump(benchmark::State& state, Load load) {
  const int fileCount = static_cast<int>(state.range(0));
  const CameraDumpDirectory directory(fileCount);
  const std::string directoryText = directory.DirectoryText();
  for (auto _ : state) {
    FileList list;
    benchmark::DoNotOptimize(load(list, directoryText.c_str()));
  }
  state.SetItemsProcessed(state.iterations() * fileCount);
  state.SetComplexityN(fileCount);
}

void BM_FileListLoad(benchmark::State& state) {
  LoadCameraDump(state, [](FileList& list, const char* directory) {
    list.Load(directory, "*.jpg", 0, kSortAsListed);
    return list.First();
  });
}
BENCHMARK(BM_FileListLoad)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The listing the renumbering pass loads: names only, no fstatat per entry.
void BM_FileListLoadNames(benchmark::State& state) {
  LoadCameraDump(state, [](FileList& list, const char* directory) {
    list.LoadNames(directory, "*.jpg");
    return list.Names()[0];
  });
}
BENCHMARK(BM_FileListLoadNames)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// What FileList::Scan does per entry, without the file system: N nodes with
// the key every scanned entry gets.
void BM_SortLLstAddEqualKeys(benchmark::State& state) {
  const int nodeCount = static_cast<int>(state.range(0));
  for (auto _ : state) {
    SortLLst list;
    for (int i = 0; i < nodeCount; ++i) list.Add(new ListNode("FCB", nullptr));
    benchmark::DoNotOptimize(list.First());
  }
  state.SetItemsProcessed(state.iterations() * nodeCount);
  state.SetComplexityN(nodeCount);
}
BENCHMARK(BM_SortLLstAddEqualKeys)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
