// SPDX-License-Identifier: MIT
#include "output/Timelapse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/ProgramState.h"
#include "output/FilmEncoder.h"
#include "output/TimelapseEras.h"
#include "output/TimelapseFrames.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// The temporary file beside the film: removed unless renamed into place.
class FilmFile {
 public:
  explicit FilmFile(const QString& path) : path_(path) {}
  ~FilmFile() {
    if (!temp_.isEmpty()) QFile::remove(temp_);
  }
  bool create(QString* error) {
    const QFileInfo info(path_);
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX.part"));
    file.setAutoRemove(false);
    if (!file.open()) {
      if (error)
        *error = QStringLiteral("%1 cannot be written: %2")
                     .arg(QDir::toNativeSeparators(info.absolutePath()), file.errorString());
      return false;
    }
    temp_ = file.fileName();
    file.close();
    return true;
  }
  const QString& temp() const { return temp_; }
  // Renames the whole film into place, replacing a file of that name at once.
  bool commit(QString* error) {
    QFile::setPermissions(
        temp_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(path_).constData()) != 0) {
      if (error)
        *error = QStringLiteral("%1 cannot be written: %2")
                     .arg(QDir::toNativeSeparators(path_), QString::fromLocal8Bit(std::strerror(errno)));
      return false;
    }
    temp_.clear();
    return true;
  }

 private:
  QString path_;
  QString temp_;
};

// Frames on their way to the encoder: a frame equal to the one before only
// lengthens it. The pending frame is the one picture the stream keeps.
class FrameStream {
 public:
  explicit FrameStream(FilmEncoder& encoder) : encoder_(encoder) {}
  bool add(const QImage& frame, int frames, QString* error) {
    if (frames <= 0) return true;
    written_ += frames;
    if (encoder_.constantRate()) {
      encoded_ += frames;
      return encoder_.addFrame(frame, frames, error);
    }
    if (pendingFrames_ > 0 && samePixels(pending_, frame)) {
      pendingFrames_ += frames;
      return true;
    }
    if (!flush(error)) return false;
    pending_ = frame;
    pendingFrames_ = frames;
    return true;
  }
  bool flush(QString* error) {
    if (pendingFrames_ <= 0) return true;
    const bool ok = encoder_.addFrame(pending_, pendingFrames_, error);
    ++encoded_;
    pending_ = QImage();
    pendingFrames_ = 0;
    return ok;
  }
  int written() const { return written_; }
  int encoded() const { return encoded_; }

 private:
  FilmEncoder& encoder_;
  QImage pending_;
  int pendingFrames_ = 0;
  int written_ = 0;
  int encoded_ = 0;
};

}  // namespace

QSize filmSize(const TimelapseOptions& options, const ViewRequest& view) {
  QSize size = options.size.isValid() && !options.size.isEmpty() ? options.size : view.viewSize;
  if (options.format == FilmFormat::Mp4) size = QSize(size.width() & ~1, size.height() & ~1);
  return size;
}

TimelapseResult makeTimelapse(const ProgramState& state, const ViewRequest& view, const TimelapseOptions& options,
                              const TimelapseProgress& progress) {
  TimelapseResult result;
  result.error = checkTimelapseOptions(options);
  if (!result.error.isEmpty()) return result;
  result.size = filmSize(options, view);
  if (result.size.width() < 2 || result.size.height() < 2) {
    result.error = QStringLiteral("the view has no pixels to film");
    return result;
  }
  // Every era shows the same place at the film's size, at one image pixel
  // per view pixel, composed as an image written once.
  ViewRequest request = view;
  request.pass = RenderPass::Export;
  request.devicePixelRatio = 1.0;
  request.origin = QPointF();
  request.dragOffset = QPoint();
  request.viewSize = result.size;
  request.layers.legend = false;

  const std::vector<FilmEra> eras = filmEras(state, request, options.eras, &result.leftOut);
  for (const FilmEra& era : eras) result.eras << era.label;
  if (eras.empty()) {
    result.error = QStringLiteral("none of the eras has a map under the view");
    return result;
  }
  const FilmPlan plan(static_cast<int>(eras.size()), options.seconds, options.fade, options.fps);
  result.frameTimes = plan.totalFrames();

  FilmSettings settings;
  settings.size = result.size;
  settings.fps = options.fps;
  settings.lossless = options.lossless;
  settings.webpQuality = options.webpQuality;
  settings.preset = options.preset;
  settings.crf = options.crf;
  const std::unique_ptr<FilmEncoder> encoder = makeFilmEncoder(options.format, settings);
  FilmFile file(options.path);
  if (!file.create(&result.error) || !encoder->open(file.temp(), &result.error)) return result;
  FrameStream stream(*encoder);

  auto compose = [&](size_t i, QImage& picture) {
    request.eraIndex = eras[i].eraIndex;
    picture = QImage();
    if (!renderView(state, request, picture) || picture.isNull()) {
      result.error = QStringLiteral("the era %1 could not be composed").arg(eras[i].label);
      return false;
    }
    drawFilmLabel(picture, eras[i].label, options.corner);
    return true;
  };
  auto goOn = [&] {
    if (!progress || progress(stream.written(), plan.totalFrames())) return true;
    result.outcome = TimelapseOutcome::Cancelled;
    result.error.clear();
    return false;
  };
  auto stop = [&] {
    encoder->abort();
    return result;
  };

  QImage current, next, fading;
  if (!goOn() || !compose(0, current)) return stop();
  for (size_t i = 0; i < eras.size(); ++i) {
    const int era = static_cast<int>(i);
    if (!stream.add(current, plan.holdFrames(era), &result.error) || !goOn()) return stop();
    if (i + 1 == eras.size()) break;
    if (!compose(i + 1, next) || !goOn()) return stop();
    const int steps = plan.fadeFrames(era);
    for (int s = 0; s < steps; ++s) {
      blendFrames(current, next, FilmPlan::fadeWeight(s, steps), fading);
      if (!stream.add(fading, 1, &result.error) || !goOn()) return stop();
    }
    current = std::move(next);
    next = QImage();
  }
  if (!stream.flush(&result.error) || !encoder->finish(&result.error) || !file.commit(&result.error)) return stop();
  result.framesEncoded = stream.encoded();
  result.outcome = TimelapseOutcome::Done;
  if (progress) progress(plan.totalFrames(), plan.totalFrames());
  return result;
}

}  // namespace kavalo
