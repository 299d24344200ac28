// SPDX-License-Identifier: MIT
#pragma once
// Decoding the tiles of a composition is most of its time. The files are
// decoded ahead on worker threads while the window's thread draws the tiles
// already decoded, in the order the composition needs them, so the drawing
// and its raster operations stay exactly sequential.
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "render/Tiles.h"

namespace kavalo {

class TileDecodeQueue {
 public:
  // Starts decoding at once; workers = 0 picks one per processor.
  explicit TileDecodeQueue(std::vector<GridFiles> files, unsigned workers = 0);
  ~TileDecodeQueue();
  TileDecodeQueue(const TileDecodeQueue&) = delete;
  TileDecodeQueue& operator=(const TileDecodeQueue&) = delete;

  size_t size() const { return files_.size(); }
  // The pictures of entry i, once decoded (each entry is taken once).
  GridPictures take(size_t i);

 private:
  void work();

  std::vector<GridFiles> files_;
  std::vector<GridPictures> pictures_;
  std::vector<char> done_;
  size_t next_ = 0;  // the next entry a worker decodes
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable decoded_;
  std::vector<std::thread> workers_;
};

}  // namespace kavalo
