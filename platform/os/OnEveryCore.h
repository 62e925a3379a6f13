#pragma once
// Work spread over the machine's cores, for reading many files' headers at
// once: each thread takes the next few items as it gets to them, so a slow
// file holds up one thread, not a share fixed in advance.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

// Calls `work(i)` for every i below `count`, on as many threads as the
// machine has cores (fewer when no more can be had, or the work is small);
// returns when every call has returned.
template <typename Work>
void OnEveryCore(size_t count, const Work& work) {
  if (count == 0) return;
  constexpr size_t kItemsATurn = 16;
  std::atomic<size_t> next{0};
  const auto worker = [&] {
    for (size_t begin; (begin = next.fetch_add(kItemsATurn)) < count;) {
      for (size_t i = begin; i < std::min(count, begin + kItemsATurn); ++i) work(i);
    }
  };
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t helpers = std::min(cores, (count + kItemsATurn - 1) / kItemsATurn) - 1;
  std::vector<std::thread> threads;
  try {
    for (size_t i = 0; i < helpers; ++i) threads.emplace_back(worker);
  } catch (const std::system_error&) {  // no more threads to be had: fewer do it
  }
  worker();
  for (std::thread& thread : threads) thread.join();
}
