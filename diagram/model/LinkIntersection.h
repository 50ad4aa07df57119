#pragma once

#include "GraphGeometry.h"
#include "GraphRegion.h"

#include <QPoint>
#include <QVector>

// Where a straight line through a node's centre, in the direction of an
// angle (radians, as on the screen: 0 right, pi/2 down), meets the node's
// outline. Side 0 asks for the node as a link's start (the point the line
// leaves through), side 1 as its end (the point it arrives through).
namespace LinkIntersection {

QPoint Rectangle(const TRect &bounds, int side, double angle);
QPoint Ellipse(const TRect &bounds, int side, double angle);
// The region is the node's own; its corners are cut by ellipses.
QPoint RoundRectangle(const TRect &bounds, const TGraphRegion &region, int side, double angle);
// Vertices run clockwise on the screen, starting at the top; centre is
// their average.
QPoint Polygon(const QVector<QPoint> &vertices, const QPoint &centre, int side, double angle);

} // namespace LinkIntersection
