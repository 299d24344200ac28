// SPDX-License-Identifier: MIT
#include "output/FilmEncoder.h"

#include <cmath>

#include "output/GifFilmEncoder.h"
#include "output/Mp4FilmEncoder.h"
#include "output/WebpFilmEncoder.h"

namespace kavalo {

std::unique_ptr<FilmEncoder> makeFilmEncoder(FilmFormat format, const FilmSettings& settings) {
  switch (format) {
    case FilmFormat::Webp:
      return std::make_unique<WebpFilmEncoder>(settings);
    case FilmFormat::Gif:
      return std::make_unique<GifFilmEncoder>(settings);
    case FilmFormat::Mp4:
      break;
  }
  return std::make_unique<Mp4FilmEncoder>(settings);
}

qint64 FrameClock::ms(qint64 frame) const {
  return static_cast<qint64>(std::nearbyint(static_cast<double>(frame) * 1000.0 / fps_));
}

qint64 FrameClock::centiseconds(qint64 frame) const {
  return static_cast<qint64>(std::nearbyint(static_cast<double>(frame) * 100.0 / fps_));
}

}  // namespace kavalo
