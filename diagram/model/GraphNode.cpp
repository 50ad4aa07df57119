#include "GraphNode.h"

#include "GraphCanvas.h"
#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphMath.h"

#include <QPainter>

using GraphMath::Div;

const TGraphObjectClass TGraphNode::Class = {"TGraphNode", &TGraphObject::Class, nullptr,
                                             nullptr};

TGraphNode::TGraphNode(TGraphControl *owner) : TGraphObject(owner, false)
{
    FMargin = 8;
    FAlignment = taCenter;
    FBackground.SetOnChange([this](TGraphicsObject *) { BackgroundChanged(); });
}

TGraphNode::~TGraphNode()
{
    FBackground.SetOnChange(nullptr);
}

void TGraphNode::SetLeft(int value)
{
    if (State() == osReading)
        FLeft = value;
    else if (value != FLeft)
        SetBounds(value, FTop, FWidth, FHeight);
}

void TGraphNode::SetTop(int value)
{
    if (State() == osReading)
        FTop = value;
    else if (value != FTop)
        SetBounds(FLeft, value, FWidth, FHeight);
}

void TGraphNode::SetWidth(int value)
{
    if (State() == osReading)
        FWidth = value;
    else if (value != FWidth)
        SetBounds(FLeft, FTop, value, FHeight);
}

void TGraphNode::SetHeight(int value)
{
    if (State() == osReading)
        FHeight = value;
    else if (value != FHeight)
        SetBounds(FLeft, FTop, FWidth, value);
}

void TGraphNode::SetAlignment(TAlignment value)
{
    if (FAlignment == value)
        return;
    FAlignment = value;
    UpdateTextLayout(true, 0, 0);
    Changed(true);
}

void TGraphNode::SetMargin(int value)
{
    if (FMargin == value)
        return;
    FMargin = value;
    UpdateTextLayout(true, 0, 0);
    Changed(true);
}

void TGraphNode::SetBackground(const TPicture &picture)
{
    if (&picture != &FBackground)
        FBackground.Assign(picture);
}

void TGraphNode::BackgroundChanged()
{
    Changed(true);
}

void TGraphNode::SetBounds(int left, int top, int width, int height)
{
    bool canMove = true;
    bool canResize = true;
    if (State() != osReading &&
        !Owner()->CanMoveResizeNode(this, left, top, width, height, canMove, canResize))
        return;
    int dx = 0, dy = 0, dw = 0, dh = 0;
    if (canMove) {
        dx = left - FLeft;
        dy = top - FTop;
        FLeft = left;
        FTop = top;
    }
    if (canResize) {
        dw = width - FWidth;
        dh = height - FHeight;
        FWidth = width;
        FHeight = height;
    }
    if (State() == osNone) {
        BoundsChanged(dx, dy, dw, dh);
        Changed(true);
    }
}

void TGraphNode::SetBoundsRect(const TRect &rect)
{
    SetBounds(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

TRect TGraphNode::GetBoundsRect() const
{
    return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight);
}

void TGraphNode::BoundsChanged(int dx, int dy, int dw, int dh)
{
    if (State() != osNone)
        return;
    // The region first: links to shapes with rounded corners route by it.
    FRegion = CreateRegion();
    // Copied: a link may leave the index while it re-routes.
    const std::vector<TGraphLink *> links = Owner()->Index().LinksOf(this);
    for (TGraphLink *link : links)
        link->UpdateEndpoints();
    UpdateTextLayout(dw != 0 || dh != 0, dx, dy);
    Owner()->NodeExtentChanged(this);
}

void TGraphNode::Initialize()
{
    BoundsChanged(FLeft, FTop, FWidth, FHeight);
}

void TGraphNode::UpdateTextLayout(bool full, int dx, int dy)
{
    if (State() != osNone)
        return;
    if (full) {
        FPendingLayout = TPendingLayout{GetTextArea(), TextFormat(), FLeft, FTop};
    } else if (FPendingLayout) {
        FPendingLayout->DX += dx;
        FPendingLayout->DY += dy;
    } else {
        FTextRect = FTextRect.Offset(dx, dy);
    }
}

void TGraphNode::LayOutPendingText() const
{
    if (!FPendingLayout)
        return;
    const TPendingLayout &p = *FPendingLayout;
    FTextRect = LayoutText(&FTextLines, p.Area, p.Format, p.Left, p.Top).Offset(p.DX, p.DY);
    FPendingLayout.reset();
}

const TRect &TGraphNode::TextRect() const
{
    LayOutPendingText();
    return FTextRect;
}

TRect TGraphNode::GetTextArea() const
{
    if (FIsCodeNode)
        return TRect(FMargin, FHeight - 2 * FMargin - Font().Size(), FWidth - FMargin,
                     FHeight - FMargin);
    return TRect(FMargin, FMargin, FWidth - FMargin, FHeight - FMargin);
}

TTextFormat TGraphNode::TextFormat() const
{
    TTextFormat format;
    format.Alignment = FAlignment;
    format.WordBreak = true;
    format.EndEllipsis = true;
    format.EditControl = true;
    format.RightToLeft = Owner()->UseRightToLeftReading();
    return format;
}

TRect TGraphNode::ComputeTextRect() const
{
    return LayoutText(nullptr, GetTextArea(), TextFormat(), FLeft, FTop);
}

TRect TGraphNode::LayoutText(QStringList *lines, const TRect &area, const TTextFormat &format,
                             int left, int top) const
{
    if (lines)
        lines->clear();
    if (Text().isEmpty())
        return TRect();
    const TTextLayout layout(Font(), Text(), area.Width(), format);
    if (lines)
        *lines = layout.Lines();
    TRect r(area.Left, area.Top, area.Left + layout.Width(), area.Top + layout.Height());
    r.Right = std::min(r.Right, area.Right);
    r.Bottom = std::min(r.Bottom, area.Bottom);
    if (r.IsEmpty())
        return r;
    const int dy = top + Div(area.Bottom - r.Bottom, 2);
    int dx = left;
    if (format.Alignment == taRightJustify)
        dx = area.Right - r.Right + left - FMargin;
    else if (format.Alignment == taCenter)
        dx = Div(area.Right - r.Right, 2) + left;
    return r.Offset(dx, dy);
}

QPoint TGraphNode::GetCenter() const
{
    return QPoint(FLeft + Div(FWidth, 2), FTop + Div(FHeight, 2));
}

bool TGraphNode::ContainsPoint(int x, int y) const
{
    return Showing() && FRegion.Contains(x, y);
}

TRect TGraphNode::GetMarkerRect(TGraphMarker marker) const
{
    const TRect b(FLeft + 1, FTop + 1, FLeft + FWidth - 1, FTop + FHeight - 1);
    const int midX = b.Left + Div(b.Right - b.Left, 2);
    const int midY = b.Top + Div(b.Bottom - b.Top, 2);
    QPoint p;
    switch (marker) {
    case mkLeft:
        p = QPoint(b.Left, midY);
        break;
    case mkRight:
        p = QPoint(b.Right, midY);
        break;
    case mkTop:
        p = QPoint(midX, b.Top);
        break;
    case mkBottom:
        p = QPoint(midX, b.Bottom);
        break;
    case mkTopLeft:
        p = QPoint(b.Left, b.Top);
        break;
    case mkTopRight:
        p = QPoint(b.Right, b.Top);
        break;
    case mkBottomLeft:
        p = QPoint(b.Left, b.Bottom);
        break;
    case mkBottomRight:
        p = QPoint(b.Right, b.Bottom);
        break;
    default:
        return TRect();
    }
    const int size = Owner()->MarkerSize();
    return TRect(p.x() - size, p.y() - size, p.x() + size, p.y() + size);
}

namespace {

constexpr TGraphMarker NodeHandles[] = {mkLeft,    mkRight,    mkTop,         mkBottom,
                                        mkTopLeft, mkTopRight, mkBottomLeft, mkBottomRight};

} // namespace

TGraphMarker TGraphNode::HitTest(int x, int y) const
{
    if (!Showing())
        return mkNone;
    if (Selected())
        for (TGraphMarker marker : NodeHandles)
            if (GetMarkerRect(marker).Contains(x, y))
                return marker;
    return ContainsPoint(x, y) ? mkNodeBody : mkNone;
}

void TGraphNode::DrawMarkers(QPainter &canvas)
{
    if (!NeedsPaint(canvas))
        return;
    const int size = Owner()->MarkerSize();
    if (Dragging()) {
        TPen pen;
        pen.SetMode(pmNot);
        pen.SetStyle(psInsideFrame);
        pen.SetWidth(size - 1);
        GraphCanvas::SelectPen(canvas, pen);
        GraphCanvas::ClearBrush(canvas);
        GraphCanvas::Rectangle(canvas, GetBoundsRect().Inflated(size - 1, size - 1));
        return;
    }
    if (Owner()->LockNodes()) {
        TPen pen;
        pen.SetColor(Owner()->MarkerColor());
        pen.SetStyle(psInsideFrame);
        GraphCanvas::SelectPen(canvas, pen);
        GraphCanvas::ClearBrush(canvas);
        for (TGraphMarker marker : NodeHandles)
            GraphCanvas::Rectangle(canvas, GetMarkerRect(marker));
        return;
    }
    for (TGraphMarker marker : NodeHandles)
        GraphCanvas::FillRect(canvas, GetMarkerRect(marker), Owner()->MarkerColor());
}

void TGraphNode::DrawText(QPainter &canvas)
{
    LayOutPendingText();
    if (FTextRect.IsEmpty())
        return;
    FTextRuns.Draw(canvas, Font(), FTextLines, FTextRect.ToQRect(), TextFormat());
}

void TGraphNode::DrawBackground(QPainter &canvas)
{
    if (!FBackground.HasGraphic())
        return;
    const QRect bounds = GetBoundsRect().ToQRect();
    // A rectangle holding the whole picture clips nothing; a clip path
    // would cost the raster engine a pass over every line of the device.
    if (FRegion.GetKind() == TGraphRegion::Rectangle && FRegion.Bounds().contains(bounds)) {
        FBackground.Draw(canvas, bounds, &Owner()->RenderedPictures());
    } else {
        canvas.save();
        canvas.setClipPath(FRegion.ToPath(), Qt::IntersectClip);
        FBackground.Draw(canvas, bounds, &Owner()->RenderedPictures());
        canvas.restore();
    }
    GraphCanvas::ClearBrush(canvas);
}

int TGraphNode::LinkKindTo(const TGraphNode *other) const
{
    if (!other)
        return 0;
    const TGraphObjectList &objects = Owner()->Objects();
    const TGraphLink *first = nullptr;
    for (const TGraphLink *link : Owner()->Index().LinksOf(this)) {
        const bool joins = (link->FromNode() == this && link->ToNode() == other) ||
                           (link->FromNode() == other && link->ToNode() == this);
        if (joins && (!first || objects.Precedes(link, first)))
            first = link;
    }
    if (!first)
        return 0;
    switch (first->Kind()) {
    case lkUndirected:
        return 1;
    case lkDirected:
        return first->FromNode() == other ? 2 : 3;
    case lkBidirected:
        return 4;
    }
    return 0;
}

void TGraphNode::MoveResizeByMarker(TGraphMarker marker, int dx, int dy)
{
    const int w0 = FWidth;
    const int h0 = FHeight;
    switch (marker) {
    case mkNodeBody:
        SetBounds(FLeft + dx, FTop + dy, FWidth, FHeight);
        break;
    case mkRight:
        SetBounds(FLeft, FTop, FWidth + dx, FHeight);
        break;
    case mkBottom:
        SetBounds(FLeft, FTop, FWidth, FHeight + dy);
        break;
    case mkBottomRight:
        SetBounds(FLeft, FTop, FWidth + dx, FHeight + dy);
        break;
    case mkLeft:
        SetBounds(FLeft, FTop, w0 - dx, FHeight);
        SetBounds(FLeft + w0 - FWidth, FTop, FWidth, FHeight);
        break;
    case mkTop:
        SetBounds(FLeft, FTop, FWidth, h0 - dy);
        SetBounds(FLeft, FTop + h0 - FHeight, FWidth, FHeight);
        break;
    case mkTopLeft:
        SetBounds(FLeft, FTop, w0 - dx, h0 - dy);
        SetBounds(FLeft + w0 - FWidth, FTop + h0 - FHeight, FWidth, FHeight);
        break;
    case mkTopRight:
        SetBounds(FLeft, FTop, FWidth + dx, h0 - dy);
        SetBounds(FLeft, FTop + h0 - FHeight, FWidth, FHeight);
        break;
    case mkBottomLeft:
        SetBounds(FLeft, FTop, w0 - dx, FHeight + dy);
        SetBounds(FLeft + w0 - FWidth, FTop, FWidth, FHeight);
        break;
    default:
        break;
    }
}

void TGraphNode::Assign(const TGraphObject *source)
{
    TGraphUpdateGuard batch(Owner());
    if (source && source->IsKindOf(&TGraphNode::Class)) {
        const auto *node = static_cast<const TGraphNode *>(source);
        SetBounds(node->FLeft, node->FTop, node->FWidth, node->FHeight);
        SetBackground(node->FBackground);
        SetAlignment(node->FAlignment);
        SetMargin(node->FMargin);
    }
    TGraphObject::Assign(source);
}
