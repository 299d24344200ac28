// SPDX-License-Identifier: MIT
#pragma once
// Publishing a data folder: the web folder the program reads, as plain static
// files that any web server or CDN can serve. Beside the server check and the
// server list, the data folder's part of it is one folder per era holding its
// tiles (fetched one by one in online mode) and, for the eras of the data
// folder's own map sheets, zipfilenum.txt and the numbered packages 00.zip…
// that the package download fetches:
//
//   WEBDIR/servercheck.txt
//   WEBDIR/download_serverlist210.txt     "mirror|dataset|dataset…" per line
//   WEBDIR/<dataset>/<era>/<tile>          every file of the era folder
//   WEBDIR/<dataset>/<era>/zipfilenum.txt  the number of packages
//   WEBDIR/<dataset>/<era>/NN.zip          at most 25 files each
//
// A mirror is a base address to which the dataset's folder name is appended,
// normally the web folder's own address: one folder then serves tiles and
// packages alike.
#include <QString>
#include <QStringList>

namespace kavalo {

struct ProgramState;

// Files per package: small enough that a dropped connection costs little.
inline constexpr int kFilesPerPackage = 25;

struct PublishReport {
  int eras = 0;       // era folders published
  int files = 0;      // tile files copied
  int packages = 0;   // packages written
  QStringList notes;  // what was left out, and why
};

// The server list after publishing the dataset on the mirrors: an existing
// list's lines are kept in their order, the dataset is taken off the servers
// not named and added to those named; mirrors new to the list follow in the
// order given. CR LF line ends (the caller encodes it as Shift-JIS).
QString mergeServerList(const QString& existing, const QStringList& mirrors, const QString& dataset);

// Why a mirror address cannot go into the server list (empty when it can):
// an http(s) address without "|" or "," (they separate the list's fields).
QString mirrorProblem(const QString& url);

// Whether the web folder may be written at all: it must not be, nor lie
// inside, nor hold the data folder, and an existing folder that is not empty
// must be a web folder already (it has servercheck.txt). Empty when it may.
QString webFolderProblem(const ProgramState& state, const QString& webFolder);
// The same for a web folder that gets only the web maps (publish --tiles
// without mirrors): it may also be a folder that holds nothing but them.
QString webMapsOnlyProblem(const ProgramState& state, const QString& webFolder, const QString& mapsFolder);

// Writes the loaded data folder's part of the web folder (replacing the one
// published before only when the new one is complete), then the server check
// and the server list naming the mirrors (base addresses ending in "/"). False
// with the reason when something could not be read or written; a run that
// fails before its part is complete leaves the web folder as it was.
bool publishWebFolder(const ProgramState& state, const QStringList& mirrors, const QString& webFolder,
                      PublishReport& report, QString* error);

}  // namespace kavalo
