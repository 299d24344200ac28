// SPDX-License-Identifier: MIT
#pragma once
// The stop of a run that works on a thread of its own: cancel() from any
// thread (the window's キャンセル) ends the request under way at once and
// every later one before it starts. A run binds its token to its thread
// with a CancelScope; the blocking network calls of that thread honour it.
#include <QObject>
#include <atomic>

namespace kavalo {

class CancelToken : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Safe from any thread; the second call does nothing.
  void cancel();
  bool isCancelled() const { return cancelled_.load(); }

 signals:
  // Emitted once, on the thread that called cancel().
  void cancelled();

 private:
  std::atomic<bool> cancelled_{false};
};

// Binds a token to the current thread for the life of the scope.
class CancelScope {
 public:
  explicit CancelScope(CancelToken* token);
  ~CancelScope();
  CancelScope(const CancelScope&) = delete;
  CancelScope& operator=(const CancelScope&) = delete;

  // The token bound to the current thread, or null.
  static CancelToken* current();

 private:
  CancelToken* previous_;
};

}  // namespace kavalo
