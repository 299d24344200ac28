// SPDX-License-Identifier: MIT
#pragma once
// What an acquisition run needs from around it: the way to the network, the
// person at the screen and the progress display. The window and the command-
// line tool give the program's own network functions; tests give their own
// where a fault is easier to stage that way.
#include <QByteArray>
#include <QString>
#include <functional>

#include "net/Transfer.h"

namespace kavalo {

class Prompts;

struct NetAccess {
  // One image of a source (a piece, a cell) in memory: Ok with the whole
  // body under the rule, Absent when the server has nothing there, anything
  // else a failure. Pieces and cells live only until they are drawn into
  // their tile, so they never need a file of their own.
  std::function<TransferResult(const QString& url, const ImageRule& rule)> fetchImage;
  // True when the server of url answers at all.
  std::function<bool(const QString& url)> reachable;
};

// The program's own network, blocking on the calling thread (a run's worker
// or the command-line tool).
NetAccess programNetAccess();

// What the requests of a run came to. A run succeeds only when none failed:
// a server that does not answer, answers 5xx or sends what it should not is
// not "no data here"; only 404 and 410 say that.
struct RequestCounts {
  int answered = 0;      // whole bodies
  int absent = 0;        // 404 or 410
  int failed = 0;        // anything else
  int cancelled = 0;     // stopped by キャンセル, or because another request failed
  QString firstFailure;  // address, status and reason of the first failure

  // Counts one request in one of the four; false when it failed.
  bool add(const QString& url, const TransferResult& result);
};

struct AcquireContext {
  NetAccess net;
  Prompts* prompts = nullptr;
  // The progress bar: shown with a maximum, stepped, hidden (maximum < 0).
  std::function<void(int value, int maximum)> progress;
  // Set by the dialog's cancel button (from any thread); looked at once per
  // unit of work. The request under way is ended by the run's CancelToken.
  std::function<bool()> cancelRequested;

  bool cancelled() const { return cancelRequested && cancelRequested(); }
  void showProgress(int value, int maximum) const {
    if (progress) progress(value, maximum);
  }
};

}  // namespace kavalo
