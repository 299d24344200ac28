// SPDX-License-Identifier: MIT
#pragma once
// The map page's own captions in the interface's language. The page is
// written in Japanese; a web map saved from an English interface gets its
// captions, its coordinate readout and its one message in English, while the
// tiles, the era list's keys and the page's workings stay the same.
#include <QByteArray>
#include <QString>

namespace kavalo {

// The bytes of one file of the map page (relativePath inside the page's
// folder, "index.html" or "viewer.js"), its captions given in the interface's
// language. Other files, and every file when the interface is Japanese, come
// back unchanged.
QByteArray localizedViewerFile(const QString& relativePath, const QByteArray& bytes);

}  // namespace kavalo
