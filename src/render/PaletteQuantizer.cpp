// SPDX-License-Identifier: MIT
#include "render/PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kavalo {

namespace {

constexpr int kColours = 256;
// Colours are gathered at 6 bits a channel: fine enough that the palette
// follows the map's own inks, coarse enough to be cut quickly.
constexpr int kBits = 6;
constexpr int kLevels = 1 << kBits;
constexpr int kShift = 8 - kBits;
constexpr int kKMeansRounds = 4;
// A pixel within this distance (squared, in 8-bit RGB units) of its palette
// colour is taken as it is; beyond it, the rest of the error goes on to its
// neighbours. About 4 units a channel: below what the eye tells apart on a
// map's flat tints.
constexpr int kDitherThreshold = 3 * 4 * 4;

struct Bin {
  uint32_t count = 0;
  uint64_t r = 0, g = 0, b = 0;
};

struct Entry {  // a gathered colour: its mean and weight
  int r, g, b;
  uint32_t count;
};

struct Box {
  size_t begin, end;  // into the entries
  uint64_t weight;
  int spread;  // the widest channel's range
  int axis;
};

Box makeBox(std::vector<Entry>& entries, size_t begin, size_t end) {
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  uint64_t weight = 0;
  for (size_t i = begin; i < end; ++i) {
    const int c[3] = {entries[i].r, entries[i].g, entries[i].b};
    for (int k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], c[k]);
      hi[k] = std::max(hi[k], c[k]);
    }
    weight += entries[i].count;
  }
  int axis = 0;
  for (int k = 1; k < 3; ++k)
    if (hi[k] - lo[k] > hi[axis] - lo[axis]) axis = k;
  return {begin, end, weight, hi[axis] - lo[axis], axis};
}

int channel(const Entry& e, int axis) { return axis == 0 ? e.r : axis == 1 ? e.g : e.b; }

// Median cut over the gathered colours: the box whose colours spread most,
// weighted by how many pixels it holds, is split at its median pixel.
std::vector<QRgb> medianCut(std::vector<Entry>& entries) {
  std::vector<Box> boxes{makeBox(entries, 0, entries.size())};
  while (static_cast<int>(boxes.size()) < kColours) {
    size_t best = boxes.size();
    double bestScore = 0.0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2 || boxes[i].spread == 0) continue;
      const double score = static_cast<double>(boxes[i].spread) * static_cast<double>(boxes[i].weight);
      if (score > bestScore) {
        bestScore = score;
        best = i;
      }
    }
    if (best == boxes.size()) break;
    const Box box = boxes[best];
    std::sort(entries.begin() + static_cast<std::ptrdiff_t>(box.begin),
              entries.begin() + static_cast<std::ptrdiff_t>(box.end),
              [axis = box.axis](const Entry& a, const Entry& b) { return channel(a, axis) < channel(b, axis); });
    uint64_t half = 0;
    size_t cut = box.begin + 1;
    for (size_t i = box.begin; i < box.end - 1; ++i) {
      half += entries[i].count;
      cut = i + 1;
      if (half * 2 >= box.weight) break;
    }
    boxes[best] = makeBox(entries, box.begin, cut);
    boxes.push_back(makeBox(entries, cut, box.end));
  }
  std::vector<QRgb> palette;
  for (const Box& box : boxes) {
    uint64_t r = 0, g = 0, b = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
      r += static_cast<uint64_t>(entries[i].r) * entries[i].count;
      g += static_cast<uint64_t>(entries[i].g) * entries[i].count;
      b += static_cast<uint64_t>(entries[i].b) * entries[i].count;
    }
    const uint64_t w = std::max<uint64_t>(box.weight, 1);
    palette.push_back(qRgb(static_cast<int>(r / w), static_cast<int>(g / w), static_cast<int>(b / w)));
  }
  return palette;
}

int distance2(int r, int g, int b, QRgb c) {
  const int dr = r - qRed(c), dg = g - qGreen(c), db = b - qBlue(c);
  return dr * dr + dg * dg + db * db;
}

int nearest(const std::vector<QRgb>& palette, int r, int g, int b) {
  int best = 0, bestD = distance2(r, g, b, palette[0]);
  for (int i = 1; i < static_cast<int>(palette.size()) && bestD > 0; ++i) {
    const int d = distance2(r, g, b, palette[static_cast<size_t>(i)]);
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

// Lloyd's rounds over the gathered colours: each palette colour moves to the
// mean of the colours nearest to it.
void refine(std::vector<QRgb>& palette, const std::vector<Entry>& entries) {
  for (int round = 0; round < kKMeansRounds; ++round) {
    std::vector<Bin> sums(palette.size());
    for (const Entry& e : entries) {
      Bin& s = sums[static_cast<size_t>(nearest(palette, e.r, e.g, e.b))];
      s.count += e.count;
      s.r += static_cast<uint64_t>(e.r) * e.count;
      s.g += static_cast<uint64_t>(e.g) * e.count;
      s.b += static_cast<uint64_t>(e.b) * e.count;
    }
    for (size_t i = 0; i < palette.size(); ++i)
      if (sums[i].count > 0)
        palette[i] = qRgb(static_cast<int>((sums[i].r + sums[i].count / 2) / sums[i].count),
                          static_cast<int>((sums[i].g + sums[i].count / 2) / sums[i].count),
                          static_cast<int>((sums[i].b + sums[i].count / 2) / sums[i].count));
  }
}

QImage exactPalette(const QImage& rgb, const std::unordered_map<QRgb, int>& index) {
  QImage out(rgb.size(), QImage::Format_Indexed8);
  QList<QRgb> table(static_cast<qsizetype>(index.size()));
  for (const auto& [colour, i] : index) table[i] = colour;
  out.setColorTable(table);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* line = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) line[x] = static_cast<uchar>(index.at(in[x] | 0xff000000u));
  }
  return out;
}

}  // namespace

QImage quantizeToPalette(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int w = rgb.width(), h = rgb.height();

  // A tile of few colours (a map drawn in flat inks) keeps them all.
  std::unordered_map<QRgb, int> exact;
  for (int y = 0; y < h && exact.size() <= kColours; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      exact.emplace(in[x] | 0xff000000u, static_cast<int>(exact.size()));
      if (exact.size() > kColours) break;
    }
  }
  if (exact.size() <= kColours) return exactPalette(rgb, exact);

  std::vector<Bin> bins(kLevels * kLevels * kLevels);
  for (int y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
      Bin& bin = bins[static_cast<size_t>(((r >> kShift) * kLevels + (g >> kShift)) * kLevels + (b >> kShift))];
      ++bin.count;
      bin.r += static_cast<uint64_t>(r);
      bin.g += static_cast<uint64_t>(g);
      bin.b += static_cast<uint64_t>(b);
    }
  }
  std::vector<Entry> entries;
  for (const Bin& bin : bins)
    if (bin.count > 0)
      entries.push_back({static_cast<int>(bin.r / bin.count), static_cast<int>(bin.g / bin.count),
                         static_cast<int>(bin.b / bin.count), bin.count});
  std::vector<QRgb> palette = medianCut(entries);
  refine(palette, entries);

  QImage out(w, h, QImage::Format_Indexed8);
  out.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
  // The error carried to the next pixel and to the row below (Floyd and
  // Steinberg's weights), only from pixels far from their palette colour.
  std::vector<std::array<int, 3>> below(static_cast<size_t>(w) + 2), next(static_cast<size_t>(w) + 2);
  // Each colour met is looked up once: its palette entry and how far it is.
  std::unordered_map<QRgb, std::pair<uchar, int>> memo;
  auto lookup = [&](int r, int g, int b) {
    const QRgb key = qRgb(r, g, b);
    auto it = memo.find(key);
    if (it == memo.end()) {
      const int i = nearest(palette, r, g, b);
      it = memo.emplace(key, std::make_pair(static_cast<uchar>(i), distance2(r, g, b, palette[static_cast<size_t>(i)])))
               .first;
    }
    return it->second;
  };
  for (int y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* line = out.scanLine(y);
    std::fill(next.begin(), next.end(), std::array<int, 3>{0, 0, 0});
    std::array<int, 3> carry{0, 0, 0};
    for (int x = 0; x < w; ++x) {
      const std::array<int, 3>& from = below[static_cast<size_t>(x) + 1];
      const int want[3] = {qRed(in[x]), qGreen(in[x]), qBlue(in[x])};
      // Judged on the pixel's own colour: a tint near a palette colour
      // neither takes nor gives error, so no pattern grows in flat areas.
      if (lookup(want[0], want[1], want[2]).second <= kDitherThreshold) {
        line[x] = lookup(want[0], want[1], want[2]).first;
        carry = {0, 0, 0};
        continue;
      }
      int c[3];
      for (int k = 0; k < 3; ++k) c[k] = std::clamp(want[k] + (carry[k] + from[k]) / 16, 0, 255);
      const uchar i = lookup(c[0], c[1], c[2]).first;
      line[x] = i;
      const QRgb got = palette[i];
      const int e[3] = {c[0] - qRed(got), c[1] - qGreen(got), c[2] - qBlue(got)};
      for (int k = 0; k < 3; ++k) {
        carry[k] = e[k] * 7;
        next[static_cast<size_t>(x)][k] += e[k] * 3;
        next[static_cast<size_t>(x) + 1][k] += e[k] * 5;
        next[static_cast<size_t>(x) + 2][k] += e[k] * 1;
      }
    }
    std::swap(below, next);
  }
  return out;
}

}  // namespace kavalo
