#include "GraphControl.h"

#include "EllipticNode.h"
#include "GraphClassRegistry.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "LineNode.h"
#include "PolygonalNode.h"
#include "RectangularNode.h"
#include "RoundRectangularNode.h"

#include "GraphMath.h"

#include <QEvent>
#include <algorithm>
#include <mutex>

// --- Class registries ---

void TGraphControl::RegisterNodeClass(TGraphObjectClassRef nodeClass)
{
    TGraphClassRegistry::Instance().RegisterNodeClass(nodeClass);
}

void TGraphControl::UnregisterNodeClass(TGraphObjectClassRef nodeClass)
{
    TGraphClassRegistry::Instance().UnregisterNodeClass(nodeClass);
}

int TGraphControl::NodeClassCount()
{
    return int(TGraphClassRegistry::Instance().NodeClasses().size());
}

TGraphObjectClassRef TGraphControl::NodeClasses(int index)
{
    const auto &classes = TGraphClassRegistry::Instance().NodeClasses();
    if (index < 0 || index >= int(classes.size()))
        throw EListError::OutOfBounds(index);
    return classes[index];
}

void TGraphControl::RegisterLinkClass(TGraphObjectClassRef linkClass)
{
    TGraphClassRegistry::Instance().RegisterLinkClass(linkClass);
}

void TGraphControl::UnregisterLinkClass(TGraphObjectClassRef linkClass)
{
    TGraphClassRegistry::Instance().UnregisterLinkClass(linkClass);
}

int TGraphControl::LinkClassCount()
{
    return int(TGraphClassRegistry::Instance().LinkClasses().size());
}

TGraphObjectClassRef TGraphControl::LinkClasses(int index)
{
    const auto &classes = TGraphClassRegistry::Instance().LinkClasses();
    if (index < 0 || index >= int(classes.size()))
        throw EListError::OutOfBounds(index);
    return classes[index];
}

TGraphObjectClassRef TGraphControl::FindClass(const QString &name)
{
    return TGraphClassRegistry::Instance().FindClass(name);
}

namespace {

const TGraphObjectClassRef StandardNodeClasses[] = {
    &TRectangularNode::Class, &TRoundRectangularNode::Class, &TEllipticNode::Class,
    &TTriangularNode::Class,  &TRhomboidalNode::Class,       &TPentagonalNode::Class,
    &THLineNode::Class,       &TVLineNode::Class,            &TTextNode::Class,
    &TIconNode::Class,
};

} // namespace

void TGraphControl::RegisterStandardClasses()
{
    RegisterLinkClass(&TGraphLink::Class);
    for (TGraphObjectClassRef cls : StandardNodeClasses)
        RegisterNodeClass(cls);
}

void TGraphControl::UnregisterStandardClasses()
{
    for (auto it = std::rbegin(StandardNodeClasses); it != std::rend(StandardNodeClasses); ++it)
        UnregisterNodeClass(*it);
    UnregisterLinkClass(&TGraphLink::Class);
}

// --- Construction ---

TGraphControl::TGraphControl(QWidget *parent) : QAbstractScrollArea(parent)
{
    static std::once_flag registered;
    std::call_once(registered, &TGraphControl::RegisterStandardClasses);
    FNewNodeClass = NodeClassCount() > 0 ? NodeClasses(0) : nullptr;
    FNewLinkClass = LinkClassCount() > 0 ? LinkClasses(0) : nullptr;

    FObjects.SetOnChange([this](TGraphObjectList *list, TGraphObject *object,
                                TGraphListAction action) { ObjectsChanged(list, object, action); });
    FSelectedObjects.SetOnChange(
        [this](TGraphObjectList *list, TGraphObject *object, TGraphListAction action) {
            SelectedObjectsChanged(list, object, action);
        });
    FFont.SetOnChange([this](TGraphicsObject *) { FontChanged(); });
    FBackground.SetOnChange([this](TGraphicsObject *) {
        FBackgroundImage = QImage();
        viewport()->update();
    });
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::NoFrame);
    setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConnectScrollBar(false);
    ConnectScrollBar(true);
    // An empty diagram scrolls over 800 x 800 units until its first change.
    FHorzScrollBar.SetScrollExtent(800 + FHorzScrollBar.Margin());
    FVertScrollBar.SetScrollExtent(800 + FVertScrollBar.Margin());
    UpdateVisibleArea();
}

TGraphControl::~TGraphControl()
{
    FDestroying = true;
    FEditRecorder = nullptr;
    FDragEdit = nullptr;
    FBackground.SetOnChange(nullptr);
    FBackground.Clear();
    Clear();
    FFont.SetOnChange(nullptr);
    FObjects.SetOnChange(nullptr);
    FSelectedObjects.SetOnChange(nullptr);
}

// --- List handlers: ownership, events and dependent links ---

void TGraphControl::ObjectsChanged(TGraphObjectList *list, TGraphObject *object,
                                   TGraphListAction action)
{
    ++FObjectsGeneration;
    switch (action) {
    case laAdded:
        if (object->Owner() != this) {
            list->Remove(object);
            return;
        }
        object->FListed = true;
        FIndex.Added(object);
        if (FEditRecorder)
            FEditRecorder->ObjectAdded(object);
        NotifyChange(object, true);
        DoObjectInsert(object);
        break;
    case laRemoved:
        if (object->Owner() != this)
            break;
        object->FListed = false;
        if (FEditRecorder)
            FEditRecorder->ObjectRemoved(object, list->RemovingIndex());
        ObjectRemoved(object);
        break;
    case laMoved:
        if (FEditRecorder)
            FEditRecorder->ObjectReordered(object);
        NotifyChange(object, true);
        break;
    }
}

void TGraphControl::ObjectRemoved(TGraphObject *object)
{
    // The links that may lose a node with this object, topmost first.
    std::vector<TGraphLink *> dependents = FIndex.LinksReferring(object);
    FIndex.Removed(object, true);
    if (object == FHitObject)
        FHitObject = nullptr;
    if (object == FLinkSourceNode)
        FLinkSourceNode = nullptr;

    object->SetSelected(false);
    DoObjectRemove(object);
    if (!object->IsLink())
        FIndex.DropLinksOf(static_cast<TGraphNode *>(object));
    NotifyChange(object, true);
    if (object->State() != osDestroying)
        object->Free();

    // Every link left without a node goes as well, the topmost first. The
    // other objects still resolve to what they had, so only these are asked.
    std::erase_if(dependents, [this](TGraphLink *link) { return !FObjects.Contains(link); });
    std::sort(dependents.begin(), dependents.end(),
              [this](TGraphLink *a, TGraphLink *b) { return FObjects.Precedes(b, a); });
    for (TGraphLink *link : dependents) {
        if (!FObjects.Contains(link) || link->State() == osDestroying)
            continue;
        if (!link->ResolveReferences())
            link->Free();
    }
}

void TGraphControl::SelectedObjectsChanged(TGraphObjectList *list, TGraphObject *object,
                                           TGraphListAction action)
{
    switch (action) {
    case laAdded:
        if (object->Owner() != this) {
            list->Remove(object);
            return;
        }
        object->SetSelected(true);
        NotifyChange(object, false);
        DoObjectSelect(object);
        break;
    case laRemoved:
        if (object->Owner() != this)
            return;
        object->SetSelected(false);
        NotifyChange(object, false);
        DoObjectSelect(object);
        break;
    case laMoved:
        break;
    }
}

void TGraphControl::ReplaceObject(TGraphObject *oldObject, TGraphObject *newObject)
{
    const bool listed = oldObject->FListed;
    if (listed)
        FIndex.Removed(oldObject);
    FObjects.Replace(oldObject, newObject);
    oldObject->FListed = false;
    newObject->FListed = listed;
    newObject->FSelected = FSelectedObjects.Replace(oldObject, newObject) >= 0;
    ++FObjectsGeneration;
    if (listed)
        FIndex.Added(newObject);
}

void TGraphControl::ObjectIDChanging(TGraphObject *object, uint32_t newID)
{
    const uint32_t oldID = object->FID;
    object->FID = newID;
    if (object->FListed)
        FIndex.IDChanged(object, oldID);
}

void TGraphControl::ObjectStoredIDChanging(TGraphObject *object, uint32_t newStoredID)
{
    object->FStoredID = newStoredID;
    ++FObjectsGeneration;
}

void TGraphControl::LinkEndsChanging(TGraphLink *)
{
    // The index compares the new ends with those it recorded.
}

void TGraphControl::LinkEndsChanged(TGraphLink *link)
{
    if (link->FListed)
        FIndex.LinkEnds(link);
}

void TGraphControl::NodeExtentChanged(TGraphNode *node)
{
    FIndex.NodeExtentChanged(node, node->FListed);
}

// --- Change batching ---

void TGraphControl::BeginUpdate()
{
    ++FUpdateCount;
}

void TGraphControl::EndUpdate()
{
    --FUpdateCount;
    if (FUpdateCount == 0)
        NotifyChange(nullptr, FChangePending);
}

void TGraphControl::NotifyChange(TGraphObject *object, bool contentChanged)
{
    if (object && contentChanged && FEditRecorder)
        FEditRecorder->ObjectChanged(object);
    FChangePending = FChangePending || contentChanged;
    if (FUpdateCount > 0 || FDestroying)
        return;
    if (FChangePending) {
        FChangePending = false;
        FGraphModified = true;
        UpdateScrollRanges();
        DoGraphChange();
    }
    Invalidate();
}

void TGraphControl::Invalidate()
{
    if (FUpdateCount == 0)
        viewport()->update();
}

void TGraphControl::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) {
        // The reading order changes how every text is laid out.
        TGraphUpdateGuard batch(this);
        FObjects.ForEach([](TGraphObject *object) { object->UpdateTextLayout(true, 0, 0); });
    }
}

void TGraphControl::FontChanged()
{
    for (TGraphObject *object : FObjects.Snapshot())
        if (object->ParentFont())
            object->SyncFontFromOwner();
}

// --- Events ---

void TGraphControl::DoObjectInsert(TGraphObject *object)
{
    if (OnObjectInsert && !FObjectEventsSuppressed)
        OnObjectInsert(this, object);
}

void TGraphControl::DoObjectRemove(TGraphObject *object)
{
    if (OnObjectRemove && !FObjectEventsSuppressed)
        OnObjectRemove(this, object);
}

void TGraphControl::DoObjectSelect(TGraphObject *object)
{
    if (OnObjectSelect && !FObjectEventsSuppressed)
        OnObjectSelect(this, object);
}

void TGraphControl::DoObjectDblClick(TGraphObject *object)
{
    if (OnObjectDblClick)
        OnObjectDblClick(this, object);
}

void TGraphControl::DoGraphChange()
{
    if (OnGraphChange)
        OnGraphChange(this);
}

void TGraphControl::DoCommandModeChange()
{
    if (OnCommandModeChange && !FDestroying)
        OnCommandModeChange(this);
}

bool TGraphControl::DoCanLinkNodes(TGraphNode *fromNode, TGraphNode *toNode)
{
    bool canLink = true;
    if (OnCanLinkNodes)
        OnCanLinkNodes(this, fromNode, toNode, canLink);
    return canLink;
}

void TGraphControl::DoCanMoveResizeNode(TGraphNode *node, int &newLeft, int &newTop,
                                        int &newWidth, int &newHeight, bool &canMove,
                                        bool &canResize)
{
    if (FFreezeTopLeft) {
        newLeft = std::max(newLeft, 0);
        newTop = std::max(newTop, 0);
    }
    if (OnCanMoveResizeNode)
        OnCanMoveResizeNode(this, node, newLeft, newTop, newWidth, newHeight, canMove, canResize);
}

bool TGraphControl::CanMoveResizeNode(TGraphNode *node, int &newLeft, int &newTop, int &newWidth,
                                      int &newHeight, bool &canMove, bool &canResize)
{
    canMove = true;
    canResize = true;
    newWidth = std::max(newWidth, int(FMinNodeSize));
    newHeight = std::max(newHeight, int(FMinNodeSize));
    DoCanMoveResizeNode(node, newLeft, newTop, newWidth, newHeight, canMove, canResize);
    return canMove || canResize;
}
