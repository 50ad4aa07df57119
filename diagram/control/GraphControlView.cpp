#include "GraphControl.h"

#include "GraphCanvas.h"
#include "GraphLink.h"
#include "GraphMath.h"
#include "GraphNode.h"
#include "MetafileCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

// The view: coordinates, zoom, painting and the scroll bars.

using GraphMath::MulDiv;

namespace {

constexpr int MetafileUnitsPerPixel = 16;

} // namespace

QPoint TGraphControl::ClientToGraph(int x, int y) const
{
    return QPoint(MulDiv(x + FHorzScrollBar.Position(), 100, FZoom),
                  MulDiv(y + FVertScrollBar.Position(), 100, FZoom));
}

QPoint TGraphControl::GraphToClient(int x, int y) const
{
    return QPoint(MulDiv(x, FZoom, 100) - FHorzScrollBar.Position(),
                  MulDiv(y, FZoom, 100) - FVertScrollBar.Position());
}

QSize TGraphControl::ClientSize() const
{
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QRect contents = contentsRect();
    return QSize(std::max(contents.width() - (FBarShown[1] ? thickness : 0), 0),
                 std::max(contents.height() - (FBarShown[0] ? thickness : 0), 0));
}

void TGraphControl::UpdateVisibleArea()
{
    const QSize client = ClientSize();
    const QPoint topLeft = ClientToGraph(0, 0);
    const QPoint bottomRight = ClientToGraph(client.width(), client.height());
    FVisibleGraphRect = TRect(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y());
}

TRect TGraphControl::GraphBounds(bool selectedOnly) const
{
    TRect bounds;
    bool any = false;
    const auto add = [&](const TGraphObject *object) {
        if (!object->Visible() || (selectedOnly && !object->Selected()))
            return;
        const TRect r = object->GetBoundsRect();
        if (!any) {
            bounds = r;
            any = true;
        } else {
            bounds = TRect(std::min(bounds.Left, r.Left), std::min(bounds.Top, r.Top),
                           std::max(bounds.Right, r.Right), std::max(bounds.Bottom, r.Bottom));
        }
    };
    (selectedOnly ? FSelectedObjects : FObjects).ForEach(add);
    return bounds;
}

bool TGraphControl::ZoomToRect(const TRect &rect)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    QSize client = ClientSize();
    if (!FVertScrollBar.IsShown())
        client.rwidth() -= thickness;
    if (!FHorzScrollBar.IsShown())
        client.rheight() -= thickness;
    const int a = MulDiv(100, client.width(), rect.Width());
    const int b = MulDiv(100, client.height(), rect.Height());
    SetZoom(std::min(a, b));
    MakeRectVisible(rect);
    return a == FZoom || b == FZoom;
}

// --- Scroll bars ---

void TGraphControl::ShowScrollBar(bool vertical, bool shown)
{
    if (FBarShown[vertical] == shown)
        return;
    FBarShown[vertical] = shown;
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (vertical)
        setVerticalScrollBarPolicy(policy);
    else
        setHorizontalScrollBarPolicy(policy);
}

void TGraphControl::UpdateScrollRanges()
{
    FHorzScrollBar.RecalcExtent();
    FVertScrollBar.RecalcExtent();
}

void TGraphControl::UpdateScrollBars()
{
    if (FScrollBarsUpdating)
        return;
    FScrollBarsUpdating = true;
    if (FVertScrollBar.NeedsBar()) {
        FHorzScrollBar.UpdateBar(false, true);
        FVertScrollBar.UpdateBar(true, false);
    } else {
        FVertScrollBar.UpdateBar(false, FHorzScrollBar.NeedsBar());
        FHorzScrollBar.UpdateBar(true, false);
    }
    FScrollBarsUpdating = false;
    UpdateVisibleArea();
}

void TGraphControl::MakePointVisible(const QPoint &point)
{
    const QSize client = ClientSize();
    const int x = MulDiv(point.x(), FZoom, 100);
    if (FHorzScrollBar.IsShown()) {
        if (x < FHorzScrollBar.Position())
            FHorzScrollBar.SetPosition(x);
        else if (x > FHorzScrollBar.Position() + client.width())
            FHorzScrollBar.SetPosition(x - client.width());
    }
    const int y = MulDiv(point.y(), FZoom, 100);
    if (FVertScrollBar.IsShown()) {
        if (y < FVertScrollBar.Position())
            FVertScrollBar.SetPosition(y);
        else if (y > FVertScrollBar.Position() + client.height())
            FVertScrollBar.SetPosition(y - client.height());
    }
}

void TGraphControl::MakeRectVisible(const TRect &rect)
{
    MakePointVisible(rect.BottomRight());
    MakePointVisible(rect.TopLeft());
}

void TGraphControl::MakeObjectVisible(const TGraphObject *object)
{
    if (object)
        MakeRectVisible(object->GetBoundsRect());
}

void TGraphControl::ConnectScrollBar(bool vertical)
{
    QScrollBar *bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    TGraphScrollBar &settings = vertical ? FVertScrollBar : FHorzScrollBar;
    // The window's bar tracks by default; without Tracking the view follows
    // the thumb only when it is released.
    bar->setTracking(settings.Tracking());
    // Steps and pages go through the settings (smooth scrolling, clamping);
    // the thumb reports its position as the bar's tracking allows.
    connect(bar, &QAbstractSlider::actionTriggered, this, [bar, &settings](int action) {
        int code = -1;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            code = TGraphScrollBar::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            code = TGraphScrollBar::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = TGraphScrollBar::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            code = TGraphScrollBar::PageDown;
            break;
        case QAbstractSlider::SliderToMinimum:
            code = TGraphScrollBar::Top;
            break;
        case QAbstractSlider::SliderToMaximum:
            code = TGraphScrollBar::Bottom;
            break;
        default:
            return;
        }
        bar->setSliderPosition(settings.Position());
        settings.HandleScroll(code, 0);
    });
    connect(bar, &QAbstractSlider::valueChanged, this, [&settings](int value) {
        settings.HandleScroll(TGraphScrollBar::ThumbPosition, value);
    });
}

void TGraphControl::scrollContentsBy(int, int)
{
    // Positions are kept by the scroll bar settings; the view repaints whole.
    viewport()->update();
}

// --- Zoom ---

void TGraphControl::ZoomIn()
{
    SetZoom(FZoom + FZoomStep);
}

void TGraphControl::ZoomOut()
{
    SetZoom(FZoomStep < FZoom ? FZoom - FZoomStep : FZoomMin);
}

void TGraphControl::wheelEvent(QWheelEvent *event)
{
    event->accept();
    FPendingWheelDelta += event->angleDelta().y();
    while (std::abs(FPendingWheelDelta) >= 120) {
        if (FPendingWheelDelta > 0) {
            ZoomIn();
            FPendingWheelDelta -= 120;
        } else {
            ZoomOut();
            FPendingWheelDelta += 120;
        }
    }
}

void TGraphControl::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    FScrollBarsUpdating = true;
    UpdateScrollRanges();
    FScrollBarsUpdating = false;
    if (FHorzScrollBar.Visible() || FVertScrollBar.Visible())
        UpdateScrollBars();
    else
        UpdateVisibleArea();
}

// --- Painting ---

void TGraphControl::paintEvent(QPaintEvent *)
{
    // Only what the window shows is painted off screen, whatever the zoom
    // and scroll position, then shown in one piece.
    const QSize size = viewport()->size();
    if (size.isEmpty())
        return;
    if (FBuffer.size() != size)
        FBuffer = QImage(size, QImage::Format_RGB32);
    {
        QPainter canvas(&FBuffer);
        canvas.translate(-FHorzScrollBar.Position(), -FVertScrollBar.Position());
        canvas.scale(FZoom / 100.0, FZoom / 100.0);
        FWindowCanvas = &canvas;
        PaintBackground(canvas);
        DrawObjects(canvas);
        FWindowCanvas = nullptr;
    }
    QPainter window(viewport());
    window.drawImage(0, 0, FBuffer);
}

void TGraphControl::PaintBackground(QPainter &canvas)
{
    const QRectF clip = canvas.transform().inverted().mapRect(
        QRectF(canvas.viewport().isEmpty() ? QRectF(0, 0, FBuffer.width(), FBuffer.height())
                                           : QRectF(canvas.viewport())));
    canvas.fillRect(clip, GraphColor::ToQColor(FColor));
    if (FShowBackground && FBackground.HasGraphic() && !FBackground.Empty()) {
        if (FBackgroundImage.isNull()) {
            // Shared with the picture when it is already in a fast format,
            // so a large floor plan is held once.
            const QImage image = FBackground.Image();
            const bool fast = image.format() == QImage::Format_RGB32 ||
                              image.format() == QImage::Format_ARGB32_Premultiplied;
            FBackgroundImage =
                fast ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        // Only the part of the floor plan in view is scaled.
        const QRectF source = clip.intersected(QRectF(FBackgroundImage.rect()));
        if (!source.isEmpty()) {
            const QRect pixels = source.toAlignedRect().intersected(FBackgroundImage.rect());
            canvas.drawImage(QRectF(pixels), FBackgroundImage, QRectF(pixels));
        }
    }
    if (FShowGrid)
        PaintGrid(canvas);
}

void TGraphControl::PaintGrid(QPainter &canvas)
{
    const QColor color = GraphColor::ToQColor(GraphColor::ColorToRGB(FGridColor));
    const QTransform transform = canvas.transform();
    const QRectF area = transform.inverted().mapRect(QRectF(canvas.viewport()));
    const int step = FGridSize;
    const int firstX = std::max(0, int(std::floor(area.left() / step)) * step);
    const int firstY = std::max(0, int(std::floor(area.top() / step)) * step);
    // A dot is one device pixel at every zoom: a dot of one diagram unit
    // falls between pixels when zoomed out and grows into a square when
    // zoomed in. Points closer than a pixel share it.
    const auto devicePixels = [](int first, double end, int step, double scale, double offset) {
        std::vector<int> pixels;
        for (int at = first; at < end; at += step) {
            const int pixel = int(std::floor(at * scale + offset));
            if (pixels.empty() || pixel != pixels.back())
                pixels.push_back(pixel);
        }
        return pixels;
    };
    const std::vector<int> xs =
        devicePixels(firstX, area.right(), step, transform.m11(), transform.dx());
    const std::vector<int> ys =
        devicePixels(firstY, area.bottom(), step, transform.m22(), transform.dy());
    QVector<QRect> dots;
    dots.reserve(qsizetype(xs.size() * ys.size()));
    for (int y : ys)
        for (int x : xs)
            dots.append(QRect(x, y, 1, 1));
    canvas.save();
    canvas.resetTransform();
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(color);
    canvas.drawRects(dots);
    canvas.restore();
}

void TGraphControl::DrawObjects(QPainter &canvas)
{
    FObjects.ForEach([&canvas](TGraphObject *object) {
        if (object->IsLink())
            object->Draw(canvas);
    });
    const bool linking = FCommandMode == cmLinkNodes && FLinkSourceNode;
    if (FDragLineVisible && (FDragState == dragLinkPoint || linking) && FNewLinkClass) {
        TPen pen;
        pen.SetMode(pmNot);
        GraphCanvas::SelectPen(canvas, pen);
        FNewLinkClass->DrawDraft(canvas, TRect(FDragSourcePoint.x(), FDragSourcePoint.y(),
                                               FDragTargetPoint.x(), FDragTargetPoint.y()));
        canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    FObjects.ForEach([&canvas](TGraphObject *object) {
        if (!object->IsLink())
            object->Draw(canvas);
    });
    if (FDragLineVisible && linking)
        FLinkSourceNode->DrawMarkers(canvas);
    if (!FHideSelection || hasFocus())
        FSelectedObjects.ForEach([&canvas](TGraphObject *object) { object->DrawMarkers(canvas); });
    if (FDragState == dragSelectRect || FCommandMode == cmInsertNode) {
        GraphCanvas::ClearBrush(canvas);
        TPen pen;
        pen.SetMode(pmNot);
        if (FCommandMode == cmInsertNode) {
            pen.SetStyle(psInsideFrame);
            GraphCanvas::SelectPen(canvas, pen);
            if (FNewNodeClass && FNewNodeClass->DrawDraft && !FDragRect.IsEmpty())
                FNewNodeClass->DrawDraft(canvas, FDragRect);
        } else {
            pen.SetWidth(0);
            pen.SetStyle(psDot);
            GraphCanvas::SelectPen(canvas, pen);
            if (!FDragRect.IsEmpty())
                GraphCanvas::Rectangle(canvas, FDragRect);
        }
        canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

// --- Metafile ---

TRect TGraphControl::MetafileFrame() const
{
    if (FBackground.HasGraphic() && !FBackground.Empty())
        return TRect(0, 0, FBackground.Width(), FBackground.Height());
    return GraphBounds(false);
}

void TGraphControl::DrawDiagram(QPainter &canvas, const TRect &frame)
{
    canvas.save();
    canvas.translate(-frame.Left, -frame.Top);
    if (FBackground.HasGraphic() && !FBackground.Empty())
        FBackground.Draw(canvas, QRect(0, 0, FBackground.Width(), FBackground.Height()));
    FObjects.ForEach([&canvas](TGraphObject *object) {
        if (object->IsLink())
            object->Draw(canvas);
    });
    FObjects.ForEach([&canvas](TGraphObject *object) {
        if (!object->IsLink())
            object->Draw(canvas);
    });
    canvas.restore();
}

std::unique_ptr<TMetafile> TGraphControl::GetAsMetafile()
{
    const TRect frame = MetafileFrame();
    const int width = std::max(frame.Width(), 0), height = std::max(frame.Height(), 0);
    // Units finer than a pixel keep the symbols' own shapes sharp when the
    // picture is shown larger; a Windows metafile's coordinates must still
    // fit in 16 bits.
    const int units = std::clamp(32767 / std::max({width, height, 1}), 1, MetafileUnitsPerPixel);
    auto metafile = std::make_unique<TMetafile>(width, height, units);
    {
        QPainter canvas(metafile->Device());
        DrawDiagram(canvas, frame);
    }
    return metafile;
}

void TGraphControl::SaveAsMetafile(const QString &fileName)
{
    GetAsMetafile()->SaveToFile(fileName);
}
