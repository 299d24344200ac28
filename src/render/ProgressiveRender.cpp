// SPDX-License-Identifier: MIT
#include "render/ProgressiveRender.h"

#include <QFileInfo>

#include <algorithm>

#include "model/ProgramState.h"

namespace kavalo {

ProgressiveRender::ProgressiveRender(const ProgramState& session, const ViewRequest& request)
    : session_(session), request_(request), encoder_(request.targetSize()) {
  request_.pass = RenderPass::Export;
  request_.tiles = TilePolicy::DiskOnly;
  if (!placedTileFiles(session_, request_, files_) || files_.empty()) return;
  picture_ = QImage(request_.targetSize(), QImage::Format_RGB32);
  if (picture_.isNull()) return;
  height_ = picture_.height();
  waiting_.resize(files_.size());
  bool anyWaiting = false;
  for (size_t i = 0; i < files_.size(); ++i) {
    waiting_[i] = !QFileInfo::exists(files_[i].path);
    anyWaiting = anyWaiting || waiting_[i];
    byPath_[files_[i].path].push_back(i);
  }
  // With every file at hand, the whole composition and its encoder are
  // quicker.
  if (!anyWaiting) return;
  wanted_ = firstWaitingRow();
  worker_ = std::thread([this] { work(); });
}

ProgressiveRender::~ProgressiveRender() { halt(); }

int ProgressiveRender::firstWaitingRow() const {
  // The first file of the view dates an era dated by its tiles (the
  // readout tells the date): nothing is composed before it is in, so that
  // the same file dates it as in the whole composition.
  if (waiting_.front()) return 0;
  int row = height_;
  for (size_t i = 0; i < files_.size(); ++i)
    if (waiting_[i]) row = std::min(row, files_[i].dest.top());
  return std::max(row, 0);
}

void ProgressiveRender::fileArrived(const QString& path) {
  if (!usable()) return;
  const auto it = byPath_.find(path);
  if (it == byPath_.end()) return;
  for (size_t i : it->second) waiting_[i] = 0;
  composeUpTo(firstWaitingRow());
}

void ProgressiveRender::composeUpTo(int row) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (row <= wanted_) return;
    wanted_ = row;
  }
  wake_.notify_one();
}

void ProgressiveRender::work() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (done_ < height_) {
    wake_.wait(lock, [this] { return halted_ || wanted_ > done_; });
    if (halted_) return;
    const int top = done_, bottom = wanted_;
    lock.unlock();
    const bool ok =
        renderViewRows(session_, request_, picture_, top, bottom) && encoder_.addRows(picture_, bottom - top);
    lock.lock();
    if (!ok) {
      failed_ = true;
      return;
    }
    done_ = bottom;
  }
}

bool ProgressiveRender::finish(QImage& picture, QByteArray& png) {
  if (!usable()) return false;
  composeUpTo(height_);
  worker_.join();
  if (failed_ || halted_ || done_ != height_) return false;
  png = encoder_.finish(picture_.dotsPerMeterX(), picture_.dotsPerMeterY());
  if (png.isEmpty()) return false;
  picture = picture_;
  return true;
}

void ProgressiveRender::halt() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    halted_ = true;
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
}

}  // namespace kavalo
