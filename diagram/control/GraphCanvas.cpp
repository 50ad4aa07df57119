#include "GraphCanvas.h"

#include "GraphBrush.h"
#include "GraphFont.h"
#include "GraphPen.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace GraphCanvas {

namespace {

QPainter::CompositionMode CompositionFor(TPenMode mode)
{
    switch (mode) {
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmNop:
        return QPainter::CompositionMode_Destination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// Raster operations exist only on raster devices; elsewhere draw plainly.
bool SupportsRasterOps(const QPainter &canvas)
{
    const QPaintEngine *engine = canvas.paintEngine();
    return engine && engine->hasFeature(QPaintEngine::RasterOpModes);
}

} // namespace

void SelectPen(QPainter &canvas, const TPen &pen)
{
    QPen qpen = pen.ToQPen();
    if (pen.Mode() == pmBlack)
        qpen.setColor(Qt::black);
    else if (pen.Mode() == pmWhite)
        qpen.setColor(Qt::white);
    canvas.setPen(qpen);
    if (SupportsRasterOps(canvas))
        canvas.setCompositionMode(CompositionFor(pen.Mode()));
}

void SelectBrush(QPainter &canvas, const TBrush &brush)
{
    canvas.setBrush(brush.ToQBrush());
}

void SelectFont(QPainter &canvas, const TFont &font)
{
    canvas.setFont(font.ToQFont());
    QPen pen = canvas.pen();
    pen.setColor(GraphColor::ToQColor(font.Color()));
    if (pen.style() == Qt::NoPen)
        pen.setStyle(Qt::SolidLine);
    canvas.setPen(pen);
}

void ClearBrush(QPainter &canvas)
{
    canvas.setBrush(Qt::NoBrush);
}

namespace {

// The outline's centre line lies half a pen width inside the rectangle.
QRectF StrokeRect(const QPainter &canvas, const TRect &rect)
{
    const QPen pen = canvas.pen();
    const double half = pen.style() == Qt::NoPen ? 0.0 : std::max(pen.widthF(), 1.0) / 2;
    return QRectF(rect.Left + half, rect.Top + half, rect.Width() - 2 * half,
                  rect.Height() - 2 * half);
}

QPointF Centre(const QPoint &point)
{
    return QPointF(point.x() + 0.5, point.y() + 0.5);
}

} // namespace

void Rectangle(QPainter &canvas, const TRect &rect)
{
    canvas.drawRect(StrokeRect(canvas, rect));
}

void RoundRect(QPainter &canvas, const TRect &rect, int cornerWidth, int cornerHeight)
{
    canvas.drawRoundedRect(StrokeRect(canvas, rect), cornerWidth / 2.0, cornerHeight / 2.0);
}

void Ellipse(QPainter &canvas, const TRect &rect)
{
    canvas.drawEllipse(StrokeRect(canvas, rect));
}

void Polygon(QPainter &canvas, const QVector<QPoint> &points)
{
    QPolygonF polygon;
    for (const QPoint &p : points)
        polygon << Centre(p);
    canvas.drawPolygon(polygon, Qt::OddEvenFill);
}

void Polyline(QPainter &canvas, const QVector<QPoint> &points)
{
    QPolygonF polygon;
    for (const QPoint &p : points)
        polygon << Centre(p);
    canvas.drawPolyline(polygon);
}

void Line(QPainter &canvas, const QPoint &from, const QPoint &to)
{
    QPointF a = Centre(from), b = Centre(to);
    // A thin line covers its first unit and stops before its last, as the
    // platform's line drawing does. Qt's aliased thin line between two unit
    // centres covers the end with the larger coordinates and skips the other,
    // whatever the direction; moved back by half a unit along itself, it
    // covers the start and skips the end.
    const QPen pen = canvas.pen();
    if (pen.widthF() <= 1 && from != to) {
        QPointF step = b - a;
        step /= 2 * std::hypot(step.x(), step.y());
        a -= step;
        b -= step;
    }
    canvas.drawLine(a, b);
}

void FillRect(QPainter &canvas, const TRect &rect, TColor color)
{
    canvas.fillRect(rect.ToQRect(), GraphColor::ToQColor(color));
}

} // namespace GraphCanvas
