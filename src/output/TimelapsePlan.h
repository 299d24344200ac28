// SPDX-License-Identifier: MIT
#pragma once
// The time-lapse film of the view: what it holds (eras, timing, label, size,
// format) and when each of its frames stands on screen. Every era is on
// screen for the same time in all, its fade into the next era included; the
// last era fades into nothing and keeps its whole time.
#include <QSize>
#include <QString>
#include <vector>

namespace kavalo {

enum class FilmFormat { Webp, Gif, Mp4 };
enum class LabelCorner { TopLeft, TopRight, BottomLeft, BottomRight, None };

struct TimelapseOptions {
  QString path;  // the film (native path); written under a temporary name first
  FilmFormat format = FilmFormat::Mp4;
  bool lossless = false;  // WebP: lossless instead of lossy
  // Eras by their index in the era table, in the order shown; empty: every
  // era of the era list. Eras with nothing under the view are left out.
  std::vector<int> eras;
  double seconds = 2.0;  // each era's time on screen, its fade included
  double fade = 0.0;     // the cross-fade into the next era
  int fps = 30;
  LabelCorner corner = LabelCorner::TopLeft;
  QSize size;  // the film's size; empty: the view's size
  // MP4: the encoder's speed preset and constant rate factor.
  QString preset = QStringLiteral("medium");
  int crf = 20;
  int webpQuality = 80;  // lossy WebP
};

// The sizes offered besides the view's own.
struct FilmSizePreset {
  QString name;
  QSize size;
};
const std::vector<FilmSizePreset>& filmSizePresets();

// Why options cannot make a film; empty when they can.
QString checkTimelapseOptions(const TimelapseOptions& options);

// The frames of a film of eraCount eras at fps frames per second.
class FilmPlan {
 public:
  FilmPlan(int eraCount, double seconds, double fade, int fps);

  int eraCount() const { return eraCount_; }
  int fps() const { return fps_; }
  int totalFrames() const { return eraStart(eraCount_); }
  // The first frame of era i (i == eraCount: the frame after the last).
  int eraStart(int i) const;
  // The frames that fade era i into era i + 1, taken from the end of era i's
  // frames; 0 for the last era.
  int fadeFrames(int i) const;
  // The frames era i shows alone.
  int holdFrames(int i) const { return eraStart(i + 1) - eraStart(i) - fadeFrames(i); }
  // The weight of the next era, out of 256, in step s (0-based) of a fade of
  // n steps: strictly between the two eras, evenly spaced.
  static int fadeWeight(int step, int steps);

 private:
  int eraCount_;
  double seconds_;
  int fade_;  // frames of each fade
  int fps_;
};

// The film's file extension for a format: "webp", "gif", "mp4".
QString filmExtension(FilmFormat format);

}  // namespace kavalo
