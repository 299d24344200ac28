// SPDX-License-Identifier: MIT
#pragma once
// The films read back the way a player reads them: animated WebP through
// libwebp's demux library, GIF through giflib, MP4 through ffprobe and
// ffmpeg. Each frame comes as a picture with its time on screen.
#include <QImage>
#include <QString>
#include <vector>

namespace kavalo::test {

struct FilmFrame {
  QImage picture;  // Format_RGB32
  int durationMs = 0;
};

struct DecodedFilm {
  bool ok = false;
  QString error;
  QSize size;
  int loopCount = -1;
  std::vector<FilmFrame> frames;
};

DecodedFilm readWebpFilm(const QString& path);
// Durations are the GIF delays in hundredths of a second times 10.
DecodedFilm readGifFilm(const QString& path);

struct Mp4Facts {
  bool ok = false;
  QString error;
  QString codec;
  QString pixelFormat;
  QString profile;
  int width = 0;
  int height = 0;
  int frames = 0;  // frames counted by decoding
  QString frameRate;
  double seconds = 0;
};
Mp4Facts probeMp4(const QString& path);
// Frame n of an MP4 film, decoded by ffmpeg; null when that fails.
QImage mp4Frame(const QString& path, int n, QSize size);

// The mean absolute difference of two pictures per channel (0 to 255); 255
// when their sizes differ.
double meanDifference(const QImage& a, const QImage& b);

// Whether the ffmpeg and ffprobe programs are there.
bool haveFfmpeg();

}  // namespace kavalo::test
