#pragma once

#include "GraphControl.h"

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

// A drawing of the main window. It reports every object that leaves it,
// also while clearing and loading, where the diagram's own removal event
// stays silent: the window keeps plain references to objects (the node
// whose details are shown) that must not outlive them.
//
// It also pans: a middle drag always, a left drag while PanWithLeft is on
// (the "移动" tool); and it reports each change of its zoom, wherever the
// change came from (wheel, keypad, commands).
class TWorkspaceGraph : public TGraphControl {
public:
    using TGraphControl::TGraphControl;

    std::function<void(TGraphControl *graph, TGraphObject *object)> OnObjectGone;
    std::function<void(TGraphControl *graph)> OnZoomChange;

    void DoObjectRemove(TGraphObject *object) override;

    bool PanWithLeft() const { return FPanWithLeft; }
    void SetPanWithLeft(bool value);
    bool Panning() const { return FPanButton != Qt::NoButton; }
    // Calls OnZoomChange when the zoom differs from the one last reported.
    void CheckZoom();
    // Zooms so that the whole drawing, floor plan and objects, fits the view.
    bool ZoomToFit();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool StartsPan(const QMouseEvent *event) const;
    void ShowPanCursor();

    bool FPanWithLeft = false;
    Qt::MouseButton FPanButton = Qt::NoButton;
    QPoint FPanStart;
    QPoint FPanOrigin;
    int FReportedZoom = 100;
};
