// SPDX-License-Identifier: MIT
#pragma once
// The MP4 film: H.264 in yuv420p, which browsers and phones play, made by the
// `ffmpeg` program fed raw frames through a pipe at a constant frame rate.
// The program keeps its own memory and runs on the other processor while the
// next frames are composed; a frame that repeats costs x264 next to nothing.
#include <QStringList>
#include <memory>

#include "output/FilmEncoder.h"

class QProcess;

namespace kavalo {

// The encoder program: KAVALO_FFMPEG when set, else `ffmpeg` on the PATH.
QString ffmpegProgram();

// The arguments that encode raw BGRA frames of a size at a rate from
// standard input into an MP4 file.
QStringList mp4EncoderArguments(const FilmSettings& settings, const QString& path);

class Mp4FilmEncoder : public FilmEncoder {
 public:
  explicit Mp4FilmEncoder(const FilmSettings& settings);
  ~Mp4FilmEncoder() override;
  bool open(const QString& path, QString* error) override;
  bool addFrame(const QImage& frame, int frames, QString* error) override;
  bool finish(QString* error) override;
  void abort() override;
  bool constantRate() const override { return true; }

 private:
  bool writeAll(const char* data, qint64 size, QString* error);
  QString encoderMessage() const;

  FilmSettings settings_;
  std::unique_ptr<QProcess> process_;
};

}  // namespace kavalo
