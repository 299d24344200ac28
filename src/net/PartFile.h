// SPDX-License-Identifier: MIT
#pragma once
// A file written under a fresh temporary name beside its target and renamed
// over the target only when complete, so that the target holds either its
// old content or the whole new one, and an abandoned write leaves nothing.
// Unlike a full atomic save it does not wait for the disk after each file:
// a package brings hundreds of tiles, and the rename already keeps a crash of
// the program from leaving half a file.
#include <QFile>
#include <QString>

namespace kavalo {

class PartFile {
 public:
  explicit PartFile(QString target) : target_(std::move(target)) {}
  ~PartFile() { cancel(); }
  PartFile(const PartFile&) = delete;
  PartFile& operator=(const PartFile&) = delete;

  // Creates the temporary file; false when the folder cannot take it.
  bool open();
  bool write(const char* data, qint64 size) { return file_.write(data, size) == size; }
  // Pushes what was written to the file, so that it can be read back by name.
  bool flush() { return file_.flush(); }
  // The temporary file's path (empty once committed or cancelled).
  QString fileName() const { return file_.fileName(); }
  // Closes and renames over the target; false (and nothing left) on failure.
  bool commit();
  // Removes the temporary file.
  void cancel();

 private:
  QString target_;
  QFile file_;
};

}  // namespace kavalo
