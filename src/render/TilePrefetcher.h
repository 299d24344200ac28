// SPDX-License-Identifier: MIT
#pragma once
// Decodes tile files into the cache of decoded pictures in the background.
// A drag draws the strips it uncovers with the tiles already decoded and
// asks for the others here; once some have arrived the window is told, so
// that it can draw the strips again with them.
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace kavalo {

class TilePrefetcher {
 public:
  TilePrefetcher();
  ~TilePrefetcher();
  TilePrefetcher(const TilePrefetcher&) = delete;
  TilePrefetcher& operator=(const TilePrefetcher&) = delete;

  static TilePrefetcher& shared();

  // Files (path, extension) to decode; those already waiting are not asked
  // for twice.
  void request(const std::vector<std::pair<QString, QString>>& files);
  // One file, its extension taken from its name.
  void requestFile(const QString& path);

  // Called on the decoding thread after files were decoded and kept, once
  // nothing else waits (files that could not be decoded call nothing, so a
  // missing file never starts a round of redraws). Empty: nobody is told.
  // After either returns, the previous callback is no longer running. The
  // owner (a window) takes the callback off only when it is still its own.
  void setOnDecoded(const void* owner, std::function<void()> callback);
  void clearOnDecoded(const void* owner);

  // Waits until nothing is waiting or being decoded (tests, benchmarks).
  void waitIdle();

 private:
  void work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::pair<QString, QString>> queue_;
  std::set<QString> waiting_;
  bool busy_ = false;
  bool stopping_ = false;
  bool decodedSome_ = false;
  std::mutex callbackMutex_;
  std::function<void()> onDecoded_;
  const void* owner_ = nullptr;
  std::thread worker_;
};

}  // namespace kavalo
