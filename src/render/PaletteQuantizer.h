// SPDX-License-Identifier: MIT
#pragma once
// Eight-bit tiles with a palette made of their own colours. A map scan warped
// onto the tile grid holds thousands of shades (the resampling blends
// neighbours); a fixed colour cube with error diffusion turns every flat area
// into a dot pattern. Here the palette is cut from the tile's own colours
// (median cut, refined by a few rounds of k-means), and the error is diffused
// only where a colour lies far from every palette entry: flat areas stay
// flat, smooth gradients are dithered.
#include <QImage>

namespace kavalo {

// The image as Format_Indexed8 with at most 256 colours; an image of 256
// colours or fewer keeps them exactly. Null for a null image.
QImage quantizeToPalette(const QImage& image);

}  // namespace kavalo
