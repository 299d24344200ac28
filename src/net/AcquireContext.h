#pragma once
// What an acquisition run needs from around it: the way to the network, the
// person at the screen and the progress display. The window and the command-
// line tool give the program's own network functions; tests give their own
// where a fault is easier to stage that way.
#include <QByteArray>
#include <QString>
#include <functional>

namespace kavalo {

class Prompts;

struct NetAccess {
  // The whole body of url with a success status; false on anything else.
  // Pieces and cells are read from memory: they live only until they are
  // drawn into their tile, so they never need a file of their own.
  std::function<bool(const QString& url, QByteArray& body)> fetch;
  // True when the server of url answers at all.
  std::function<bool(const QString& url)> reachable;
};

struct AcquireContext {
  NetAccess net;
  Prompts* prompts = nullptr;
  // The progress bar: shown with a maximum, stepped, hidden (maximum < 0).
  std::function<void(int value, int maximum)> progress;
  // Set by the dialog's cancel button; looked at once per unit of work.
  const bool* cancelRequested = nullptr;

  bool cancelled() const { return cancelRequested && *cancelRequested; }
  void showProgress(int value, int maximum) const {
    if (progress) progress(value, maximum);
  }
};

}  // namespace kavalo
