// SPDX-License-Identifier: MIT
#pragma once
// The user's own vector files shown over every era of a data folder, in
// drawing order (the first at the bottom), each on or off. The list is kept
// per data folder in overlays.txt beside its other files (UTF-8, one file per
// line: "1" or "0", a tab, the path; a path inside the data folder is kept
// relative to it, so the folder can be moved with its overlays), and comes
// back at the next start. The user's marks file is never touched for it.
#include <QString>
#include <vector>

namespace kavalo {

struct OverlayEntry {
  QString path;  // absolute
  bool visible = true;
};

class OverlayList {
 public:
  const std::vector<OverlayEntry>& entries() const { return entries_; }
  int count() const { return static_cast<int>(entries_.size()); }

  // Adds a file at the top (drawn last); a file already listed is not added
  // twice. Returns its index; -1 for a path with a line break, which the
  // list's file cannot hold.
  int add(const QString& path);
  void remove(int index);
  void setVisible(int index, bool visible);
  // Moves an entry one place up or down in the drawing order.
  void move(int index, int to);

  // The file of a data folder.
  static QString fileIn(const QString& datasetFolder);
  // Reads the list of a data folder; an absent file is an empty list. False
  // with the reason when it exists but cannot be read.
  bool load(const QString& datasetFolder, QString* error);
  // Writes it atomically; an empty list removes the file.
  bool save(const QString& datasetFolder, QString* error) const;

 private:
  std::vector<OverlayEntry> entries_;
};

}  // namespace kavalo
