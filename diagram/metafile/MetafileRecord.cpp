#include "MetafileRecord.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace MetafileRecord {

int Round(double value)
{
    // Halves go to the even neighbour, as everywhere in the diagram geometry.
    return int(std::lrint(std::clamp(value, -1e9, 1e9)));
}

QPoint RoundPoint(const QPointF &point)
{
    return QPoint(Round(point.x()), Round(point.y()));
}

QRect OutlineBox(const QRectF &rect)
{
    const QRectF r = rect.normalized();
    return QRect(QPoint(Round(r.left()), Round(r.top())),
                 QPoint(Round(r.right()), Round(r.bottom())));
}

namespace {

QPen ToPen(const TPenRecord &values)
{
    if (values.Style == TPenStyle::None) return QPen(Qt::NoPen);
    static const Qt::PenStyle Styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    QPen pen(QColor::fromRgb(values.Color), double(values.Width), Styles[int(values.Style)]);
    if (values.Width == 0) pen.setCosmetic(true);
    return pen;
}

QBrush ToBrush(const TBrushRecord &values)
{
    static const Qt::BrushStyle Styles[] = {Qt::NoBrush,      Qt::SolidPattern,    Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return QBrush(QColor::fromRgb(values.Color), Styles[int(values.Style)]);
}

} // namespace

void TRecording::Play(QPainter &painter, const QRectF &target) const
{
    if (Width <= 0 || Height <= 0 || target.isEmpty()) return;
    const double sx = target.width() / UnitWidth(), sy = target.height() / UnitHeight();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(sx, sy);
    painter.setClipRect(QRectF(0, 0, UnitWidth(), UnitHeight()), Qt::IntersectClip);
    // The clip operations replace each other, so each one starts again from
    // the state saved here.
    painter.save();
    for (const TOp &op : Ops) {
        switch (op.Kind) {
        case TOpKind::Clip:
            painter.restore();
            painter.save();
            if (op.Clip == TClipKind::Rect)
                painter.setClipRect(op.Rect, Qt::IntersectClip);
            else if (op.Clip == TClipKind::Region)
                painter.setClipRegion(op.ClipRegion, Qt::IntersectClip);
            break;
        case TOpKind::Polyline:
            painter.setPen(ToPen(op.Pen));
            for (const QPolygonF &polygon : op.Polygons)
                painter.drawPolyline(polygon);
            break;
        case TOpKind::Polygon: {
            QPainterPath path;
            path.setFillRule(op.FillRule);
            for (const QPolygonF &polygon : op.Polygons) {
                path.addPolygon(polygon);
                path.closeSubpath();
            }
            painter.setPen(ToPen(op.Pen));
            painter.setBrush(ToBrush(op.Brush));
            painter.drawPath(path);
            break;
        }
        case TOpKind::Rectangle:
        case TOpKind::Ellipse:
            painter.setPen(ToPen(op.Pen));
            painter.setBrush(ToBrush(op.Brush));
            if (op.Kind == TOpKind::Rectangle)
                painter.drawRect(op.Rect);
            else
                painter.drawEllipse(op.Rect);
            break;
        case TOpKind::Text: {
            QFont font(op.Font.Face);
            font.setPixelSize(std::max(1, op.Font.Height));
            font.setWeight(QFont::Weight(op.Font.Weight));
            font.setItalic(op.Font.Italic);
            font.setUnderline(op.Font.Underline);
            font.setStrikeOut(op.Font.StrikeOut);
            painter.save();
            painter.setFont(font);
            painter.setPen(QColor::fromRgb(op.TextColor));
            painter.translate(op.Origin);
            painter.rotate(-op.Font.Escapement / 10.0);
            painter.drawText(QPointF(0, 0), op.Text);
            painter.restore();
            break;
        }
        case TOpKind::Image:
            painter.drawImage(op.Rect, op.Picture);
            break;
        }
    }
    painter.restore();
    painter.restore();
}

} // namespace MetafileRecord
