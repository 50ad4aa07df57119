#pragma once

#include "GraphNode.h"

// An ellipse inscribed in the node's bounds.
class TEllipticNode : public TGraphNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TEllipticNode(TGraphControl *owner) : TGraphNode(owner) {}

    static void DrawDraft(QPainter &canvas, const TRect &rect);
    TGraphRegion CreateRegion() const override;
    QPoint LinkIntersection(int side, double angle) const override;
    void DrawBody(QPainter &canvas) override;
};
