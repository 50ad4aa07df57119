#include "RectangularNode.h"

#include "GraphCanvas.h"
#include "LinkIntersection.h"

const TGraphObjectClass TRectangularNode::Class = {
    "TRectangularNode", &TGraphNode::Class, &ConstructGraphObject<TRectangularNode>,
    &TRectangularNode::DrawDraft};
const TGraphObjectClass TIconNode::Class = {"TIconNode", &TRectangularNode::Class,
                                            &ConstructGraphObject<TIconNode>,
                                            &TRectangularNode::DrawDraft};
const TGraphObjectClass TTextNode::Class = {"TTextNode", &TRectangularNode::Class,
                                            &ConstructGraphObject<TTextNode>,
                                            &TRectangularNode::DrawDraft};

void TRectangularNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    GraphCanvas::Rectangle(canvas, rect);
}

TGraphRegion TRectangularNode::CreateRegion() const
{
    const TRect b = GetBoundsRect();
    return TGraphRegion::FromRect(b.Left, b.Top, b.Right, b.Bottom);
}

QPoint TRectangularNode::LinkIntersection(int side, double angle) const
{
    return LinkIntersection::Rectangle(GetBoundsRect(), side, angle);
}

void TRectangularNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
    GraphCanvas::Rectangle(canvas, GetBoundsRect());
}

void TIconNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
}

void TTextNode::DrawBody(QPainter &) {}
