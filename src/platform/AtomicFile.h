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

}  // namespace kavalo
