// The new-name rule, formatted once per candidate name of every entry.

#include <benchmark/benchmark.h>

#include "renumber/NameRules.h"

namespace {

void FormatNames(benchmark::State& state, const NewNameRule& rule) {
  char name[304];
  long number = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rule.Format(number++, name, sizeof name));
    benchmark::ClobberMemory();
  }
}

// A run in the current directory: "000001.jpg".
void BM_FormatNameInCurrentDirectory(benchmark::State& state) {
  FormatNames(state, NewNameRule{"", "", 6, "", "jpg"});
}
BENCHMARK(BM_FormatNameInCurrentDirectory);

// A run given a path, with a prefix and a suffix: every name carries them.
void BM_FormatNameWithDirectoryAndAffixes(benchmark::State& state) {
  FormatNames(state, NewNameRule{"/home/ann/Pictures/2023 Crete/", "crete-", 6, "-day", "jpg"});
}
BENCHMARK(BM_FormatNameWithDirectoryAndAffixes);

}  // namespace
