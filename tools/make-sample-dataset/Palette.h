// SPDX-License-Identifier: MIT
#pragma once
// Maps are stored as 8-bit PNG with a palette, like the scans and the agency
// tiles they stand for: a quarter of the data, quicker to write and read.
#include <QImage>

namespace sample {

// An 8-bit copy of a picture with the 256 colours it uses most (colours
// within 8 levels of each other are taken together). Pure white and pure
// black stay exact: white paper must leave the colours under an AND
// unchanged, and black is what a masked tile shows where it is transparent.
QImage toPalette(const QImage& picture);

}  // namespace sample
