// SPDX-License-Identifier: MIT
#include "Palette.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace sample {

namespace {

constexpr int kBuckets = 32 * 32 * 32;

int bucketOf(QRgb c) { return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3); }

int distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

QImage toPalette(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::vector<int64_t> count(kBuckets, 0), sumR(kBuckets, 0), sumG(kBuckets, 0), sumB(kBuckets, 0);
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const int b = bucketOf(line[x]);
      ++count[b];
      sumR[b] += qRed(line[x]);
      sumG[b] += qGreen(line[x]);
      sumB[b] += qBlue(line[x]);
    }
  }
  std::vector<int> used;
  for (int b = 0; b < kBuckets; ++b)
    if (count[b] > 0) used.push_back(b);
  // The most used buckets become the palette; ties go to the lower bucket.
  std::stable_sort(used.begin(), used.end(), [&](int a, int b) { return count[a] > count[b]; });
  const size_t n = std::min<size_t>(256, used.size());
  QList<QRgb> palette;
  std::vector<int> index(kBuckets, -1);
  for (size_t i = 0; i < n; ++i) {
    const int b = used[i];
    QRgb colour = qRgb(static_cast<int>(sumR[b] / count[b]), static_cast<int>(sumG[b] / count[b]),
                       static_cast<int>(sumB[b] / count[b]));
    if (b == bucketOf(qRgb(255, 255, 255))) colour = qRgb(255, 255, 255);
    if (b == 0) colour = qRgb(0, 0, 0);
    palette.append(colour);
    index[b] = static_cast<int>(i);
  }
  // The other buckets take the nearest palette colour.
  for (size_t i = n; i < used.size(); ++i) {
    const int b = used[i];
    const QRgb mean = qRgb(static_cast<int>(sumR[b] / count[b]), static_cast<int>(sumG[b] / count[b]),
                           static_cast<int>(sumB[b] / count[b]));
    int best = 0;
    for (int k = 1; k < palette.size(); ++k)
      if (distance(mean, palette[k]) < distance(mean, palette[best])) best = k;
    index[b] = best;
  }
  QImage out(rgb.size(), QImage::Format_Indexed8);
  out.setColorTable(palette);
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* target = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) target[x] = static_cast<uchar>(index[bucketOf(line[x])]);
  }
  return out;
}

}  // namespace sample
