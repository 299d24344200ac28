// SPDX-License-Identifier: MIT
#pragma once
// The decoded copy of a large altitude.dat, kept in the user's cache folder
// so that later runs map it instead of expanding the file again. A copy
// belongs to one file as it was (its size, modification time and inode); a
// copy of another state of the file, or one changed in any way since it was
// written (short, damaged, rewritten: its own change time, kept in a stamp
// beside it, tells), is not used, and the file is decoded again and the copy
// rewritten.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace kavalo {

struct AltitudeGrid;

// What identifies the state of altitude.dat a copy was made from.
struct GridFileKey {
  uint64_t size = 0;
  int64_t modifiedSeconds = 0;
  uint32_t modifiedNanoseconds = 0;
  uint64_t inode = 0;
};

// Grids smaller than this are expanded faster than a copy is checked.
constexpr uint64_t kCachedGridMinCells = 1024u * 1024u;

// The copy's path for altitude.dat at rawPath (the file system's name),
// under $XDG_CACHE_HOME/kavalo/altitude; empty when there is no cache folder.
QString altitudeCachePath(const QByteArray& rawPath);

// Maps the copy at cachePath into grid (the header values and the cells;
// the pitches are left to the caller) when it belongs to key and is as it
// was written. False otherwise, with grid untouched.
bool mapCachedGrid(const QString& cachePath, const GridFileKey& key, AltitudeGrid& grid);

// Writes the copy of grid for key, replacing any copy there atomically. A
// copy that cannot be written is only a lost shortcut: false, nothing else.
bool writeCachedGrid(const QString& cachePath, const GridFileKey& key, const AltitudeGrid& grid);

}  // namespace kavalo
