// SPDX-License-Identifier: MIT
#include "net/BackgroundRun.h"

#include <QPointer>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "net/Network.h"

namespace kavalo {

// The prompts a run sees: every box and question is shown by the window's
// prompts on the window's thread while the run waits; a run cancelled
// before its question is shown gets No without a box.
class BackgroundRun::ThreadPrompts : public Prompts {
 public:
  ThreadPrompts(BackgroundRun& run, Prompts& screen) : run_(run), screen_(screen) {}

  void message(const QString& text, MessageIcon icon) override {
    run_.callOnOwner([&] { screen_.message(text, icon); });
  }
  bool askYesNo(const QString& text, MessageIcon icon) override {
    bool yes = false;
    run_.callOnOwner([&] { yes = screen_.askYesNo(text, icon); });
    return yes;
  }
  FileChoice openFile(const QString& initialFolder, const QString& title,
                      const std::vector<std::pair<QString, QString>>& filters) override {
    FileChoice choice;
    run_.callOnOwner([&] { choice = screen_.openFile(initialFolder, title, filters); });
    return choice;
  }
  FileChoice saveFile(const QString& initialPath, const QString& title,
                      const std::vector<std::pair<QString, QString>>& filters, const QString& defaultSuffix) override {
    FileChoice choice;
    run_.callOnOwner([&] { choice = screen_.saveFile(initialPath, title, filters, defaultSuffix); });
    return choice;
  }
  void setWaitCursor(bool on) override {
    Prompts* screen = &screen_;
    run_.post([screen, on] { screen->setWaitCursor(on); });
  }
  // The window's thread runs its own loop; there is nothing to let through.
  void processEvents() override {}

 private:
  BackgroundRun& run_;
  Prompts& screen_;
};

BackgroundRun::BackgroundRun(Prompts& screen, QObject* parent)
    : QObject(parent), screen_(screen), prompts_(std::make_unique<ThreadPrompts>(*this, screen)) {}

BackgroundRun::~BackgroundRun() {
  if (!thread_) return;
  cancel();
  // A run waiting for the window gives up at once when cancelled (see
  // callOnOwner), so this wait is short.
  thread_->wait();
  delete thread_;
}

bool BackgroundRun::start(std::function<void(Prompts& prompts)> work) {
  if (thread_) return false;
  // Whether the machine is connected is known on this thread only.
  IsInternetConnected();
  token_ = std::make_unique<CancelToken>();
  CancelToken* token = token_.get();
  Prompts* prompts = prompts_.get();
  thread_ = QThread::create([work = std::move(work), token, prompts] {
    CancelScope scope(token);
    work(*prompts);
  });
  connect(thread_, &QThread::finished, this, [this] {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit finished();
  });
  thread_->start();
  return true;
}

void BackgroundRun::cancel() {
  if (token_) token_->cancel();
}

void BackgroundRun::post(std::function<void()> fn) {
  QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

bool BackgroundRun::callOnOwner(const std::function<void()>& fn) {
  if (QThread::currentThread() == thread()) {
    fn();
    return true;
  }
  struct Call {
    std::mutex mutex;
    std::condition_variable done;
    bool started = false, finished = false, withdrawn = false;
  };
  auto call = std::make_shared<Call>();
  QMetaObject::invokeMethod(
      this,
      [call, &fn] {
        {
          std::lock_guard<std::mutex> lock(call->mutex);
          if (call->withdrawn) return;
          call->started = true;
        }
        fn();
        std::lock_guard<std::mutex> lock(call->mutex);
        call->finished = true;
        call->done.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock<std::mutex> lock(call->mutex);
  for (;;) {
    if (call->done.wait_for(lock, std::chrono::milliseconds(20), [&] { return call->finished; })) return true;
    // A box already on the screen is answered; one not yet shown is not.
    if (!call->started && isCancelled()) {
      call->withdrawn = true;
      return false;
    }
  }
}

}  // namespace kavalo
