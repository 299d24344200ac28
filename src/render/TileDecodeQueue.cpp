// SPDX-License-Identifier: MIT
#include "render/TileDecodeQueue.h"

#include <algorithm>

namespace kavalo {

TileDecodeQueue::TileDecodeQueue(std::vector<GridFiles> files, unsigned workers)
    : files_(std::move(files)), pictures_(files_.size()), done_(files_.size(), 0) {
  if (files_.empty()) return;
  if (workers == 0) workers = std::max(1u, std::thread::hardware_concurrency());
  workers = std::min<unsigned>(workers, static_cast<unsigned>(files_.size()));
  workers_.reserve(workers);
  for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
}

TileDecodeQueue::~TileDecodeQueue() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  for (std::thread& t : workers_) t.join();
}

void TileDecodeQueue::work() {
  for (;;) {
    size_t i;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_ || next_ >= files_.size()) return;
      i = next_++;
    }
    GridPictures pictures;
    DecodeGridFiles(files_[i], pictures);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      pictures_[i] = std::move(pictures);
      done_[i] = 1;
    }
    decoded_.notify_all();
  }
}

GridPictures TileDecodeQueue::take(size_t i) {
  std::unique_lock<std::mutex> lock(mutex_);
  decoded_.wait(lock, [&] { return done_[i] != 0; });
  return std::move(pictures_[i]);
}

}  // namespace kavalo
