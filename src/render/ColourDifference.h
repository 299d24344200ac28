// SPDX-License-Identifier: MIT
#pragma once
// How far apart two colours look: CIEDE2000 on CIELAB (sRGB, D65), the
// measure by which a reduced picture is judged against the one it came from.
#include <QImage>
#include <QRgb>

namespace kavalo {

double ciede2000(QRgb a, QRgb b);

// The mean CIEDE2000 difference of two pictures of one size, pixel by pixel;
// -1 when their sizes differ or one is null.
double meanColourDifference(const QImage& a, const QImage& b);

}  // namespace kavalo
