#include "GraphEditStep.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphObject.h"
#include "GraphPicture.h"
#include "GraphStream.h"

#include <algorithm>

// The drawing-wide state a step of the Settings scope keeps.
struct TGraphEditStep::TSettings {
    TPicture Background;
    QString BackgroundPath;
    bool LockNodes = false;
};

TGraphEditStep::TGraphEditStep(TGraphControl *graph, QString name, TGraphEditScope scope,
                               QStringList extras)
    : FGraph(graph), FName(std::move(name)), FScope(scope)
{
    FBefore.Selection = CaptureSelection();
    FBefore.Extras = std::move(extras);
    if (FScope != TGraphEditScope::Objects)
        FBefore.Settings = CaptureSettings();
    if (FScope == TGraphEditScope::WholeDrawing) {
        FGraph->Objects().ForEach([this](TGraphObject *object) { Keep(object); });
        return;
    }
    // What the action may change: the selection, and the links that follow
    // a selected node when it moves or goes.
    FGraph->SelectedObjects().ForEach([this](TGraphObject *object) {
        Keep(object);
        if (!object->IsLink())
            for (TGraphLink *link : FGraph->Index().LinksReferring(object))
                Keep(link);
    });
}

TGraphEditStep::~TGraphEditStep() = default;

// --- Taking states ---

TGraphEditStep::TObjectState TGraphEditStep::Capture(TGraphObject *object, int zOrder) const
{
    TObjectState state;
    state.ID = object->ID();
    state.ZOrder = zOrder;
    state.IsLink = object->IsLink();
    if (state.IsLink) {
        const auto *link = static_cast<const TGraphLink *>(object);
        state.FromID = link->FromNode() ? link->FromNode()->ID() : 0;
        state.ToID = link->ToNode() ? link->ToNode()->ID() : 0;
    }
    TValueWriter writer(state.Record);
    FGraph->WriteObject(writer, object);
    return state;
}

void TGraphEditStep::Keep(TGraphObject *object)
{
    if (!FKept.count(object->ID()))
        FKept.emplace(object->ID(), Capture(object, FGraph->Objects().IndexOf(object)));
}

std::unique_ptr<TGraphEditStep::TSettings> TGraphEditStep::CaptureSettings() const
{
    auto settings = std::make_unique<TSettings>();
    settings->Background.Assign(FGraph->Background());
    settings->BackgroundPath = FGraph->BackgroundPath();
    settings->LockNodes = FGraph->LockNodes();
    return settings;
}

std::vector<uint32_t> TGraphEditStep::CaptureSelection() const
{
    std::vector<uint32_t> ids;
    ids.reserve(FGraph->SelectedObjects().Count());
    FGraph->SelectedObjects().ForEach([&](TGraphObject *object) { ids.push_back(object->ID()); });
    return ids;
}

// --- While the action runs ---

void TGraphEditStep::ObjectAdded(TGraphObject *object)
{
    FAdded.insert(object);
}

void TGraphEditStep::ObjectRemoved(TGraphObject *object, int formerIndex)
{
    if (FAdded.erase(object))
        return;
    int place = 0;
    if (const auto kept = FKept.find(object->ID()); kept != FKept.end()) {
        place = kept->second.ZOrder;
    } else {
        // Not kept yet, so not changed yet: as it is now, it was before.
        place = PlaceBefore(formerIndex);
        FKept.emplace(object->ID(), Capture(object, place));
    }
    // Every object of a wider step is kept; no place needs working out.
    if (FScope != TGraphEditScope::WholeDrawing)
        FGone.insert(place);
}

int TGraphEditStep::PlaceBefore(int index) const
{
    // Objects added on the way stand after all others, so only the places
    // of the objects gone before count.
    int place = index;
    for (int gone : FGone) {
        if (gone > place)
            break;
        ++place;
    }
    return place;
}

void TGraphEditStep::ObjectReordered(TGraphObject *object)
{
    if (FAdded.count(object))
        return;
    if (!FKept.count(object->ID()))
        FIncomplete = true;
    FReordered.insert(object->ID());
}

void TGraphEditStep::ObjectChanged(TGraphObject *object)
{
    if (FAdded.count(object))
        return;
    if (!FKept.count(object->ID())) {
        FIncomplete = true;
    }
}

// --- The state after ---

bool TGraphEditStep::Finish(QStringList extras)
{
    FAfter.Selection = CaptureSelection();
    FAfter.Extras = std::move(extras);
    if (FScope != TGraphEditScope::Objects)
        FAfter.Settings = CaptureSettings();
    TStateMap after;
    const auto takeAfter = [&](uint32_t id) {
        if (after.count(id))
            return;
        if (TGraphObject *object = FGraph->ObjectByID(id))
            after.emplace(id, Capture(object, FGraph->Objects().IndexOf(object)));
    };
    for (const auto &[id, state] : FKept)
        takeAfter(id);
    std::unordered_set<uint32_t> added;
    for (TGraphObject *object : FAdded) {
        added.insert(object->ID());
        takeAfter(object->ID());
    }
    FAdded.clear();
    // A whole drawing may have been replaced by a load that reports no
    // object it adds: every object there is now counts.
    if (FScope == TGraphEditScope::WholeDrawing)
        FGraph->Objects().ForEach([&](TGraphObject *object) {
            if (!FKept.count(object->ID()))
                added.insert(object->ID());
            takeAfter(object->ID());
        });

    std::unordered_set<uint32_t> changed = ChangedIDs(after);
    if (changed.empty() && SettingsEqual() && FBefore.Extras == FAfter.Extras)
        return false;
    AddLinksOfNodes(changed, after, added);
    FBefore.Objects = InOrder(FKept, changed);
    FAfter.Objects = InOrder(after, changed);
    FKept.clear();
    FReordered.clear();
    FGone.clear();
    return true;
}

std::unordered_set<uint32_t> TGraphEditStep::ChangedIDs(const TStateMap &after) const
{
    std::unordered_set<uint32_t> changed;
    for (const auto &[id, before] : FKept) {
        const auto it = after.find(id);
        if (it == after.end() || it->second.Record != before.Record ||
            (FReordered.count(id) && it->second.ZOrder != before.ZOrder))
            changed.insert(id);
    }
    for (const auto &[id, state] : after)
        if (!FKept.count(id))
            changed.insert(id);
    return changed;
}

void TGraphEditStep::AddLinksOfNodes(std::unordered_set<uint32_t> &ids, TStateMap &after,
                                     const std::unordered_set<uint32_t> &added)
{
    // A node is put back by taking it out with its links and reading it
    // again, so every link of a changed node, before and after, goes too.
    std::unordered_set<uint32_t> nodes;
    for (uint32_t id : ids) {
        const auto kept = FKept.find(id);
        if (!(kept != FKept.end() ? kept->second : after.at(id)).IsLink)
            nodes.insert(id);
    }
    for (const auto &[id, state] : FKept)
        if (state.IsLink && (nodes.count(state.FromID) || nodes.count(state.ToID)))
            ids.insert(id);
    for (uint32_t node : nodes) {
        TGraphObject *object = FGraph->ObjectByID(node);
        if (!object)
            continue;
        for (TGraphLink *link : FGraph->Index().LinksReferring(object)) {
            const uint32_t id = link->ID();
            ids.insert(id);
            if (!after.count(id))
                after.emplace(id, Capture(link, FGraph->Objects().IndexOf(link)));
            // A link neither kept nor added did not change: it stood as it stands.
            if (!FKept.count(id) && !added.count(id))
                FKept.emplace(id, after.at(id));
        }
    }
}

std::vector<TGraphEditStep::TObjectState>
TGraphEditStep::InOrder(TStateMap &states, const std::unordered_set<uint32_t> &ids)
{
    std::vector<TObjectState> list;
    for (uint32_t id : ids)
        if (auto it = states.find(id); it != states.end())
            list.push_back(std::move(it->second));
    std::sort(list.begin(), list.end(),
              [](const TObjectState &a, const TObjectState &b) { return a.ZOrder < b.ZOrder; });
    return list;
}

bool TGraphEditStep::SettingsEqual() const
{
    const TSettings *a = FBefore.Settings.get();
    const TSettings *b = FAfter.Settings.get();
    if (!a || !b)
        return a == b;
    return a->BackgroundPath == b->BackgroundPath && a->LockNodes == b->LockNodes &&
           a->Background.GetFormat() == b->Background.GetFormat() &&
           a->Background.Data() == b->Background.Data();
}

// --- Taking back and doing again ---

const QStringList &TGraphEditStep::Undo()
{
    Apply(FAfter, FBefore);
    return FBefore.Extras;
}

const QStringList &TGraphEditStep::Redo()
{
    Apply(FBefore, FAfter);
    return FAfter.Extras;
}

void TGraphEditStep::Apply(const TSide &from, const TSide &to)
{
    TQuietGraphBatch batch(FGraph);
    FGraph->SetDragState(dragNone);
    ApplyObjects(from, to);
    FGraph->SelectedObjects().Clear();
    for (uint32_t id : to.Selection)
        if (TGraphObject *object = FGraph->ObjectByID(id))
            object->SetSelected(true);
    if (to.Settings) {
        FGraph->SetBackground(to.Settings->Background);
        FGraph->SetBackgroundPath(to.Settings->BackgroundPath);
        FGraph->SetLockNodes(to.Settings->LockNodes);
        FGraph->UpdateScrollRanges();
    }
    FGraph->NotifyChange(nullptr, true);
}

void TGraphEditStep::ApplyObjects(const TSide &from, const TSide &to)
{

    // Out go the objects as they stand, links first so that no node takes
    // a link along that is not put back.
    std::vector<TGraphObject *> leaving;
    for (const TObjectState &state : from.Objects)
        if (TGraphObject *object = FGraph->ObjectByID(state.ID))
            leaving.push_back(object);
    std::stable_partition(leaving.begin(), leaving.end(),
                          [](const TGraphObject *object) { return object->IsLink(); });
    for (TGraphObject *object : leaving)
        if (FGraph->Objects().Contains(object))
            object->Free();

    // In come the objects as they stood, each under its own identifier
    // (which reading alone would not give back: a new object takes the
    // lowest free one), then the links find their nodes.
    std::vector<TGraphObject *> read;
    read.reserve(to.Objects.size());
    for (const TObjectState &state : to.Objects) {
        TValueReader reader(state.Record);
        TGraphObject *object = FGraph->ReadObject(reader);
        object->SetID(state.ID);
        read.push_back(object);
    }
    for (auto it = read.rbegin(); it != read.rend(); ++it) {
        if ((*it)->ResolveReferences())
            (*it)->SetStoredID(0);
        else
            (*it)->Free();
    }
    // Each goes to its place in the drawing order, the lowest place first.
    for (const TObjectState &state : to.Objects)
        if (TGraphObject *object = FGraph->ObjectByID(state.ID))
            object->SetZOrder(state.ZOrder);
}

size_t TGraphEditStep::MemoryUsed() const
{
    size_t bytes = sizeof(*this);
    for (const TSide *side : {&FBefore, &FAfter}) {
        bytes += side->Selection.size() * sizeof(uint32_t);
        for (const TObjectState &state : side->Objects)
            bytes += sizeof(state) + state.Record.size();
        if (side->Settings)
            bytes += sizeof(TSettings) + side->Settings->Background.Data().size();
        for (const QString &extra : side->Extras)
            bytes += extra.size() * sizeof(QChar);
    }
    for (const auto &[id, state] : FKept)
        bytes += sizeof(state) + state.Record.size();
    return bytes;
}
