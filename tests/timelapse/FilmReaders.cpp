// SPDX-License-Identifier: MIT
#include "timelapse/FilmReaders.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <cmath>
#include <cstdlib>

#include <gif_lib.h>
#include <webp/demux.h>

namespace kavalo::test {

DecodedFilm readWebpFilm(const QString& path) {
  DecodedFilm film;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    film.error = file.errorString();
    return film;
  }
  const QByteArray bytes = file.readAll();
  WebPData data{reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_BGRA;
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  if (!decoder) {
    film.error = QStringLiteral("not an animated WebP");
    return film;
  }
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder, &info);
  film.size = QSize(static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height));
  film.loopCount = static_cast<int>(info.loop_count);
  int previous = 0;
  while (WebPAnimDecoderHasMoreFrames(decoder)) {
    uint8_t* pixels = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder, &pixels, &timestamp)) {
      film.error = QStringLiteral("a frame does not decode");
      WebPAnimDecoderDelete(decoder);
      return film;
    }
    // The decoder gives each frame's end time.
    QImage picture(pixels, film.size.width(), film.size.height(), film.size.width() * 4, QImage::Format_ARGB32);
    film.frames.push_back({picture.convertToFormat(QImage::Format_RGB32), timestamp - previous});
    previous = timestamp;
  }
  WebPAnimDecoderDelete(decoder);
  film.ok = true;
  return film;
}

DecodedFilm readGifFilm(const QString& path) {
  DecodedFilm film;
  int code = 0;
  GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &code);
  if (!gif) {
    film.error = QString::fromUtf8(GifErrorString(code));
    return film;
  }
  if (DGifSlurp(gif) != GIF_OK) {
    film.error = QString::fromUtf8(GifErrorString(gif->Error));
    DGifCloseFile(gif, &code);
    return film;
  }
  film.size = QSize(gif->SWidth, gif->SHeight);
  QImage canvas(film.size, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    for (int e = 0; e < image.ExtensionBlockCount; ++e) {
      const ExtensionBlock& block = image.ExtensionBlocks[e];
      if (block.Function == APPLICATION_EXT_FUNC_CODE) film.loopCount = 0;
    }
    GraphicsControlBlock control;
    control.DelayTime = 0;
    DGifSavedExtensionToGCB(gif, i, &control);
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    const GifImageDesc& d = image.ImageDesc;
    for (int y = 0; y < d.Height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(d.Top + y));
      for (int x = 0; x < d.Width; ++x) {
        const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
        line[d.Left + x] = qRgb(c.Red, c.Green, c.Blue);
      }
    }
    film.frames.push_back({canvas.copy(), control.DelayTime * 10});
  }
  // giflib keeps the loop block with the first image or with the file.
  for (int e = 0; e < gif->ExtensionBlockCount; ++e)
    if (gif->ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE) film.loopCount = 0;
  DGifCloseFile(gif, &code);
  film.ok = true;
  return film;
}

Mp4Facts probeMp4(const QString& path) {
  Mp4Facts facts;
  QProcess probe;
  probe.start(QStringLiteral("ffprobe"),
              {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
               "stream=codec_name,pix_fmt,profile,width,height,nb_read_frames,r_frame_rate:format=duration", "-of",
               "json", path});
  if (!probe.waitForFinished(60000) || probe.exitCode() != 0) {
    facts.error = QString::fromLocal8Bit(probe.readAllStandardError());
    return facts;
  }
  const QJsonObject root = QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
  const QJsonObject stream = root.value("streams").toArray().at(0).toObject();
  facts.codec = stream.value("codec_name").toString();
  facts.pixelFormat = stream.value("pix_fmt").toString();
  facts.profile = stream.value("profile").toString();
  facts.width = stream.value("width").toInt();
  facts.height = stream.value("height").toInt();
  facts.frames = stream.value("nb_read_frames").toString().toInt();
  facts.frameRate = stream.value("r_frame_rate").toString();
  facts.seconds = root.value("format").toObject().value("duration").toString().toDouble();
  facts.ok = true;
  return facts;
}

QImage mp4Frame(const QString& path, int n, QSize size) {
  QProcess decode;
  decode.start(QStringLiteral("ffmpeg"), {"-v", "error", "-i", path, "-vf", QStringLiteral("select=eq(n\\,%1)").arg(n),
                                          "-vsync", "0", "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "bgra", "-"});
  if (!decode.waitForFinished(60000) || decode.exitCode() != 0) return QImage();
  const QByteArray bytes = decode.readAllStandardOutput();
  if (bytes.size() != static_cast<qsizetype>(size.width()) * size.height() * 4) return QImage();
  QImage picture(reinterpret_cast<const uchar*>(bytes.constData()), size.width(), size.height(), size.width() * 4,
                 QImage::Format_RGB32);
  return picture.copy();
}

double meanDifference(const QImage& a0, const QImage& b0) {
  if (a0.size() != b0.size() || a0.isNull()) return 255.0;
  const QImage a = a0.convertToFormat(QImage::Format_RGB32), b = b0.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x)
      sum += std::abs(qRed(la[x]) - qRed(lb[x])) + std::abs(qGreen(la[x]) - qGreen(lb[x])) +
             std::abs(qBlue(la[x]) - qBlue(lb[x]));
  }
  return sum / (3.0 * a.width() * a.height());
}

bool haveFfmpeg() {
  return !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty();
}

}  // namespace kavalo::test
