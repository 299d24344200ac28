// SPDX-License-Identifier: MIT
#include "render/TilePrefetcher.h"

#include <QFileInfo>
#include <QImage>

#include "render/TileCache.h"
#include "render/Tiles.h"

namespace kavalo {

TilePrefetcher::TilePrefetcher() {
  // The cache outlives the decoding thread that fills it.
  TileCache::shared();
}

TilePrefetcher::~TilePrefetcher() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

TilePrefetcher& TilePrefetcher::shared() {
  static TilePrefetcher prefetcher;
  return prefetcher;
}

void TilePrefetcher::request(const std::vector<std::pair<QString, QString>>& files) {
  bool added = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& file : files) {
      if (!waiting_.insert(file.first).second) continue;
      queue_.push_back(file);
      added = true;
    }
    if (added && !worker_.joinable()) worker_ = std::thread([this] { work(); });
  }
  if (added) wake_.notify_one();
}

void TilePrefetcher::requestFile(const QString& path) {
  request({{path, QFileInfo(path).suffix().toLower()}});
}

void TilePrefetcher::setOnDecoded(const void* owner, std::function<void()> callback) {
  std::lock_guard<std::mutex> lock(callbackMutex_);
  owner_ = owner;
  onDecoded_ = std::move(callback);
}

void TilePrefetcher::clearOnDecoded(const void* owner) {
  std::lock_guard<std::mutex> lock(callbackMutex_);
  if (owner_ != owner) return;
  owner_ = nullptr;
  onDecoded_ = nullptr;
}

void TilePrefetcher::waitIdle() {
  std::unique_lock<std::mutex> lock(mutex_);
  idle_.wait(lock, [&] { return queue_.empty() && !busy_; });
}

void TilePrefetcher::work() {
  for (;;) {
    std::pair<QString, QString> file;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      file = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
    }
    QImage picture;
    // Only a picture the cache now holds can be drawn by the next drag step;
    // telling about any other would start redraws that find nothing new.
    const bool decoded = LoadTileImage(file.first, file.second, picture) && TileCache::shared().contains(file.first);
    bool tell = false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      waiting_.erase(file.first);
      decodedSome_ = decodedSome_ || decoded;
      if (queue_.empty()) {
        tell = decodedSome_;
        decodedSome_ = false;
      }
    }
    if (tell) {
      std::lock_guard<std::mutex> lock(callbackMutex_);
      if (onDecoded_) onDecoded_();
    }
    {
      // Idle only once the callback has run.
      std::lock_guard<std::mutex> lock(mutex_);
      busy_ = false;
    }
    idle_.notify_all();
  }
}

}  // namespace kavalo
