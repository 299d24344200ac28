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

bool exactPalette(const QImage& frame, IndexedFrame& out) {
  std::unordered_map<QRgb, uint8_t> entries;
  entries.reserve(512);
  const int w = frame.width(), h = frame.height();
  out.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  QRgb last = 0;
  uint8_t lastIndex = 0;
  bool haveLast = false;
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    uint8_t* row = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(w);
    for (int x = 0; x < w; ++x) {
      const QRgb c = line[x] & 0xFFFFFFu;
      // Maps run in long spans of one colour.
      if (!haveLast || c != last) {
        auto it = entries.find(c);
        if (it == entries.end()) {
          if (entries.size() == 256) return false;
          it = entries.emplace(c, static_cast<uint8_t>(entries.size())).first;
          out.palette.push_back(c);
        }
        last = c;
        lastIndex = it->second;
        haveLast = true;
      }
      row[x] = lastIndex;
    }
  }
  return true;
}

}  // namespace

IndexedFrame paletteFrame(const QImage& source) {
  const QImage frame = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  IndexedFrame out;
  if (frame.isNull() || exactPalette(frame, out)) return out;
  out.palette.clear();
  const size_t n = static_cast<size_t>(frame.width()) * static_cast<size_t>(frame.height());
  std::vector<GifByteType> r(n), g(n), b(n);
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    const size_t base = static_cast<size_t>(y) * static_cast<size_t>(frame.width());
    for (int x = 0; x < frame.width(); ++x) {
      r[base + x] = static_cast<GifByteType>(qRed(line[x]));
      g[base + x] = static_cast<GifByteType>(qGreen(line[x]));
      b[base + x] = static_cast<GifByteType>(qBlue(line[x]));
    }
  }
  GifColorType colours[256];
  int size = 256;
  out.pixels.resize(n);
  if (GifQuantizeBuffer(static_cast<unsigned>(frame.width()), static_cast<unsigned>(frame.height()), &size, r.data(),
                        g.data(), b.data(), out.pixels.data(), colours) != GIF_OK)
    return IndexedFrame();
  for (int i = 0; i < size; ++i) out.palette.push_back(qRgb(colours[i].Red, colours[i].Green, colours[i].Blue));
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
