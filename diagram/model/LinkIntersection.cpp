#include "LinkIntersection.h"

#include "GraphMath.h"

#include <cmath>
#include <optional>

using GraphMath::Pi;
using GraphMath::RoundHalfEven;

namespace LinkIntersection {

namespace {

constexpr double HalfPi = Pi / 2;

bool IsVertical(double angle)
{
    return std::fabs(angle) == HalfPi;
}

bool IsHorizontal(double angle)
{
    return angle == 0 || std::fabs(angle) == Pi;
}

// The exactly vertical and horizontal directions, common to the
// rectangle-like rules.
QPoint AxisPoint(const TRect &b, int side, double angle)
{
    if (IsVertical(angle)) {
        const int x = RoundHalfEven((b.Left + b.Right) / 2.0);
        const bool top = (side == 1 && angle > 0) || (side == 0 && angle < 0);
        return QPoint(x, top ? b.Top : b.Bottom);
    }
    const int y = RoundHalfEven((b.Top + b.Bottom) / 2.0);
    const bool right = (side == 0 && angle == 0) || (side == 1 && std::fabs(angle) == Pi);
    return QPoint(right ? b.Right : b.Left, y);
}

} // namespace

QPoint Rectangle(const TRect &b, int side, double angle)
{
    if (IsVertical(angle) || IsHorizontal(angle))
        return AxisPoint(b, side, angle);
    const double cx = (b.Left + b.Right) / 2.0;
    const double cy = (b.Top + b.Bottom) / 2.0;
    const double k = std::tan(angle);
    const double m = cy - k * cx;
    const double d = b.Width() <= 0 ? 0 : std::atan2(b.Height() / 2.0, b.Width() / 2.0);
    const double a = std::fabs(angle);
    if ((a <= d && side == 1) || (Pi - a <= d && side == 0))
        return QPoint(b.Left, RoundHalfEven(m + k * b.Left));
    if ((a <= d && side == 0) || (Pi - a <= d && side == 1))
        return QPoint(b.Right, RoundHalfEven(m + k * b.Right));
    if ((side == 1 && angle > 0) || (side == 0 && angle < 0))
        return QPoint(RoundHalfEven((b.Top - m) / k), b.Top);
    return QPoint(RoundHalfEven((b.Bottom - m) / k), b.Bottom);
}

QPoint Ellipse(const TRect &b, int side, double angle)
{
    if (IsVertical(angle) || IsHorizontal(angle))
        return AxisPoint(b, side, angle);
    const double cx = (b.Left + b.Right) / 2.0;
    const double cy = (b.Top + b.Bottom) / 2.0;
    const double a = b.Width() / 2.0;
    const double c = b.Height() / 2.0;
    const double k = std::tan(angle);
    const double o = c * c + a * a * k * k;
    const double t = std::sqrt(a * a * c * c * o) / o;
    const bool ahead = (std::fabs(angle) < HalfPi && side == 0) ||
                       (std::fabs(angle) > HalfPi && side == 1);
    const double u = ahead ? t : -t;
    return QPoint(RoundHalfEven(cx + u), RoundHalfEven(cy + k * u));
}

QPoint RoundRectangle(const TRect &b, const TGraphRegion &region, int side, double angle)
{
    const QPoint p = Rectangle(b, side, angle);
    const TRect box(p.x() - 1, p.y() - 1, p.x() + 1, p.y() + 1);
    if (region.Overlaps(box.ToQRect()) || IsVertical(angle))
        return p;

    // The point lies in a cut-off corner: meet the corner's ellipse instead.
    const int w = b.Width(), h = b.Height();
    int cw, ch;
    if (h < w) {
        cw = w / 4;
        ch = std::min(h, w / 4);
    } else {
        ch = h / 4;
        cw = std::min(w, h / 4);
    }
    const bool s0 = side == 0, s1 = side == 1;
    TRect corner = box;
    if ((0 < angle && angle < HalfPi && s1) || (-Pi < angle && angle < -HalfPi && s0))
        corner = TRect(b.Left, b.Top, b.Left + cw, b.Top + ch);
    else if ((0 < angle && angle < HalfPi && s0) || (-Pi < angle && angle < -HalfPi && s1))
        corner = TRect(b.Right - cw, b.Bottom - ch, b.Right, b.Bottom);
    else if ((-HalfPi < angle && angle < 0 && s1) || (HalfPi < angle && angle < Pi && s0))
        corner = TRect(b.Left, b.Bottom - ch, b.Left + cw, b.Bottom);
    else if ((-HalfPi < angle && angle < 0 && s0) || (HalfPi < angle && angle < Pi && s1))
        corner = TRect(b.Right - cw, b.Top, b.Right, b.Top + ch);

    const double cx = (b.Left + b.Right) / 2.0;
    const double cy = (b.Top + b.Bottom) / 2.0;
    const double k = std::tan(angle);
    const double m = cy - k * cx;
    const double u = (corner.Left + corner.Right) / 2.0;
    const double v = (corner.Top + corner.Bottom) / 2.0;
    const double A = (cw / 2.0) * (cw / 2.0);
    const double C = (ch / 2.0) * (ch / 2.0);
    const double D = k * k * A + C;
    const double beta = A * k * (m - v) - C * u;
    const double gamma = ((m - v) * (m - v) * A + u * u * C - A * C) * D;
    const double E = beta * beta - gamma;
    if (E <= 0 || D == 0)
        return p;
    const bool nearer = (s1 && std::fabs(angle) < HalfPi) || (s0 && std::fabs(angle) > HalfPi);
    const double x = nearer ? (-beta - std::sqrt(E)) / D : (-beta + std::sqrt(E)) / D;
    return QPoint(RoundHalfEven(x), RoundHalfEven(k * x + m));
}

namespace {

// Where the link line meets the edge (from, to), if it does within the
// edge's bounding box.
std::optional<QPoint> Crossing(const QPoint &from, const QPoint &to, const QPoint &c,
                               double angle)
{
    const bool edgeVertical = from.x() == to.x();
    const double e = edgeVertical ? HalfPi : std::atan2(to.y() - from.y(), to.x() - from.x());
    if (e == angle || (IsVertical(angle) && std::fabs(e) == HalfPi))
        return std::nullopt;
    const double k = std::tan(angle);
    const double b1 = c.y() - k * c.x();
    const double ke = std::tan(e);
    const double b2 = from.y() - ke * from.x();
    QPoint x;
    if (edgeVertical) {
        x = QPoint(from.x(), RoundHalfEven(b1 + k * from.x()));
    } else if (IsVertical(angle)) {
        x = QPoint(c.x(), RoundHalfEven(b2 + ke * c.x()));
    } else {
        if (ke == k) // parallel, pointing the other way
            return std::nullopt;
        x = QPoint(RoundHalfEven((b1 - b2) / (ke - k)),
                   RoundHalfEven((ke * b1 - k * b2) / (ke - k)));
    }
    const bool inside = std::min(from.x(), to.x()) <= x.x() && x.x() <= std::max(from.x(), to.x()) &&
                        std::min(from.y(), to.y()) <= x.y() && x.y() <= std::max(from.y(), to.y());
    if (!inside)
        return std::nullopt;
    return x;
}

} // namespace

QPoint Polygon(const QVector<QPoint> &p, const QPoint &centre, int side, double angle)
{
    const int n = int(p.size()) - 1;
    if (n < 1)
        return centre;
    const bool rightOrUp = -HalfPi <= angle && angle < HalfPi;
    const bool forwards = (side == 1) != rightOrUp;
    if (forwards) {
        for (int i = 0; i <= n; ++i)
            if (auto x = Crossing(p[i], p[i == n ? 0 : i + 1], centre, angle))
                return *x;
        return centre;
    }
    if (auto x = Crossing(p[0], p[n], centre, angle); x && *x != p[0])
        return *x;
    for (int i = n; i >= 1; --i)
        if (auto x = Crossing(p[i], p[i - 1], centre, angle))
            return *x;
    return centre;
}

} // namespace LinkIntersection
