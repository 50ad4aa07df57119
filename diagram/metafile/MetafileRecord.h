#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <vector>

class QPainter;

// The drawing operations of a metafile in a neutral form: device units (96
// dpi pixels or a fixed fraction of them) and GDI-like styles. Painting records them once; the
// enhanced and Windows metafile writers and the replay on a painter all read the same list.
namespace MetafileRecord {

enum class TPenStyle { Solid, Dash, Dot, DashDot, DashDotDot, None };
enum class TBrushStyle {
    None,
    Solid,
    Horizontal,
    Vertical,
    FDiagonal,
    BDiagonal,
    Cross,
    DiagCross
};

struct TPenRecord {
    TPenStyle Style = TPenStyle::Solid;
    QRgb Color = qRgb(0, 0, 0);
    int Width = 1; // device pixels; 0 is one pixel whatever the scale
    bool operator==(const TPenRecord &) const = default;
};

struct TBrushRecord {
    TBrushStyle Style = TBrushStyle::Solid;
    QRgb Color = qRgb(255, 255, 255);
    bool operator==(const TBrushRecord &) const = default;
};

struct TFontRecord {
    QString Face;
    int Height = 12; // character (em) height in device pixels
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Escapement = 0;   // tenths of a degree, counter-clockwise, 0..3599
    bool Chinese = false; // the text needs the GB2312 character set
    bool operator==(const TFontRecord &) const = default;
};

enum class TOpKind {
    Polyline,  // every polygon an open polyline; the pen only
    Polygon,   // the polygons filled together with FillRule, then outlined
    Rectangle, // Rect, pen and brush
    Ellipse,   // the ellipse inside Rect, pen and brush
    Text,      // Text at the baseline point Origin
    Image,     // Picture stretched into Rect
    Clip,      // from here on: no clip, ClipRect, or ClipRegion
};

enum class TClipKind { None, Rect, Region };

struct TOp {
    TOpKind Kind = TOpKind::Polyline;
    TPenRecord Pen;
    TBrushRecord Brush;
    Qt::FillRule FillRule = Qt::OddEvenFill;
    std::vector<QPolygonF> Polygons;
    QRectF Rect;
    // Text
    TFontRecord Font;
    QRgb TextColor = qRgb(0, 0, 0);
    QPointF Origin;
    QString Text;
    std::vector<int> Advances; // per UTF-16 unit, device pixels
    // Image: an opaque 24-bit picture
    QImage Picture;
    // Clip
    TClipKind Clip = TClipKind::None;
    QRegion ClipRegion;
};

// The recorded picture: its size in pixels, the device units each pixel is
// divided into, and its operations, in those units, in drawing order. Units
// finer than a pixel keep a small picture's shapes sharp when it is drawn
// larger than its own size.
struct TRecording {
    int Width = 0;
    int Height = 0;
    int UnitsPerPixel = 1;
    std::vector<TOp> Ops;

    int UnitWidth() const { return Width * UnitsPerPixel; }
    int UnitHeight() const { return Height * UnitsPerPixel; }

    // Plays the operations on a painter, the picture's (0, 0, Width, Height)
    // mapped onto the target.
    void Play(QPainter &painter, const QRectF &target) const;
};

// Rounds a device coordinate the way the metafile writers do.
int Round(double value);
QPoint RoundPoint(const QPointF &point);
// The GDI box of a rectangle: the outline's far edges are drawn inside the
// box, so they are one pixel further than the painter's.
QRect OutlineBox(const QRectF &rect);

} // namespace MetafileRecord
