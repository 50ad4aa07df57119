#include "EllipticNode.h"

#include "GraphCanvas.h"
#include "LinkIntersection.h"

const TGraphObjectClass TEllipticNode::Class = {"TEllipticNode", &TGraphNode::Class,
                                                &ConstructGraphObject<TEllipticNode>,
                                                &TEllipticNode::DrawDraft};

void TEllipticNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    GraphCanvas::Ellipse(canvas, rect);
}

TGraphRegion TEllipticNode::CreateRegion() const
{
    const TRect b = GetBoundsRect();
    return TGraphRegion::FromEllipse(b.Left, b.Top, b.Right + 1, b.Bottom + 1);
}

QPoint TEllipticNode::LinkIntersection(int side, double angle) const
{
    return LinkIntersection::Ellipse(GetBoundsRect(), side, angle);
}

void TEllipticNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
    GraphCanvas::Ellipse(canvas, GetBoundsRect());
}
