// SPDX-License-Identifier: MIT
#pragma once
// A view written out while its tiles arrive. The picture is composed a band
// of rows at a time on a thread of its own, each band as soon as every file
// it shows is on disk, and each band is compressed as soon as it is
// composed: when the last tile arrives only the last band is left to draw
// and compress. The picture is the one the whole composition gives.
//
// The bands read the session while the caller's thread goes on: the caller
// changes nothing in it between the start and finish() or halt().
#include <QByteArray>
#include <QImage>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "render/PngRowEncoder.h"
#include "render/ViewComposer.h"
#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;

class ProgressiveRender {
 public:
  // Plans an export composition of the request and starts with the rows
  // whose files are on disk already. Not usable (and nothing started) when
  // the view cannot be composed by bands: no tiles shown, an era drawn by
  // whole sheets; or every file is on disk already.
  ProgressiveRender(const ProgramState& session, const ViewRequest& request);
  ~ProgressiveRender();
  ProgressiveRender(const ProgressiveRender&) = delete;
  ProgressiveRender& operator=(const ProgressiveRender&) = delete;

  bool usable() const { return worker_.joinable(); }

  // A file is on disk now: the rows above every file still missing are
  // composed next.
  void fileArrived(const QString& path);

  // Composes the rows left (a file still missing is drawn missing, as the
  // whole composition draws it), waits for them, and gives the picture and
  // its PNG file. False when the bands could not be composed or encoded.
  bool finish(QImage& picture, QByteArray& png);

  // Stops after the band under way: the session may change again, and
  // finish() fails.
  void halt();

 private:
  void work();
  // The first row of the picture that a missing file still shows in.
  int firstWaitingRow() const;
  void composeUpTo(int row);

  const ProgramState& session_;
  ViewRequest request_;
  QImage picture_;
  int height_ = 0;
  PngRowEncoder encoder_;
  std::vector<PlacedFile> files_;
  std::vector<char> waiting_;  // per file: not on disk yet
  std::unordered_map<QString, std::vector<size_t>> byPath_;

  std::mutex mutex_;
  std::condition_variable wake_;
  int wanted_ = 0;  // rows [0, wanted_) may be composed
  int done_ = 0;    // rows [0, done_) are composed and compressed
  bool halted_ = false;
  bool failed_ = false;
  std::thread worker_;
};

}  // namespace kavalo
