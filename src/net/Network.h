// SPDX-License-Identifier: MIT
#pragma once
// The blocking ways to the network, for code that runs on a thread of its
// own (an acquisition's worker) or in the command-line tool: each waits on a
// local event loop of its thread for one Transfer (net/Transfer.h) on that
// thread's own manager. The window's thread never calls them; it starts
// Transfers and goes on. Nothing comes from a cache: each request goes to
// the server. The user agent is the executable's name.
//
// A request of a thread that holds a cancelled CancelToken (CancelScope)
// ends at once, and so does one under way when the token is cancelled.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "net/Transfer.h"
// FolderExists, the other folder test the acquisition runs use, lives there.
#include "platform/Paths.h"

class QNetworkAccessManager;

namespace kavalo {

class Prompts;

// The manager of the current thread, made on first use and gone with the
// thread: it keeps connections to a server open between the requests of a
// run.
QNetworkAccessManager& threadNetworkManager();

// Runs one request to its end on the current thread and returns how it
// ended. Every failure is in the log (kavalo.net) with address, status and
// reason.
TransferResult runTransfer(const TransferRequest& request);

// Only http and https addresses are ever requested: an address of any other
// kind (a server list naming file:///…) fails like an unreachable server.

// Downloads url to localPath, replacing that file. True only when the whole
// body arrived with a success status (and, for an image, decodes whole): the
// body is written to a temporary file beside localPath and renamed over it
// at the end, so a failed download (an error status, a dropped connection, a
// short body, a full disk) leaves localPath as it was and no partial file
// behind.
bool DownloadUrlToFile(const QString& url, const QString& localPath, BodyKind kind = BodyKind::Image);

// What a data folder's image fetched by name may be: a tile or its mask
// (CCC_RRR, M_CCC_RRR) at most 1024 pixels a side; another image of the
// folder (a sheet of the 1/20,000 era, a legend) at most 8192.
ImageRule dataImageRule(const QString& fileName);

// The whole body of url, decoded from Shift-JIS. False on any failure,
// including an error status (a not-found page is not the text asked for).
bool FetchUrlText(const QString& url, QString& text);
// The same, as raw bytes.
bool FetchUrlBytes(const QString& url, QByteArray& bytes);

// True when the server of url gives any answer at all (the status is not
// looked at, no byte of the body is read). False at once when the machine is
// not connected, unless url names this machine itself. The wait cursor shows
// meanwhile when prompts is given.
bool UrlReachable(const QString& url, Prompts* prompts = nullptr);
// The part of UrlReachable that needs no request: false when url is no web
// address, or when the machine is not connected and url is not this machine.
bool UrlMayAnswer(const QString& url);

// True unless the system says plainly that it has no network connection
// (where it cannot tell, the machine counts as connected). Off the window's
// thread, the answer the window's thread had last.
bool IsInternetConnected();

// Creates one folder level when it is missing. On failure the reason and
// "フォルダ…を作成できませんでした。" are shown, and false is returned.
bool EnsureFolder(const QString& path, Prompts& prompts);

// The names (without path) of the files of a folder, and of its sub-folders
// too when dirsToo; "." and ".." are never listed. A trailing separator ("\"
// or "/") on path makes no difference. Returns the number of names; a folder
// that cannot be read gives 0.
int ListFolder(const QString& path, QStringList& names, bool dirsToo);

// The user agent of every request: the executable's name without extension,
// "/" and the program's version ("kavalo-cli/1.0.0").
QString networkUserAgent();

}  // namespace kavalo
