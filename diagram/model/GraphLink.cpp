#include "GraphLink.h"

#include "GraphCanvas.h"
#include "GraphControl.h"
#include "GraphMath.h"
#include "GraphNode.h"
#include "TextLayout.h"

#include <QPainter>
#include <cmath>

using GraphMath::Div;
using GraphMath::Pi;
using GraphMath::RoundHalfEven;

const TGraphObjectClass TGraphLink::Class = {"TGraphLink", &TGraphObject::Class,
                                             &ConstructGraphObject<TGraphLink>,
                                             &TGraphLink::DrawDraft};

TGraphLink::TGraphLink(TGraphControl *owner) : TGraphObject(owner, true)
{
    FKind = lkUndirected;
    FArrowSize = 4;
    Pen().SetColor(clRed);
}

void TGraphLink::SetEnds(TGraphNode *fromNode, TGraphNode *toNode, uint32_t fromID,
                         uint32_t toID)
{
    Owner()->LinkEndsChanging(this);
    FFromNode = fromNode;
    FToNode = toNode;
    FFromNodeID = fromID;
    FToNodeID = toID;
    Owner()->LinkEndsChanged(this);
}

void TGraphLink::SetFromNode(TGraphNode *node)
{
    if (!node || node == FFromNode || node == FToNode)
        return;
    SetEnds(node, FToNode, node->ID(), FToNodeID);
    Changed(true);
}

void TGraphLink::SetToNode(TGraphNode *node)
{
    if (!node || node == FFromNode || node == FToNode)
        return;
    SetEnds(FFromNode, node, FFromNodeID, node->ID());
    Changed(true);
}

void TGraphLink::SetFromNodeID(uint32_t id)
{
    if (id != FFromNodeID)
        SetEnds(FFromNode, FToNode, id, FToNodeID);
}

void TGraphLink::SetToNodeID(uint32_t id)
{
    if (id != FToNodeID)
        SetEnds(FFromNode, FToNode, FFromNodeID, id);
}

void TGraphLink::Reverse()
{
    SetEnds(FToNode, FFromNode, FToNodeID, FFromNodeID);
    Changed(true);
}

void TGraphLink::SetKind(TLinkKind value)
{
    if (FKind == value)
        return;
    FKind = value;
    Changed(true);
}

void TGraphLink::SetArrowSize(TArrowSize value)
{
    value = std::clamp(value, ArrowSizeMin, ArrowSizeMax);
    if (FArrowSize == value)
        return;
    FArrowSize = value;
    Changed(true);
}

void TGraphLink::Changed(bool contentChanged)
{
    if (contentChanged && State() == osNone)
        UpdateEndpoints();
    TGraphObject::Changed(contentChanged);
}

void TGraphLink::Initialize()
{
    UpdateEndpoints();
}

void TGraphLink::UpdateEndpoints()
{
    if (!FFromNode || !FToNode || State() != osNone)
        return;
    FStartPoint = FFromNode->GetCenter();
    FEndPoint = FToNode->GetCenter();
    if (FStartPoint.x() == FEndPoint.x())
        FAngle = FStartPoint.y() < FEndPoint.y() ? Pi / 2 : -Pi / 2;
    else
        FAngle = std::atan2(FEndPoint.y() - FStartPoint.y(), FEndPoint.x() - FStartPoint.x());
    FStartPoint = FFromNode->LinkIntersection(0, FAngle);
    FEndPoint = FToNode->LinkIntersection(1, FAngle);
    UpdateTextLayout(true, 0, 0);
}

void TGraphLink::UpdateTextLayout(bool full, int dx, int dy)
{
    if (State() != osNone)
        return;
    if (full) {
        FTextRegion = CreateTextRegion();
    } else if (!FTextRegion.IsEmpty()) {
        FTextRegion = FTextRegion.Translated(dx, dy);
        FTextPosition += QPoint(dx, dy);
    }
}

TGraphRegion TGraphLink::CreateTextRegion()
{
    FTextLine.clear();
    if (Text().isEmpty() || !FFromNode || !FToNode)
        return TGraphRegion();
    const int a = 4 * std::max(Pen().Width(), Owner()->MarkerSize());
    const double dx = FEndPoint.x() - FStartPoint.x();
    const double dy = FEndPoint.y() - FStartPoint.y();
    const int len = int(std::sqrt(dx * dx + dy * dy));
    if (len <= 3 * a)
        return TGraphRegion();

    // One line, shortened with an ellipsis to what the line leaves room for.
    QString text = Text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    TTextFormat format;
    format.EndEllipsis = true;
    format.EditControl = true;
    format.RightToLeft = Owner()->UseRightToLeftReading();
    const TTextLayout layout(Font(), text, len - 3 * a, format);
    FTextLine = layout.Lines().value(0);
    TRect r(0, 0, layout.Width(), layout.Height());

    FTextPosition = QPoint(Div(FStartPoint.x() + FEndPoint.x(), 2),
                           Div(FStartPoint.y() + FEndPoint.y(), 2));
    r = r.Offset(FTextPosition.x() - Div(r.Right, 2), FTextPosition.y() - r.Bottom);

    const double phi = std::fabs(FAngle) <= Pi / 2 ? FAngle : FAngle - Pi;
    const double c = std::cos(phi), s = std::sin(phi);
    const int px = FTextPosition.x(), py = FTextPosition.y();
    QVector<QPoint> corners;
    for (const QPoint &p : {QPoint(r.Left, r.Top), QPoint(r.Right, r.Top),
                            QPoint(r.Right, r.Bottom), QPoint(r.Left, r.Bottom)})
        corners << QPoint(RoundHalfEven(c * (p.x() - px) - s * (p.y() - py)) + px,
                          RoundHalfEven(s * (p.x() - px) + c * (p.y() - py)) + py);
    return TGraphRegion::FromPolygon(corners, TGraphRegion::Alternate);
}

TRect TGraphLink::GetBoundsRect() const
{
    return TRect::Normalized(FStartPoint, FEndPoint);
}

void TGraphLink::SetBoundsRect(const TRect &) {}

TRect TGraphLink::GetMarkerRect(TGraphMarker marker) const
{
    const int size = Owner()->MarkerSize();
    QPoint p;
    if (marker == mkLinkFrom && FFromNode)
        p = FStartPoint;
    else if (marker == mkLinkTo && FToNode)
        p = FEndPoint;
    else
        return TRect();
    return TRect(p.x() - size, p.y() - size, p.x() + size, p.y() + size);
}

TGraphMarker TGraphLink::HitTest(int x, int y) const
{
    if (!Showing())
        return mkNone;
    if (Selected()) {
        if (GetMarkerRect(mkLinkFrom).Contains(x, y))
            return mkLinkFrom;
        if (GetMarkerRect(mkLinkTo).Contains(x, y))
            return mkLinkTo;
    }
    return ContainsPoint(x, y) ? mkLinkLine : mkNone;
}

bool TGraphLink::ContainsPoint(int x, int y) const
{
    if (!Showing() || !FFromNode || !FToNode)
        return false;
    if (FTextRegion.Contains(x, y))
        return true;
    const int w = Pen().Width() + Owner()->MarkerSize();
    if (DistanceToLine(FStartPoint, FEndPoint, QPoint(x, y)) > w)
        return false;
    return GetBoundsRect().Inflated(Div(w, 2), Div(w, 2)).Contains(x, y);
}

int TGraphLink::DistanceToLine(const QPoint &s, const QPoint &e, const QPoint &p)
{
    if (s.x() == e.x())
        return std::abs(p.x() - s.x());
    if (s.y() == e.y())
        return std::abs(p.y() - s.y());
    const double m = double(e.y() - s.y()) / double(e.x() - s.x());
    const int fx = RoundHalfEven((m * s.x() + (p.y() - s.y()) + p.x() / m) / (m + 1 / m));
    const int fy = RoundHalfEven(m * (fx - s.x()) + s.y());
    const double ddx = p.x() - fx, ddy = p.y() - fy;
    return RoundHalfEven(std::sqrt(ddx * ddx + ddy * ddy));
}

QPoint TGraphLink::BackPoint(const QPoint &p, double d, double phi)
{
    if (std::fabs(phi) == Pi / 2)
        return phi > 0 ? QPoint(p.x(), RoundHalfEven(p.y() - d))
                       : QPoint(p.x(), RoundHalfEven(p.y() + d));
    const double k = std::tan(phi);
    const double step = d / std::sqrt(k * k + 1);
    const double x = std::fabs(phi) < Pi / 2 ? p.x() - step : p.x() + step;
    const double y = k * (x - p.x()) + p.y();
    return QPoint(RoundHalfEven(x), RoundHalfEven(y));
}

int TGraphLink::LabelEscapement(double angle)
{
    if (std::fabs(angle) <= Pi / 2)
        return RoundHalfEven(-1800 * angle / Pi);
    return RoundHalfEven(-1800 * (angle - Pi) / Pi);
}

void TGraphLink::Draw(QPainter &canvas)
{
    if (!Dragging())
        TGraphObject::Draw(canvas);
}

void TGraphLink::DrawBody(QPainter &canvas)
{
    QPen pen = canvas.pen();
    pen.setWidth(2);
    canvas.setPen(pen);
    GraphCanvas::Line(canvas, FStartPoint, FEndPoint);
    pen.setWidth(1);
    canvas.setPen(pen);
    if (FKind != lkUndirected)
        DrawArrow(canvas, FEndPoint, FArrowSize);
    if (FKind == lkBidirected)
        DrawArrow(canvas, FStartPoint, -int(FArrowSize));
}

void TGraphLink::DrawArrow(QPainter &canvas, const QPoint &tip, int size)
{
    const int len = size * std::max(Pen().Width(), Owner()->MarkerSize());
    const QVector<QPoint> corners = {
        tip,
        BackPoint(tip, len, FAngle + Pi / 6),
        BackPoint(tip, RoundHalfEven(len * 2.0 / 3.0), FAngle),
        BackPoint(tip, len, FAngle - Pi / 6),
    };
    GraphCanvas::Polygon(canvas, corners);
}

void TGraphLink::DrawText(QPainter &canvas)
{
    if (FTextLine.isEmpty())
        return;
    const int width = TTextLayout::TextWidth(Font(), FTextLine);
    const int descent = TTextLayout::LineHeightOf(Font()) - TTextLayout::AscentOf(Font());
    canvas.save();
    canvas.translate(FTextPosition.x(), FTextPosition.y());
    canvas.rotate(-LabelEscapement(FAngle) / 10.0);
    canvas.setLayoutDirection(Owner()->UseRightToLeftReading() ? Qt::RightToLeft
                                                               : Qt::LeftToRight);
    canvas.drawText(QPoint(-Div(width, 2), -descent), FTextLine);
    canvas.restore();
}

void TGraphLink::DrawMarkers(QPainter &canvas)
{
    if (Dragging() || !NeedsPaint(canvas))
        return;
    GraphCanvas::FillRect(canvas, GetMarkerRect(mkLinkFrom), Owner()->MarkerColor());
    GraphCanvas::FillRect(canvas, GetMarkerRect(mkLinkTo), Owner()->MarkerColor());
}

void TGraphLink::DrawDraft(QPainter &canvas, const TRect &rect)
{
    GraphCanvas::Line(canvas, QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom));
}

void TGraphLink::Assign(const TGraphObject *source)
{
    TGraphUpdateGuard batch(Owner());
    if (source && source->IsLink()) {
        const auto *link = static_cast<const TGraphLink *>(source);
        SetEnds(FFromNode, FToNode, link->FFromNodeID, link->FToNodeID);
    }
    TGraphObject::Assign(source);
}

void TGraphLink::RemapStoredReferences(int firstIndex)
{
    TGraphControl *owner = Owner();
    if (TGraphObject *from = owner->ObjectByStoredID(firstIndex, FFromNodeID, &TGraphNode::Class))
        SetFromNodeID(from->ID());
    if (TGraphObject *to = owner->ObjectByStoredID(firstIndex, FToNodeID, &TGraphNode::Class))
        SetToNodeID(to->ID());
}

bool TGraphLink::ResolveReferences()
{
    auto *from = static_cast<TGraphNode *>(Owner()->ObjectByID(FFromNodeID, &TGraphNode::Class));
    auto *to = static_cast<TGraphNode *>(Owner()->ObjectByID(FToNodeID, &TGraphNode::Class));
    if (!Owner()->CanLink(this, from, to))
        return false;
    if (from != FFromNode || to != FToNode) {
        SetEnds(from, to, FFromNodeID, FToNodeID);
        UpdateEndpoints();
    }
    return true;
}

bool TGraphLink::ReplaceReference(TGraphObject *oldObject, TGraphObject *newObject)
{
    if (oldObject == FFromNode)
        SetFromNodeID(newObject ? newObject->ID() : 0);
    if (oldObject == FToNode)
        SetToNodeID(newObject ? newObject->ID() : 0);
    return ResolveReferences();
}
