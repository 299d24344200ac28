// SPDX-License-Identifier: MIT
#include "output/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace kavalo {

bool runParallel(qsizetype items, int threads, const std::function<bool(int, qsizetype, QString*)>& work,
                 QString* error) {
  std::atomic<qsizetype> next{0};
  std::atomic<bool> failed{false};
  std::mutex mutex;
  QString firstError;
  auto run = [&](int worker) {
    for (qsizetype i = next++; i < items && !failed; i = next++) {
      QString why;
      if (!work(worker, i, &why)) {
        std::lock_guard lock(mutex);
        if (!failed.exchange(true)) firstError = why;
      }
    }
  };
  const int count = static_cast<int>(std::clamp<qsizetype>(items, 1, std::max(1, threads)));
  std::vector<std::thread> pool;
  for (int w = 1; w < count; ++w) pool.emplace_back(run, w);
  run(0);
  for (std::thread& t : pool) t.join();
  if (failed && error) *error = firstError;
  return !failed;
}

int threadsFor(int asked) {
  return asked > 0 ? asked : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace kavalo
