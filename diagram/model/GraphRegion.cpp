#include "GraphRegion.h"

#include <algorithm>
#include <cmath>

TGraphRegion TGraphRegion::FromRect(const QRect &rect)
{
    return FromRect(rect.left(), rect.top(), rect.left() + rect.width(),
                    rect.top() + rect.height());
}

TGraphRegion TGraphRegion::FromRect(int left, int top, int right, int bottom)
{
    TGraphRegion region;
    if (right <= left || bottom <= top)
        return region;
    region.FKind = Rectangle;
    region.FLeft = left;
    region.FTop = top;
    region.FRight = right;
    region.FBottom = bottom;
    return region;
}

TGraphRegion TGraphRegion::FromRoundRect(int left, int top, int right, int bottom,
                                         int cornerWidth, int cornerHeight)
{
    TGraphRegion region;
    if (right - 1 <= left || bottom - 1 <= top)
        return region;
    region.FKind = RoundRectangle;
    region.FLeft = left;
    region.FTop = top;
    region.FRight = right - 1;
    region.FBottom = bottom - 1;
    region.FCornerRX = std::clamp(std::abs(cornerWidth) / 2.0, 0.0, (region.FRight - left) / 2);
    region.FCornerRY = std::clamp(std::abs(cornerHeight) / 2.0, 0.0, (region.FBottom - top) / 2);
    return region;
}

TGraphRegion TGraphRegion::FromEllipse(int left, int top, int right, int bottom)
{
    TGraphRegion region;
    if (right - 1 <= left || bottom - 1 <= top)
        return region;
    region.FKind = Ellipse;
    region.FLeft = left;
    region.FTop = top;
    region.FRight = right - 1;
    region.FBottom = bottom - 1;
    return region;
}

TGraphRegion TGraphRegion::FromPolygon(const QVector<QPoint> &points, FillRule rule)
{
    TGraphRegion region;
    if (points.size() < 3)
        return region;
    region.FKind = Polygon;
    region.FRule = rule;
    region.FPoints = points;
    int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPoint &p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    region.FLeft = left;
    region.FTop = top;
    region.FRight = right;
    region.FBottom = bottom;
    if (region.Bounds().isEmpty())
        return TGraphRegion();
    return region;
}

bool TGraphRegion::IsEmpty() const
{
    return FKind == Empty;
}

QRect TGraphRegion::Bounds() const
{
    if (FKind == Empty)
        return QRect();
    const int left = int(std::floor(FLeft));
    const int top = int(std::floor(FTop));
    const int right = int(std::ceil(FRight));
    const int bottom = int(std::ceil(FBottom));
    return QRect(left, top, right - left, bottom - top);
}

bool TGraphRegion::Contains(int x, int y) const
{
    return ContainsCentre(x + 0.5, y + 0.5);
}

bool TGraphRegion::ContainsCentre(double x, double y) const
{
    if (FKind == Empty || x < FLeft || x >= FRight || y < FTop || y >= FBottom)
        return false;
    switch (FKind) {
    case Rectangle:
        return true;
    case Ellipse: {
        const double rx = (FRight - FLeft) / 2, ry = (FBottom - FTop) / 2;
        const double dx = (x - (FLeft + rx)) / rx, dy = (y - (FTop + ry)) / ry;
        return dx * dx + dy * dy <= 1.0;
    }
    case RoundRectangle: {
        if (FCornerRX <= 0 || FCornerRY <= 0)
            return true;
        // Only the four corner boxes are cut by their quarter ellipses.
        const double cx = x < FLeft + FCornerRX    ? FLeft + FCornerRX
                          : x > FRight - FCornerRX ? FRight - FCornerRX
                                                   : x;
        const double cy = y < FTop + FCornerRY      ? FTop + FCornerRY
                          : y > FBottom - FCornerRY ? FBottom - FCornerRY
                                                    : y;
        const double dx = (x - cx) / FCornerRX, dy = (y - cy) / FCornerRY;
        return dx * dx + dy * dy <= 1.0;
    }
    case Polygon: {
        int winding = 0;
        int crossings = 0;
        const int n = int(FPoints.size());
        for (int i = 0; i < n; ++i) {
            const QPointF a = FPoints[i];
            const QPointF b = FPoints[(i + 1) % n];
            if ((a.y() <= y) != (b.y() <= y)) {
                const double t = (y - a.y()) / (b.y() - a.y());
                if (a.x() + t * (b.x() - a.x()) > x) {
                    ++crossings;
                    winding += b.y() > a.y() ? 1 : -1;
                }
            }
        }
        return FRule == Winding ? winding != 0 : (crossings & 1) != 0;
    }
    case Empty:
        break;
    }
    return false;
}

bool TGraphRegion::Overlaps(const QRect &rect) const
{
    const QRect common = rect.intersected(Bounds());
    if (common.isEmpty())
        return false;
    if (FKind == Rectangle)
        return true;
    if (qint64(common.width()) * common.height() <= 256) {
        for (int y = common.top(); y <= common.bottom(); ++y)
            for (int x = common.left(); x <= common.right(); ++x)
                if (Contains(x, y))
                    return true;
        return false;
    }
    return ToPath().intersects(QRectF(common));
}

QPainterPath TGraphRegion::ToPath() const
{
    QPainterPath path;
    switch (FKind) {
    case Empty:
        break;
    case Rectangle:
        path.addRect(QRectF(FLeft, FTop, FRight - FLeft, FBottom - FTop));
        break;
    case Ellipse:
        path.addEllipse(QRectF(FLeft, FTop, FRight - FLeft, FBottom - FTop));
        break;
    case RoundRectangle:
        path.addRoundedRect(QRectF(FLeft, FTop, FRight - FLeft, FBottom - FTop), FCornerRX,
                            FCornerRY);
        break;
    case Polygon: {
        QPolygonF polygon;
        for (const QPoint &p : FPoints)
            polygon << QPointF(p);
        path.addPolygon(polygon);
        path.closeSubpath();
        path.setFillRule(FRule == Winding ? Qt::WindingFill : Qt::OddEvenFill);
        break;
    }
    }
    return path;
}

TGraphRegion TGraphRegion::Translated(int dx, int dy) const
{
    TGraphRegion moved = *this;
    moved.FLeft += dx;
    moved.FRight += dx;
    moved.FTop += dy;
    moved.FBottom += dy;
    for (QPoint &p : moved.FPoints)
        p += QPoint(dx, dy);
    return moved;
}
