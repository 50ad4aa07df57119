#include "MetafilePaintEngine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QTextItem>
#include <cmath>
#include <numbers>

using namespace MetafileRecord;

namespace {

// A colour for a brush GDI cannot express: the first stop of a gradient,
// the mean colour of a texture.
QColor PlainColor(const QBrush &brush)
{
    if (const QGradient *gradient = brush.gradient(); gradient && !gradient->stops().isEmpty())
        return gradient->stops().first().second;
    if (brush.style() == Qt::TexturePattern && !brush.textureImage().isNull())
        return brush.textureImage()
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0);
    return brush.color();
}

bool IsAxisAlignedRect(const QPolygonF &polygon, QRectF &rect)
{
    if (polygon.size() < 4 || polygon.size() > 5) return false;
    rect = polygon.boundingRect();
    for (const QPointF &point : polygon)
        if ((point.x() != rect.left() && point.x() != rect.right()) ||
            (point.y() != rect.top() && point.y() != rect.bottom()))
            return false;
    return true;
}

// Metafiles are opaque 24-bit pictures; transparent pixels show white, the
// colour of the paper the report is printed on.
QImage OpaqueImage(const QImage &image)
{
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB888);
    QImage opaque(image.size(), QImage::Format_RGB888);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

} // namespace

TMetafilePaintEngine::TMetafilePaintEngine(TRecording &recording)
    : QPaintEngine(AllFeatures), FRecording(recording)
{
}

bool TMetafilePaintEngine::begin(QPaintDevice *)
{
    FPen = QPen();
    FBrush = QBrush();
    FUnits = QTransform::fromScale(FRecording.UnitsPerPixel, FRecording.UnitsPerPixel);
    FTransform = FUnits;
    FClip = QPainterPath();
    FClipped = false;
    FClipDirty = true; // a clip left by an earlier painter ends here
    FDecorationsToSkip = 0;
    setActive(true);
    return true;
}

bool TMetafilePaintEngine::end()
{
    setActive(false);
    return true;
}

void TMetafilePaintEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen) FPen = state.pen();
    if (flags & DirtyBrush) FBrush = state.brush();
    if (flags & DirtyTransform)
        FTransform = state.transform() * FUnits;
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        SetClip((state.transform() * FUnits).map(path), state.clipOperation());
    }
    if (flags & DirtyClipPath)
        SetClip((state.transform() * FUnits).map(state.clipPath()), state.clipOperation());
    if (flags & DirtyClipEnabled) {
        if (!state.isClipEnabled()) FClipped = false;
        FClipDirty = true;
    }
}

void TMetafilePaintEngine::SetClip(const QPainterPath &devicePath, Qt::ClipOperation operation)
{
    if (operation == Qt::NoClip) {
        FClipped = false;
    } else {
        FClip =
            operation == Qt::IntersectClip && FClipped ? FClip.intersected(devicePath) : devicePath;
        FClipped = true;
    }
    FClipDirty = true;
}

void TMetafilePaintEngine::FlushClip()
{
    if (!FClipDirty) return;
    FClipDirty = false;
    TOp op;
    op.Kind = TOpKind::Clip;
    if (FClipped) {
        const QPolygonF polygon = FClip.toFillPolygon();
        if (IsAxisAlignedRect(polygon, op.Rect)) {
            op.Clip = TClipKind::Rect;
        } else {
            op.Clip = TClipKind::Region;
            op.ClipRegion = QRegion(polygon.toPolygon(), FClip.fillRule());
            op.Rect = op.ClipRegion.boundingRect();
        }
    }
    // Repeating the clip in force would only lengthen the file.
    if (op.Clip == FWrittenClip.Clip && op.Rect == FWrittenClip.Rect &&
        op.ClipRegion == FWrittenClip.ClipRegion)
        return;
    FWrittenClip = op;
    FRecording.Ops.push_back(std::move(op));
}

void TMetafilePaintEngine::Add(TOp op)
{
    FDecorationsToSkip = 0;
    FlushClip();
    FRecording.Ops.push_back(std::move(op));
}

bool TMetafilePaintEngine::AxisAligned() const
{
    return FTransform.type() <= QTransform::TxScale;
}

double TMetafilePaintEngine::Scale() const
{
    return std::sqrt(
        std::abs(FTransform.m11() * FTransform.m22() - FTransform.m12() * FTransform.m21()));
}

TPenRecord TMetafilePaintEngine::RecordedPen() const
{
    TPenRecord values;
    const QColor color = FPen.brush().gradient() ? PlainColor(FPen.brush()) : FPen.color();
    if (FPen.style() == Qt::NoPen || FPen.brush().style() == Qt::NoBrush || color.alpha() == 0) {
        values.Style = TPenStyle::None;
        return values;
    }
    switch (FPen.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine:
        values.Style = TPenStyle::Dash;
        break;
    case Qt::DotLine:
        values.Style = TPenStyle::Dot;
        break;
    case Qt::DashDotLine:
        values.Style = TPenStyle::DashDot;
        break;
    case Qt::DashDotDotLine:
        values.Style = TPenStyle::DashDotDot;
        break;
    default:
        values.Style = TPenStyle::Solid;
        break;
    }
    values.Color = color.rgb();
    // A cosmetic width is in pixels whatever the painter's transform.
    const double width =
        FPen.isCosmetic() ? FPen.widthF() * FRecording.UnitsPerPixel : FPen.widthF() * Scale();
    values.Width = FPen.widthF() == 0 ? 0 : std::max(0, Round(width));
    return values;
}

TBrushRecord TMetafilePaintEngine::RecordedBrush() const
{
    TBrushRecord values;
    const QColor color = PlainColor(FBrush);
    values.Color = color.rgb();
    switch (FBrush.style()) {
    case Qt::NoBrush:
        values.Style = TBrushStyle::None;
        break;
    case Qt::HorPattern:
        values.Style = TBrushStyle::Horizontal;
        break;
    case Qt::VerPattern:
        values.Style = TBrushStyle::Vertical;
        break;
    case Qt::FDiagPattern:
        values.Style = TBrushStyle::FDiagonal;
        break;
    case Qt::BDiagPattern:
        values.Style = TBrushStyle::BDiagonal;
        break;
    case Qt::CrossPattern:
        values.Style = TBrushStyle::Cross;
        break;
    case Qt::DiagCrossPattern:
        values.Style = TBrushStyle::DiagCross;
        break;
    default:
        values.Style = TBrushStyle::Solid;
        break;
    }
    if (color.alpha() == 0) values.Style = TBrushStyle::None;
    return values;
}

void TMetafilePaintEngine::AddFill(std::vector<QPolygonF> polygons, Qt::FillRule rule, bool outline)
{
    TOp op;
    op.Kind = TOpKind::Polygon;
    op.Pen = RecordedPen();
    if (!outline) op.Pen.Style = TPenStyle::None;
    op.Brush = RecordedBrush();
    if (op.Pen.Style == TPenStyle::None && op.Brush.Style == TBrushStyle::None) return;
    op.FillRule = rule;
    op.Polygons = std::move(polygons);
    Add(std::move(op));
}

void TMetafilePaintEngine::AddOutline(std::vector<QPolygonF> polylines)
{
    TOp op;
    op.Kind = TOpKind::Polyline;
    op.Pen = RecordedPen();
    if (op.Pen.Style == TPenStyle::None || polylines.empty()) return;
    op.Polygons = std::move(polylines);
    Add(std::move(op));
}

void TMetafilePaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        if (!AxisAligned()) {
            AddFill({FTransform.map(QPolygonF(rects[i]))}, Qt::OddEvenFill, true);
            continue;
        }
        TOp op;
        op.Kind = TOpKind::Rectangle;
        op.Pen = RecordedPen();
        op.Brush = RecordedBrush();
        op.Rect = FTransform.mapRect(rects[i].normalized());
        if (op.Pen.Style != TPenStyle::None || op.Brush.Style != TBrushStyle::None)
            Add(std::move(op));
    }
}

void TMetafilePaintEngine::drawLines(const QLineF *lines, int lineCount)
{
    if (FDecorationsToSkip > 0) {
        FDecorationsToSkip = std::max(0, FDecorationsToSkip - lineCount);
        return;
    }
    std::vector<QPolygonF> polylines;
    for (int i = 0; i < lineCount; ++i)
        polylines.push_back(
            QPolygonF{FTransform.map(lines[i].p1()), FTransform.map(lines[i].p2())});
    AddOutline(std::move(polylines));
}

void TMetafilePaintEngine::drawEllipse(const QRectF &rect)
{
    if (!AxisAligned()) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    TOp op;
    op.Kind = TOpKind::Ellipse;
    op.Pen = RecordedPen();
    op.Brush = RecordedBrush();
    op.Rect = FTransform.mapRect(rect.normalized());
    if (op.Pen.Style != TPenStyle::None || op.Brush.Style != TBrushStyle::None) Add(std::move(op));
}

void TMetafilePaintEngine::drawPath(const QPainterPath &path)
{
    if (path.isEmpty()) return;
    const QList<QPolygonF> subpaths = path.toSubpathPolygons(FTransform);
    std::vector<QPolygonF> polygons(subpaths.begin(), subpaths.end());
    const bool fill = RecordedBrush().Style != TBrushStyle::None;
    const bool stroke = RecordedPen().Style != TPenStyle::None;
    const bool allClosed = std::all_of(polygons.begin(), polygons.end(),
                                       [](const QPolygonF &p) { return p.isClosed(); });
    // Closed outlines are drawn by the polygon record itself; open ones
    // need polylines on top of the fill.
    if (fill) AddFill(polygons, path.fillRule(), stroke && allClosed);
    if (stroke && (!fill || !allClosed)) AddOutline(std::move(polygons));
}

void TMetafilePaintEngine::drawPoints(const QPointF *points, int pointCount)
{
    std::vector<QPolygonF> dots;
    for (int i = 0; i < pointCount; ++i) {
        const QPointF at = FTransform.map(points[i]);
        dots.push_back(QPolygonF{at, at + QPointF(1, 0)});
    }
    AddOutline(std::move(dots));
}

void TMetafilePaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount < 2) return;
    const QPolygonF polygon =
        FTransform.map(QPolygonF(QList<QPointF>(points, points + pointCount)));
    if (mode == PolylineMode)
        AddOutline({polygon});
    else
        AddFill({polygon}, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill, true);
}

void TMetafilePaintEngine::drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                                     Qt::ImageConversionFlags)
{
    const QRect part = source.toAlignedRect() & image.rect();
    if (part.isEmpty() || rect.isEmpty()) return;
    TOp op;
    op.Kind = TOpKind::Image;
    // A turned picture keeps its bounding box: GDI stretches only upright.
    op.Rect = FTransform.mapRect(rect.normalized());
    op.Picture = OpaqueImage(part == image.rect() ? image : image.copy(part));
    Add(std::move(op));
}

void TMetafilePaintEngine::drawPixmap(const QRectF &rect, const QPixmap &pixmap,
                                      const QRectF &source)
{
    drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
}

void TMetafilePaintEngine::drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap,
                                           const QPointF &offset)
{
    const QSize size = rect.size().toSize();
    if (size.isEmpty() || pixmap.isNull()) return;
    QImage tiled(size, QImage::Format_ARGB32_Premultiplied);
    tiled.fill(Qt::transparent);
    QPainter painter(&tiled);
    painter.drawTiledPixmap(QRectF(QPointF(0, 0), QSizeF(size)), pixmap, offset);
    painter.end();
    drawImage(rect, tiled, tiled.rect(), Qt::AutoColor);
}

void TMetafilePaintEngine::drawTextItem(const QPointF &origin, const QTextItem &item)
{
    const QString text = item.text();
    if (text.isEmpty()) return;
    const QFont font = item.font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    const double vertical = std::hypot(FTransform.m21(), FTransform.m22());
    const double horizontal = std::hypot(FTransform.m11(), FTransform.m12());

    TOp op;
    op.Kind = TOpKind::Text;
    op.Origin = FTransform.map(origin);
    op.Text = text;
    op.TextColor = FPen.color().rgb();
    op.Font.Face = font.family();
    op.Font.Height = std::max(1, Round(pixels * vertical));
    op.Font.Weight = std::clamp(int(font.weight()), 100, 900);
    op.Font.Italic = font.italic();
    // GDI fonts have no overline; then the painter's own strokes draw all
    // the lines and the font carries none.
    const bool overline = font.overline();
    op.Font.Underline = font.underline() && !overline;
    op.Font.StrikeOut = font.strikeOut() && !overline;
    // The painter turns clockwise for positive angles, GDI counter-clockwise.
    const double degrees = -std::atan2(FTransform.m12(), FTransform.m11()) * 180 / std::numbers::pi;
    op.Font.Escapement = ((Round(degrees * 10) % 3600) + 3600) % 3600;
    op.Font.Chinese =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7F; });

    // Character advances as laid out here, so the metafile keeps the width
    // even where its reader substitutes the font.
    QFont measured = font;
    measured.setPixelSize(std::max(1, Round(pixels)));
    const QFontMetricsF metrics(measured);
    double total = 0;
    int placed = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        total += metrics.horizontalAdvance(text.mid(i, pair ? 2 : 1)) * horizontal;
        const int next = Round(total);
        op.Advances.push_back(next - placed);
        placed = next;
        if (pair) {
            op.Advances.push_back(0);
            ++i;
        }
    }
    // A laid-out line draws all its runs first and their strokes after.
    const int decorations = FDecorationsToSkip + int(op.Font.Underline) + int(op.Font.StrikeOut);
    Add(std::move(op));
    FDecorationsToSkip = decorations;
}
