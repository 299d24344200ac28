// SPDX-License-Identifier: MIT
#include "render/TileCache.h"

#include <sys/stat.h>

#include <ctime>

#include "platform/Paths.h"

namespace kavalo {

namespace {

// File systems keep modification times at a coarse grain (a few
// milliseconds here, two seconds on FAT): a file rewritten in place with the
// same size within that grain keeps its stamp. An entry decoded from a file
// that was this young is therefore not trusted; it is checked by decoding
// again until the file has aged past the grain.
constexpr int64_t kYoungFileNs = int64_t{2} * 1000000000;

int64_t wallClockNs() {
  timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

TileCache::TileCache(int64_t budgetBytes) : budget_(budgetBytes < 0 ? 0 : budgetBytes) {}

TileCache& TileCache::shared() {
  static TileCache cache;
  return cache;
}

bool TileCache::Entry::trusted() const { return ownWrite || decodedAtNs - stamp.modifiedNs >= kYoungFileNs; }

void TileCache::noteOwnWrite(const QString& path) {
  Stamp stamp;
  if (!stampOf(path, stamp)) return;
  const int64_t now = wallClockNs();
  std::lock_guard<std::mutex> lock(mutex_);
  // Files past the grain need no note any more.
  for (auto it = ownWrites_.begin(); it != ownWrites_.end();)
    it = now - it->second.modifiedNs >= kYoungFileNs ? ownWrites_.erase(it) : std::next(it);
  ownWrites_[path] = stamp;
}

bool TileCache::stampOf(const QString& path, Stamp& stamp) {
  // The same lookup the decoders use, so that a file copied from Windows
  // with another letter case is the file that is stamped.
  const QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) return false;
  struct stat st;
  if (::stat(raw.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp.size = static_cast<int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  return true;
}

QImage TileCache::load(const QString& path, const std::function<QImage()>& decode) {
  return loadKeyed(path, path, decode);
}

QImage TileCache::scaled(const QString& path, const QRect& source, QSize size,
                         const std::function<QImage()>& stretch) {
  // A path never holds this character, so no file's key looks like it.
  const QString key = path + QStringLiteral("\x1f%1,%2 %3x%4>%5x%6")
                                 .arg(source.x())
                                 .arg(source.y())
                                 .arg(source.width())
                                 .arg(source.height())
                                 .arg(size.width())
                                 .arg(size.height());
  return loadKeyed(key, path, stretch);
}

QImage TileCache::loadKeyed(const QString& key, const QString& path, const std::function<QImage()>& decode) {
  const int64_t decodedAt = wallClockNs();
  Stamp stamp;
  const bool stamped = stampOf(path, stamp);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = index_.find(key);
    if (found != index_.end()) {
      if (stamped && found->second->stamp == stamp && found->second->trusted()) {
        order_.splice(order_.begin(), order_, found->second);
        ++stats_.hits;
        return found->second->picture;
      }
      // The file changed or went away since it was decoded.
      dropLocked(found->second);
    }
    ++stats_.misses;
  }

  QImage picture = decode();
  if (!stamped || picture.isNull()) return picture;

  // The file may have changed while it was decoded: the stamp taken before
  // must still hold, or the picture would be kept under the wrong state.
  Stamp after;
  if (!stampOf(path, after) || !(after == stamp)) return picture;

  std::lock_guard<std::mutex> lock(mutex_);
  const auto own = ownWrites_.find(path);
  storeLocked(Entry{key, stamp, decodedAt, picture, static_cast<int64_t>(picture.sizeInBytes()),
                    own != ownWrites_.end() && own->second == stamp});
  return picture;
}

QImage TileCache::derived(const QString& key, const std::function<QImage()>& make) {
  // A control character no path holds keeps these keys apart from files'.
  const QString kept = QChar(0x1e) + key;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = index_.find(kept);
    if (found != index_.end()) {
      order_.splice(order_.begin(), order_, found->second);
      ++stats_.hits;
      return found->second->picture;
    }
    ++stats_.misses;
  }
  QImage picture = make();
  if (picture.isNull()) return picture;
  std::lock_guard<std::mutex> lock(mutex_);
  // No file stands behind the entry: an empty stamp, trusted from the start.
  storeLocked(Entry{kept, Stamp(), wallClockNs(), picture, static_cast<int64_t>(picture.sizeInBytes())});
  return picture;
}

void TileCache::storeLocked(Entry entry) {
  if (entry.cost > budget_) return;
  auto found = index_.find(entry.path);
  if (found != index_.end()) dropLocked(found->second);  // another thread made it too
  bytes_ += entry.cost;
  order_.push_front(std::move(entry));
  index_.emplace(order_.front().path, order_.begin());
  trimLocked();
}

bool TileCache::contains(const QString& path) const {
  Stamp stamp;
  const bool stamped = stampOf(path, stamp);
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = index_.find(path);
  return stamped && found != index_.end() && found->second->stamp == stamp && found->second->trusted();
}

QImage TileCache::peek(const QString& path) {
  Stamp stamp;
  const bool stamped = stampOf(path, stamp);
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = index_.find(path);
  if (!stamped || found == index_.end() || !(found->second->stamp == stamp) || !found->second->trusted())
    return QImage();
  order_.splice(order_.begin(), order_, found->second);
  return found->second->picture;
}

void TileCache::dropLocked(Order::iterator it) {
  bytes_ -= it->cost;
  index_.erase(it->path);
  order_.erase(it);
}

void TileCache::trimLocked() {
  while (bytes_ > budget_ && !order_.empty()) {
    dropLocked(std::prev(order_.end()));
    ++stats_.evictions;
  }
}

void TileCache::setBudget(int64_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  budget_ = bytes < 0 ? 0 : bytes;
  trimLocked();
}

int64_t TileCache::budget() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return budget_;
}

int64_t TileCache::bytes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return bytes_;
}

size_t TileCache::count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return order_.size();
}

void TileCache::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  order_.clear();
  index_.clear();
  bytes_ = 0;
}

TileCache::Stats TileCache::stats() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return stats_;
}

void TileCache::resetStats() {
  std::lock_guard<std::mutex> lock(mutex_);
  stats_ = Stats();
}

}  // namespace kavalo
