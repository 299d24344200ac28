// SPDX-License-Identifier: MIT
#include "net/PackageDownload.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "geo/SortingSearch.h"
#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "net/Network.h"
#include "net/Unzip.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ValueReader.h"

namespace kavalo {

namespace {

QString eraFolderPath(const ProgramState& state, int eraIndex) {
  return joinPath(state.datasetFolder, u'\\' + state.eras[static_cast<size_t>(eraIndex)].name);
}

QString datasetName(const ProgramState& state) {
  const int d = state.dataFolderIndex;
  if (d < 0 || d >= static_cast<int>(state.dataFolders.size())) return QString();
  return state.dataFolders[static_cast<size_t>(d)].folder;
}

// The era's check list, asked of the package servers that hold the dataset
// (beside the packages) and then of the web folder (beside the tiles fetched
// on demand); written whole or not at all. The address asked last when no
// one had it.
bool FetchCheckList(const ProgramState& state, const std::vector<DownloadServer>& servers, const QString& dataset,
                    const QString& eraName, QString* lastUrl) {
  QString name = state.names[kCheckListFile];
  while (name.startsWith(u'\\')) name.remove(0, 1);
  const QString relative = dataset + u'/' + eraName + u'/' + name;
  QStringList bases;
  for (int i = 0; i < static_cast<int>(servers.size()); ++i)
    if (ServerHoldsDataset(servers, i, dataset)) bases << servers[static_cast<size_t>(i)].baseUrl;
  if (!state.names[kWebBaseUrl].isEmpty()) bases << state.names[kWebBaseUrl];
  const QString local = joinPath(joinPath(state.datasetFolder, u'\\' + eraName), state.names[kCheckListFile]);
  for (const QString& base : bases) {
    *lastUrl = base + relative;
    if (DownloadUrlToFile(*lastUrl, local, BodyKind::Text)) return true;
  }
  if (bases.isEmpty()) *lastUrl = relative;
  return false;
}

}  // namespace

std::vector<EraShortage> BuildShortageList(const ProgramState& state) {
  std::vector<EraShortage> list;
  for (size_t i = 0; i < state.eras.size(); ++i) {
    const Era& era = state.eras[i];
    if (eraSource(era).acquisition != EraAcquisition::Packages) continue;
    EraShortage s;
    s.eraIndex = static_cast<int>(i);
    const QString folder = eraFolderPath(state, s.eraIndex);
    QStringList present;
    ListFolder(folder, present, false);
    SortingSearch search;
    search.Set_Data_String(static_cast<int>(present.size()), std::vector<QString>(present.begin(), present.end()));
    ValueReader reader{QString()};
    int listed = 0;
    if (ValueReader::fromFile(joinPath(folder, state.names[kCheckListFile]), reader, nullptr)) {
      QString name;
      while (!reader.atEnd() && reader.readText(name)) {
        // A blank line or a trailing comma is no file name.
        if (name.isEmpty()) continue;
        ++listed;
        if (search.SearchData_One(SortKey(name)) < 0) s.missingNames << name;
      }
    }
    s.checkListMissing = listed == 0;
    s.missingCount = static_cast<int>(s.missingNames.size());
    list.push_back(std::move(s));
  }
  return list;
}

QString ShortageListText(const ProgramState& state, const EraShortage& shortage) {
  const QString name = Get_cboAge_Text(state.eras[static_cast<size_t>(shortage.eraIndex)], state.view.eraLabelStyle);
  if (shortage.checkListMissing)
    return QCoreApplication::translate("kavalo::PackageDownload", "%1／ファイル一覧なし：全ファイルが不足").arg(name);
  if (shortage.missingCount > 0)
    return QCoreApplication::translate("kavalo::PackageDownload", "%1／%nファイルが不足", nullptr,
                                       shortage.missingCount)
        .arg(name);
  return QCoreApplication::translate("kavalo::PackageDownload", "%1:すべて取得済み").arg(name);
}

std::vector<DownloadServer> ParseServerList(const QString& listText) {
  std::vector<DownloadServer> servers;
  QString text = listText;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (const QString& line : text.split(u'\n')) {
    ValueReader reader(line);
    QString value;
    if (!reader.readText(value) || value.isEmpty()) continue;
    const QStringList fields = value.split(u'|');
    DownloadServer s;
    s.baseUrl = fields[0];
    for (qsizetype i = 1; i < fields.size(); ++i)
      if (!fields[i].isEmpty()) s.datasets << fields[i];
    servers.push_back(std::move(s));
  }
  return servers;
}

std::vector<DownloadServer> LoadServerList(const QString& listText) {
  std::vector<DownloadServer> servers;
  for (DownloadServer& s : ParseServerList(listText))
    if (UrlReachable(s.baseUrl)) servers.push_back(std::move(s));
  return servers;
}

bool ServerHoldsDataset(const std::vector<DownloadServer>& servers, int serverIndex, const QString& dataset) {
  if (serverIndex < 0 || serverIndex >= static_cast<int>(servers.size())) return false;
  return servers[static_cast<size_t>(serverIndex)].datasets.contains(dataset, Qt::CaseSensitive);
}

int GetPackageCount(const std::vector<DownloadServer>& servers, const QString& dataset, const QString& eraFolder) {
  for (int i = 0; i < static_cast<int>(servers.size()); ++i) {
    if (!ServerHoldsDataset(servers, i, dataset)) continue;
    QString text;
    if (FetchUrlText(
            servers[static_cast<size_t>(i)].baseUrl + dataset + u'/' + eraFolder + QStringLiteral("/zipfilenum.txt"),
            text))
      return ParsePackageCount(text);
  }
  return -1;
}

int ParsePackageCount(const QString& text) {
  const double count = leadingNumber(text.trimmed());
  // Package names have two digits: a server that claims more is not to be
  // asked for them (a damaged or hostile count could start millions of
  // downloads).
  if (!(count >= 0 && count <= kMaxPackages)) return -1;
  return roundToInt(count);
}

QString PackageName(int index) { return (u'0' + QString::number(index)).right(2) + QStringLiteral(".zip"); }

bool DownloadPackage(const std::vector<DownloadServer>& servers, const QString& dataset, const QString& relativePath,
                     const QString& localPath, int& cursor, PackageAttempt* attempt) {
  PackageAttempt last;
  last.outcome = TransferOutcome::NotWeb;
  const int n = static_cast<int>(servers.size());
  if (cursor < 0 || cursor >= n) cursor = 0;
  const int start = cursor;
  bool ok = false;
  while (n > 0) {
    if (ServerHoldsDataset(servers, cursor, dataset)) {
      TransferRequest request;
      last.url = servers[static_cast<size_t>(cursor)].baseUrl + dataset + u'/' + relativePath;
      request.url = QUrl(last.url);
      request.kind = BodyKind::Package;
      request.targetPath = localPath;
      last.outcome = runTransfer(request).outcome;
      ok = last.outcome == TransferOutcome::Ok;
    }
    cursor = (cursor + 1) % n;
    if (ok || last.outcome == TransferOutcome::Aborted || cursor == start) break;
  }
  if (attempt) *attempt = last;
  return ok;
}

PackageRunOutcome RunPackageDownload(const ProgramState& state, Prompts& prompts,
                                     const std::vector<EraShortage>& shortages, const std::vector<int>& selected,
                                     std::vector<DownloadServer>& servers, const PackageRunView& view) {
  PackageRunOutcome out;
  auto refuse = [&](PackageRunResult result, const QString& text) {
    prompts.message(text, MessageIcon::Warning);
    out.result = result;
    out.finalMessage = text;
    return out;
  };
  // Cancel or the close box ends the request under way at once; what it
  // left unfinished is no fault to report.
  auto stopRequested = [&] { return view.stopRequested && view.stopRequested(); };
  auto stopped = [&] {
    out.result = PackageRunResult::Finished;
    out.stopped = true;
    return out;
  };
  if (selected.empty())
    return refuse(PackageRunResult::NothingSelected,
                  QCoreApplication::translate("kavalo::PackageDownload", "取得するデータを選択してください。"));
  const QString listUrl = state.names[kServerListUrl];
  const bool reachable = UrlReachable(listUrl, &prompts);
  if (stopRequested()) return stopped();
  if (!reachable)
    return refuse(PackageRunResult::ServerUnreachable,
                  QCoreApplication::translate("kavalo::PackageDownload", "サーバーに接続できません。"));
  // The list is read into memory: the program's folder may be read-only, and
  // nothing is left behind.
  QString listText;
  const bool listed = FetchUrlText(listUrl, listText);
  if (stopRequested()) return stopped();
  if (!listed)
    return refuse(PackageRunResult::NoServerList,
                  QCoreApplication::translate("kavalo::PackageDownload", "サーバーリストを取得できません。"));
  servers = LoadServerList(listText);
  if (stopRequested()) return stopped();

  if (!prompts.askYesNo(
          QCoreApplication::translate("kavalo::PackageDownload",
                                      "サーバーから地形図をインターネットを介して取得します。処理には時間がかがります。"
                                      "よろしいですか？"),
          MessageIcon::None)) {
    out.result = PackageRunResult::Declined;
    return out;
  }
  if (view.showProgress) view.showProgress();
  const QString dataset = datasetName(state);
  QString errors;
  for (int position : selected) {
    if (position < 0 || position >= static_cast<int>(shortages.size())) continue;
    if (out.stopped) break;
    const EraShortage& entry = shortages[static_cast<size_t>(position)];
    const Era& era = state.eras[static_cast<size_t>(entry.eraIndex)];
    if (view.setProgress) view.setProgress(0, 1);
    const int count = GetPackageCount(servers, dataset, era.name);
    if (stopRequested()) {
      out.stopped = true;
      break;
    }
    if (count == -1) {
      errors += QCoreApplication::translate("kavalo::PackageDownload", "ネット上のファイルが開けません。%1")
                    .arg(ShortageListText(state, entry)) +
                QStringLiteral("\r\n");
      continue;
    }
    const QString folder = eraFolderPath(state, entry.eraIndex);
    // An era folder deleted by hand is made again to take its files.
    QDir().mkpath(folder);
    // Without its list the era cannot tell later what it lacks.
    QString listUrl;
    if (entry.checkListMissing && !FetchCheckList(state, servers, dataset, era.name, &listUrl))
      errors +=
          QCoreApplication::translate("kavalo::PackageDownload", "ファイル一覧が取得できません。%1").arg(listUrl) +
          QStringLiteral("\r\n");
    if (stopRequested()) {
      out.stopped = true;
      break;
    }
    int cursor = 0;
    for (int k = 0; k < count; ++k) {
      if (stopRequested()) {
        out.stopped = true;
        break;
      }
      if (view.setProgress) view.setProgress(k + 1, count);
      if (view.setCaption)
        view.setCaption(
            QCoreApplication::translate("kavalo::PackageDownload", "ダウンロード中%1/%2").arg(k + 1).arg(count));
      prompts.processEvents();
      const QString name = PackageName(k);
      const QString local = folder + u'/' + name;
      PackageAttempt attempt;
      if (DownloadPackage(servers, dataset, era.name + u'/' + name, local, cursor, &attempt)) {
        // Only a package that arrived whole is unpacked: what fails here is
        // the archive itself.
        if (UnZip(local, folder) != 0)
          errors += QCoreApplication::translate("kavalo::PackageDownload", "解凍できません。") + QStringLiteral("\r\n");
        QFile::remove(local);
      } else if (attempt.outcome == TransferOutcome::Aborted) {
        out.stopped = true;
        break;
      } else {
        // The address that failed, not a file of this machine.
        errors += QCoreApplication::translate("kavalo::PackageDownload", "ネットのファイルが開けません。%1")
                      .arg(attempt.url.isEmpty() ? dataset + u'/' + era.name + u'/' + name : attempt.url) +
                  QStringLiteral("\r\n");
      }
    }
  }
  out.result = PackageRunResult::Finished;
  if (!errors.isEmpty()) {
    out.finalMessage = errors;
    prompts.message(errors, MessageIcon::Warning);
  } else if (!out.stopped) {
    out.success = true;
    out.finalMessage = QCoreApplication::translate("kavalo::PackageDownload", "画像データを取得しました。");
    prompts.message(out.finalMessage, MessageIcon::None);
  }
  return out;
}

}  // namespace kavalo
