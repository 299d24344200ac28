// SPDX-License-Identifier: MIT
#pragma once
// Decoded tile pictures kept in memory, so that stepping back to an era or
// panning back to a place draws what was already decoded instead of reading
// and decoding the files again. One cache serves every composition of the
// process (the single view and both panes of a comparison).
//
// An entry belongs to a file as it was when decoded: its path together with
// its size, modification time and identity on disk. A file changed since (an
// acquisition wrote it, a package replaced it) no longer matches and is
// decoded again (a file changed within the file system's time grain of its
// decoding is decoded again until it is older). Entries are dropped least recently used first once the
// decoded pixels exceed the budget. Files that cannot be decoded are never
// kept: they may be in the middle of being written.
//
// The pictures handed out share their pixels with the cache; a caller that
// draws into one gets its own copy (QImage copies on write), so the cache
// never changes what a composition sees.
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <unordered_map>

namespace kavalo {

class TileCache {
 public:
  static constexpr int64_t kDefaultBudget = int64_t{256} * 1024 * 1024;

  explicit TileCache(int64_t budgetBytes = kDefaultBudget);

  // The cache of the process.
  static TileCache& shared();

  // The picture of the file at path: the kept one when the file is unchanged,
  // else decode() (kept when it is not null). Safe to call from several
  // threads at once; decoding runs outside the lock.
  QImage load(const QString& path, const std::function<QImage()>& decode);

  // The rectangle source of the file at path's picture as stretch() makes it
  // at a size (a tile, or the part of it in the view, at its size in the
  // view), kept beside the decoded picture under the same state of the file:
  // a redraw at the same zoom and place then copies pixels one to one
  // instead of stretching them again.
  QImage scaled(const QString& path, const QRect& source, QSize size, const std::function<QImage()>& stretch);

  // A picture made from something other than a file (an elevation piece
  // stretched to its size in the view): kept under key, which must name
  // everything the picture was made from; make() when it is not kept (kept
  // when it is not null). The key never matches a file's.
  QImage derived(const QString& key, const std::function<QImage()>& make);

  // The program has just put the file at path in place itself (written
  // whole under another name and renamed): its present state is the state
  // it was written in, so a picture decoded from it is trusted while it is
  // still young. Tiles fetched a moment ago are then decoded once, not at
  // every composition until they have aged.
  void noteOwnWrite(const QString& path);

  // Whether the file's current state is kept (counts nothing, moves nothing).
  bool contains(const QString& path) const;
  // The kept picture of the file's current state, or a null picture; never
  // decodes (a drag draws only what is at hand). Counts nothing.
  QImage peek(const QString& path);

  // A budget of 0 keeps nothing. Lowering it drops entries at once.
  void setBudget(int64_t bytes);
  int64_t budget() const;
  int64_t bytes() const;  // decoded pixels held
  size_t count() const;
  void clear();

  struct Stats {
    int64_t hits = 0;
    int64_t misses = 0;
    int64_t evictions = 0;
  };
  Stats stats() const;
  void resetStats();

 private:
  // What identifies the state of a file on disk.
  struct Stamp {
    int64_t size = -1;
    int64_t modifiedNs = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const Stamp&) const = default;
  };
  struct Entry {
    QString path;  // the key: the file's path, with the size of a stretched picture
    Stamp stamp;
    int64_t decodedAtNs = 0;  // wall clock when the stamp was taken
    QImage picture;
    int64_t cost = 0;
    bool ownWrite = false;  // decoded from the state the program wrote
    bool trusted() const;
  };
  using Order = std::list<Entry>;  // most recently used first

  static bool stampOf(const QString& path, Stamp& stamp);
  // An entry under key for the file at path.
  QImage loadKeyed(const QString& key, const QString& path, const std::function<QImage()>& make);
  // Keeps picture under key, replacing what another thread kept meanwhile.
  void storeLocked(Entry entry);
  void dropLocked(Order::iterator it);
  void trimLocked();

  // The files the program put in place itself, as they were then; kept
  // while they are young.
  std::unordered_map<QString, Stamp> ownWrites_;
  mutable std::mutex mutex_;
  Order order_;
  std::unordered_map<QString, Order::iterator> index_;
  int64_t budget_;
  int64_t bytes_ = 0;
  Stats stats_;
};

}  // namespace kavalo
