// SPDX-License-Identifier: MIT
#include "net/TileWriteQueue.h"

namespace kavalo {

namespace {
constexpr size_t kMaxQueued = 4;
}

TileWriteQueue::TileWriteQueue() : thread_([this] { run(); }) {}

TileWriteQueue::~TileWriteQueue() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TileWriteQueue::push(Job job) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return jobs_.size() < kMaxQueued; });
  jobs_.push_back(std::move(job));
  changed_.notify_all();
}

int TileWriteQueue::finish(QString* error) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
  if (error) *error = error_;
  return written_;
}

bool TileWriteQueue::failed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !error_.isEmpty();
}

void TileWriteQueue::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    const bool skip = !error_.isEmpty();
    lock.unlock();
    changed_.notify_all();
    QString why;
    const Done done = skip ? Done::Nothing : job(&why);
    lock.lock();
    busy_ = false;
    if (!skip) {
      if (done == Done::Written)
        ++written_;
      else if (done == Done::Failed && error_.isEmpty())
        error_ = why.isEmpty() ? QStringLiteral("a tile could not be written") : why;
    }
    changed_.notify_all();
  }
}

}  // namespace kavalo
