#pragma once

#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QVector>

// The set of diagram points that belong to a shape, for hit tests and for
// clipping. A point (x, y) stands for the unit square whose top-left corner
// it is; it belongs to the region when the square's centre lies inside the
// shape. A rectangle region (l, t, r, b) therefore holds x from l to r - 1
// and y from t to b - 1. Rounded-rectangle and ellipse regions follow the
// platform convention of being one unit smaller than their rectangle on the
// right and bottom, so callers pass the bounds grown by one there.
class TGraphRegion {
public:
    enum Kind { Empty, Rectangle, RoundRectangle, Ellipse, Polygon };
    enum FillRule { Alternate, Winding };

    TGraphRegion() = default;

    static TGraphRegion FromRect(const QRect &rect);
    static TGraphRegion FromRect(int left, int top, int right, int bottom);
    // Corner ellipse of cornerWidth x cornerHeight units.
    static TGraphRegion FromRoundRect(int left, int top, int right, int bottom, int cornerWidth,
                                      int cornerHeight);
    static TGraphRegion FromEllipse(int left, int top, int right, int bottom);
    static TGraphRegion FromPolygon(const QVector<QPoint> &points, FillRule rule);

    Kind GetKind() const { return FKind; }
    bool IsEmpty() const;
    // Smallest rectangle holding every point of the region (right, bottom exclusive).
    QRect Bounds() const;

    bool Contains(int x, int y) const;
    bool Contains(const QPoint &point) const { return Contains(point.x(), point.y()); }
    // Whether any point of the rectangle (right and bottom exclusive) is in the region.
    bool Overlaps(const QRect &rect) const;

    // The region moved by (dx, dy).
    TGraphRegion Translated(int dx, int dy) const;

    // The outline in diagram coordinates, for clipping a painter.
    QPainterPath ToPath() const;

private:
    bool ContainsCentre(double x, double y) const;

    Kind FKind = Empty;
    FillRule FRule = Alternate;
    // Continuous shape box: the rectangle for Rectangle; for RoundRectangle
    // and Ellipse the box the shape is inscribed in.
    double FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
    double FCornerRX = 0, FCornerRY = 0;
    QVector<QPoint> FPoints;
};
