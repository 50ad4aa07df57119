#pragma once

#include "GraphNode.h"

// A rectangle with rounded corners; the corner ellipse is a quarter of the
// larger side.
class TRoundRectangularNode : public TGraphNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TRoundRectangularNode(TGraphControl *owner) : TGraphNode(owner) {}

    static void DrawDraft(QPainter &canvas, const TRect &rect);
    TGraphRegion CreateRegion() const override;
    QPoint LinkIntersection(int side, double angle) const override;
    void DrawBody(QPainter &canvas) override;

    // Side of the corner ellipse for a rectangle of this size.
    static int CornerSize(int width, int height) { return std::max(width, height) / 4; }
};
