// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>
#include <QString>

namespace kavalo {

// Replaces (or creates) a file so that a crash or a full disk leaves either
// the old content or the new one, never a part of it. False with a message
// when the file could not be written; the old file is then untouched.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// Copies a file aside under a free name next to it ("name.bak", "name.bak1",
// ...), so that a file the program could not read is kept instead of being
// overwritten. When one of those copies already holds the same content, no
// new copy is made and that one's path is returned. Returns the path of the
// copy, empty on failure.
QString keepAside(const QString& path);

// A file as it was before a change of several steps, to be put back when a
// later step fails: its bytes, or that it did not exist.
struct FileSnapshot {
  QString path;
  bool existed = false;
  QByteArray bytes;
};
FileSnapshot snapshotFile(const QString& path);
// Writes the kept bytes back atomically, or removes a file that did not
// exist. False with a message when that fails.
bool restoreSnapshot(const FileSnapshot& snapshot, QString* error);

}  // namespace kavalo
