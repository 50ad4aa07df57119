#pragma once

#include "GraphColor.h"
#include "GraphGeometry.h"

#include <QPoint>
#include <QVector>

class QPainter;
class TBrush;
class TFont;
class TPen;

// The canvas operations of the platform expressed on a QPainter: selecting
// a pen (with its raster mode), a brush or a font into it.
namespace GraphCanvas {

void SelectPen(QPainter &canvas, const TPen &pen);
void SelectBrush(QPainter &canvas, const TBrush &brush);
void SelectFont(QPainter &canvas, const TFont &font);
// A clear brush: shapes drawn afterwards are outlined, not filled.
void ClearBrush(QPainter &canvas);

// Shapes in the platform's convention: the outline of a rectangle (l, t, r, b)
// covers the units from l to r - 1 and t to b - 1, filled with the brush.
void Rectangle(QPainter &canvas, const TRect &rect);
void RoundRect(QPainter &canvas, const TRect &rect, int cornerWidth, int cornerHeight);
void Ellipse(QPainter &canvas, const TRect &rect);
void Polygon(QPainter &canvas, const QVector<QPoint> &points);
void Polyline(QPainter &canvas, const QVector<QPoint> &points);
void Line(QPainter &canvas, const QPoint &from, const QPoint &to);
void FillRect(QPainter &canvas, const TRect &rect, TColor color);

} // namespace GraphCanvas
