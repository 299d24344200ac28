// SPDX-License-Identifier: MIT
#include "output/Mp4FilmEncoder.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace kavalo {

namespace {

// How long the encoder may take to swallow one frame, or to close the file.
constexpr int kFrameWaitMs = 120000;

}  // namespace

QString ffmpegProgram() {
  const QString set = qEnvironmentVariable("KAVALO_FFMPEG");
  return set.isEmpty() ? QStringLiteral("ffmpeg") : set;
}

QStringList mp4EncoderArguments(const FilmSettings& s, const QString& path) {
  return {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
          QStringLiteral("-nostdin"), QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("rawvideo"),
          QStringLiteral("-pix_fmt"), QStringLiteral("bgra"), QStringLiteral("-s"),
          QStringLiteral("%1x%2").arg(s.size.width()).arg(s.size.height()), QStringLiteral("-r"),
          QString::number(s.fps), QStringLiteral("-i"), QStringLiteral("pipe:0"), QStringLiteral("-an"),
          QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), s.preset,
          QStringLiteral("-crf"), QString::number(s.crf), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
          // The index at the front: a browser starts playing before the
          // whole file has arrived.
          QStringLiteral("-movflags"), QStringLiteral("+faststart"), QStringLiteral("-f"), QStringLiteral("mp4"), path};
}

Mp4FilmEncoder::Mp4FilmEncoder(const FilmSettings& settings) : settings_(settings) {}

Mp4FilmEncoder::~Mp4FilmEncoder() { abort(); }

QString Mp4FilmEncoder::encoderMessage() const {
  if (!process_) return QString();
  const QString text = QString::fromLocal8Bit(process_->readAllStandardError()).trimmed();
  return text.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(text.section(u'\n', -3));
}

bool Mp4FilmEncoder::open(const QString& path, QString* error) {
  abort();
  // yuv420p halves the colours in both directions: the size must be even.
  if (settings_.size.width() % 2 != 0 || settings_.size.height() % 2 != 0) {
    if (error) *error = QStringLiteral("an MP4 film needs an even width and height");
    return false;
  }
  process_ = std::make_unique<QProcess>();
  process_->setProcessChannelMode(QProcess::SeparateChannels);
  process_->setStandardOutputFile(QProcess::nullDevice());
  process_->start(ffmpegProgram(), mp4EncoderArguments(settings_, path));
  if (!process_->waitForStarted(30000)) {
    if (error)
      *error = QStringLiteral("the MP4 encoder (%1) could not be started: %2; install ffmpeg")
                   .arg(ffmpegProgram(), process_->errorString());
    process_.reset();
    return false;
  }
  return true;
}

bool Mp4FilmEncoder::writeAll(const char* data, qint64 size, QString* error) {
  if (process_->write(data, size) != size) {
    if (error) *error = QStringLiteral("the MP4 encoder stopped taking frames") + encoderMessage();
    return false;
  }
  // At most one frame waits in the pipe's buffer: the film is never held in
  // memory on its way to the encoder.
  while (process_->bytesToWrite() > 0) {
    if (!process_->waitForBytesWritten(kFrameWaitMs)) {
      if (error) *error = QStringLiteral("the MP4 encoder stopped taking frames") + encoderMessage();
      return false;
    }
  }
  return true;
}

bool Mp4FilmEncoder::addFrame(const QImage& source, int frames, QString* error) {
  if (!process_) return false;
  const QImage frame = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  if (frame.size() != settings_.size) {
    if (error) *error = QStringLiteral("a frame is not of the film's size");
    return false;
  }
  const qint64 row = static_cast<qint64>(frame.width()) * 4;
  for (int i = 0; i < frames; ++i) {
    if (frame.bytesPerLine() == row) {
      if (!writeAll(reinterpret_cast<const char*>(frame.constBits()), row * frame.height(), error)) return false;
    } else {
      for (int y = 0; y < frame.height(); ++y)
        if (!writeAll(reinterpret_cast<const char*>(frame.constScanLine(y)), row, error)) return false;
    }
  }
  return true;
}

bool Mp4FilmEncoder::finish(QString* error) {
  if (!process_) return false;
  process_->closeWriteChannel();
  const bool ended = process_->waitForFinished(kFrameWaitMs * 5);
  const bool ok = ended && process_->exitStatus() == QProcess::NormalExit && process_->exitCode() == 0;
  if (!ok && error) {
    *error = ended ? QStringLiteral("the MP4 encoder failed with status %1").arg(process_->exitCode())
                   : QStringLiteral("the MP4 encoder did not finish");
    *error += encoderMessage();
  }
  if (!ended) process_->kill(), process_->waitForFinished(5000);
  process_.reset();
  return ok;
}

void Mp4FilmEncoder::abort() {
  if (!process_) return;
  // The encoder is our own child: it is stopped and waited for, so that it
  // writes nothing more into the file the caller removes.
  process_->kill();
  process_->waitForFinished(10000);
  process_.reset();
}

}  // namespace kavalo
