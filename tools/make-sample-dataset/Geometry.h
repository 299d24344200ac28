// SPDX-License-Identifier: MIT
#pragma once
// Small helpers for the hand-drawn shapes of the region: smooth curves through
// control points, natural-looking wiggles, distances and lengths.
#include <QPointF>
#include <QPolygonF>
#include <cstdint>
#include <vector>

namespace sample {

using Polyline = std::vector<QPointF>;

// A Catmull-Rom curve through the points, with `steps` points per span.
Polyline smoothCurve(const Polyline& points, int steps);

// Midpoint displacement: each span is split until shorter than minLength,
// its middle moved sideways by up to roughness x its length. Deterministic
// for a seed; the end points stay where they are.
Polyline roughen(const Polyline& line, double roughness, double minLength, uint32_t seed);

// The line with the points dropped that lie within `tolerance` pixels of
// the simplified line (Douglas-Peucker); the ends stay.
Polyline simplify(const Polyline& line, double tolerance);

// Points every `spacing` pixels along the line (the ends included).
Polyline resample(const Polyline& line, double spacing);

double polylineLength(const Polyline& line);

// The point at distance s along the line and the unit direction there.
QPointF pointAlong(const Polyline& line, double s, QPointF* direction = nullptr);

// Distance from p to the segment a-b.
double segmentDistance(QPointF p, QPointF a, QPointF b);

// Distance from p to the nearest point of the line.
double lineDistance(QPointF p, const Polyline& line);

// A line moved sideways by `offset` (positive to the left of its direction).
Polyline offsetLine(const Polyline& line, double offset);

QPolygonF toPolygon(const Polyline& line);

}  // namespace sample
