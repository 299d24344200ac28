#include "net/OnlineMode.h"

#include "model/ProgramState.h"
#include "net/Network.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/Tiles.h"

namespace kavalo {

QString ServerCheckUrl(const ProgramState& state) {
  return state.names[kWebBaseUrl] + QStringLiteral("servercheck.txt");
}

QString OnDemandTileUrl(const ProgramState& state, int datasetIndex, int eraIndex, const QString& fileName) {
  if (datasetIndex < 0 || datasetIndex >= static_cast<int>(state.dataFolders.size())) return QString();
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return QString();
  return state.names[kWebBaseUrl] + state.dataFolders[static_cast<size_t>(datasetIndex)].folder + u'/' +
         state.eras[static_cast<size_t>(eraIndex)].name + u'/' + fileName;
}

bool SwitchOnline(ProgramState& state, Prompts& prompts, const OnlineView& view) {
  if (state.view.onlineMode) return false;
  if (!prompts.askYesNo(QStringLiteral("サーバーへの接続を行いますか？"), MessageIcon::None)) return false;
  state.view.onlineMode = UrlReachable(ServerCheckUrl(state), &prompts);
  if (!state.view.onlineMode) {
    prompts.message(QStringLiteral("サーバーに接続できませんでした。"), MessageIcon::Warning);
    return false;
  }
  if (view.setIndicator) view.setIndicator(true);
  prompts.message(QStringLiteral("サーバーに接続しました。"), MessageIcon::Warning);
  return true;
}

bool FetchTileOnline(ProgramState& state, Prompts& prompts, const OnlineView& view, int datasetIndex, int eraIndex,
                     const QString& fileName) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return false;
  const QString local = TilePath(state, eraIndex, fileName);
  if (FileExists(local)) return true;
  if (!state.view.onlineMode) return false;
  const QString url = OnDemandTileUrl(state, datasetIndex, eraIndex, fileName);
  if (view.showDownloadNotice) view.showDownloadNotice(true);
  const bool ok = !url.isEmpty() && DownloadUrlToFile(url, local);
  if (view.showDownloadNotice) view.showDownloadNotice(false);
  if (!ok) {
    prompts.message(QStringLiteral("サーバー接続が中断しました。"), MessageIcon::Warning);
    state.view.onlineMode = false;
    if (view.setIndicator) view.setIndicator(false);
  }
  return ok;
}

void InstallOnlineFetcher(ProgramState& state, Prompts& prompts, OnlineView view) {
  state.fetchTileOnline = [&prompts, view = std::move(view)](ProgramState& s, int datasetIndex, int eraIndex,
                                                             const QString& fileName) {
    return FetchTileOnline(s, prompts, view, datasetIndex, eraIndex, fileName);
  };
}

}  // namespace kavalo
