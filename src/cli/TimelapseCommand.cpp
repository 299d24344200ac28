// SPDX-License-Identifier: MIT
#include "cli/TimelapseCommand.h"

#include <QCoreApplication>
#include <QDir>

#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "output/Timelapse.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

bool readNumber(const CliOptions& options, const QString& name, double& value, QString* error) {
  if (!options.has(name)) return true;
  bool ok = false;
  value = options.get(name).toDouble(&ok);
  if (!ok && error) *error = QStringLiteral("%1 must be a number").arg(name);
  return ok;
}

bool readInteger(const CliOptions& options, const QString& name, int& value, QString* error) {
  if (!options.has(name)) return true;
  bool ok = false;
  value = options.get(name).toInt(&ok);
  if (!ok && error) *error = QStringLiteral("%1 must be a whole number").arg(name);
  return ok;
}

bool readCorner(const QString& text, LabelCorner& corner) {
  static const std::pair<const char16_t*, LabelCorner> kCorners[] = {
      {u"tl", LabelCorner::TopLeft},     {u"tr", LabelCorner::TopRight}, {u"bl", LabelCorner::BottomLeft},
      {u"br", LabelCorner::BottomRight}, {u"none", LabelCorner::None},
  };
  for (const auto& [name, value] : kCorners)
    if (text == QStringView(name)) {
      corner = value;
      return true;
    }
  return false;
}

// The options of the film itself; false with the reason on a bad value.
bool readFilmOptions(const CliOptions& options, TimelapseOptions& film, QString* error) {
  const QString format = options.get(QStringLiteral("--format"));
  if (format == u"webp")
    film.format = FilmFormat::Webp;
  else if (format == u"gif")
    film.format = FilmFormat::Gif;
  else if (format == u"mp4")
    film.format = FilmFormat::Mp4;
  else
    return *error = QStringLiteral("--format webp|gif|mp4 is required"), false;
  film.lossless = options.has(QStringLiteral("--lossless"));
  if (film.lossless && film.format != FilmFormat::Webp)
    return *error = QStringLiteral("--lossless goes with --format webp"), false;
  if (!readNumber(options, QStringLiteral("--seconds"), film.seconds, error) ||
      !readNumber(options, QStringLiteral("--fade"), film.fade, error) ||
      !readInteger(options, QStringLiteral("--fps"), film.fps, error) ||
      !readInteger(options, QStringLiteral("--crf"), film.crf, error) ||
      !readInteger(options, QStringLiteral("--quality"), film.webpQuality, error))
    return false;
  if (options.has(QStringLiteral("--preset"))) {
    static const QStringList kPresets = {
        QStringLiteral("ultrafast"), QStringLiteral("superfast"), QStringLiteral("veryfast"),
        QStringLiteral("faster"),    QStringLiteral("fast"),      QStringLiteral("medium"),
        QStringLiteral("slow"),      QStringLiteral("slower"),    QStringLiteral("veryslow")};
    film.preset = options.get(QStringLiteral("--preset"));
    if (!kPresets.contains(film.preset))
      return *error = QStringLiteral("--preset must be one of %1").arg(kPresets.join(u", ")), false;
  }
  if ((options.has(QStringLiteral("--preset")) || options.has(QStringLiteral("--crf"))) &&
      film.format != FilmFormat::Mp4)
    return *error = QStringLiteral("--preset and --crf go with --format mp4"), false;
  if (options.has(QStringLiteral("--quality")) && (film.format != FilmFormat::Webp || film.lossless))
    return *error = QStringLiteral("--quality goes with --format webp (lossy)"), false;
  if (options.has(QStringLiteral("--label-corner")) &&
      !readCorner(options.get(QStringLiteral("--label-corner")), film.corner))
    return *error = QStringLiteral("--label-corner must be tl, tr, bl, br or none"), false;
  *error = checkTimelapseOptions(film);
  return error->isEmpty();
}

bool readEras(const CliOptions& options, const ProgramState& state, std::vector<int>& eras, QString* error) {
  if (!options.has(QStringLiteral("--eras"))) return true;
  const int count = static_cast<int>(state.eras.size());
  for (const QString& part : options.get(QStringLiteral("--eras")).split(u',')) {
    bool ok = false;
    const int index = part.trimmed().toInt(&ok);
    if (!ok || index < 0 || index >= count) {
      *error = QStringLiteral("--eras must list era indexes from 0 to %1, separated by commas").arg(count - 1);
      return false;
    }
    eras.push_back(index);
  }
  return true;
}

}  // namespace

CommandSpec timelapseCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("timelapse");
  cmd.synopsis = QStringLiteral(
      "timelapse --root DIR [--dataset N] [view options as for render] [--overlay FILE...]\n"
      "[--eras I,J,...] [--seconds S] [--fade S] [--label-corner tl|tr|bl|br|none] [--fps N]\n"
      "--format webp|gif|mp4 [--lossless] [--quality Q] [--preset P] [--crf N] -o FILE");
  cmd.summary = QCoreApplication::translate("kavalo::TimelapseCommand",
                                            "Writes the eras of the view as a film (animated WebP, GIF or MP4).");
  cmd.description = QCoreApplication::translate(
      "kavalo::TimelapseCommand",
      "The view is given as for render (--center, --zoom, --size: the film's size, --mm-per-px, --layers without "
      "legend, --link); each era is composed as the export composes it, with its credits, and its label (in the "
      "data folder's label style) is burned into the corner --label-corner names (tl by default; none for no "
      "label). --eras lists the eras by their index in the era table, in the order shown (by default the eras of "
      "the era list); an era that has no map anywhere under the view is left out, with a note on standard error.\n\n"
      "Each era is on screen for --seconds S in all (2 by default, at most 60), its cross-fade of --fade S into the "
      "next era included (0 by default); --fps N frames per second (30 by default, 1 to 60). A frame identical to "
      "the one before is not stored again: WebP and GIF lengthen the frame before; MP4 keeps its constant frame "
      "rate.\n\n"
      "webp: animated WebP, lossy (--quality Q, 80 by default) or --lossless. gif: a palette of its own for every "
      "frame. mp4: H.264 in yuv420p with the moov index first, encoded by the ffmpeg program (KAVALO_FFMPEG names "
      "another), --preset P (medium) and --crf N (20); the width and height are made even. The film is written "
      "under a temporary name and renamed only when whole; a failure leaves no file.");
  cmd.valueOptions = viewOptionNames() << overlayOptionNames()
                                       << QStringList{QStringLiteral("--eras"),    QStringLiteral("--seconds"),
                                                      QStringLiteral("--fade"),    QStringLiteral("--label-corner"),
                                                      QStringLiteral("--fps"),     QStringLiteral("--format"),
                                                      QStringLiteral("--quality"), QStringLiteral("--preset"),
                                                      QStringLiteral("--crf"),     QStringLiteral("-o")};
  // The film's eras are --eras; the view's single era has no place here.
  cmd.valueOptions.removeAll(QStringLiteral("--era"));
  cmd.switches = {QStringLiteral("--lossless")};
  return cmd;
}

int runTimelapseCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = timelapseCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  TimelapseOptions film;
  if (!readFilmOptions(options, film, &error)) return usageError(cmd, error);
  if (!options.has(QStringLiteral("-o")) || options.get(QStringLiteral("-o")).isEmpty())
    return usageError(cmd, QStringLiteral("-o FILE is required"));
  film.path = QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand); !loaded)
    return loaded.status();
  if (!applyViewOptions(options, state, &error)) return usageError(cmd, error);
  if (state.view.showLegend)
    return usageError(cmd, QStringLiteral("--layers legend is not filmed: the legend is a window of its own"));
  if (!readEras(options, state, film.eras, &error)) return usageError(cmd, error);
  if (const CliStatus opened = applyOverlayOptions(options, state); !opened) return opened.status();
  if (state.view.showAltitude) EnsureElevation(state, prompts);

  const TimelapseResult result = makeTimelapse(state, currentViewRequest(state, RenderPass::Export), film);
  for (const QString& era : result.leftOut)
    printError(QStringLiteral("%1: no map under the view, left out of the film").arg(era));
  if (result.outcome != TimelapseOutcome::Done) {
    printError(result.error);
    return kExitFailed;
  }
  printOut(QStringLiteral("%1: %2x%3, %4 eras, %5 frames at %6 fps, %7 stored")
               .arg(QDir::toNativeSeparators(film.path))
               .arg(result.size.width())
               .arg(result.size.height())
               .arg(result.eras.size())
               .arg(result.frameTimes)
               .arg(film.fps)
               .arg(result.framesEncoded));
  return kExitOk;
}

}  // namespace kavalo
