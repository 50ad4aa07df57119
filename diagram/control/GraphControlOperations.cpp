#include "GraphControl.h"

#include <utility>

#include "GraphLink.h"
#include "GraphNode.h"

#include <algorithm>

// The operations with which editing, the stream and the application create,
// find, select, link and remove objects, and the control's settings.

TGraphNode *TGraphControl::InsertNode(const TRect *bounds, TGraphObjectClassRef nodeClass)
{
    if (!nodeClass)
        nodeClass = FNewNodeClass;
    if (!nodeClass || nodeClass->IsAbstract() || !nodeClass->InheritsFrom(&TGraphNode::Class))
        return nullptr;
    TGraphUpdateGuard batch(this);
    FSelectedObjects.Clear();
    auto *node = static_cast<TGraphNode *>(nodeClass->Create(this));
    if (bounds)
        node->SetBoundsRect(*bounds);
    node->SetState(osNone);
    node->SetSelected(true);
    return node;
}

TGraphLink *TGraphControl::LinkNodes(TGraphNode *fromNode, TGraphNode *toNode,
                                     TGraphObjectClassRef linkClass)
{
    if (!CanLink(nullptr, fromNode, toNode))
        return nullptr;
    if (!linkClass)
        linkClass = FNewLinkClass;
    if (!linkClass || linkClass->IsAbstract() || !linkClass->InheritsFrom(&TGraphLink::Class))
        return nullptr;
    TGraphUpdateGuard batch(this);
    FSelectedObjects.Clear();
    auto *link = static_cast<TGraphLink *>(linkClass->Create(this));
    link->SetFromNode(fromNode);
    link->SetToNode(toNode);
    link->SetState(osNone);
    link->SetSelected(true);
    return link;
}

bool TGraphControl::CanLink(TGraphLink *link, TGraphNode *fromNode, TGraphNode *toNode) const
{
    if (!fromNode || !toNode || fromNode == toNode)
        return false;
    if (fromNode->LinkKindTo(toNode) == 0)
        return true;
    return link && link->FromNode() == fromNode && link->ToNode() == toNode;
}

void TGraphControl::LinkSelectedNodes()
{
    std::vector<TGraphNode *> nodes;
    FSelectedObjects.ForEach([&](TGraphObject *object) {
        if (!object->IsLink())
            nodes.push_back(static_cast<TGraphNode *>(object));
    });
    for (size_t i = 1; i < nodes.size(); ++i)
        LinkNodes(nodes[i - 1], nodes[i]);
}

TGraphObject *TGraphControl::FindObjectAt(int x, int y, TGraphObjectClassRef cls) const
{
    for (int i = FObjects.Count() - 1; i >= 0; --i) {
        TGraphObject *object = FObjects[i];
        if (object->IsKindOf(cls) && object->ContainsPoint(x, y))
            return object;
    }
    return nullptr;
}

int TGraphControl::SelectedCount(TGraphObjectClassRef cls) const
{
    if (!cls)
        return FSelectedObjects.Count();
    int count = 0;
    FSelectedObjects.ForEach([&](TGraphObject *object) { count += object->IsKindOf(cls); });
    return count;
}

TGraphObject *TGraphControl::FindNextObject(int index, bool inclusive, TGraphObjectClassRef cls,
                                            bool wrap, bool backward) const
{
    const int last = FObjects.Count() - 1;
    const auto firstMatch = [&](int from, int to, int step) -> TGraphObject * {
        for (int i = from; step > 0 ? i <= to : i >= to; i += step)
            if (i >= 0 && i <= last && FObjects[i]->IsKindOf(cls))
                return FObjects[i];
        return nullptr;
    };
    if (backward) {
        const int start = std::min(inclusive ? index : index - 1, last);
        if (TGraphObject *found = firstMatch(start, 0, -1))
            return found;
        return wrap ? firstMatch(last, std::max(index + 1, 0), -1) : nullptr;
    }
    const int start = std::max(inclusive ? index : index + 1, 0);
    if (TGraphObject *found = firstMatch(start, last, 1))
        return found;
    return wrap ? firstMatch(0, std::min(index - 1, last), 1) : nullptr;
}

TGraphObject *TGraphControl::ObjectByID(uint32_t id, TGraphObjectClassRef cls) const
{
    return FIndex.TopmostWithID(
        id, FObjects, [cls](const TGraphObject *object) { return object->IsKindOf(cls); });
}

TGraphObject *TGraphControl::ObjectByStoredID(int firstIndex, uint32_t storedID,
                                              TGraphObjectClassRef cls) const
{
    if (storedID == 0)
        return TopmostWithoutStoredID(firstIndex, cls);
    // Stored identifiers are looked up in bursts (the links of a load or a
    // paste) between which nothing changes: a table sorted once serves a
    // burst, where an index kept in step would change twice for every object.
    TStoredIDTable &table = FStoredIDs;
    if (table.Generation != FObjectsGeneration) {
        table.Entries.clear();
        FObjects.ForEach([&](TGraphObject *object) {
            if (object->StoredID() != 0)
                table.Entries.emplace_back(object->StoredID(), object);
        });
        // Stable: objects with the same stored identifier stay in drawing order.
        std::stable_sort(table.Entries.begin(), table.Entries.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        table.Generation = FObjectsGeneration;
    }
    const auto [first, last] = std::equal_range(
        table.Entries.begin(), table.Entries.end(), std::make_pair(storedID, nullptr),
        [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto it = last; it != first;) {
        --it;
        if (it->second->IsKindOf(cls) &&
            (firstIndex <= 0 || FObjects.IndexOf(it->second) >= firstIndex))
            return it->second;
    }
    return nullptr;
}

// Most objects carry no stored identifier, so the index leaves them out and
// a walk answers. A file whose links all refer to 0 asks the same question
// once per link; the answer is kept until the objects or their stored
// identifiers change.
TGraphObject *TGraphControl::TopmostWithoutStoredID(int firstIndex, TGraphObjectClassRef cls) const
{
    TZeroIDAnswer &answer = FZeroIDAnswer;
    if (answer.Generation == FObjectsGeneration && answer.FirstIndex == firstIndex &&
        answer.Class == cls)
        return answer.Object;
    TGraphObject *found = nullptr;
    for (int i = FObjects.Count() - 1; i >= std::max(firstIndex, 0) && !found; --i) {
        TGraphObject *object = FObjects[i];
        if (object->StoredID() == 0 && object->IsKindOf(cls))
            found = object;
    }
    answer = {FObjectsGeneration, firstIndex, cls, found};
    return found;
}

uint32_t TGraphControl::UnusedID(uint32_t start) const
{
    return FIndex.UnusedID(start);
}

void TGraphControl::Clear()
{
    if (!FObjects.IsEmpty()) {
        TQuietGraphBatch batch(this);
        DropAllObjects();
        SetDragState(dragNone);
        SetCommandMode(cmEdit);
    }
    FGraphModified = false;
}

// Everything goes, so no link is left to find its nodes again: the objects
// leave the lists and the indexes at once instead of one by one. Each is
// still reported, whole, as it is when taken out alone.
void TGraphControl::DropAllObjects()
{
    const std::vector<TGraphObject *> objects = FObjects.Snapshot();
    const std::vector<TGraphObject *> selected = FSelectedObjects.Snapshot();
    struct Destroy {
        const std::vector<TGraphObject *> &objects;
        ~Destroy()
        {
            for (TGraphObject *object : objects) {
                object->FState = osDestroying;
                delete object;
            }
        }
    } destroy{objects};
    ++FObjectsGeneration;
    FObjects.DropAll();
    FSelectedObjects.DropAll();
    FIndex.Clear();
    FHitObject = nullptr;
    FLinkSourceNode = nullptr;
    NotifyChange(nullptr, true);
    for (TGraphObject *object : selected) {
        object->FSelected = false;
        DoObjectSelect(object);
    }
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        DoObjectRemove(*it);
}

// --- Modes ---

void TGraphControl::SetDragState(TGraphDragState state)
{
    if (state == FDragState)
        return;
    const auto clearDragging = [this] {
        for (TGraphObject *object : FObjects.Snapshot())
            object->SetDragging(false);
    };
    if (FDragState == dragSelectRect) {
        Invalidate();
    } else if (FDragState == dragMoveResize) {
        clearDragging();
    } else if (FDragState == dragLinkPoint) {
        clearDragging();
        Invalidate();
    }
    // A whole drag, from the press to the release, is one edit.
    if (FDragEdit) {
        std::exchange(FDragEdit, nullptr)->EndEdit();
    }
    if (FEditRecorder && (state == dragMoveResize || state == dragLinkPoint)) {
        FDragEdit = FEditRecorder;
        FDragEdit->BeginEdit(state == dragLinkPoint     ? QStringLiteral("连接")
                             : FHitMarker == mkNodeBody ? QStringLiteral("移动")
                                                        : QStringLiteral("调整大小"));
    }
    FDragState = state;
    if (state == dragMoveResize) {
        for (TGraphObject *object : FSelectedObjects.Snapshot())
            if (!object->IsLink())
                object->SetDragging(true);
    } else if (state == dragLinkPoint && FHitObject) {
        FHitObject->SetDragging(true);
        for (TGraphObject *object : FSelectedObjects.Snapshot())
            if (object != FHitObject)
                object->SetSelected(false);
    }
    FDragRect = TRect(-1, -1, -1, -1);
    UpdateScrollRanges();
}

void TGraphControl::SetCommandMode(TGraphCommandMode mode)
{
    if (mode == FCommandMode)
        return;
    if (FCommandMode == cmInsertNode || FCommandMode == cmLinkNodes) {
        Invalidate();
        FDragRect = TRect(-1, -1, -1, -1);
        if (FLinkSourceNode) {
            FLinkSourceNode->SetDragging(false);
            FLinkSourceNode = nullptr;
        }
    }
    FCommandMode = mode;
    if (mode == cmBrowse)
        FSelectedObjects.Clear();
    UpdateScrollRanges();
    // The insert and link cursors end with their modes.
    if (mode == cmBrowse || mode == cmEdit)
        viewport()->unsetCursor();
    DoCommandModeChange();
}

// --- Settings ---

void TGraphControl::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Invalidate();
}

void TGraphControl::SetBackground(const TPicture &picture)
{
    if (&picture != &FBackground)
        FBackground.Assign(picture);
}

void TGraphControl::SetShowBackground(bool value)
{
    FShowBackground = value;
    viewport()->update();
}

void TGraphControl::SetGridSize(int value)
{
    if (value < 4 || value > 128 || value == FGridSize)
        return;
    FGridSize = uint8_t(value);
    if (FShowGrid)
        Invalidate();
}

void TGraphControl::SetGridColor(TColor value)
{
    if (FGridColor == value)
        return;
    FGridColor = value;
    if (FShowGrid)
        Invalidate();
}

void TGraphControl::SetShowGrid(bool value)
{
    if (FShowGrid == value)
        return;
    FShowGrid = value;
    Invalidate();
}

void TGraphControl::SetShowHiddenObjects(bool value)
{
    if (FShowHiddenObjects == value)
        return;
    FShowHiddenObjects = value;
    Invalidate();
}

void TGraphControl::SetHideSelection(bool value)
{
    if (FHideSelection == value)
        return;
    FHideSelection = value;
    Invalidate();
}

void TGraphControl::SetLockNodes(bool value)
{
    if (FLockNodes == value)
        return;
    FLockNodes = value;
    Invalidate();
}

void TGraphControl::SetMarkerColor(TColor value)
{
    if (FMarkerColor == value)
        return;
    FMarkerColor = value;
    Invalidate();
}

void TGraphControl::SetMarkerSize(int value)
{
    if (FMarkerSize == value)
        return;
    FMarkerSize = uint8_t(value);
    Invalidate();
}

void TGraphControl::SetZoom(int value)
{
    int zoom = uint16_t(value);
    if (zoom < FZoomMin)
        zoom = FZoomMin;
    else if (zoom > FZoomMax)
        zoom = FZoomMax;
    if (zoom == FZoom)
        return;
    FZoom = uint16_t(zoom);
    UpdateScrollRanges();
    UpdateVisibleArea();
    Invalidate();
}

void TGraphControl::SetZoomMin(int value)
{
    value = std::clamp(value, 10, 1000);
    if (value == FZoomMin)
        return;
    FZoomMin = uint16_t(value);
    SetZoom(FZoom);
}

void TGraphControl::SetZoomMax(int value)
{
    value = std::clamp(value, 10, 1000);
    if (value == FZoomMax)
        return;
    FZoomMax = uint16_t(value);
    SetZoom(FZoom);
}
