// SPDX-License-Identifier: MIT
#include "output/GifFilmEncoder.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include <gif_lib.h>

namespace kavalo {

namespace {

// The longest delay one GIF frame can hold, in hundredths of a second.
constexpr qint64 kLongestDelay = 65535;

// The colours of a frame and how many pixels have each.
std::unordered_map<QRgb, uint32_t> colourCounts(const QImage& frame) {
  std::unordered_map<QRgb, uint32_t> counts;
  counts.reserve(1024);
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    int x = 0;
    while (x < frame.width()) {
      // Maps run in long spans of one colour.
      const QRgb c = line[x] & 0xFFFFFFu;
      int end = x + 1;
      while (end < frame.width() && (line[end] & 0xFFFFFFu) == c) ++end;
      counts[c] += static_cast<uint32_t>(end - x);
      x = end;
    }
  }
  return counts;
}

struct ColourCount {
  QRgb colour;
  uint32_t count;
};

int channel(QRgb c, int which) { return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c); }

// A box of the median cut: a run of the colour list.
struct ColourBox {
  size_t first = 0;
  size_t end = 0;
  uint64_t weight = 0;
  int widest = 0;  // the channel of the largest spread
  int spread = 0;
};

ColourBox measureBox(const std::vector<ColourCount>& colours, size_t first, size_t end) {
  ColourBox box{first, end, 0, 0, 0};
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  for (size_t i = first; i < end; ++i) {
    box.weight += colours[i].count;
    for (int c = 0; c < 3; ++c) {
      lo[c] = std::min(lo[c], channel(colours[i].colour, c));
      hi[c] = std::max(hi[c], channel(colours[i].colour, c));
    }
  }
  for (int c = 0; c < 3; ++c)
    if (hi[c] - lo[c] > box.spread) box.spread = hi[c] - lo[c], box.widest = c;
  return box;
}

}  // namespace

IndexedFrame paletteFrame(const QImage& source) {
  const QImage frame = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  IndexedFrame out;
  if (frame.isNull()) return out;
  // The median cut over the frame's exact colours, each weighed by its
  // pixels: the flat colours of a map, which cover most pixels, end up in
  // boxes of their own and are kept exactly; the shades along lines and
  // letters, and a photo's thousands of colours, share the rest.
  const std::unordered_map<QRgb, uint32_t> counts = colourCounts(frame);
  std::vector<ColourCount> colours;
  colours.reserve(counts.size());
  for (const auto& [colour, count] : counts) colours.push_back({colour, count});
  std::sort(colours.begin(), colours.end(),
            [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });
  std::vector<ColourBox> boxes = {measureBox(colours, 0, colours.size())};
  while (boxes.size() < 256) {
    // The box to cut: the one whose spread times weight is largest.
    size_t pick = boxes.size();
    double best = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      const double score = static_cast<double>(boxes[i].spread) * static_cast<double>(boxes[i].weight);
      if (boxes[i].end - boxes[i].first > 1 && score > best) best = score, pick = i;
    }
    if (pick == boxes.size()) break;
    const ColourBox box = boxes[pick];
    const auto begin = colours.begin() + static_cast<std::ptrdiff_t>(box.first);
    const auto finish = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
    std::sort(begin, finish, [c = box.widest](const ColourCount& a, const ColourCount& b) {
      return channel(a.colour, c) < channel(b.colour, c);
    });
    // Cut at the weighted median, leaving at least one colour on each side.
    uint64_t running = 0;
    size_t cut = box.first + 1;
    for (size_t i = box.first; i + 1 < box.end; ++i) {
      running += colours[i].count;
      cut = i + 1;
      if (running * 2 >= box.weight) break;
    }
    boxes[pick] = measureBox(colours, box.first, cut);
    boxes.push_back(measureBox(colours, cut, box.end));
  }
  std::unordered_map<QRgb, uint8_t> index;
  index.reserve(colours.size() * 2);
  for (size_t b = 0; b < boxes.size(); ++b) {
    const ColourBox& box = boxes[b];
    // A colour that holds nearly the whole box is kept as it is; otherwise
    // the box's weighted mean.
    uint64_t r = 0, g = 0, bl = 0;
    const ColourCount* heaviest = &colours[box.first];
    for (size_t i = box.first; i < box.end; ++i) {
      const ColourCount& c = colours[i];
      r += uint64_t{c.count} * qRed(c.colour);
      g += uint64_t{c.count} * qGreen(c.colour);
      bl += uint64_t{c.count} * qBlue(c.colour);
      if (c.count > heaviest->count) heaviest = &c;
      index.emplace(c.colour, static_cast<uint8_t>(b));
    }
    const uint64_t w = std::max<uint64_t>(1, box.weight);
    out.palette.push_back(heaviest->count * 10 >= box.weight * 9
                              ? heaviest->colour
                              : qRgb(static_cast<int>((r + w / 2) / w), static_cast<int>((g + w / 2) / w),
                                     static_cast<int>((bl + w / 2) / w)) &
                                    0xFFFFFFu);
  }
  const int width = frame.width();
  out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(frame.height()));
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    uint8_t* row = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    QRgb last = 0xFFFFFFFFu;
    uint8_t lastIndex = 0;
    for (int x = 0; x < width; ++x) {
      const QRgb c = line[x] & 0xFFFFFFu;
      if (c != last) last = c, lastIndex = index.at(c);
      row[x] = lastIndex;
    }
  }
  return out;
}

GifFilmEncoder::GifFilmEncoder(const FilmSettings& settings) : settings_(settings), clock_(settings.fps) {}

GifFilmEncoder::~GifFilmEncoder() { abort(); }

bool GifFilmEncoder::fail(QString* error, const QString& what) {
  if (error) {
    const int code = gif_ ? gif_->Error : 0;
    const char* text = GifErrorString(code);
    *error = what + (text ? QStringLiteral(": ") + QString::fromUtf8(text) : QString());
  }
  return false;
}

bool GifFilmEncoder::open(const QString& path, QString* error) {
  abort();
  frame_ = 0;
  int code = 0;
  gif_ = EGifOpenFileName(QFile::encodeName(path).constData(), false, &code);
  if (!gif_) {
    if (error) *error = QStringLiteral("%1 cannot be written: %2").arg(path, QString::fromUtf8(GifErrorString(code)));
    return false;
  }
  EGifSetGifVersion(gif_, true);
  if (EGifPutScreenDesc(gif_, settings_.size.width(), settings_.size.height(), 8, 0, nullptr) != GIF_OK)
    return fail(error, QStringLiteral("the GIF header could not be written"));
  // The application block that makes browsers loop the film for ever.
  static const char kNetscape[] = "NETSCAPE2.0";
  static const GifByteType kLoop[3] = {1, 0, 0};
  if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
      EGifPutExtensionBlock(gif_, 11, kNetscape) != GIF_OK || EGifPutExtensionBlock(gif_, 3, kLoop) != GIF_OK ||
      EGifPutExtensionTrailer(gif_) != GIF_OK)
    return fail(error, QStringLiteral("the GIF loop block could not be written"));
  return true;
}

bool GifFilmEncoder::addFrame(const QImage& frame, int frames, QString* error) {
  if (!gif_) return false;
  if (frames <= 0) return true;
  const IndexedFrame indexed = paletteFrame(frame);
  if (indexed.palette.empty()) return fail(error, QStringLiteral("a frame could not be reduced to 256 colours"));
  // A GIF palette has a power of two entries.
  int entries = 2;
  while (entries < static_cast<int>(indexed.palette.size())) entries *= 2;
  std::vector<GifColorType> colours(static_cast<size_t>(entries), GifColorType{0, 0, 0});
  for (size_t i = 0; i < indexed.palette.size(); ++i)
    colours[i] = GifColorType{static_cast<GifByteType>(qRed(indexed.palette[i])),
                              static_cast<GifByteType>(qGreen(indexed.palette[i])),
                              static_cast<GifByteType>(qBlue(indexed.palette[i]))};
  const int w = settings_.size.width(), h = settings_.size.height();
  if (frame.width() != w || frame.height() != h)
    return fail(error, QStringLiteral("a frame is not of the film's size"));

  qint64 delay = clock_.centiseconds(frame_ + frames) - clock_.centiseconds(frame_);
  frame_ += frames;
  // A frame longer than one delay can hold is written again for the rest;
  // the repeats differ in nothing and cost a few bytes.
  bool first = true;
  while (first || delay > 0) {
    const qint64 part = std::min(delay, kLongestDelay);
    delay -= part;
    first = false;
    GraphicsControlBlock control;
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = static_cast<int>(part);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    ColorMapObject* map = GifMakeMapObject(entries, colours.data());
    if (!map) return fail(error, QStringLiteral("out of memory for a GIF palette"));
    bool ok = EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
              EGifPutImageDesc(gif_, 0, 0, w, h, false, map) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
      ok = EGifPutLine(gif_, const_cast<GifByteType*>(indexed.pixels.data() + static_cast<size_t>(y) * w), w) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok) return fail(error, QStringLiteral("a GIF frame could not be written"));
  }
  return true;
}

bool GifFilmEncoder::finish(QString* error) {
  if (!gif_) return false;
  int code = 0;
  const int closed = EGifCloseFile(gif_, &code);
  gif_ = nullptr;
  if (closed != GIF_OK) {
    if (error) *error = QStringLiteral("the GIF film could not be completed: %1").arg(GifErrorString(code));
    return false;
  }
  return true;
}

void GifFilmEncoder::abort() {
  if (!gif_) return;
  int code = 0;
  EGifCloseFile(gif_, &code);
  gif_ = nullptr;
}

}  // namespace kavalo
