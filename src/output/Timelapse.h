// SPDX-License-Identifier: MIT
#pragma once
// The time-lapse film of the view: each era of the film composed once at the
// film's size with its credits (as the export composes it), its label burned
// in, then streamed to the encoder frame by frame; the cross-fade between two
// eras is made from their two pictures. At most four pictures of the film's
// size are in memory at any time, however long the film.
//
// A frame identical to the one before it (the picture as encoded, label
// included) is not encoded again: its time is added to the frame before. The
// MP4 film keeps a constant frame rate instead, and its encoder spends next
// to nothing on a repeated frame.
//
// The film is written under a temporary name beside its place and renamed
// only when whole: a failed or cancelled run leaves no file, and the file of
// that name stays as it was until then.
#include <QString>
#include <QStringList>
#include <functional>

#include "output/TimelapsePlan.h"
#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;

enum class TimelapseOutcome { Done, Cancelled, Failed };

struct TimelapseResult {
  TimelapseOutcome outcome = TimelapseOutcome::Failed;
  QString error;          // why it failed
  QStringList eras;       // the labels of the eras shown
  QStringList leftOut;    // eras without data under the view
  int framesEncoded = 0;  // pictures handed to the encoder (an MP4 counts each frame time)
  int frameTimes = 0;     // the film's length in frames
  QSize size;             // the film's size
};

// done of total frame times written; returns false to cancel.
using TimelapseProgress = std::function<bool(int done, int total)>;

// The film's size for the options and the view: the chosen size or the
// view's, made even both ways for MP4 (yuv420p halves the colour planes).
QSize filmSize(const TimelapseOptions& options, const ViewRequest& view);

TimelapseResult makeTimelapse(const ProgramState& state, const ViewRequest& view, const TimelapseOptions& options,
                              const TimelapseProgress& progress = TimelapseProgress());

}  // namespace kavalo
