#include "WorkspaceGraph.h"

#include "GraphMath.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

void TWorkspaceGraph::DoObjectRemove(TGraphObject *object)
{
    TGraphControl::DoObjectRemove(object);
    if (OnObjectGone)
        OnObjectGone(this, object);
}

void TWorkspaceGraph::SetPanWithLeft(bool value)
{
    FPanWithLeft = value;
    ShowPanCursor();
}

void TWorkspaceGraph::ShowPanCursor()
{
    if (Panning())
        viewport()->setCursor(Qt::ClosedHandCursor);
    else if (FPanWithLeft)
        viewport()->setCursor(Qt::OpenHandCursor);
    else
        viewport()->unsetCursor();
}

void TWorkspaceGraph::CheckZoom()
{
    if (Zoom() == FReportedZoom)
        return;
    FReportedZoom = Zoom();
    if (OnZoomChange)
        OnZoomChange(this);
}

bool TWorkspaceGraph::ZoomToFit()
{
    TRect frame = MetafileFrame();
    const TRect objects = GraphBounds(false);
    if (frame.Width() <= 0 || frame.Height() <= 0)
        frame = objects;
    else if (objects.Width() > 0 && objects.Height() > 0)
        frame = TRect(std::min(frame.Left, objects.Left), std::min(frame.Top, objects.Top),
                      std::max(frame.Right, objects.Right), std::max(frame.Bottom, objects.Bottom));
    if (frame.Width() <= 0 || frame.Height() <= 0)
        return false;
    ZoomToRect(frame);
    // Show the drawing from its top left corner, not wherever the view was.
    HorzScrollBar().SetPosition(GraphMath::MulDiv(frame.Left, Zoom(), 100));
    VertScrollBar().SetPosition(GraphMath::MulDiv(frame.Top, Zoom(), 100));
    CheckZoom();
    return true;
}

bool TWorkspaceGraph::event(QEvent *event)
{
    // The control's own zoom keys (keypad + and -, also with Ctrl) stay its
    // own: the window's zoom shortcuts must not take them while it has the focus.
    if (event->type() == QEvent::ShortcutOverride && DefaultKeyMap()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & Qt::KeypadModifier) &&
            (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            event->accept();
            return true;
        }
    }
    return TGraphControl::event(event);
}

bool TWorkspaceGraph::StartsPan(const QMouseEvent *event) const
{
    return event->button() == Qt::MiddleButton ||
           (FPanWithLeft && event->button() == Qt::LeftButton);
}

void TWorkspaceGraph::mousePressEvent(QMouseEvent *event)
{
    if (Panning()) {
        event->accept();
        return;
    }
    if (!StartsPan(event)) {
        TGraphControl::mousePressEvent(event);
        return;
    }
    event->accept();
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    FPanButton = event->button();
    FPanStart = event->position().toPoint();
    FPanOrigin = QPoint(HorzScrollBar().Position(), VertScrollBar().Position());
    ShowPanCursor();
}

void TWorkspaceGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (!Panning()) {
        TGraphControl::mouseMoveEvent(event);
        if (FPanWithLeft) // the control shows its own cursors over objects
            ShowPanCursor();
        return;
    }
    event->accept();
    // The drawing follows the pointer, as if held by it.
    const QPoint moved = event->position().toPoint() - FPanStart;
    HorzScrollBar().SetPosition(FPanOrigin.x() - moved.x());
    VertScrollBar().SetPosition(FPanOrigin.y() - moved.y());
}

void TWorkspaceGraph::mouseReleaseEvent(QMouseEvent *event)
{
    if (!Panning()) {
        TGraphControl::mouseReleaseEvent(event); // may zoom to a dragged rectangle
        CheckZoom();
        return;
    }
    event->accept();
    if (event->button() == FPanButton) {
        FPanButton = Qt::NoButton;
        ShowPanCursor();
    }
}

void TWorkspaceGraph::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A quick second press of the panning button pans again; it opens nothing.
    if (Panning() || StartsPan(event)) {
        mousePressEvent(event);
        return;
    }
    TGraphControl::mouseDoubleClickEvent(event);
}

void TWorkspaceGraph::keyPressEvent(QKeyEvent *event)
{
    TGraphControl::keyPressEvent(event);
    CheckZoom();
}

void TWorkspaceGraph::wheelEvent(QWheelEvent *event)
{
    TGraphControl::wheelEvent(event);
    CheckZoom();
}
