// SPDX-License-Identifier: MIT
#pragma once
// The online tile source: tiles missing on disk are fetched from the
// dataset's web folder in the background while the map is drawn with what is
// there. Requests run side by side (at most six per host, like a web map),
// one per address however many views want the file, the newest view's tiles
// first; a tile still waiting when no view shows it any more is never
// fetched. Each file is written under a temporary name and renamed into its
// era folder only when it arrived whole, so a drawing never reads half a
// file. Nothing here waits: the owner is told when files have arrived and
// composes again. Every request is a Transfer: bounded by what a tile can
// be, checked to be a whole image before it is kept.
#include <QObject>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "render/TileSource.h"

class QNetworkAccessManager;
class QTimer;

namespace kavalo {

class Transfer;

class TileDownloads : public QObject, public TileSource {
  Q_OBJECT

 public:
  static constexpr int kPerHost = 6;

  explicit TileDownloads(QObject* parent = nullptr);
  ~TileDownloads() override;

  void beginView(int viewId) override;
  void endView(int viewId) override;
  bool ensure(const ProgramState& session, int eraIndex, const QString& fileName, TilePolicy policy,
              int viewId) override;

  // The idle window's prefetch: the file is fetched after everything a view
  // asked for (the lowest priority), and its arrival is told to nobody (no
  // view shows it yet). False when it is on disk already; nothing is asked
  // for offline.
  bool askInBackground(const ProgramState& session, int eraIndex, const QString& fileName, int viewId);
  // Forgets what viewId asked for and is still waiting (a prefetch whose
  // view has moved); what runs already is finished.
  void dropView(int viewId);

  // Drops every request waiting or running (going offline, another data
  // folder). What arrived stays. A server check under way goes on.
  void reset();

  // Going online without a round trip of its own: the server check runs on
  // the same connections as the view's first tiles, which are asked for at
  // once (ensure fetches while the check is under way). Until the check has
  // answered, the tiles that arrive are kept under a name no drawing reads;
  // when it answers they are put in place, when it fails they are removed
  // and every request is dropped. serverChecked tells the answer.
  void startServerCheck(const QString& url);
  bool checking() const { return check_ != nullptr; }

  // Requests handed to the HTTP layer beyond the connections it keeps to a
  // host (0 unless set): each connection then takes its next request the
  // moment an answer has ended, without waiting for this thread. For a batch
  // whose order never changes (kavalo-cli); the window keeps none, so that a
  // newer view's files never wait behind older ones already handed over.
  void setLookAhead(int requestsPerHost) { lookAhead_ = std::max(0, requestsPerHost); }

  // Requests waiting or running, the prefetch's too.
  int pending() const { return static_cast<int>(waiting_.size() + running_.size()); }
  // A view waits for files (or the server check): what the prefetch fetches
  // in the background keeps nobody waiting.
  bool busy() const;

  struct Counts {
    int fetched = 0;  // files that arrived whole
    int failed = 0;   // requests that did not
  };
  Counts counts() const { return counts_; }

 signals:
  // Files have arrived since the last time (told once per turn of the event
  // loop at most).
  void tilesArrived();
  // A fetched file is in place (its path); background when only the
  // prefetch asked for it. Told at once, for each file.
  void fileFetched(const QString& path, bool background);
  // A request a view asked for failed (the address and the reason); the
  // prefetch's failures are only logged.
  void fetchFailed(const QString& url, const QString& reason);
  // Requests started running, or none is left.
  void busyChanged(bool busy);
  // The server check of startServerCheck answered (true) or failed.
  void serverChecked(bool answered);

 private:
  struct Job {
    QString url;
    QString path;  // the file in its era folder
    QString host;
    uint64_t order = 0;             // newer requests first, then in the order asked
    std::map<int, uint64_t> views;  // view -> the composition that asked
    bool held = false;              // started while the server check was under way
    bool background = true;         // only a prefetch asked for it
    bool answered = false;          // its connection is free again
  };
  void dispatch();
  void answered(Transfer* transfer);
  void finished(Transfer* transfer);
  void checkFinished();
  // A fetched file is in place.
  void arrived(const Job& job);
  // Puts a tile kept while the server check was under way in place.
  bool place(const QString& path);
  void noteBusy();

  QNetworkAccessManager* manager_;
  std::map<QString, Job> waiting_;  // by address
  // Each request is a bounded transfer (a tile's size, deadlines, a whole
  // image) written beside its file and renamed into place when whole.
  std::map<Transfer*, Job> running_;
  std::map<QString, int> perHost_;
  int lookAhead_ = 0;
  std::map<int, uint64_t> viewRound_;  // the composition each view is in
  uint64_t round_ = 0;
  uint64_t sequence_ = 0;
  Counts counts_;
  bool wasBusy_ = false;
  QTimer* arrivedTimer_;
  Transfer* check_ = nullptr;
  QString checkHost_;
  std::vector<QString> held_;                              // tiles kept aside until the check answers
  std::vector<std::pair<QString, QString>> heldFailures_;  // (address, reason) of tiles that failed meanwhile
  bool checkFailed_ = false;
};

}  // namespace kavalo
