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
#include <cstdint>
#include <map>
#include <memory>
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

  // Drops every request waiting or running (going offline, another data
  // folder). What arrived stays.
  void reset();

  // Requests waiting or running.
  int pending() const { return static_cast<int>(waiting_.size() + running_.size()); }
  bool busy() const { return pending() > 0; }

  struct Counts {
    int fetched = 0;  // files that arrived whole
    int failed = 0;   // requests that did not
  };
  Counts counts() const { return counts_; }

 signals:
  // Files have arrived since the last time (told once per turn of the event
  // loop at most).
  void tilesArrived();
  // A request failed (the address and the reason).
  void fetchFailed(const QString& url, const QString& reason);
  // Requests started running, or none is left.
  void busyChanged(bool busy);

 private:
  struct Job {
    QString url;
    QString path;  // the file in its era folder
    QString host;
    uint64_t order = 0;             // newer requests first, then in the order asked
    std::map<int, uint64_t> views;  // view -> the composition that asked
  };
  void dispatch();
  void finished(Transfer* transfer);
  void noteBusy();

  QNetworkAccessManager* manager_;
  std::map<QString, Job> waiting_;  // by address
  // Each request is a bounded transfer (a tile's size, deadlines, a whole
  // image) written beside its file and renamed into place when whole.
  std::map<Transfer*, Job> running_;
  std::map<QString, int> perHost_;
  std::map<int, uint64_t> viewRound_;  // the composition each view is in
  uint64_t round_ = 0;
  uint64_t sequence_ = 0;
  Counts counts_;
  bool wasBusy_ = false;
  QTimer* arrivedTimer_;
};

}  // namespace kavalo
