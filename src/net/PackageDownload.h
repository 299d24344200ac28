// SPDX-License-Identifier: MIT
#pragma once
// Completing the dataset's own map-sheet eras from its download servers: which
// files each era lacks, the list of servers, the number of packages of an
// era, the numbered zip packages spread over the servers in turn, and the
// whole run as the dialog and the command-line tool start it.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "net/Transfer.h"

namespace kavalo {

struct ProgramState;
class Prompts;

// One era of kind 0 or 4 and the image files its check list names but its
// folder lacks. An era without a check list (or with one that names nothing:
// an emptied folder, a list deleted with the files) lacks everything, since
// nothing says it is whole: its packages are fetched, and its list with them.
struct EraShortage {
  int eraIndex = 0;
  int missingCount = 0;
  QStringList missingNames;
  bool checkListMissing = false;
  // True when the era can be chosen for a download.
  bool lacksFiles() const { return missingCount > 0 || checkListMissing; }
};

struct DownloadServer {
  QString baseUrl;  // a dataset folder name is appended directly
  QStringList datasets;
};

std::vector<EraShortage> BuildShortageList(const ProgramState& state);
// The list entry: the era's display name with "／12ファイルが不足",
// "／ファイル一覧なし：全ファイルが不足" or ":すべて取得済み".
QString ShortageListText(const ProgramState& state, const EraShortage& shortage);

// The lines of the server list: "base|dataset|dataset…", empty fields
// skipped. Servers that do not answer are left out.
std::vector<DownloadServer> LoadServerList(const QString& listText);
// The same without asking the servers (every line becomes a server).
std::vector<DownloadServer> ParseServerList(const QString& listText);

bool ServerHoldsDataset(const std::vector<DownloadServer>& servers, int serverIndex, const QString& dataset);

// Packages of one era are named 00.zip to 99.zip.
inline constexpr int kMaxPackages = 100;

// The count of zipfilenum.txt: its leading number (0 when there is none), or
// -1 when that is not a count of packages (negative, beyond kMaxPackages).
int ParsePackageCount(const QString& text);

// The package count the first server holding the dataset tells for the era,
// or -1 when none could.
int GetPackageCount(const std::vector<DownloadServer>& servers, const QString& dataset, const QString& eraFolder);

// "00.zip" … "99.zip"; index 100 is "00.zip" again.
QString PackageName(int index);

// How the last request for a package went.
struct PackageAttempt {
  QString url;  // the address asked last (empty when no server holds the dataset)
  TransferOutcome outcome = TransferOutcome::Aborted;
};

// Downloads base + dataset + "/" + relativePath to localPath from the server
// at the cursor or the next ones that hold the dataset, once round. The
// cursor is left after the server tried last, so that successive packages go
// to the servers in turn. A package that does not arrive whole (cut short,
// beyond its cap or the free space) is never left at localPath. A stopped
// run (CancelToken) tries no further server.
bool DownloadPackage(const std::vector<DownloadServer>& servers, const QString& dataset, const QString& relativePath,
                     const QString& localPath, int& cursor, PackageAttempt* attempt = nullptr);

// What the run shows while it works.
struct PackageRunView {
  std::function<void()> showProgress;                       // the bar and lblCap appear
  std::function<void(int value, int maximum)> setProgress;  // the bar
  std::function<void(const QString& caption)> setCaption;   // lblCap
  std::function<bool()> stopRequested;                      // Cancel or the close box (any thread)
};

enum class PackageRunResult {
  NothingSelected,
  ServerUnreachable,
  NoServerList,
  Declined,  // the question was answered No: the dialog stays open
  Finished,  // the final message has been shown
};

struct PackageRunOutcome {
  PackageRunResult result = PackageRunResult::NothingSelected;
  bool success = false;  // ended with "画像データを取得しました。"
  bool stopped = false;  // stopped at the user's request
  QString finalMessage;  // the text of the last message shown
};

// The run over the selected entries (positions in the shortage list). The
// server table is rebuilt into *servers.
PackageRunOutcome RunPackageDownload(const ProgramState& state, Prompts& prompts,
                                     const std::vector<EraShortage>& shortages, const std::vector<int>& selected,
                                     std::vector<DownloadServer>& servers, const PackageRunView& view);

}  // namespace kavalo
