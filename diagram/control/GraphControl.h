#pragma once

#include "EventErrorReport.h"
#include "GraphEditRecorder.h"
#include "GraphColor.h"
#include "GraphFont.h"
#include "GraphGeometry.h"
#include "GraphIndex.h"
#include "GraphObjectClass.h"
#include "GraphObjectList.h"
#include "GraphPicture.h"
#include "GraphScrollBar.h"
#include "GraphTypes.h"
#include "RenderedPictures.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <functional>
#include <memory>
#include <utility>

class TGraphObject;
class TGraphNode;
class TGraphLink;
class QMenu;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMouseEvent;
class TMetafile;
class QIODevice;
class TValueReader;
class TValueWriter;

class TGraphControl;
using TGraphNotifyEvent = std::function<void(TGraphControl *graph, TGraphObject *object)>;
using TGraphContextPopupEvent = std::function<void(TGraphControl *graph, TGraphObject *object,
                                                   const QPoint &mousePos, bool &handled)>;
using TCanMoveResizeNodeEvent =
    std::function<void(TGraphControl *graph, TGraphNode *node, int &newLeft, int &newTop,
                       int &newWidth, int &newHeight, bool &canMove, bool &canResize)>;
using TCanLinkNodesEvent = std::function<void(TGraphControl *graph, TGraphNode *fromNode,
                                              TGraphNode *toNode, bool &canLink)>;
using TNotifyEvent = std::function<void(TGraphControl *sender)>;
using TContextPopupEvent =
    std::function<void(TGraphControl *sender, const QPoint &mousePos, bool &handled)>;

// The diagram control: the owner of one diagram's objects and the surface on
// which it is shown and edited. It is one widget class because the objects
// ask their owner for document and view matters alike (marker size, visible
// area, reading order, the text measuring canvas) and the application sets
// both on it; it constructs and works without ever being shown, so the
// document operations run headless in tests and in the command-line tool.
class TGraphControl : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TGraphControl(QWidget *parent = nullptr);
    ~TGraphControl() override;

    // --- Class registries (for the whole program run) ---
    static void RegisterNodeClass(TGraphObjectClassRef nodeClass);
    static void UnregisterNodeClass(TGraphObjectClassRef nodeClass);
    static int NodeClassCount();
    static TGraphObjectClassRef NodeClasses(int index);
    static void RegisterLinkClass(TGraphObjectClassRef linkClass);
    static void UnregisterLinkClass(TGraphObjectClassRef linkClass);
    static int LinkClassCount();
    static TGraphObjectClassRef LinkClasses(int index);
    // The class-name registry the stream reader resolves names with.
    static TGraphObjectClassRef FindClass(const QString &name);
    // Registers the standard node and link classes in their fixed order;
    // done once at the first construction of a control.
    static void RegisterStandardClasses();
    static void UnregisterStandardClasses();

    // --- Objects and selection ---
    TGraphObjectList &Objects() { return FObjects; }
    const TGraphObjectList &Objects() const { return FObjects; }
    TGraphObjectList &SelectedObjects() { return FSelectedObjects; }
    const TGraphObjectList &SelectedObjects() const { return FSelectedObjects; }
    const TGraphIndex &Index() const { return FIndex; }

    TGraphNode *InsertNode(const TRect *bounds = nullptr, TGraphObjectClassRef nodeClass = nullptr);
    TGraphNode *InsertNode(const TRect &bounds, TGraphObjectClassRef nodeClass = nullptr)
    {
        return InsertNode(&bounds, nodeClass);
    }
    TGraphLink *LinkNodes(TGraphNode *fromNode, TGraphNode *toNode,
                          TGraphObjectClassRef linkClass = nullptr);
    bool CanLink(TGraphLink *link, TGraphNode *fromNode, TGraphNode *toNode) const;
    void LinkSelectedNodes();
    TGraphObject *FindObjectAt(int x, int y, TGraphObjectClassRef cls = nullptr) const;
    int SelectedCount(TGraphObjectClassRef cls = nullptr) const;
    TGraphObject *FindNextObject(int index, bool inclusive, TGraphObjectClassRef cls, bool wrap,
                                 bool backward) const;
    TGraphObject *ObjectByID(uint32_t id, TGraphObjectClassRef cls = nullptr) const;
    virtual TGraphObject *ObjectByStoredID(int firstIndex, uint32_t storedID,
                                           TGraphObjectClassRef cls = nullptr) const;
    uint32_t UnusedID(uint32_t start = 1) const;
    void Clear();

    // --- Diagram files and the clipboard ---
    void SaveToStream(QIODevice &stream);
    void LoadFromStream(QIODevice &stream);
    // Writes through a temporary file that replaces the old one only when
    // everything was written; a failed save leaves the old file whole.
    void SaveToFile(const QString &fileName);
    void LoadFromFile(const QString &fileName);
    // The whole diagram as the bytes of a diagram file, and back.
    QByteArray SaveToBytes();
    void LoadFromBytes(const QByteArray &bytes);
    void CopyToClipboard(bool selectedOnly = true);
    bool PasteFromClipboard();
    virtual void WriteObjects(TValueWriter &writer, bool selectedOnly);
    virtual void ReadObjects(TValueReader &reader);
    void WriteObject(TValueWriter &writer, TGraphObject *object);
    TGraphObject *ReadObject(TValueReader &reader);
    // The private clipboard format that carries a block of diagram records.
    static QString ClipboardMimeType();

    // --- Edit recording (the undo history) ---
    // The recorder told of every edit; none by default. The control does not own it.
    TGraphEditRecorder *EditRecorder() const { return FEditRecorder; }
    void SetEditRecorder(TGraphEditRecorder *recorder) { FEditRecorder = recorder; }

    // --- Change batching ---
    void BeginUpdate();
    void EndUpdate();
    void NotifyChange(TGraphObject *object, bool contentChanged);
    int UpdateCount() const { return FUpdateCount; }
    bool GraphModified() const { return FGraphModified; }
    void SetGraphModified(bool value) { FGraphModified = value; }
    bool ObjectEventsSuppressed() const { return FObjectEventsSuppressed; }
    void SetObjectEventsSuppressed(bool value) { FObjectEventsSuppressed = value; }

    // The filter every proposed change of a node's bounds passes.
    bool CanMoveResizeNode(TGraphNode *node, int &newLeft, int &newTop, int &newWidth,
                           int &newHeight, bool &canMove, bool &canResize);

    // --- Settings ---
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &font) { FFont.Assign(font); }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPicture &Background() { return FBackground; }
    // The symbol pictures as last drawn on raster devices, shared by the
    // objects of this drawing.
    TRenderedPictures &RenderedPictures() { return FRenderedPictures; }
    const TPicture &Background() const { return FBackground; }
    void SetBackground(const TPicture &picture);
    bool ShowBackground() const { return FShowBackground; }
    void SetShowBackground(bool value);
    const QString &BackgroundPath() const { return FBackgroundPath; }
    void SetBackgroundPath(const QString &value) { FBackgroundPath = value; }
    int GridSize() const { return FGridSize; }
    void SetGridSize(int value);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor value);
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool value);
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool value) { FSnapToGrid = value; }
    bool ShowHiddenObjects() const { return FShowHiddenObjects; }
    void SetShowHiddenObjects(bool value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    bool LockNodes() const { return FLockNodes; }
    void SetLockNodes(bool value);
    TColor MarkerColor() const { return FMarkerColor; }
    void SetMarkerColor(TColor value);
    int MarkerSize() const { return FMarkerSize; }
    void SetMarkerSize(int value);
    int Zoom() const { return FZoom; }
    void SetZoom(int value);
    int ZoomMin() const { return FZoomMin; }
    void SetZoomMin(int value);
    int ZoomMax() const { return FZoomMax; }
    void SetZoomMax(int value);
    int ZoomStep() const { return FZoomStep; }
    void SetZoomStep(int value) { FZoomStep = uint8_t(value); }
    bool DefaultKeyMap() const { return FDefaultKeyMap; }
    void SetDefaultKeyMap(bool value) { FDefaultKeyMap = value; }
    QMenu *ObjectPopupMenu() const { return FObjectPopupMenu; }
    void SetObjectPopupMenu(QMenu *menu) { FObjectPopupMenu = menu; }
    QMenu *PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu *menu) { FPopupMenu = menu; }
    TGraphObjectClassRef NewNodeClass() const { return FNewNodeClass; }
    void SetNewNodeClass(TGraphObjectClassRef cls) { FNewNodeClass = cls; }
    TGraphObjectClassRef NewLinkClass() const { return FNewLinkClass; }
    void SetNewLinkClass(TGraphObjectClassRef cls) { FNewLinkClass = cls; }
    bool FreezeTopLeft() const { return FFreezeTopLeft; }
    void SetFreezeTopLeft(bool value) { FFreezeTopLeft = value; }
    int MinNodeSize() const { return FMinNodeSize; }
    void SetMinNodeSize(int value) { FMinNodeSize = uint16_t(value); }
    TGraphDragState DragState() const { return FDragState; }
    TGraphCommandMode CommandMode() const { return FCommandMode; }
    void SetCommandMode(TGraphCommandMode mode);
    void SetDragState(TGraphDragState state);

    // --- View ---
    // The client area in diagram coordinates.
    TRect VisibleGraphRect() const { return FVisibleGraphRect; }
    QPoint ClientToGraph(int x, int y) const;
    QPoint GraphToClient(int x, int y) const;
    QPoint ClientToGraph(const QPoint &p) const { return ClientToGraph(p.x(), p.y()); }
    QPoint GraphToClient(const QPoint &p) const { return GraphToClient(p.x(), p.y()); }
    // Union of the bounds of the objects whose own Visible flag is set.
    TRect GraphBounds(bool selectedOnly) const;
    bool ZoomToRect(const TRect &rect);
    // The drawing as an enhanced metafile framed by the floor plan, or by
    // the objects when there is none; the caller owns it.
    std::unique_ptr<TMetafile> GetAsMetafile();
    // Writes GetAsMetafile to a file: a placeable Windows metafile when the
    // name ends in ".wmf", an enhanced metafile otherwise.
    void SaveAsMetafile(const QString &fileName);
    // The rectangle a metafile of the drawing covers, and the drawing as a
    // metafile shows it: floor plan, links, nodes, at zoom 100.
    TRect MetafileFrame() const;
    void DrawDiagram(QPainter &canvas, const TRect &frame);
    virtual void PaintBackground(QPainter &canvas);
    void DrawObjects(QPainter &canvas);
    int PendingWheelDelta() const { return FPendingWheelDelta; }

    // --- Scroll bars ---
    TGraphScrollBar &HorzScrollBar() { return FHorzScrollBar; }
    const TGraphScrollBar &HorzScrollBar() const { return FHorzScrollBar; }
    TGraphScrollBar &VertScrollBar() { return FVertScrollBar; }
    const TGraphScrollBar &VertScrollBar() const { return FVertScrollBar; }
    void SetHorzScrollBar(const TGraphScrollBar &bar) { FHorzScrollBar.Assign(bar); }
    void SetVertScrollBar(const TGraphScrollBar &bar) { FVertScrollBar.Assign(bar); }
    void UpdateScrollBars();
    void UpdateVisibleArea();
    void MakePointVisible(const QPoint &point);
    void MakeRectVisible(const TRect &rect);
    void MakeObjectVisible(const TGraphObject *object);
    // The client area's size: the widget less the scroll bars it shows.
    QSize ClientSize() const;
    bool ScrollBarShown(bool vertical) const { return FBarShown[vertical]; }
    void ShowScrollBar(bool vertical, bool shown);

    // --- Interaction ---
    TGraphObject *HitObject() const { return FHitObject; }
    TGraphMarker HitMarker() const { return FHitMarker; }
    QPoint DragSourcePoint() const { return FDragSourcePoint; }
    QPoint DragTargetPoint() const { return FDragTargetPoint; }
    TRect DragRect() const { return FDragRect; }
    TGraphNode *LinkSourceNode() const { return FLinkSourceNode; }
    bool DragLineVisible() const { return FDragLineVisible; }
    // The topmost object under a diagram point, a selected object's handle first.
    virtual std::pair<TGraphObject *, TGraphMarker> ObjectAndMarkerAt(int x, int y) const;
    bool SelectNextObject(bool backward, TGraphObjectClassRef cls);
    void SelectByRect(const TRect &rect, bool keep);
    bool ShowContextPopup(const QPoint &clientPoint);
    virtual void DoObjectContextPopup(TGraphObject *object, const QPoint &mousePos, bool &handled);
    // A diagram point on the grid, when snapping is on and Ctrl is not held.
    QPoint SnapPoint(const QPoint &point, Qt::KeyboardModifiers modifiers) const;
    // Cursor images registered under the numbers 51 to 55.
    static QCursor GraphCursor(int number);

    // Drag and drop from other widgets (the symbol palettes).
    std::function<void(TGraphControl *graph, QDragMoveEvent *event)> OnDragOver;
    std::function<void(TGraphControl *graph, QDropEvent *event)> OnDragDrop;
    // Plain mouse and double-click events, raised in browse mode and for
    // what the control does not handle itself.
    std::function<void(TGraphControl *graph, QMouseEvent *event)> OnMouseDown;
    std::function<void(TGraphControl *graph, QMouseEvent *event)> OnMouseMove;
    std::function<void(TGraphControl *graph, QMouseEvent *event)> OnMouseUp;
    std::function<void(TGraphControl *graph)> OnDblClick;
    std::function<void(TGraphControl *graph, QKeyEvent *event)> OnKeyDown;
    // An error raised while the control handled an event from the event loop
    // (a clipboard block that does not read, a handler that failed). The
    // event is abandoned and any drag ends; without a handler the message
    // goes to the log.
    std::function<void(TGraphControl *graph, const QString &message)> OnError;
    // Whether text reads from right to left in this control.
    bool UseRightToLeftReading() const { return layoutDirection() == Qt::RightToLeft; }
    // Whether a painter draws on this control's own window (not a metafile or printer).
    bool IsWindowCanvas(const QPainter &canvas) const { return &canvas == FWindowCanvas; }
    // Repaint request; dropped inside an update batch.
    void Invalidate();
    void UpdateScrollRanges();

    // --- Events ---
    TGraphNotifyEvent OnObjectInsert;
    TGraphNotifyEvent OnObjectRemove;
    TGraphNotifyEvent OnObjectSelect;
    TGraphNotifyEvent OnObjectDblClick;
    TGraphContextPopupEvent OnObjectContextPopup;
    TCanMoveResizeNodeEvent OnCanMoveResizeNode;
    TCanLinkNodesEvent OnCanLinkNodes;
    TNotifyEvent OnGraphChange;
    TNotifyEvent OnCommandModeChange;
    TContextPopupEvent OnContextPopup;

    // Event raisers, overridable.
    virtual void DoObjectInsert(TGraphObject *object);
    virtual void DoObjectRemove(TGraphObject *object);
    virtual void DoObjectSelect(TGraphObject *object);
    virtual void DoObjectDblClick(TGraphObject *object);
    virtual void DoGraphChange();
    virtual void DoCommandModeChange();
    virtual bool DoCanLinkNodes(TGraphNode *fromNode, TGraphNode *toNode);
    virtual void DoCanMoveResizeNode(TGraphNode *node, int &newLeft, int &newTop, int &newWidth,
                                     int &newHeight, bool &canMove, bool &canResize);

    // Puts newObject in oldObject's place in both lists, without notification.
    void ReplaceObject(TGraphObject *oldObject, TGraphObject *newObject);

    // Hooks through which objects keep the indexes in step.
    void ObjectIDChanging(TGraphObject *object, uint32_t newID);
    void ObjectStoredIDChanging(TGraphObject *object, uint32_t newStoredID);
    void LinkEndsChanging(TGraphLink *link);
    void LinkEndsChanged(TGraphLink *link);
    void NodeExtentChanged(TGraphNode *node);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    TGraphObject *TopmostWithoutStoredID(int firstIndex, TGraphObjectClassRef cls) const;
    bool HandleEvent(QEvent *event);
    bool HandleViewportEvent(QEvent *event);
    void AbandonEvent(QEvent *event, const QString &message);
    void ReadObjectsFrom(TValueReader &reader, int first);
    // The classes of the names read so far, for a block of many records.
    using TClassNames = std::vector<std::pair<QByteArray, TGraphObjectClassRef>>;
    TGraphObject *ReadObject(TValueReader &reader, TClassNames &classes);
    void DropAllObjects();
    void PaintGrid(QPainter &canvas);
    void PressAt(QMouseEvent *event, bool doubleClick);
    void MoveTo(QMouseEvent *event);
    void ReleaseAt(QMouseEvent *event);
    bool HandleKey(QKeyEvent *event);
    void MoveResizeByKey(int key, Qt::KeyboardModifiers modifiers);
    void DeleteSelection();
    void SetCursorFor(TGraphMarker marker);
    void ZoomIn();
    void ZoomOut();
    void ConnectScrollBar(bool vertical);
    void ObjectsChanged(TGraphObjectList *list, TGraphObject *object, TGraphListAction action);
    void SelectedObjectsChanged(TGraphObjectList *list, TGraphObject *object,
                                TGraphListAction action);
    void ObjectRemoved(TGraphObject *object);
    void FontChanged();

    TFont FFont;
    TColor FColor = clWindow;
    TPicture FBackground;
    bool FShowBackground = true;
    TEventErrorReport FErrorReport;
    // Counts every change of the object list and of stored identifiers.
    uint64_t FObjectsGeneration = 0;
    struct TZeroIDAnswer {
        uint64_t Generation = ~uint64_t(0);
        int FirstIndex = 0;
        TGraphObjectClassRef Class = nullptr;
        TGraphObject *Object = nullptr;
    };
    mutable TZeroIDAnswer FZeroIDAnswer;
    struct TStoredIDTable {
        uint64_t Generation = ~uint64_t(0);
        std::vector<std::pair<uint32_t, TGraphObject *>> Entries; // by stored identifier
    };
    mutable TStoredIDTable FStoredIDs;
    QString FBackgroundPath;
    uint8_t FGridSize = 10;
    TColor FGridColor = clGray;
    bool FShowGrid = false;
    bool FSnapToGrid = true;
    bool FShowHiddenObjects = false;
    bool FHideSelection = false;
    bool FLockNodes = false;
    TColor FMarkerColor = clBlack;
    uint8_t FMarkerSize = 3;
    uint16_t FZoom = 100;
    uint16_t FZoomMin = 10;
    uint16_t FZoomMax = 1000;
    uint8_t FZoomStep = 25;
    TGraphObjectList FObjects;
    TGraphObjectList FSelectedObjects;
    bool FDefaultKeyMap = true;
    QMenu *FObjectPopupMenu = nullptr;
    QMenu *FPopupMenu = nullptr;
    TGraphObjectClassRef FNewNodeClass = nullptr;
    TGraphObjectClassRef FNewLinkClass = nullptr;
    bool FGraphModified = false;
    TGraphDragState FDragState = dragNone;
    TGraphCommandMode FCommandMode = cmEdit;
    TRect FVisibleGraphRect;
    bool FFreezeTopLeft = false;
    uint16_t FMinNodeSize = 16;
    TGraphScrollBar FHorzScrollBar{this, false};
    TGraphScrollBar FVertScrollBar{this, true};
    bool FBarShown[2] = {false, false};
    bool FScrollBarsUpdating = false;
    QPoint FDragSourcePoint;
    QPoint FDragTargetPoint;
    bool FDragLineVisible = false;
    bool FDoubleClickPress = false;
    int FPendingWheelDelta = 0;
    QImage FBuffer;          // what the window shows, painted off screen
    TRenderedPictures FRenderedPictures;
    QImage FBackgroundImage; // the floor plan in the fastest format to draw
    TRect FDragRect{-1, -1, -1, -1};
    TGraphNode *FLinkSourceNode = nullptr;
    TGraphObject *FHitObject = nullptr;
    TGraphMarker FHitMarker = mkNone;
    int FUpdateCount = 0;
    bool FChangePending = false;
    bool FObjectEventsSuppressed = false;
    bool FDestroying = false;
    const QPainter *FWindowCanvas = nullptr;
    TGraphIndex FIndex;
    TGraphEditRecorder *FEditRecorder = nullptr;
    TGraphEditRecorder *FDragEdit = nullptr; // told of the drag under way
};

// Brackets one designer action for the drawing's edit recorder, if it has
// one, also when the action ends by an exception.
class TGraphEdit {
public:
    TGraphEdit(TGraphControl *graph, const QString &name) : FRecorder(graph->EditRecorder())
    {
        if (FRecorder)
            FRecorder->BeginEdit(name);
    }
    ~TGraphEdit()
    {
        if (FRecorder)
            FRecorder->EndEdit();
    }
    TGraphEdit(const TGraphEdit &) = delete;
    TGraphEdit &operator=(const TGraphEdit &) = delete;

private:
    TGraphEditRecorder *FRecorder;
};

// Brackets a batch of changes: BeginUpdate now, EndUpdate when the scope
// ends, also when it ends by an exception.
class TGraphUpdateGuard {
public:
    explicit TGraphUpdateGuard(TGraphControl *graph) : FGraph(graph) { FGraph->BeginUpdate(); }
    ~TGraphUpdateGuard() { FGraph->EndUpdate(); }
    TGraphUpdateGuard(const TGraphUpdateGuard &) = delete;
    TGraphUpdateGuard &operator=(const TGraphUpdateGuard &) = delete;

private:
    TGraphControl *FGraph;
};

// A batch during which no object events are raised: clearing and loading.
// Events are allowed again before the batch reports its change.
class TQuietGraphBatch {
public:
    explicit TQuietGraphBatch(TGraphControl *graph) : FBatch(graph), FGraph(graph)
    {
        FGraph->SetObjectEventsSuppressed(true);
    }
    ~TQuietGraphBatch() { FGraph->SetObjectEventsSuppressed(false); }
    TQuietGraphBatch(const TQuietGraphBatch &) = delete;
    TQuietGraphBatch &operator=(const TQuietGraphBatch &) = delete;

private:
    TGraphUpdateGuard FBatch;
    TGraphControl *FGraph;
};
