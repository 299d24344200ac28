#pragma once
// The program's only road to the network, and the folder routines the
// acquisition runs share. Every call blocks its caller (the window's thread)
// until the answer is in, but keeps the windows repainting meanwhile; input
// to the windows waits. Nothing comes from a cache: each request goes to the
// server. The user agent is the executable's name.
//
// A server that stops sending cannot freeze the program: a request fails when
// no byte arrives for the stall time, and when it runs past the overall limit.
#include <QByteArray>
#include <QString>
#include <QStringList>

// FolderExists, the other folder test the acquisition runs use, lives there.
#include "platform/Paths.h"

namespace kavalo {

class Prompts;

struct NetworkTimeouts {
  int stallMs = 20000;           // no byte for this long: the request fails
  int totalMs = 30 * 60 * 1000;  // a single request never runs longer
};

// The limits every request uses from now on (tests shorten them).
void setNetworkTimeouts(const NetworkTimeouts& timeouts);
NetworkTimeouts networkTimeouts();

// Only http and https addresses are ever requested: an address of any other
// kind (a server list naming file:///…) fails like an unreachable server.

// Downloads url to localPath, replacing that file. True only when the whole
// body arrived with a success status: the body is written to a temporary file
// beside localPath and renamed over it at the end, so a failed download
// (an error status, a dropped connection, a short body, a full disk) leaves
// localPath as it was and no partial file behind.
bool DownloadUrlToFile(const QString& url, const QString& localPath);

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

// True unless the system says plainly that it has no network connection
// (where it cannot tell, the machine counts as connected).
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
