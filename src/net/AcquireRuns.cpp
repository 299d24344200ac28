#include "net/AcquireRuns.h"

#include <QDir>
#include <QFile>
#include <cstdio>

#include "model/ProgramState.h"
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

const QString kTakesTime = QStringLiteral("処理には時間がかがります。よろしいですか？");

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
    say(out, ctx, QStringLiteral("電子国土サーバーに接続できません。"), MessageIcon::Warning);
    return out;
  }
  const std::vector<Era>& eras = state.eras;
  Era era;
  int pieceSource = kBaseMapPieces;
  QString question;
  switch (choice.source) {
    case kAgencyMapSource:
      question =
          QStringLiteral("国土地理院「電子国土基本図（地図情報）」から地形図画像をインターネットを介して取得します。");
      era = agencyEra(kAgencyMapSource, 0, countErasOfKind(eras, kAgencyBasicMap), today);
      era.name = freeEraName(eras, QStringLiteral("W"), countErasOfKind(eras, kAgencyBasicMap));
      break;
    case kAgencyAirPhotoSource: {
      const std::vector<int> open = availablePeriods(eras, state.mapInfo.orthoFlags);
      if (std::find(open.begin(), open.end(), choice.periodCode) == open.end()) {
        say(out, ctx, QStringLiteral("時期を選択してください。"), MessageIcon::Warning);
        return out;
      }
      const int code = choice.periodCode;
      if (code == 4)
        question =
            QStringLiteral("国土地理院「東日本大震災被災地周辺の空中写真」画像をインターネットを介して取得します。");
      else if (code == 5)
        question = QStringLiteral(
            "国土地理院「東日本大震災被災地周辺の空中写真2011年5-6月」画像をインターネットを介して取得します。");
      else
        question = QStringLiteral("国土地理院「国土画像情報」から") + orthoPeriodListName(code) +
                   QStringLiteral("の空中写真画像をインターネットを介して取得します。");
      era = agencyEra(kAgencyAirPhotoSource, code, 0, today);
      pieceSource = code + 1;
      break;
    }
    default:
      question = QStringLiteral(
          "国土地理院「電子国土基本図（オルソ画像）」から空中写真画像をインターネットを介して取得します。");
      era = agencyEra(kAgencyOrthoSource, 0, countErasOfKind(eras, kAgencyOrtho), today);
      era.name = freeEraName(eras, QStringLiteral("DKO"), countErasOfKind(eras, kAgencyOrtho));
      pieceSource = kOrthoPieces;
      break;
  }
  if (!ask(ctx, question + kTakesTime)) return out;

  out.closeDialog = true;
  const QString folder = joinPath(state.datasetFolder, u'\\' + era.name);
  if (!makeEraFolder(ctx, folder)) return out;
  const AreaResult r = AcquireArea(ctx, folder, tileServer, pieceSource, state.mapInfo);
  out.tiles = r.tiles;
  out.requests = r.requests;
  out.counts = r.counts;
  out.cancelled = r.cancelled;
  const QString failed = choice.source == kAgencyAirPhotoSource
                             ? QStringLiteral("オルソ化空中写真画像の取得に失敗しました。")
                             : QStringLiteral("電子国土基本図（地図情報）の取得に失敗しました。");
  QString why = r.counts.failed > 0 ? r.counts.firstFailure : r.writeError;
  if (r.cancelled || !why.isEmpty() || r.tiles < 1 || !AppendAgencyEra(state, era, &why)) {
    dropFolder(folder);
    if (!r.cancelled) say(out, ctx, why.isEmpty() ? failed : why + u'\n' + failed, MessageIcon::Warning);
    return out;
  }
  out.added = true;
  const QString added[] = {QStringLiteral("に電子国土基本図（地図情報）を追加しました。"),
                           QStringLiteral("に空中写真画像を追加しました。"),
                           QStringLiteral("に電子国土基本図（オルソ画像）を追加しました。")};
  say(out, ctx, state.mapInfo.title + added[std::clamp(choice.source, 0, 2)], MessageIcon::None);
  return out;
}

RunOutcome runRapidSurveyAcquisition(ProgramState& state, const QString& service, const QString& site,
                                     const AcquireContext& ctx) {
  RunOutcome out;
  if (!reachable(ctx, site + QStringLiteral("/index.html"))) {
    say(out, ctx, QStringLiteral("「歴史的農業環境閲覧システム」サーバーに接続できません。"), MessageIcon::Warning);
    return out;
  }
  if (!ask(ctx,
           QStringLiteral(
               "歴史的農業環境閲覧システム(農業環境技術研究所)から迅速測図画像をインターネットを介して取得します。") +
               kTakesTime))
    return out;
  out.closeDialog = true;
  bool had = false;
  for (const Era& e : state.eras) had |= e.kind == kRapidSurvey;
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
          why.isEmpty() ? QStringLiteral("迅速測図画像の取得に失敗しました。")
                        : why + QStringLiteral("\n迅速測図画像の取得に失敗しました。"),
          MessageIcon::Warning);
    return out;
  }
  if (had) dropFolder(work);
  out.added = true;
  say(out, ctx,
      m.title +
          (had ? QStringLiteral("の迅速測図画像を更新しました。") : QStringLiteral("に迅速測図画像を追加しました。")),
      MessageIcon::None);
  return out;
}

RunOutcome runXyzAcquisition(ProgramState& state, const XyzChoice& choice, const XyzFetcher& fetch,
                             const AcquireContext& ctx, const QDate& today) {
  RunOutcome out;
  if (!xyzTemplateUsable(choice.urlTemplate) || choice.zoom < 0 || choice.zoom > 22) {
    say(out, ctx, QStringLiteral("URLには{z}、{x}、{y}を含めてください（ズームは0～22）。"), MessageIcon::Exclamation);
    return out;
  }
  // The attribution is kept in Shift-JIS like every text of a data folder;
  // the copyright signs it lacks are written the way that code page can.
  QString credit = choice.attribution.trimmed();
  credit.replace(QChar(0x00A9), QStringLiteral("(C)")).replace(QChar(0x00AE), QStringLiteral("(R)"));
  bool encoded = true;
  const QByteArray attribution = credit.isEmpty() ? QByteArray() : toSjis(credit + QStringLiteral("\r\n"), &encoded);
  if (!encoded) {
    say(out, ctx, QStringLiteral("出典にShift-JISで保存できない文字があります。"), MessageIcon::Exclamation);
    return out;
  }
  if (!ask(ctx, QStringLiteral("XYZタイル「") + choice.urlTemplate +
                    QStringLiteral("」から画像をインターネットを介して取得します。") + kTakesTime))
    return out;
  out.closeDialog = true;
  const int kind = choice.map ? kAgencyBasicMap : kAgencyOrtho;
  Era era = agencyEra(choice.map ? kAgencyMapSource : kAgencyOrthoSource, 0, countErasOfKind(state.eras, kind), today);
  era.name = freeEraName(state.eras, choice.map ? QStringLiteral("W") : QStringLiteral("DKO"),
                         countErasOfKind(state.eras, kind));
  const QString folder = joinPath(state.datasetFolder, u'\\' + era.name);
  if (!makeEraFolder(ctx, folder)) return out;

  XyzRequest request;
  request.urlTemplate = choice.urlTemplate;
  request.zoom = choice.zoom;
  request.map = choice.map;
  // One cache per service, in the user's cache folder (not in the data).
  request.cacheFolder = xyzCacheFolder(choice.urlTemplate);
  const XyzResult r = AcquireXyz(ctx, fetch, folder, request, state.mapInfo);
  out.tiles = r.tiles;
  out.requests = r.requests;
  out.counts = r.counts;
  out.cancelled = r.cancelled;
  QString why = r.counts.failed > 0 ? r.counts.firstFailure : r.writeError;
  bool ok = !r.cancelled && why.isEmpty() && r.tiles > 0;
  if (ok && !attribution.isEmpty())
    ok = writeFileAtomically(joinPath(folder, QString::fromLatin1(kAttributionFile)), attribution, &why);
  if (!ok || !AppendAgencyEra(state, era, &why)) {
    dropFolder(folder);
    if (!r.cancelled)
      say(out, ctx,
          why.isEmpty() ? QStringLiteral("XYZタイルの取得に失敗しました。")
                        : why + QStringLiteral("\nXYZタイルの取得に失敗しました。"),
          MessageIcon::Warning);
    return out;
  }
  out.added = true;
  say(out, ctx,
      state.mapInfo.title + (choice.map ? QStringLiteral("にXYZタイル（地図）を追加しました。")
                                        : QStringLiteral("にXYZタイル（写真）を追加しました。")),
      MessageIcon::None);
  return out;
}

}  // namespace kavalo
