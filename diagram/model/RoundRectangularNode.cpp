#include "RoundRectangularNode.h"

#include "GraphCanvas.h"
#include "LinkIntersection.h"

const TGraphObjectClass TRoundRectangularNode::Class = {
    "TRoundRectangularNode", &TGraphNode::Class, &ConstructGraphObject<TRoundRectangularNode>,
    &TRoundRectangularNode::DrawDraft};

void TRoundRectangularNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    const TRect d = rect;
    const int r = CornerSize(d.Width(), d.Height());
    GraphCanvas::RoundRect(canvas, d, r, r);
}

TGraphRegion TRoundRectangularNode::CreateRegion() const
{
    const TRect b = GetBoundsRect();
    const int r = CornerSize(Width(), Height());
    return TGraphRegion::FromRoundRect(b.Left, b.Top, b.Right + 1, b.Bottom + 1, r, r);
}

QPoint TRoundRectangularNode::LinkIntersection(int side, double angle) const
{
    return LinkIntersection::RoundRectangle(GetBoundsRect(), Region(), side, angle);
}

void TRoundRectangularNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
    const int r = CornerSize(Width(), Height());
    GraphCanvas::RoundRect(canvas, GetBoundsRect(), r, r);
}
