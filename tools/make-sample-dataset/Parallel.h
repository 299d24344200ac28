// SPDX-License-Identifier: MIT
#pragma once
// Runs independent jobs on the machine's cores. Each job writes only its own
// results, so the output does not depend on which thread ran which job.
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace sample {

template <typename Job>
void parallelFor(int count, Job job) {
  const int workers = std::max(1, std::min<int>(count, static_cast<int>(std::thread::hardware_concurrency())));
  std::atomic<int> next{0};
  auto run = [&]() {
    for (int i = next++; i < count; i = next++) job(i);
  };
  std::vector<std::thread> threads;
  for (int w = 1; w < workers; ++w) threads.emplace_back(run);
  run();
  for (std::thread& t : threads) t.join();
}

}  // namespace sample
