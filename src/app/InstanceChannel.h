// SPDX-License-Identifier: MIT
#pragma once
// One window per user and data: a second start of the program on the same
// RootFolder hands what it was started with (a kavalo: link, or nothing) to
// the window already running, which shows itself and the linked view, and
// then ends. Two windows on one data folder would each write the place and
// the settings at exit, the last to quit undoing the other.
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace kavalo {

class InstanceChannel : public QObject {
 public:
  // The channel of one user's program on one RootFolder.
  explicit InstanceChannel(const QString& rootFolder, QObject* parent = nullptr);
  ~InstanceChannel() override;

  // The channel's name: the user and the RootFolder's own path.
  static QString channelName(const QString& rootFolder);

  // Hands the link (empty: just show yourself) to a running window. True
  // when one took it: this start is to end. Blocks for at most a few seconds.
  bool handOver(const QString& link) const;

  // Becomes the running window: each later start's link goes to arrived,
  // on this thread. False when another start listens already (it won the
  // race: hand over to it instead).
  bool listen(std::function<void(const QString& link)> arrived);

 private:
  void take();
  QString name_;
  QLocalServer* server_ = nullptr;
  std::function<void(const QString&)> arrived_;
};

}  // namespace kavalo
