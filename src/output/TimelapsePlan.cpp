// SPDX-License-Identifier: MIT
#include "output/TimelapsePlan.h"

#include <algorithm>
#include <cmath>

namespace kavalo {

const std::vector<FilmSizePreset>& filmSizePresets() {
  static const std::vector<FilmSizePreset> presets = {
      {QStringLiteral("1280x720"), QSize(1280, 720)},
      {QStringLiteral("1920x1080"), QSize(1920, 1080)},
      {QStringLiteral("1080x1080"), QSize(1080, 1080)},
  };
  return presets;
}

QString checkTimelapseOptions(const TimelapseOptions& o) {
  if (!(o.seconds > 0.0) || o.seconds > 60.0) return QStringLiteral("--seconds must be more than 0 and at most 60");
  if (!(o.fade >= 0.0) || o.fade >= o.seconds)
    return QStringLiteral("--fade must be at least 0 and less than --seconds");
  if (o.fps < 1 || o.fps > 60) return QStringLiteral("--fps must be 1 to 60");
  // GIF counts delays in hundredths of a second, and browsers stretch a delay
  // of one hundredth or less to a tenth: past 50 frames a second a fade
  // would crawl.
  if (o.format == FilmFormat::Gif && o.fps > 50) return QStringLiteral("--fps must be at most 50 for a GIF film");
  if (std::nearbyint(o.seconds * o.fps) < 1) return QStringLiteral("--seconds must last at least one frame");
  if (o.size.isValid() &&
      (o.size.width() < 16 || o.size.height() < 16 || o.size.width() > 8192 || o.size.height() > 8192))
    return QStringLiteral("the film's size must be 16 to 8192 pixels each way");
  if (o.crf < 0 || o.crf > 51) return QStringLiteral("the rate factor must be 0 to 51");
  if (o.webpQuality < 0 || o.webpQuality > 100) return QStringLiteral("the WebP quality must be 0 to 100");
  return QString();
}

FilmPlan::FilmPlan(int eraCount, double seconds, double fade, int fps)
    : eraCount_(std::max(0, eraCount)), seconds_(seconds), fps_(std::max(1, fps)) {
  const int eraFrames = std::max(1, static_cast<int>(std::nearbyint(seconds * fps_)));
  // A fade leaves each era at least one frame of its own.
  fade_ = std::clamp(static_cast<int>(std::nearbyint(fade * fps_)), 0, eraFrames - 1);
}

int FilmPlan::eraStart(int i) const {
  // Rounded from the era's start time, so that eras of 2.5 frames alternate
  // 2 and 3 and the film keeps its length.
  const int frames = static_cast<int>(std::nearbyint(seconds_ * fps_ * std::clamp(i, 0, eraCount_)));
  // Never shorter than one frame per era.
  return std::max(frames, std::clamp(i, 0, eraCount_));
}

int FilmPlan::fadeFrames(int i) const {
  if (i < 0 || i + 1 >= eraCount_) return 0;
  return std::min(fade_, eraStart(i + 1) - eraStart(i) - 1);
}

int FilmPlan::fadeWeight(int step, int steps) {
  return static_cast<int>(std::nearbyint(256.0 * (step + 1) / (steps + 1)));
}

QString filmExtension(FilmFormat format) {
  switch (format) {
    case FilmFormat::Webp:
      return QStringLiteral("webp");
    case FilmFormat::Gif:
      return QStringLiteral("gif");
    case FilmFormat::Mp4:
      break;
  }
  return QStringLiteral("mp4");
}

}  // namespace kavalo
