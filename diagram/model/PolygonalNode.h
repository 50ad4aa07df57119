#pragma once

#include "GraphNode.h"

#include <QVector>

// A node whose outline is a polygon defined by its class inside the bounds.
// Links aim at the average of the corners.
class TPolygonalNode : public TGraphNode {
public:
    static const TGraphObjectClass Class;
    TGraphObjectClassRef ClassType() const override { return &Class; }

    const QVector<QPoint> &Vertices() const { return FVertices; }

    void BoundsChanged(int dx, int dy, int dw, int dh) override;
    QPoint GetCenter() const override;
    TGraphRegion CreateRegion() const override;
    QPoint LinkIntersection(int side, double angle) const override;
    void DrawBody(QPainter &canvas) override;
    // The corners of this class's polygon inside a rectangle, clockwise from the top.
    virtual QVector<QPoint> DefineVertices(const TRect &rect) const = 0;

protected:
    explicit TPolygonalNode(TGraphControl *owner) : TGraphNode(owner) {}
    // The polygon's outline for a rubber shape: first corner, then the
    // others in reverse order back to the first.
    static void DrawDraftOutline(QPainter &canvas, const QVector<QPoint> &corners);
    // A text rectangle built in diagram coordinates, made relative to the
    // node and clipped to the common text area.
    TRect ClipTextArea(const TRect &diagramRect) const;

private:
    QVector<QPoint> FVertices;
};

class TTriangularNode : public TPolygonalNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TTriangularNode(TGraphControl *owner) : TPolygonalNode(owner) {}

    static QVector<QPoint> Corners(const TRect &rect);
    static void DrawDraft(QPainter &canvas, const TRect &rect);
    QVector<QPoint> DefineVertices(const TRect &rect) const override { return Corners(rect); }
    TRect GetTextArea() const override;
};

class TRhomboidalNode : public TPolygonalNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TRhomboidalNode(TGraphControl *owner) : TPolygonalNode(owner) {}

    static QVector<QPoint> Corners(const TRect &rect);
    static void DrawDraft(QPainter &canvas, const TRect &rect);
    QVector<QPoint> DefineVertices(const TRect &rect) const override { return Corners(rect); }
    TRect GetTextArea() const override;
};

class TPentagonalNode : public TPolygonalNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TPentagonalNode(TGraphControl *owner) : TPolygonalNode(owner) {}

    static QVector<QPoint> Corners(const TRect &rect);
    static void DrawDraft(QPainter &canvas, const TRect &rect);
    QVector<QPoint> DefineVertices(const TRect &rect) const override { return Corners(rect); }
    TRect GetTextArea() const override;
};
