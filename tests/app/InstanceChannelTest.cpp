// SPDX-License-Identifier: MIT
// One window per user and data: a second start hands its link to the window
// that runs and ends; with none running it becomes the window itself.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "app/InstanceChannel.h"

using namespace kavalo;

namespace {

// A second start, on a thread of its own (its wait is a blocking one), while
// this thread runs the first window's events.
bool handOverFromAnotherStart(const QString& root, const QString& link) {
  std::atomic<bool> done{false}, taken{false};
  std::thread second([&] {
    taken = InstanceChannel(root).handOver(link);
    done = true;
  });
  QElapsedTimer clock;
  clock.start();
  while (!done && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  second.join();
  QCoreApplication::processEvents();
  return taken;
}

}  // namespace

TEST(InstanceChannel, OneNamePerRootFolderHoweverItIsSpelt) {
  QTemporaryDir dir;
  QDir().mkpath(dir.filePath("a"));
  QDir().mkpath(dir.filePath("b"));
  ASSERT_TRUE(QFile::link(dir.filePath("a"), dir.filePath("link")));
  const QString a = InstanceChannel::channelName(dir.filePath("a"));
  EXPECT_EQ(InstanceChannel::channelName(dir.filePath("a") + "/"), a);
  EXPECT_EQ(InstanceChannel::channelName(dir.filePath("b/../a")), a);
  EXPECT_EQ(InstanceChannel::channelName(dir.filePath("link")), a);
  EXPECT_NE(InstanceChannel::channelName(dir.filePath("b")), a);
  // A plain name: no path, nothing of the folder's spelling.
  EXPECT_TRUE(a.startsWith("kavalo-"));
  EXPECT_FALSE(a.contains(u'/'));
}

TEST(InstanceChannel, ASecondStartHandsItsLinkToTheRunningWindow) {
  QTemporaryDir root, other;
  // Nothing runs yet: the start becomes the window.
  EXPECT_FALSE(InstanceChannel(root.path()).handOver(QStringLiteral("kavalo://view?x=1")));

  InstanceChannel first(root.path());
  QStringList arrived;
  ASSERT_TRUE(first.listen([&](const QString& link) { arrived << link; }));
  // Later starts, with a link and without: each is taken, in order.
  EXPECT_TRUE(handOverFromAnotherStart(root.path(), QStringLiteral("kavalo://view?d=サンプル市&z=200")));
  EXPECT_TRUE(handOverFromAnotherStart(root.path(), QString()));
  EXPECT_EQ(arrived, (QStringList{QStringLiteral("kavalo://view?d=サンプル市&z=200"), QString()}));
  // A start on other data is a window of its own.
  EXPECT_FALSE(handOverFromAnotherStart(other.path(), QStringLiteral("kavalo://view")));
  // Two starts in a race: the one that listens second hears it lost.
  InstanceChannel late(root.path());
  EXPECT_FALSE(late.listen([](const QString&) {}));
}
