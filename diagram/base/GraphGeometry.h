#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>

// A rectangle as the diagram computes with it: four edges, the left and top
// ones inside, the right and bottom ones outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom)
    {
    }

    // The rectangle between two corners given in any order.
    static constexpr TRect Normalized(const QPoint &a, const QPoint &b)
    {
        return TRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
                     std::max(a.y(), b.y()));
    }
    static TRect FromQRect(const QRect &r)
    {
        return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr QPoint TopLeft() const { return QPoint(Left, Top); }
    constexpr QPoint BottomRight() const { return QPoint(Right, Bottom); }

    constexpr bool Contains(int x, int y) const
    {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    constexpr bool Intersects(const TRect &o) const
    {
        return !IsEmpty() && !o.IsEmpty() && Left < o.Right && o.Left < Right && Top < o.Bottom &&
               o.Top < Bottom;
    }
    constexpr TRect Intersected(const TRect &o) const
    {
        TRect r(std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
                std::min(Bottom, o.Bottom));
        return r.IsEmpty() ? TRect() : r;
    }
    // Union of two rectangles; an empty one adds nothing.
    constexpr TRect United(const TRect &o) const
    {
        if (o.IsEmpty())
            return *this;
        if (IsEmpty())
            return o;
        return TRect(std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right),
                     std::max(Bottom, o.Bottom));
    }
    constexpr TRect Inflated(int dx, int dy) const
    {
        return TRect(Left - dx, Top - dy, Right + dx, Bottom + dy);
    }
    constexpr TRect Offset(int dx, int dy) const
    {
        return TRect(Left + dx, Top + dy, Right + dx, Bottom + dy);
    }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }

    constexpr bool operator==(const TRect &) const = default;
};
