// SPDX-License-Identifier: MIT
#pragma once
// Encodes and writes finished tiles on one helper thread while the next
// pieces download, so that encoding hides under the network's waiting. The
// tiles are written in the order they were handed in; the first failure is
// kept and later tiles are dropped.
#include <QImage>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kavalo {

class TileWriteQueue {
 public:
  // What a job did: wrote its tile, found nothing to write (no usable
  // piece), or failed (with a reason).
  enum class Done { Written, Nothing, Failed };
  using Job = std::function<Done(QString* error)>;

  TileWriteQueue();
  ~TileWriteQueue();
  TileWriteQueue(const TileWriteQueue&) = delete;
  TileWriteQueue& operator=(const TileWriteQueue&) = delete;

  // Waits while too many tiles are queued, so memory stays bounded.
  void push(Job job);
  // Waits until every queued job has run; the number written and the first
  // failure (empty when none).
  int finish(QString* error);
  bool failed() const;

 private:
  void run();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  bool busy_ = false;
  bool stopping_ = false;
  int written_ = 0;
  QString error_;
  std::thread thread_;
};

}  // namespace kavalo
