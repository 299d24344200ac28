// SPDX-License-Identifier: MIT
#pragma once
// A long run (a package download, an acquisition) on a thread of its own, so
// that the window repaints, moves and answers while it works. The run talks
// to the person at the screen through prompts() (a question waits for the
// answer, given on the window's thread) and shows its progress through
// post(). cancel() ends the request under way at once: the run's thread
// holds the run's CancelToken. finished() comes on the thread that owns the
// BackgroundRun (the window's) once the run has returned.
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

#include "net/CancelToken.h"
#include "platform/Prompts.h"

namespace kavalo {

class BackgroundRun : public QObject {
  Q_OBJECT

 public:
  // screen: the prompts of the window's thread; they must outlive the run.
  explicit BackgroundRun(Prompts& screen, QObject* parent = nullptr);
  // A run still going is cancelled and waited for.
  ~BackgroundRun() override;

  // Starts work on a new thread, with the prompts it must use; false while
  // another run is under way.
  bool start(std::function<void(Prompts& prompts)> work);
  // From any thread; the run's requests end at once, later ones do not start.
  void cancel();
  bool isRunning() const { return thread_ != nullptr; }
  bool isCancelled() const { return token_ && token_->isCancelled(); }

  // Runs fn on the owner's thread soon (from the run: progress, captions).
  // Nothing runs once the BackgroundRun is gone.
  void post(std::function<void()> fn);

  // Runs fn on the owner's thread and waits for it, unless the run is
  // cancelled before it started; true when it ran.
  bool callOnOwner(const std::function<void()>& fn);

 signals:
  void finished();

 private:
  class ThreadPrompts;

  Prompts& screen_;
  std::unique_ptr<ThreadPrompts> prompts_;
  std::unique_ptr<CancelToken> token_;
  QThread* thread_ = nullptr;
};

}  // namespace kavalo
