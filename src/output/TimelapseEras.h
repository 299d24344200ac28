// SPDX-License-Identifier: MIT
#pragma once
// Which eras a time-lapse film of the view shows: the chosen ones (or the
// era list), less those that have nothing of their own anywhere under the
// view. The coverage strip asks the same of the view's centre; a film asks
// it of every tile the view shows, so that an era covering a corner of the
// view still appears.
#include <QString>
#include <QStringList>
#include <vector>

#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;

struct FilmEra {
  int eraIndex = 0;
  QString label;  // as the era list shows it, in the session's label style
};

// Whether the era has data of its own somewhere under the view of the
// request: a tile on disk (a sheet borrowed from another edition is not the
// era's own) whose mask, on a masked map, leaves some of it showing in the
// view; for an era of sheet images, a sheet on disk that meets the view.
bool eraHasDataInView(const ProgramState& state, const ViewRequest& view, int eraIndex);

// The film's eras in order: chosen (era table indexes; empty for the era
// list), without those that have no data under the view. leftOut receives
// the labels of those left out.
std::vector<FilmEra> filmEras(const ProgramState& state, const ViewRequest& view, const std::vector<int>& chosen,
                              QStringList* leftOut = nullptr);

}  // namespace kavalo
