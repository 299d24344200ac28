// SPDX-License-Identifier: MIT
#pragma once
// The encoders of the time-lapse film. Frames come one at a time, each with
// the number of frame times it stays on screen; an encoder keeps at most the
// frame it is working on, never the film's frames. The file is written under
// the temporary path given to open(); the caller renames it when whole.
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

#include "output/TimelapsePlan.h"

namespace kavalo {

struct FilmSettings {
  QSize size;
  int fps = 30;
  bool lossless = false;
  int webpQuality = 80;
  QString preset = QStringLiteral("medium");
  int crf = 20;
};

class FilmEncoder {
 public:
  virtual ~FilmEncoder() = default;
  // Starts the film at path. False with the reason in error.
  virtual bool open(const QString& path, QString* error) = 0;
  // A frame of the film's size (Format_RGB32) shown for frames frame times.
  virtual bool addFrame(const QImage& frame, int frames, QString* error) = 0;
  // Completes the file. False with the reason in error.
  virtual bool finish(QString* error) = 0;
  // Stops at once (cancel, failure); what was written is left to the caller
  // to remove.
  virtual void abort() = 0;
  // Whether each frame time is encoded as a frame (a constant frame rate):
  // then identical frames are not merged before the encoder.
  virtual bool constantRate() const { return false; }
};

std::unique_ptr<FilmEncoder> makeFilmEncoder(FilmFormat format, const FilmSettings& settings);

// Frame times counted from the film's start: frame k begins at round(k *
// 1000 / fps) ms (or hundredths of a second), so that the frames' durations
// add up to the film's length exactly.
class FrameClock {
 public:
  explicit FrameClock(int fps) : fps_(fps > 0 ? fps : 1) {}
  qint64 ms(qint64 frame) const;
  qint64 centiseconds(qint64 frame) const;

 private:
  int fps_;
};

}  // namespace kavalo
