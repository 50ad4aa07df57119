#include "LineNode.h"

#include "GraphCanvas.h"
#include "GraphMath.h"
#include "LinkIntersection.h"

using GraphMath::Div;

const TGraphObjectClass THLineNode::Class = {"THLineNode", &TGraphNode::Class,
                                             &ConstructGraphObject<THLineNode>,
                                             &THLineNode::DrawDraft};
const TGraphObjectClass TVLineNode::Class = {"TVLineNode", &THLineNode::Class,
                                             &ConstructGraphObject<TVLineNode>,
                                             &THLineNode::DrawDraft};

void THLineNode::DrawDraft(QPainter &canvas, const TRect &rect)
{
    GraphCanvas::Rectangle(canvas, rect);
}

TGraphRegion THLineNode::CreateRegion() const
{
    const TRect b = GetBoundsRect();
    return TGraphRegion::FromRect(b.Left, b.Top, b.Right, b.Bottom);
}

QPoint THLineNode::LinkIntersection(int side, double angle) const
{
    return LinkIntersection::Rectangle(GetBoundsRect(), side, angle);
}

void THLineNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
    const int y = Top() + Div(Height(), 2);
    GraphCanvas::Line(canvas, QPoint(Left(), y), QPoint(Left() + Width(), y));
}

void TVLineNode::DrawBody(QPainter &canvas)
{
    DrawBackground(canvas);
    const int x = Left() + Div(Width(), 2);
    GraphCanvas::Line(canvas, QPoint(x, Top()), QPoint(x, Top() + Height()));
}
