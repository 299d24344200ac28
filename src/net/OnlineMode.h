// SPDX-License-Identifier: MIT
#pragma once
// Online mode: the switch on the main window, and what happens when a tile
// missing on disk could not be fetched (the fetching itself is the tile
// source's, TileDownloads). The program starts offline; it goes online only
// when the user asks and the dataset's web server answers, and falls back to
// offline at the first tile that could not be fetched.
#include <QString>
#include <functional>

namespace kavalo {

struct ProgramState;
class Prompts;

// What the window shows of the online state. Either may be empty (the
// command-line tool shows neither).
struct OnlineView {
  std::function<void(bool online)> setIndicator;       // lblOffLine's online or offline look
  std::function<void(bool shown)> showDownloadNotice;  // lblDownload, repainted at once
};

// WebBaseUrl + "servercheck.txt": only whether it answers matters.
QString ServerCheckUrl(const ProgramState& state);
// WebBaseUrl + dataset folder + "/" + era folder + "/" + file name; empty when
// the dataset or era index names nothing.
QString OnDemandTileUrl(const ProgramState& state, int datasetIndex, int eraIndex, const QString& fileName);

// The click on the online indicator: nothing while online; otherwise the
// question, then the server check with its message. True when the program
// went online and the map should be redrawn. reachable, when given, makes
// the check in its own way (kavalo-cli: on the tiles' connections, with the
// first tiles under way at the same time) for a url worth trying.
bool SwitchOnline(ProgramState& state, Prompts& prompts, const OnlineView& view,
                  const std::function<bool(const QString& url)>& reachable = {});

// The first tile that could not be fetched: "サーバー接続が中断しました。" and
// the program goes offline, so that the tiles still missing are drawn as
// absent without asking again.
void TileFetchFailed(ProgramState& state, Prompts& prompts, const OnlineView& view);

}  // namespace kavalo
