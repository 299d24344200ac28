// SPDX-License-Identifier: MIT
// Images from a server, judged before they are decoded: the header read
// from the first bytes, and the whole-file check that decides whether a
// tile is kept. A header answer never changes as more bytes arrive, and
// nothing larger than the rule allows is ever decoded.
#include <QImage>

#include "FuzzSupport.h"
#include "render/ImageCheck.h"

using namespace kavalo;

namespace {

bool same(const ImageHeader& a, const ImageHeader& b) {
  return a.state == b.state && a.format == b.format && a.size == b.size;
}

}  // namespace

KAVALO_FUZZ_TARGET(image_header) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const ImageHeader whole = parseImageHeader(bytes);
  if (whole.state == ImageHeader::State::Known) {
    FUZZ_CHECK(whole.format == "png" || whole.format == "jpeg");
    FUZZ_CHECK(whole.size.width() > 0 && whole.size.height() > 0);
  }
  // Every prefix either waits for more or already gives the final answer.
  for (qsizetype n = 0; n <= bytes.size(); n += n < 64 ? 1 : 61) {
    const ImageHeader part = parseImageHeader(bytes.left(n));
    if (part.state != ImageHeader::State::NeedMore) FUZZ_CHECK(same(part, whole));
  }

  const ImageRule rule{QByteArray(), QSize(64, 64)};
  const QString refusal = imageWholeRefusal(bytes, rule);
  if (refusal.isEmpty()) {
    FUZZ_CHECK(whole.state == ImageHeader::State::Known);
    FUZZ_CHECK(whole.size.width() <= 64 && whole.size.height() <= 64);
  }
  const QImage image = decodeFetchedImage(bytes, rule);
  if (!image.isNull()) {
    FUZZ_CHECK(refusal.isEmpty());
    FUZZ_CHECK(image.size() == whole.size);
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
  }
  return 0;
}
