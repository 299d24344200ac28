// SPDX-License-Identifier: MIT
#include "output/WebpFilmEncoder.h"

#include <QFile>

#include <webp/encode.h>
#include <webp/mux.h>

namespace kavalo {

WebpFilmEncoder::WebpFilmEncoder(const FilmSettings& settings) : settings_(settings), clock_(settings.fps) {}

WebpFilmEncoder::~WebpFilmEncoder() { abort(); }

bool WebpFilmEncoder::open(const QString& path, QString* error) {
  abort();
  path_ = path;
  frame_ = 0;
  WebPAnimEncoderOptions options;
  if (!WebPAnimEncoderOptionsInit(&options)) {
    if (error) *error = QStringLiteral("the WebP library does not match the one the program was built with");
    return false;
  }
  options.anim_params.loop_count = 0;  // a loop to share plays for ever
  // Lossless frames stay lossless; lossy ones may be stored either way,
  // whichever is smaller (the flat colours of a map often compress better
  // without loss).
  options.allow_mixed = settings_.lossless ? 0 : 1;
  encoder_ = WebPAnimEncoderNew(settings_.size.width(), settings_.size.height(), &options);
  if (!encoder_) {
    if (error) *error = QStringLiteral("the WebP encoder could not be started (out of memory?)");
    return false;
  }
  return true;
}

bool WebpFilmEncoder::addFrame(const QImage& frame, int frames, QString* error) {
  if (!encoder_ || frames <= 0) return encoder_ != nullptr;
  const QImage rgb = frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
  WebPConfig config;
  WebPPicture picture;
  if (!WebPConfigInit(&config) || !WebPPictureInit(&picture)) {
    if (error) *error = QStringLiteral("the WebP library does not match the one the program was built with");
    return false;
  }
  config.lossless = settings_.lossless ? 1 : 0;
  config.quality = settings_.lossless ? 75.0f : static_cast<float>(settings_.webpQuality);
  picture.use_argb = 1;
  picture.width = rgb.width();
  picture.height = rgb.height();
  // A 32-bit pixel of the picture is blue, green, red, opaque in memory.
  const bool imported = WebPPictureImportBGRX(&picture, rgb.constBits(), static_cast<int>(rgb.bytesPerLine())) != 0;
  const bool added = imported && WebPAnimEncoderAdd(encoder_, &picture, static_cast<int>(clock_.ms(frame_)), &config);
  WebPPictureFree(&picture);
  if (!added) {
    if (error)
      *error = QStringLiteral("a frame could not be encoded as WebP: %1")
                   .arg(QString::fromUtf8(WebPAnimEncoderGetError(encoder_)));
    return false;
  }
  frame_ += frames;
  return true;
}

bool WebpFilmEncoder::finish(QString* error) {
  if (!encoder_) return false;
  WebPData data;
  WebPDataInit(&data);
  // The end time of the last frame gives its duration.
  bool ok = WebPAnimEncoderAdd(encoder_, nullptr, static_cast<int>(clock_.ms(frame_)), nullptr) &&
            WebPAnimEncoderAssemble(encoder_, &data);
  if (!ok && error)
    *error = QStringLiteral("the WebP film could not be put together: %1")
                 .arg(QString::fromUtf8(WebPAnimEncoderGetError(encoder_)));
  if (ok) {
    QFile file(path_);
    ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(reinterpret_cast<const char*>(data.bytes), static_cast<qint64>(data.size)) ==
             static_cast<qint64>(data.size) &&
         file.flush();
    if (!ok && error) *error = file.errorString();
  }
  WebPDataClear(&data);
  WebPAnimEncoderDelete(encoder_);
  encoder_ = nullptr;
  return ok;
}

void WebpFilmEncoder::abort() {
  if (encoder_) WebPAnimEncoderDelete(encoder_);
  encoder_ = nullptr;
}

}  // namespace kavalo
