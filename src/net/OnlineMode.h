#pragma once
// Online mode: the switch on the main window, and the fetching of tile images
// that are missing on disk while the map is drawn. The program starts
// offline; it goes online only when the user asks and the dataset's web
// server answers, and falls back to offline at the first tile that could not
// be fetched.
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
// went online and the map should be redrawn.
bool SwitchOnline(ProgramState& state, Prompts& prompts, const OnlineView& view);

// Fetches one missing tile image into its era folder (which must exist). On
// failure the program goes offline with "サーバー接続が中断しました。", so the
// rest of the same drawing counts its missing tiles as absent without asking
// again. True when the file is on disk afterwards.
bool FetchTileOnline(ProgramState& state, Prompts& prompts, const OnlineView& view, int datasetIndex, int eraIndex,
                     const QString& fileName);

// Makes FetchTileOnline the fetcher the drawing uses (prompts must outlive
// the state's use of it).
void InstallOnlineFetcher(ProgramState& state, Prompts& prompts, OnlineView view);

}  // namespace kavalo
