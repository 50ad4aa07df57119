#pragma once

#include "GraphNode.h"

// A piece of wire: a horizontal line through the middle of the bounds,
// drawn with the node's pen. Links meet its box, not the line.
class THLineNode : public TGraphNode {
    GRAPH_OBJECT_CLASS
public:
    explicit THLineNode(TGraphControl *owner) : TGraphNode(owner) {}

    static void DrawDraft(QPainter &canvas, const TRect &rect);
    TGraphRegion CreateRegion() const override;
    QPoint LinkIntersection(int side, double angle) const override;
    void DrawBody(QPainter &canvas) override;
};

// A vertical piece of wire.
class TVLineNode : public THLineNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TVLineNode(TGraphControl *owner) : THLineNode(owner) {}

    void DrawBody(QPainter &canvas) override;
};
