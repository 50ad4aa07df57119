#include "MetafileWriter.h"

using namespace MetafileRecord;

namespace {

QPolygon RoundPolygon(const QPolygonF &polygon)
{
    QPolygon result;
    result.reserve(polygon.size());
    for (const QPointF &point : polygon)
        result << RoundPoint(point);
    return result;
}

std::vector<QPolygon> RoundPolygons(const std::vector<QPolygonF> &polygons, int minimum)
{
    std::vector<QPolygon> result;
    for (const QPolygonF &polygon : polygons)
        if (polygon.size() >= minimum) result.push_back(RoundPolygon(polygon));
    return result;
}

} // namespace

QByteArray TMetafileWriter::Write(const TRecording &recording)
{
    Begin(recording);
    for (const TOp &op : recording.Ops)
        Play(op);
    EndClip();
    if (SelectStockObjects()) {
        for (THandle handle : {FDc.PenHandle, FDc.BrushHandle, FDc.FontHandle})
            if (handle != 0) DeleteObject(handle);
    }
    return Finish();
}

QByteArray TMetafileWriter::DibPixels(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int stride = (rgb.width() * 3 + 3) & ~3;
    QByteArray pixels(qsizetype(stride) * rgb.height(), '\0');
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar *source = rgb.constScanLine(y);
        char *target = pixels.data() + qsizetype(stride) * (rgb.height() - 1 - y);
        for (int x = 0; x < rgb.width(); ++x) {
            target[3 * x] = char(source[3 * x + 2]);
            target[3 * x + 1] = char(source[3 * x + 1]);
            target[3 * x + 2] = char(source[3 * x]);
        }
    }
    return pixels;
}

void TMetafileWriter::Replace(THandle &selected, THandle created)
{
    SelectObject(created);
    const THandle old = selected;
    selected = created;
    // An object the saved state still holds comes back with RestoreDC and
    // is deleted once it is replaced after that.
    const bool saved = FSaved && (FSaved->PenHandle == old || FSaved->BrushHandle == old ||
                                  FSaved->FontHandle == old);
    if (old != 0 && !saved) DeleteObject(old);
}

void TMetafileWriter::UsePen(const TPenRecord &pen)
{
    if (FDc.Pen == pen) return;
    FDc.Pen = pen;
    Replace(FDc.PenHandle, CreatePen(pen));
}

void TMetafileWriter::UseBrush(const TBrushRecord &brush)
{
    if (FDc.Brush == brush) return;
    FDc.Brush = brush;
    Replace(FDc.BrushHandle, CreateBrush(brush));
}

void TMetafileWriter::UseFont(const TFontRecord &font)
{
    if (FDc.Font == font) return;
    FDc.Font = font;
    Replace(FDc.FontHandle, CreateFont(font));
}

void TMetafileWriter::EndClip()
{
    if (!FSaved) return;
    RestoreDC();
    const TDc inside = FDc;
    FDc = *FSaved;
    FSaved.reset();
    // Objects made while the clip was in force are no longer selected.
    if (inside.PenHandle != FDc.PenHandle && inside.PenHandle != 0) DeleteObject(inside.PenHandle);
    if (inside.BrushHandle != FDc.BrushHandle && inside.BrushHandle != 0)
        DeleteObject(inside.BrushHandle);
    if (inside.FontHandle != FDc.FontHandle && inside.FontHandle != 0)
        DeleteObject(inside.FontHandle);
}

void TMetafileWriter::SetClip(const TOp &op)
{
    EndClip();
    if (op.Clip == TClipKind::None) return;
    SaveDC();
    FSaved = FDc;
    if (op.Clip == TClipKind::Rect)
        ClipRect({Round(op.Rect.left()), Round(op.Rect.top()), Round(op.Rect.right()),
                  Round(op.Rect.bottom())});
    else
        ClipRegion(op.ClipRegion);
}

void TMetafileWriter::Play(const TOp &op)
{
    const auto box = [&op] {
        const QRect r = OutlineBox(op.Rect);
        return TBox{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    };
    switch (op.Kind) {
    case TOpKind::Clip:
        SetClip(op);
        break;
    case TOpKind::Polyline:
        if (const auto polylines = RoundPolygons(op.Polygons, 2); !polylines.empty()) {
            UsePen(op.Pen);
            Polylines(polylines);
        }
        break;
    case TOpKind::Polygon:
        if (const auto polygons = RoundPolygons(op.Polygons, 3); !polygons.empty()) {
            UsePen(op.Pen);
            UseBrush(op.Brush);
            if (FDc.FillRule != op.FillRule) {
                FDc.FillRule = op.FillRule;
                SetFillMode(op.FillRule);
            }
            Polygons(polygons);
        }
        break;
    case TOpKind::Rectangle:
    case TOpKind::Ellipse:
        UsePen(op.Pen);
        UseBrush(op.Brush);
        op.Kind == TOpKind::Rectangle ? Rectangle(box()) : Ellipse(box());
        break;
    case TOpKind::Text:
        UseFont(op.Font);
        if (FDc.TextColor != op.TextColor) {
            FDc.TextColor = op.TextColor;
            SetTextColor(op.TextColor);
        }
        Text(RoundPoint(op.Origin), op);
        break;
    case TOpKind::Image: {
        // Edges round on their own so that pictures side by side still meet.
        const TBox target{Round(op.Rect.left()), Round(op.Rect.top()), Round(op.Rect.right()),
                          Round(op.Rect.bottom())};
        if (target.Right > target.Left && target.Bottom > target.Top && !op.Picture.isNull())
            Image(target, op.Picture);
        break;
    }
    }
}
