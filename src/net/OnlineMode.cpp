// SPDX-License-Identifier: MIT
#include "net/OnlineMode.h"

#include <QCoreApplication>

#include "model/ProgramState.h"
#include "net/Network.h"
#include "platform/Prompts.h"

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

bool SwitchOnline(ProgramState& state, Prompts& prompts, const OnlineView& view,
                  const std::function<bool(const QString& url)>& reachable) {
  if (state.view.onlineMode) return false;
  if (!prompts.askYesNo(QCoreApplication::translate("kavalo::OnlineMode", "サーバーへの接続を行いますか？"),
                        MessageIcon::None))
    return false;
  const QString checkUrl = ServerCheckUrl(state);
  state.view.onlineMode = reachable ? UrlMayAnswer(checkUrl) && reachable(checkUrl) : UrlReachable(checkUrl, &prompts);
  if (!state.view.onlineMode) {
    prompts.message(QCoreApplication::translate("kavalo::OnlineMode", "サーバーに接続できませんでした。"),
                    MessageIcon::Warning);
    return false;
  }
  if (view.setIndicator) view.setIndicator(true);
  prompts.message(QCoreApplication::translate("kavalo::OnlineMode", "サーバーに接続しました。"), MessageIcon::Warning);
  return true;
}

void TileFetchFailed(ProgramState& state, Prompts& prompts, const OnlineView& view) {
  if (!state.view.onlineMode) return;
  state.view.onlineMode = false;
  if (view.setIndicator) view.setIndicator(false);
  prompts.message(QCoreApplication::translate("kavalo::OnlineMode", "サーバー接続が中断しました。"),
                  MessageIcon::Warning);
}

}  // namespace kavalo
