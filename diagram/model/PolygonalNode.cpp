#include "PolygonalNode.h"

#include "GraphCanvas.h"
#include "GraphMath.h"
#include "LinkIntersection.h"

using GraphMath::Div;

const TGraphObjectClass TPolygonalNode::Class = {"TPolygonalNode", &TGraphNode::Class, nullptr,
                                                 nullptr};
const TGraphObjectClass TTriangularNode::Class = {"TTriangularNode", &TPolygonalNode::Class,
                                                  &ConstructGraphObject<TTriangularNode>,
                                                  &TTriangularNode::DrawDraft};
const TGraphObjectClass TRhomboidalNode::Class = {"TRhomboidalNode", &TPolygonalNode::Class,
                                                  &ConstructGraphObject<TRhomboidalNode>,
                                                  &TRhomboidalNode::DrawDraft};
const TGraphObjectClass TPentagonalNode::Class = {"TPentagonalNode", &TPolygonalNode::Class,
                                                  &ConstructGraphObject<TPentagonalNode>,
                                                  &TPentagonalNode::DrawDraft};

void TPolygonalNode::BoundsChanged(int dx, int dy, int dw, int dh)
{
    if (State() != osNone)
        return;
    if (FVertices.isEmpty() || dw != 0 || dh != 0)
        FVertices = DefineVertices(GetBoundsRect());
    else
        for (QPoint &vertex : FVertices)
            vertex += QPoint(dx, dy);
    TGraphNode::BoundsChanged(dx, dy, dw, dh);
}

QPoint TPolygonalNode::GetCenter() const
{
    if (FVertices.isEmpty())
        return TGraphNode::GetCenter();
    qint64 x = 0, y = 0;
    for (const QPoint &vertex : FVertices) {
        x += vertex.x();
        y += vertex.y();
    }
    const qint64 n = FVertices.size();
    return QPoint(int(x / n), int(y / n));
}

TGraphRegion TPolygonalNode::CreateRegion() const
{
    return TGraphRegion::FromPolygon(FVertices, TGraphRegion::Winding);
}

QPoint TPolygonalNode::LinkIntersection(int side, double angle) const
{
    return LinkIntersection::Polygon(FVertices, GetCenter(), side, angle);
}

void TPolygonalNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
    GraphCanvas::Polygon(canvas, FVertices);
}

void TPolygonalNode::DrawDraftOutline(QPainter &canvas, const QVector<QPoint> &corners)
{
    if (corners.isEmpty())
        return;
    QVector<QPoint> outline{corners.first()};
    for (int i = int(corners.size()) - 1; i >= 0; --i)
        outline << corners[i];
    GraphCanvas::Polyline(canvas, outline);
}

TRect TPolygonalNode::ClipTextArea(const TRect &diagramRect) const
{
    return diagramRect.Offset(-Left(), -Top()).Intersected(TGraphNode::GetTextArea());
}

QVector<QPoint> TTriangularNode::Corners(const TRect &r)
{
    const int mx = Div(r.Left + r.Right, 2);
    return {QPoint(mx, r.Top), QPoint(r.Right, r.Bottom), QPoint(r.Left, r.Bottom)};
}

void TTriangularNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    DrawDraftOutline(canvas, Corners(rect));
}

TRect TTriangularNode::GetTextArea() const
{
    const QVector<QPoint> &p = Vertices();
    if (p.size() != 3)
        return TGraphNode::GetTextArea();
    return ClipTextArea(TRect(Div(p[0].x() + p[2].x(), 2), Div(p[0].y() + p[2].y(), 2),
                              Div(p[0].x() + p[1].x(), 2), p[1].y()));
}

QVector<QPoint> TRhomboidalNode::Corners(const TRect &r)
{
    const int mx = Div(r.Left + r.Right, 2);
    const int my = Div(r.Top + r.Bottom, 2);
    return {QPoint(mx, r.Top), QPoint(r.Right, my), QPoint(mx, r.Bottom), QPoint(r.Left, my)};
}

void TRhomboidalNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    DrawDraftOutline(canvas, Corners(rect));
}

TRect TRhomboidalNode::GetTextArea() const
{
    const QVector<QPoint> &p = Vertices();
    if (p.size() != 4)
        return TGraphNode::GetTextArea();
    return ClipTextArea(TRect(Div(p[0].x() + p[3].x(), 2), Div(p[0].y() + p[3].y(), 2),
                              Div(p[1].x() + p[2].x(), 2), Div(p[1].y() + p[2].y(), 2)));
}

QVector<QPoint> TPentagonalNode::Corners(const TRect &r)
{
    const int mx = Div(r.Left + r.Right, 2);
    const int my = Div(r.Top + r.Bottom, 2);
    const int q = Div(r.Right - r.Left, 4);
    return {QPoint(mx, r.Top), QPoint(r.Right, my), QPoint(r.Right - q, r.Bottom),
            QPoint(r.Left + q, r.Bottom), QPoint(r.Left, my)};
}

void TPentagonalNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    DrawDraftOutline(canvas, Corners(rect));
}

TRect TPentagonalNode::GetTextArea() const
{
    const QVector<QPoint> &p = Vertices();
    if (p.size() != 5)
        return TGraphNode::GetTextArea();
    return ClipTextArea(TRect(p[3].x(), Div(p[0].y() + p[4].y(), 2), p[2].x(), p[2].y()));
}
