#pragma once

#include "MetafileRecord.h"

#include <QBrush>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

// Turns painter calls into metafile operations in device pixels. It claims
// every feature so that the painter hands over shapes, text and pictures as
// they are (with the world transform) instead of rasterising them: a metafile
// keeps text as text.
class TMetafilePaintEngine : public QPaintEngine {
public:
    explicit TMetafilePaintEngine(MetafileRecord::TRecording &recording);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    Type type() const override { return Type(int(User) + 0x4D46); }

    void drawRects(const QRectF *rects, int rectCount) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawEllipse(const QRectF &rect) override;
    void drawPath(const QPainterPath &path) override;
    void drawPoints(const QPointF *points, int pointCount) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override;
    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override;
    void drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap, const QPointF &offset) override;
    void drawTextItem(const QPointF &origin, const QTextItem &item) override;

private:
    bool AxisAligned() const;
    double Scale() const;
    MetafileRecord::TPenRecord RecordedPen() const;
    MetafileRecord::TBrushRecord RecordedBrush() const;
    void Add(MetafileRecord::TOp op);
    void AddFill(std::vector<QPolygonF> polygons, Qt::FillRule rule, bool outline);
    void AddOutline(std::vector<QPolygonF> polylines);
    void SetClip(const QPainterPath &devicePath, Qt::ClipOperation operation);
    void FlushClip();

    MetafileRecord::TRecording &FRecording;
    QPen FPen;
    QBrush FBrush;
    // The painter's transform followed by the pixel-to-unit scale.
    QTransform FTransform;
    QTransform FUnits;
    // The clip in device pixels, and whether it differs from the last one
    // written to the recording.
    QPainterPath FClip;
    bool FClipped = false;
    bool FClipDirty = false;
    MetafileRecord::TOp FWrittenClip; // its Clip, Rect and ClipRegion
    // The painter draws underline and strike-out strokes itself right after
    // the text; the font record carries them already.
    int FDecorationsToSkip = 0;
};
