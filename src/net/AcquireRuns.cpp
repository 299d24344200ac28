// SPDX-License-Identifier: MIT
#include "net/AcquireRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "model/EraSources.h"
#include "model/ImportedEras.h"
#include "model/ProgramState.h"
#include "model/XyzEras.h"
#include "net/AgencyAcquisition.h"
#include "net/EraAppend.h"
#include "net/Network.h"
#include "net/RapidSurvey.h"
#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

// The line break of the questions, as the program has always put it.
const QString kCrLf = QStringLiteral("\r\n");

// A question about a run that fetches from the internet, with the warning
// that it takes a while.
QString askLongRun(const QString& what) {
  return QCoreApplication::translate("kavalo::AcquireRuns", "%1処理には時間がかがります。よろしいですか？").arg(what);
}

void say(RunOutcome& out, const AcquireContext& ctx, const QString& text, MessageIcon icon) {
  out.message = text;
  if (ctx.prompts) ctx.prompts->message(text, icon);
}

bool ask(const AcquireContext& ctx, const QString& text) {
  return !ctx.prompts || ctx.prompts->askYesNo(text, MessageIcon::None);
}

bool reachable(const AcquireContext& ctx, const QString& url) { return ctx.net.reachable && ctx.net.reachable(url); }

// The folder of the new era (with the program's warnings when it cannot be
// made).
bool makeEraFolder(const AcquireContext& ctx, const QString& folder) {
  if (ctx.prompts) return EnsureFolder(folder, *ctx.prompts);
  return QDir().mkpath(folder);
}

// A failed run leaves no trace of its era.
void dropFolder(const QString& folder) { QDir(folder).removeRecursively(); }

// Every file of from renamed over its namesake in to (one folder, one file
// system).
bool moveFilesInto(const QString& from, const QString& to, QString* why) {
  for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden)) {
    const QString target = to + u'/' + name;
    if (std::rename(QFile::encodeName(from + u'/' + name).constData(), QFile::encodeName(target).constData()) != 0) {
      *why = QStringLiteral("cannot write %1").arg(target);
      return false;
    }
  }
  return true;
}

}  // namespace

ProgramState acquisitionSnapshot(const ProgramState& state) {
  ProgramState copy;
  copy.rootFolder = state.rootFolder;
  copy.names = state.names;
  copy.dataFolders = state.dataFolders;
  copy.dataFolderIndex = state.dataFolderIndex;
  copy.settingsRead = state.settingsRead;
  copy.datasetFolder = state.datasetFolder;
  copy.mapInfo = state.mapInfo;
  copy.eras = state.eras;
  copy.view = state.view;
  copy.readOnly = state.readOnly;
  return copy;
}

QString freeEraName(const std::vector<Era>& eras, const QString& prefix, int count) {
  // The count names the folder; should an era of the list already use that
  // name (eras removed from an info file by hand), the next free number is
  // taken rather than writing over that era's tiles.
  for (int n = count; n < count + 100; ++n) {
    const QString name = prefix + eraNumberText(n);
    bool used = false;
    for (const Era& e : eras) used |= e.name.compare(name, Qt::CaseInsensitive) == 0;
    if (!used) return name;
  }
  return prefix + eraNumberText(count);
}

RunOutcome runAgencyAcquisition(ProgramState& state, const QString& tileServer, const QString& portal,
                                const AgencyChoice& choice, const AcquireContext& ctx, const QDate& today) {
  RunOutcome out;
  if (!reachable(ctx, portal + QStringLiteral("/index.html"))) {
    say(out, ctx, QCoreApplication::translate("kavalo::AcquireRuns", "電子国土サーバーに接続できません。"),
        MessageIcon::Warning);
    return out;
  }
  const std::vector<Era>& eras = state.eras;
  Era era;
  int pieceSource = kBaseMapPieces;
  QString question;
  switch (choice.source) {
    case kAgencyMapSource:
      question = QCoreApplication::translate(
          "kavalo::AcquireRuns",
          "国土地理院「電子国土基本図（地図情報）」から地形図画像をインターネットを介して取得します。");
      era = agencyEra(kAgencyMapSource, 0, countErasOfKind(eras, kAgencyBasicMap), today);
      era.name = freeEraName(eras, QStringLiteral("W"), countErasOfKind(eras, kAgencyBasicMap));
      break;
    case kAgencyAirPhotoSource: {
      const std::vector<int> open = availablePeriods(eras, state.mapInfo.orthoFlags);
      if (std::find(open.begin(), open.end(), choice.periodCode) == open.end()) {
        say(out, ctx, QCoreApplication::translate("kavalo::AcquireRuns", "時期を選択してください。"),
            MessageIcon::Warning);
        return out;
      }
      const int code = choice.periodCode;
      if (code == 4)
        question = QCoreApplication::translate(
            "kavalo::AcquireRuns",
            "国土地理院「東日本大震災被災地周辺の空中写真」画像をインターネットを介して取得します。");
      else if (code == 5)
        question = QCoreApplication::translate(
            "kavalo::AcquireRuns",
            "国土地理院「東日本大震災被災地周辺の空中写真2011年5-6月」画像をインターネットを介して取得します。");
      else
        question = QCoreApplication::translate(
                       "kavalo::AcquireRuns",
                       "国土地理院「国土画像情報」から%1の空中写真画像をインターネットを介して取得します。")
                       .arg(orthoPeriodListName(code));
      era = agencyEra(kAgencyAirPhotoSource, code, 0, today);
      pieceSource = code + 1;
      break;
    }
    default:
      question = QCoreApplication::translate(
          "kavalo::AcquireRuns",
          "国土地理院「電子国土基本図（オルソ画像）」から空中写真画像をインターネットを介して取得します。");
      era = agencyEra(kAgencyOrthoSource, 0, countErasOfKind(eras, kAgencyOrtho), today);
      era.name = freeEraName(eras, QStringLiteral("DKO"), countErasOfKind(eras, kAgencyOrtho));
      pieceSource = kOrthoPieces;
      break;
  }
  if (!ask(ctx, askLongRun(question))) return out;

  out.closeDialog = true;
  const QString folder = joinPath(state.datasetFolder, u'\\' + era.name);
  if (!makeEraFolder(ctx, folder)) return out;
  const AreaResult r = AcquireArea(ctx, folder, tileServer, pieceSource, state.mapInfo);
  out.tiles = r.tiles;
  out.requests = r.requests;
  out.counts = r.counts;
  out.cancelled = r.cancelled;
  const QString failed =
      choice.source == kAgencyAirPhotoSource
          ? QCoreApplication::translate("kavalo::AcquireRuns", "オルソ化空中写真画像の取得に失敗しました。")
          : QCoreApplication::translate("kavalo::AcquireRuns", "電子国土基本図（地図情報）の取得に失敗しました。");
  QString why = r.counts.failed > 0 ? r.counts.firstFailure : r.writeError;
  if (r.cancelled || !why.isEmpty() || r.tiles < 1 || !AppendAgencyEra(state, era, &why)) {
    dropFolder(folder);
    if (!r.cancelled) say(out, ctx, why.isEmpty() ? failed : why + u'\n' + failed, MessageIcon::Warning);
    return out;
  }
  out.added = true;
  const QString added[] = {
      QCoreApplication::translate("kavalo::AcquireRuns", "%1に電子国土基本図（地図情報）を追加しました。"),
      QCoreApplication::translate("kavalo::AcquireRuns", "%1に空中写真画像を追加しました。"),
      QCoreApplication::translate("kavalo::AcquireRuns", "%1に電子国土基本図（オルソ画像）を追加しました。")};
  say(out, ctx, added[std::clamp(choice.source, 0, 2)].arg(state.mapInfo.title), MessageIcon::None);
  return out;
}

RunOutcome runRapidSurveyAcquisition(ProgramState& state, const QString& service, const QString& site,
                                     const AcquireContext& ctx) {
  RunOutcome out;
  if (!reachable(ctx, site + QStringLiteral("/index.html"))) {
    say(out, ctx,
        QCoreApplication::translate("kavalo::AcquireRuns", "「歴史的農業環境閲覧システム」サーバーに接続できません。"),
        MessageIcon::Warning);
    return out;
  }
  if (!ask(ctx,
           askLongRun(QCoreApplication::translate(
               "kavalo::AcquireRuns",
               "歴史的農業環境閲覧システム(農業環境技術研究所)から迅速測図画像をインターネットを介して取得します。"))))
    return out;
  out.closeDialog = true;
  bool had = false;
  for (const Era& e : state.eras) had |= eraSource(e).acquisition == EraAcquisition::RapidSurvey;
  const QString folder = joinPath(state.datasetFolder, QStringLiteral("\\JINNSOKU"));
  // An era already listed is fetched beside its folder and moved in only
  // when whole, so a failed or cancelled update leaves it as it was.
  const QString work = had ? joinPath(state.datasetFolder, QStringLiteral("\\.JINNSOKU.new")) : folder;
  if (had) dropFolder(work);
  if (had ? !QDir().mkpath(work) : !makeEraFolder(ctx, folder)) return out;
  const MapInfo& m = state.mapInfo;
  const RapidSurveyGrid grid{m.west,           m.north,          m.sheetsX,   m.sheetsY,
                             m.tilesPerSheetX, m.tilesPerSheetY, m.tileWidth, m.tileHeight};
  const RapidSurveyResult r = AcquireRapidSurvey(ctx, work, service, grid);
  out.tiles = r.tiles;
  out.requests = r.requests;
  out.counts = r.counts;
  out.cancelled = r.cancelled;
  QString why = r.counts.failed > 0 ? r.counts.firstFailure : r.writeError;
  // Not one cell from the service is a failure, not an era of white tiles.
  bool ok = !r.cancelled && why.isEmpty() && r.tiles > 0;
  if (ok && had) ok = moveFilesInto(work, folder, &why);
  if (!ok || (!had && !WriteRapidSurveyInfo(state.datasetFolder, &why))) {
    dropFolder(work);
    if (!r.cancelled)
      say(out, ctx,
          why.isEmpty()
              ? QCoreApplication::translate("kavalo::AcquireRuns", "迅速測図画像の取得に失敗しました。")
              : why + QCoreApplication::translate("kavalo::AcquireRuns", "\n迅速測図画像の取得に失敗しました。"),
          MessageIcon::Warning);
    return out;
  }
  if (had) dropFolder(work);
  out.added = true;
  say(out, ctx,
      (had ? QCoreApplication::translate("kavalo::AcquireRuns", "%1の迅速測図画像を更新しました。")
           : QCoreApplication::translate("kavalo::AcquireRuns", "%1に迅速測図画像を追加しました。"))
          .arg(m.title),
      MessageIcon::None);
  return out;
}

namespace {

// The era the same tile service already gave this data folder, as a map or
// as a photo; -1 when there is none.
int sameServiceEra(const std::vector<Era>& eras, const XyzChoice& choice) {
  const int32_t kind = choice.map ? kXyzMap : kXyzPhoto;
  for (size_t i = 0; i < eras.size(); ++i)
    if (eras[i].kind == kind && eras[i].origin == choice.urlTemplate) return static_cast<int>(i);
  return -1;
}

// What the user typed, as the era list can keep it: the copyright signs
// Shift-JIS lacks are written the way it can.
QString storableText(QString text) {
  return text.trimmed().replace(QChar(0x00A9), QStringLiteral("(C)")).replace(QChar(0x00AE), QStringLiteral("(R)"));
}

// Puts the fetched folder in the place of the era's folder: the old one
// aside first, back when the new one cannot take its place.
bool replaceFolder(const QString& fetched, const QString& folder, QString* why) {
  const QString aside = folder + QStringLiteral(".old");
  QDir(aside).removeRecursively();
  if (!QDir().rename(folder, aside)) {
    *why = QCoreApplication::translate("kavalo::AcquireRuns", "フォルダ「%1」を置き換えられません。").arg(folder);
    return false;
  }
  if (!QDir().rename(fetched, folder)) {
    QDir().rename(aside, folder);
    *why = QCoreApplication::translate("kavalo::AcquireRuns", "フォルダ「%1」を置き換えられません。").arg(folder);
    return false;
  }
  QDir(aside).removeRecursively();
  return true;
}

}  // namespace

QString freeXyzFolder(const QString& datasetFolder, const std::vector<Era>& eras) {
  for (int n = 0; n < 1000; ++n) {
    const QString name = QStringLiteral("XYZ%1").arg(n, 2, 10, QChar(u'0'));
    bool used = QFileInfo::exists(joinPath(datasetFolder, u'\\' + name));
    for (const Era& e : eras) used |= e.name.compare(name, Qt::CaseInsensitive) == 0;
    if (!used) return name;
  }
  return QString();
}

RunOutcome runXyzAcquisition(ProgramState& state, const XyzChoice& choice, const XyzFetcher& fetch,
                             const AcquireContext& ctx, const QDate& today) {
  RunOutcome out;
  if (!xyzTemplateUsable(choice.urlTemplate) || choice.zoom < 0 || choice.zoom > 22) {
    say(out, ctx,
        QCoreApplication::translate("kavalo::AcquireRuns", "URLには{z}、{x}、{y}を含めてください（ズームは0～22）。"),
        MessageIcon::Exclamation);
    return out;
  }
  // The service's terms ask for its name under its tiles.
  const QString credit = storableText(choice.attribution);
  const QString label = storableText(choice.label);
  if (credit.isEmpty()) {
    say(out, ctx,
        QCoreApplication::translate("kavalo::AcquireRuns",
                                    "出典を入力してください（タイルの提供元が求める表示です）。"),
        MessageIcon::Exclamation);
    return out;
  }
  for (const auto& [text, what] : {std::pair{credit, QCoreApplication::translate("kavalo::AcquireRuns", "出典")},
                                   std::pair{label, QCoreApplication::translate("kavalo::AcquireRuns", "名前")},
                                   std::pair{choice.urlTemplate, QStringLiteral("URL")}})
    if (const QString why = importedTextProblem(text); !why.isEmpty()) {
      say(out, ctx, QCoreApplication::translate("kavalo::AcquireRuns", "%1：%2").arg(what, why),
          MessageIcon::Exclamation);
      return out;
    }

  // The same service again over the same region is that era fetched anew,
  // not a second copy of it.
  const int existing = sameServiceEra(state.eras, choice);
  if (existing >= 0) {
    const QString shown = state.eras[static_cast<size_t>(existing)].label;
    if (choice.repeat == XyzRepeat::Refuse) {
      say(out, ctx,
          QCoreApplication::translate("kavalo::AcquireRuns",
                                      "このURLの時期「%1」は取得済みです。取得し直すには --update を付けてください。")
              .arg(shown),
          MessageIcon::Warning);
      return out;
    }
    if (choice.repeat == XyzRepeat::Ask &&
        !ask(ctx, QCoreApplication::translate("kavalo::AcquireRuns", "このURLの時期「%1」は取得済みです。").arg(shown) +
                      kCrLf + QCoreApplication::translate("kavalo::AcquireRuns", "取得し直して更新しますか？")))
      return out;
  }
  if (!ask(ctx, askLongRun(QCoreApplication::translate("kavalo::AcquireRuns",
                                                       "XYZタイル「%1」から画像をインターネットを介して取得します。")
                               .arg(choice.urlTemplate))))
    return out;
  out.closeDialog = true;

  XyzEra listed;
  if (existing >= 0) {
    listed = xyzOfEra(state.eras[static_cast<size_t>(existing)]);
  } else {
    listed.folder = freeXyzFolder(state.datasetFolder, state.eras);
    listed.urlTemplate = choice.urlTemplate;
    listed.map = choice.map;
    listed.label = label;
  }
  const int oldYear = listed.year;
  listed.date = acquisitionDateText(today);
  listed.year = listed.date.left(4).toInt();
  listed.attribution = credit;
  // A label the program made names the year of the fetch; the user's own
  // label stays.
  if (!label.isEmpty())
    listed.label = label;
  else if (listed.label.isEmpty() || listed.label == defaultXyzLabel(listed.urlTemplate, oldYear))
    listed.label = defaultXyzLabel(listed.urlTemplate, listed.year);
  const QString folder = joinPath(state.datasetFolder, u'\\' + listed.folder);
  // An update is fetched beside the era and takes its place only when whole.
  const QString work =
      existing >= 0 ? joinPath(state.datasetFolder, u'\\' + listed.folder + QStringLiteral(".new")) : folder;
  if (existing >= 0) dropFolder(work);
  if (listed.folder.isEmpty()) {
    say(out, ctx, QCoreApplication::translate("kavalo::AcquireRuns", "XYZタイルの時期のフォルダ名が尽きました。"),
        MessageIcon::Warning);
    return out;
  }
  if (existing >= 0 ? !QDir().mkpath(work) : !makeEraFolder(ctx, folder)) return out;

  XyzRequest request;
  request.urlTemplate = choice.urlTemplate;
  request.zoom = choice.zoom;
  request.map = choice.map;
  // One cache per service, in the user's cache folder (not in the data).
  request.cacheFolder = xyzCacheFolder(choice.urlTemplate);
  const XyzResult r = AcquireXyz(ctx, fetch, work, request, state.mapInfo);
  out.tiles = r.tiles;
  out.requests = r.requests;
  out.counts = r.counts;
  out.cancelled = r.cancelled;
  QString why = r.counts.failed > 0 ? r.counts.firstFailure : r.writeError;
  bool ok = !r.cancelled && why.isEmpty() && r.tiles > 0;
  // The list first: a failure there leaves the era's folder as it was.
  std::vector<XyzEra> list;
  const FileSnapshot before = snapshotFile(joinPath(state.datasetFolder, QString::fromLatin1(kXyzInfoFile)));
  if (ok) ok = readXyzEras(state.datasetFolder, list, &why);
  if (ok) {
    auto it = std::find_if(list.begin(), list.end(), [&](const XyzEra& x) { return x.folder == listed.folder; });
    if (it == list.end())
      list.push_back(listed);
    else
      *it = listed;
    ok = writeXyzEras(state.datasetFolder, list, &why);
  }
  if (ok && existing >= 0 && !replaceFolder(work, folder, &why)) {
    restoreSnapshot(before, nullptr);
    ok = false;
  }
  if (!ok) {
    dropFolder(work);
    if (!r.cancelled)
      say(out, ctx,
          why.isEmpty() ? QCoreApplication::translate("kavalo::AcquireRuns", "XYZタイルの取得に失敗しました。")
                        : why + QCoreApplication::translate("kavalo::AcquireRuns", "\nXYZタイルの取得に失敗しました。"),
          MessageIcon::Warning);
    return out;
  }
  Era era = eraOfXyz(listed);
  if (existing >= 0)
    state.eras[static_cast<size_t>(existing)] = era;
  else
    state.eras.push_back(era);
  out.added = true;
  if (existing >= 0)
    say(out, ctx,
        QCoreApplication::translate("kavalo::AcquireRuns", "%1のXYZタイル「%2」を更新しました。")
            .arg(state.mapInfo.title, listed.label),
        MessageIcon::None);
  else
    say(out, ctx,
        (choice.map ? QCoreApplication::translate("kavalo::AcquireRuns", "%1にXYZタイル（地図）を追加しました。")
                    : QCoreApplication::translate("kavalo::AcquireRuns", "%1にXYZタイル（写真）を追加しました。"))
            .arg(state.mapInfo.title),
        MessageIcon::None);
  return out;
}

}  // namespace kavalo
