#include "GraphControl.h"

#include "GraphCursors.h"
#include "GraphLink.h"
#include "GraphNode.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

// Editing with the mouse and the keyboard: command modes, hit tests, the
// drags that move, resize, re-attach and select, and the keyboard table.

std::pair<TGraphObject *, TGraphMarker> TGraphControl::ObjectAndMarkerAt(int x, int y) const
{
    std::pair<TGraphObject *, TGraphMarker> found{nullptr, mkNone};
    for (int i = FObjects.Count() - 1; i >= 0; --i) {
        TGraphObject *object = FObjects[i];
        const TGraphMarker marker = object->HitTest(x, y);
        if (marker == mkNone)
            continue;
        // A handle of a selected object wins over any body above it.
        if (marker != mkNodeBody && marker != mkLinkLine && object->Selected())
            return {object, marker};
        if (!found.first)
            found = {object, marker};
    }
    return found;
}

QPoint TGraphControl::SnapPoint(const QPoint &point, Qt::KeyboardModifiers modifiers) const
{
    if (!FSnapToGrid || (modifiers & Qt::ControlModifier))
        return point;
    return QPoint(FGridSize * (point.x() / FGridSize), FGridSize * (point.y() / FGridSize));
}

QCursor TGraphControl::GraphCursor(int number)
{
    return GraphCursors::Cursor(number);
}

void TGraphControl::SetCursorFor(TGraphMarker marker)
{
    QCursor cursor(Qt::ArrowCursor);
    switch (marker) {
    case mkLeft:
    case mkRight:
        cursor = QCursor(Qt::SizeHorCursor);
        break;
    case mkTop:
    case mkBottom:
        cursor = QCursor(Qt::SizeVerCursor);
        break;
    case mkTopLeft:
    case mkBottomRight:
        cursor = QCursor(Qt::SizeFDiagCursor);
        break;
    case mkTopRight:
    case mkBottomLeft:
        cursor = QCursor(Qt::SizeBDiagCursor);
        break;
    case mkNodeBody:
        cursor = GraphCursor(GraphCursors::HandFlat);
        break;
    case mkLinkFrom:
    case mkLinkTo:
        cursor = GraphCursor(GraphCursors::CrossHair2);
        break;
    case mkLinkLine:
        cursor = GraphCursor(GraphCursors::HandPoint);
        break;
    default:
        break;
    }
    viewport()->setCursor(cursor);
}

// --- Mouse ---

void TGraphControl::mousePressEvent(QMouseEvent *event)
{
    PressAt(event, false);
}

void TGraphControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the left button's double click opens things: a quick second
    // right or middle click is just another press.
    if (event->button() == Qt::LeftButton) {
        if (FSelectedObjects.Count() > 0)
            DoObjectDblClick(FSelectedObjects.First());
        else if (OnDblClick)
            OnDblClick(this);
    }
    PressAt(event, true);
}

void TGraphControl::PressAt(QMouseEvent *event, bool doubleClick)
{
    const QPoint p = ClientToGraph(event->position().toPoint());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool left = event->button() == Qt::LeftButton;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool plainLeft = left && !doubleClick;
    FDoubleClickPress = doubleClick;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    SetDragState(dragNone);

    switch (FCommandMode) {
    case cmEdit: {
        std::tie(FHitObject, FHitMarker) = ObjectAndMarkerAt(p.x(), p.y());
        if (!FHitObject) {
            if (!(left && shift))
                FSelectedObjects.Clear();
            if (!plainLeft)
                return;
            FDragSourcePoint = p;
            SetDragState(dragSelectRect);
            return;
        }
        if (left && shift) {
            FHitObject->SetSelected(!FHitObject->Selected());
        } else if (!shift && !FHitObject->Selected()) {
            FSelectedObjects.Clear();
            FHitObject->SetSelected(true);
        }
        if (FHitObject->IsLink()) {
            auto *link = static_cast<TGraphLink *>(FHitObject);
            if (!plainLeft || (FHitMarker != mkLinkFrom && FHitMarker != mkLinkTo))
                return;
            TGraphNode *fixed = FHitMarker == mkLinkTo ? link->FromNode() : link->ToNode();
            FDragSourcePoint = fixed ? fixed->GetCenter() : p;
            FDragTargetPoint = p;
            SetDragState(dragLinkPoint);
            FDragLineVisible = true;
            return;
        }
        if (!plainLeft)
            return;
        FDragSourcePoint = SnapPoint(p, modifiers);
        if (FLockNodes)
            return;
        SetDragState(dragMoveResize);
        if (FHitMarker == mkNodeBody)
            viewport()->setCursor(GraphCursor(GraphCursors::HandGrab));
        return;
    }
    case cmInsertNode:
        if (plainLeft) {
            FDragSourcePoint = SnapPoint(p, modifiers);
            return;
        }
        SetCommandMode(cmEdit);
        return;
    case cmLinkNodes: {
        FLinkSourceNode = static_cast<TGraphNode *>(FindObjectAt(p.x(), p.y(), &TGraphNode::Class));
        if (plainLeft && FLinkSourceNode && DoCanLinkNodes(FLinkSourceNode, nullptr)) {
            FLinkSourceNode->SetDragging(true);
            FDragSourcePoint = FLinkSourceNode->GetCenter();
            FDragTargetPoint = p;
            FDragLineVisible = true;
            return;
        }
        SetCommandMode(cmEdit);
        return;
    }
    case cmBrowse:
        if (OnMouseDown)
            OnMouseDown(this, event);
        return;
    }
}

void TGraphControl::mouseMoveEvent(QMouseEvent *event)
{
    MoveTo(event);
}

void TGraphControl::MoveTo(QMouseEvent *event)
{
    const QPoint p = ClientToGraph(event->position().toPoint());
    if (p == FDragSourcePoint)
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool leftHeld = event->buttons() & Qt::LeftButton;

    switch (FDragState) {
    case dragMoveResize: {
        const QPoint target = SnapPoint(p, modifiers);
        int dx = target.x() - FDragSourcePoint.x();
        int dy = target.y() - FDragSourcePoint.y();
        FDragSourcePoint = target;
        if (FFreezeTopLeft) {
            const TRect bounds = GraphBounds(true);
            const int m = FHitMarker;
            if (bounds.Left + dx < 0 && (m == 1 || m == 5 || m == 7 || m == 9))
                dx = -bounds.Left;
            if (bounds.Top + dy < 0 && (m == 3 || m == 5 || m == 6 || m == 9))
                dy = -bounds.Top;
        }
        if (dx == 0 && dy == 0)
            return;
        const std::vector<TGraphObject *> selected = FSelectedObjects.Snapshot();
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            if (!(*it)->IsLink() && FObjects.Contains(*it))
                static_cast<TGraphNode *>(*it)->MoveResizeByMarker(FHitMarker, dx, dy);
        return;
    }
    case dragSelectRect:
        FDragTargetPoint = p;
        FDragRect = TRect::Normalized(FDragSourcePoint, FDragTargetPoint);
        MakePointVisible(p);
        Invalidate();
        return;
    case dragLinkPoint: {
        auto *node = static_cast<TGraphNode *>(FindObjectAt(p.x(), p.y(), &TGraphNode::Class));
        auto *link = static_cast<TGraphLink *>(FHitObject);
        bool ok = false;
        if (link && FHitMarker == mkLinkFrom && CanLink(link, node, link->ToNode()))
            ok = DoCanLinkNodes(node, link->ToNode());
        else if (link && FHitMarker == mkLinkTo && CanLink(link, link->FromNode(), node))
            ok = DoCanLinkNodes(link->FromNode(), node);
        FDragTargetPoint = p;
        FDragRect = TRect::Normalized(FDragSourcePoint, FDragTargetPoint);
        UpdateScrollRanges();
        Invalidate();
        viewport()->setCursor(ok && node ? Qt::DragLinkCursor : Qt::ForbiddenCursor);
        return;
    }
    case dragNone:
        break;
    }

    switch (FCommandMode) {
    case cmInsertNode:
        viewport()->setCursor(GraphCursor(GraphCursors::CrossHair1));
        if (!leftHeld || FDoubleClickPress)
            return;
        FDragTargetPoint = SnapPoint(p, modifiers);
        FDragRect = TRect::Normalized(FDragSourcePoint, FDragTargetPoint);
        UpdateScrollRanges();
        Invalidate();
        return;
    case cmLinkNodes: {
        auto *node = static_cast<TGraphNode *>(FindObjectAt(p.x(), p.y(), &TGraphNode::Class));
        bool ok = false;
        if (node && !FDoubleClickPress) {
            if (!leftHeld)
                ok = DoCanLinkNodes(node, nullptr);
            else if (CanLink(nullptr, FLinkSourceNode, node))
                ok = DoCanLinkNodes(FLinkSourceNode, node);
        }
        bool dropAllowed = ok;
        if (FLinkSourceNode) {
            FDragTargetPoint = p;
            FDragRect = TRect::Normalized(FDragSourcePoint, FDragTargetPoint);
            UpdateScrollRanges();
            Invalidate();
            dropAllowed = (ok && node) || (node && node == FLinkSourceNode);
        }
        viewport()->setCursor(dropAllowed ? Qt::DragLinkCursor : Qt::ForbiddenCursor);
        return;
    }
    case cmEdit:
    case cmBrowse:
        if (event->buttons() != Qt::NoButton)
            return;
        std::tie(FHitObject, FHitMarker) = ObjectAndMarkerAt(p.x(), p.y());
        if (!FHitObject || FCommandMode == cmBrowse || (FLockNodes && !FHitObject->IsLink()))
            SetCursorFor(mkNone);
        else
            SetCursorFor(FHitMarker);
        if (OnMouseMove)
            OnMouseMove(this, event);
        return;
    }
}

void TGraphControl::mouseReleaseEvent(QMouseEvent *event)
{
    ReleaseAt(event);
    FDoubleClickPress = false;
}

void TGraphControl::ReleaseAt(QMouseEvent *event)
{
    FDragLineVisible = false;
    const QPoint p = ClientToGraph(event->position().toPoint());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool left = event->button() == Qt::LeftButton;
    const bool shift = modifiers & Qt::ShiftModifier;

    switch (FCommandMode) {
    case cmEdit:
        if (FDragState == dragSelectRect) {
            if (modifiers & Qt::AltModifier)
                ZoomToRect(FDragRect);
            else
                SelectByRect(FDragRect, shift);
        } else if (FDragState == dragMoveResize) {
            if (FHitMarker == mkNodeBody)
                viewport()->setCursor(GraphCursor(GraphCursors::HandFlat));
        } else if (FDragState == dragLinkPoint && FHitObject && FHitObject->IsLink()) {
            auto *node = static_cast<TGraphNode *>(FindObjectAt(p.x(), p.y(), &TGraphNode::Class));
            auto *link = static_cast<TGraphLink *>(FHitObject);
            if (FHitMarker == mkLinkFrom && CanLink(link, node, link->ToNode()) &&
                DoCanLinkNodes(node, link->ToNode()))
                link->SetFromNode(node);
            else if (FHitMarker == mkLinkTo && CanLink(link, link->FromNode(), node) &&
                     DoCanLinkNodes(link->FromNode(), node))
                link->SetToNode(node);
        }
        SetDragState(dragNone);
        SetCursorFor(FHitMarker);
        return;
    case cmInsertNode:
        if (left && !FDoubleClickPress && !FDragRect.IsEmpty()) {
            const TGraphEdit edit(this, QStringLiteral("插入"));
            InsertNode(FDragRect, FNewNodeClass);
        }
        SetCommandMode(cmEdit);
        if (shift)
            SetCommandMode(cmInsertNode);
        return;
    case cmLinkNodes: {
        auto *node = static_cast<TGraphNode *>(FindObjectAt(p.x(), p.y(), &TGraphNode::Class));
        if (node && FLinkSourceNode && DoCanLinkNodes(FLinkSourceNode, node)) {
            const TGraphEdit edit(this, QStringLiteral("连接"));
            LinkNodes(FLinkSourceNode, node, FNewLinkClass);
        }
        SetCommandMode(cmEdit);
        if (shift)
            SetCommandMode(cmLinkNodes);
        return;
    }
    case cmBrowse:
        if (OnMouseUp)
            OnMouseUp(this, event);
        return;
    }
}

void TGraphControl::SelectByRect(const TRect &rect, bool keep)
{
    if (!keep)
        FSelectedObjects.Clear();
    for (int i = FObjects.Count() - 1; i >= 0; --i) {
        TGraphObject *object = FObjects[i];
        if (!object->IsLink() && object->GetBoundsRect().Intersects(rect))
            object->SetSelected(!object->Selected());
    }
}

bool TGraphControl::SelectNextObject(bool backward, TGraphObjectClassRef cls)
{
    if (FObjects.IsEmpty())
        return false;
    int current = -1;
    for (TGraphObject *object : FSelectedObjects.Snapshot())
        if (object->IsKindOf(cls)) {
            current = object->ZOrder();
            break;
        }
    TGraphObject *next = FindNextObject(current, false, cls, true, backward);
    if (!next && current >= 0)
        next = FObjects[current];
    FSelectedObjects.Clear();
    if (!next)
        return false;
    next->SetSelected(true);
    MakeObjectVisible(next);
    return true;
}

// --- Keyboard ---

// Everything the event loop hands the control passes here and through
// viewportEvent: nothing the model raises may unwind into Qt.
bool TGraphControl::event(QEvent *event)
{
    try {
        return HandleEvent(event);
    } catch (const std::exception &error) {
        AbandonEvent(event, QString::fromUtf8(error.what()));
    } catch (...) {
        AbandonEvent(event, QStringLiteral("Unknown error"));
    }
    return true;
}

bool TGraphControl::viewportEvent(QEvent *event)
{
    try {
        return HandleViewportEvent(event);
    } catch (const std::exception &error) {
        AbandonEvent(event, QString::fromUtf8(error.what()));
    } catch (...) {
        AbandonEvent(event, QStringLiteral("Unknown error"));
    }
    return true;
}

void TGraphControl::AbandonEvent(QEvent *event, const QString &message)
{
    if (QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
    SetDragState(dragNone);
    TEventErrorReport::THandler handler;
    if (OnError)
        handler = [this](const QString &text) { OnError(this, text); };
    FErrorReport.Report(event, message, handler);
}

bool TGraphControl::HandleEvent(QEvent *event)
{
    // With the control's own keyboard commands Tab and Shift+Tab select the
    // next and previous object; they do not move the focus to another widget.
    if (event->type() == QEvent::KeyPress && FDefaultKeyMap) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TGraphControl::keyPressEvent(QKeyEvent *event)
{
    if (FDefaultKeyMap && HandleKey(event)) {
        event->accept();
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, event);
    QAbstractScrollArea::keyPressEvent(event);
}

void TGraphControl::DeleteSelection()
{
    while (!FSelectedObjects.IsEmpty())
        FSelectedObjects.First()->Free();
}

void TGraphControl::MoveResizeByKey(int key, Qt::KeyboardModifiers modifiers)
{
    const int step = (modifiers & Qt::ControlModifier) ? 1 : FGridSize;
    const bool resize = modifiers & Qt::ShiftModifier;
    for (TGraphObject *object : FSelectedObjects.Snapshot()) {
        if (object->IsLink() || !FObjects.Contains(object))
            continue;
        auto *node = static_cast<TGraphNode *>(object);
        switch (key) {
        case Qt::Key_Left:
            resize ? node->SetWidth(node->Width() - step) : node->SetLeft(node->Left() - step);
            break;
        case Qt::Key_Right:
            resize ? node->SetWidth(node->Width() + step) : node->SetLeft(node->Left() + step);
            break;
        case Qt::Key_Up:
            resize ? node->SetHeight(node->Height() - step) : node->SetTop(node->Top() - step);
            break;
        case Qt::Key_Down:
            resize ? node->SetHeight(node->Height() + step) : node->SetTop(node->Top() + step);
            break;
        default:
            break;
        }
    }
}

bool TGraphControl::HandleKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool keypad = modifiers & Qt::KeypadModifier;
    const bool editing = FCommandMode != cmBrowse;
    const bool selected = !FSelectedObjects.IsEmpty();
    const int key = event->key();

    if (keypad && key == Qt::Key_Plus) {
        ZoomIn();
        return true;
    }
    if (keypad && key == Qt::Key_Minus) {
        ZoomOut();
        return true;
    }
    if (!editing)
        return false;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        SelectNextObject(shift || key == Qt::Key_Backtab,
                         ctrl ? &TGraphLink::Class : &TGraphNode::Class);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selected)
            DoObjectDblClick(FSelectedObjects.First());
        return true;
    case Qt::Key_Escape:
        SetDragState(dragNone);
        SetCommandMode(cmEdit);
        FSelectedObjects.Clear();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (keypad && !ctrl && !shift && event->text().size() > 0)
            return false;
        if (!selected)
            return false;
        if (!FLockNodes) {
            const TGraphEdit edit(this,
                                  shift ? QStringLiteral("调整大小") : QStringLiteral("移动"));
            MoveResizeByKey(key, modifiers);
        }
        return true;
    case Qt::Key_Insert: {
        const TGraphEdit edit(this, ctrl ? QStringLiteral("连接") : QStringLiteral("插入"));
        if (ctrl)
            LinkSelectedNodes();
        else
            InsertNode(nullptr, FNewNodeClass);
        return true;
    }
    case Qt::Key_Delete: {
        if (!selected)
            return false;
        const TGraphEdit edit(this, QStringLiteral("删除"));
        DeleteSelection();
        return true;
    }
    case Qt::Key_C:
        if (!ctrl || keypad || !selected)
            return false;
        CopyToClipboard();
        return true;
    case Qt::Key_X: {
        if (!ctrl || keypad || !selected)
            return false;
        CopyToClipboard();
        const TGraphEdit edit(this, QStringLiteral("剪切"));
        DeleteSelection();
        return true;
    }
    case Qt::Key_V: {
        if (!ctrl || keypad)
            return false;
        const TGraphEdit edit(this, QStringLiteral("粘贴"));
        PasteFromClipboard();
        return true;
    }
    default:
        return false;
    }
}

// --- Context menu, focus, cursor, drag and drop ---

void TGraphControl::DoObjectContextPopup(TGraphObject *object, const QPoint &mousePos,
                                         bool &handled)
{
    if (OnObjectContextPopup)
        OnObjectContextPopup(this, object, mousePos, handled);
}

bool TGraphControl::ShowContextPopup(const QPoint &clientPoint)
{
    bool handled = false;
    if (!FSelectedObjects.IsEmpty()) {
        DoObjectContextPopup(FSelectedObjects.First(), clientPoint, handled);
        if (!handled && FObjectPopupMenu) {
            FObjectPopupMenu->popup(viewport()->mapToGlobal(clientPoint));
            handled = true;
        }
    }
    if (!handled && OnContextPopup)
        OnContextPopup(this, clientPoint, handled);
    if (!handled && FPopupMenu) {
        FPopupMenu->popup(viewport()->mapToGlobal(clientPoint));
        handled = true;
    }
    return handled;
}

void TGraphControl::contextMenuEvent(QContextMenuEvent *event)
{
    ShowContextPopup(viewport()->mapFromGlobal(event->globalPos()));
    event->accept();
}

void TGraphControl::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (FHideSelection)
        Invalidate();
}

void TGraphControl::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    if (FHideSelection)
        Invalidate();
}

bool TGraphControl::HandleViewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave && !viewport()->hasMouseTracking())
        viewport()->unsetCursor();
    else if (event->type() == QEvent::Leave && QWidget::mouseGrabber() != viewport())
        viewport()->unsetCursor();
    return QAbstractScrollArea::viewportEvent(event);
}

void TGraphControl::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void TGraphControl::dragMoveEvent(QDragMoveEvent *event)
{
    event->ignore();
    if (OnDragOver)
        OnDragOver(this, event);
}

void TGraphControl::dropEvent(QDropEvent *event)
{
    if (OnDragDrop)
        OnDragDrop(this, event);
}
