#pragma once

#include "GraphNode.h"

// A node drawn as a rectangle over its background picture.
class TRectangularNode : public TGraphNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TRectangularNode(TGraphControl *owner) : TGraphNode(owner) {}

    static void DrawDraft(QPainter &canvas, const TRect &rect);
    TGraphRegion CreateRegion() const override;
    QPoint LinkIntersection(int side, double angle) const override;
    void DrawBody(QPainter &canvas) override;
};

// A symbol: its picture and its code, no frame.
class TIconNode : public TRectangularNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TIconNode(TGraphControl *owner) : TRectangularNode(owner) {}

    void DrawBody(QPainter &canvas) override;
};

// A free text label: no frame, no picture.
class TTextNode : public TRectangularNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TTextNode(TGraphControl *owner) : TRectangularNode(owner) {}

    void DrawBody(QPainter &canvas) override;
};
