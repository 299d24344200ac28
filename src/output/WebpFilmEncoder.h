// SPDX-License-Identifier: MIT
#pragma once
// The animated WebP film: libwebp's animation encoder (its mux library), each
// frame with its own duration, looping for ever.
#include "output/FilmEncoder.h"

struct WebPAnimEncoder;

namespace kavalo {

class WebpFilmEncoder : public FilmEncoder {
 public:
  explicit WebpFilmEncoder(const FilmSettings& settings);
  ~WebpFilmEncoder() override;
  bool open(const QString& path, QString* error) override;
  bool addFrame(const QImage& frame, int frames, QString* error) override;
  bool finish(QString* error) override;
  void abort() override;

 private:
  FilmSettings settings_;
  FrameClock clock_;
  QString path_;
  WebPAnimEncoder* encoder_ = nullptr;
  qint64 frame_ = 0;  // frame times written so far
};

}  // namespace kavalo
