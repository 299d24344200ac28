// SPDX-License-Identifier: MIT
#pragma once
// The GIF film (giflib): every frame with a palette of its own, so that the
// colours of each era's map stay as they are, and its own delay; looping for
// ever.
#include <vector>

#include "output/FilmEncoder.h"

struct GifFileType;

namespace kavalo {

// The palette of one frame and each pixel's entry in it, rows top-down.
struct IndexedFrame {
  std::vector<QRgb> palette;  // at most 256 colours
  std::vector<uint8_t> pixels;
};

// A frame of at most 256 colours keeps them exactly; a frame of more is
// reduced to 256 by a median cut over its exact colours weighed by their
// pixels, which keeps a map's flat colours as they are.
IndexedFrame paletteFrame(const QImage& frame);

class GifFilmEncoder : public FilmEncoder {
 public:
  explicit GifFilmEncoder(const FilmSettings& settings);
  ~GifFilmEncoder() override;
  bool open(const QString& path, QString* error) override;
  bool addFrame(const QImage& frame, int frames, QString* error) override;
  bool finish(QString* error) override;
  void abort() override;

 private:
  bool fail(QString* error, const QString& what);

  FilmSettings settings_;
  FrameClock clock_;
  GifFileType* gif_ = nullptr;
  qint64 frame_ = 0;
};

}  // namespace kavalo
