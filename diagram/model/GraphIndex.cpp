#include "GraphIndex.h"

#include "GraphLink.h"
#include "GraphNode.h"

#include <algorithm>

void TGraphIndex::Clear()
{
    FByID.clear();
    FByStoredID.clear();
    FIDUse.clear();
    FUsedRuns.clear();
    FLinksOfNode.clear();
    FLinksByRef.clear();
    for (int i = 0; i < 2; ++i) {
        FRights[i].clear();
        FBottoms[i].clear();
    }
}

namespace {

template <typename Map, typename Value> void EraseOne(Map &map, uint32_t key, Value value)
{
    const auto [first, last] = map.equal_range(key);
    for (auto it = first; it != last; ++it)
        if (it->second == value) {
            map.erase(it);
            return;
        }
}

} // namespace

void TGraphIndex::Added(TGraphObject *object)
{
    FByID.emplace(object->ID(), object);
    AddID(object->ID());
    if (object->StoredID() != 0)
        FByStoredID.emplace(object->StoredID(), object);
    if (object->IsLink())
        LinkEnds(static_cast<TGraphLink *>(object));
}

void TGraphIndex::Removed(TGraphObject *object)
{
    EraseOne(FByID, object->ID(), object);
    RemoveID(object->ID());
    if (object->StoredID() != 0)
        EraseOne(FByStoredID, object->StoredID(), object);
    if (object->IsLink()) {
        UnlinkEnds(static_cast<TGraphLink *>(object));
    } else {
        FLinksOfNode.erase(static_cast<const TGraphNode *>(object));
        NodeExtentChanged(static_cast<TGraphNode *>(object), false);
    }
}

void TGraphIndex::IDChanged(TGraphObject *object, uint32_t oldID)
{
    EraseOne(FByID, oldID, object);
    RemoveID(oldID);
    FByID.emplace(object->ID(), object);
    AddID(object->ID());
}

void TGraphIndex::StoredIDChanged(TGraphObject *object, uint32_t oldStoredID)
{
    if (oldStoredID != 0)
        EraseOne(FByStoredID, oldStoredID, object);
    if (object->StoredID() != 0)
        FByStoredID.emplace(object->StoredID(), object);
}

void TGraphIndex::UnlinkEnds(TGraphLink *link)
{
    RemoveRefs(link);
    if (link->FromNode())
        Detach(link->FromNode(), link);
    if (link->ToNode())
        Detach(link->ToNode(), link);
}

void TGraphIndex::LinkEnds(TGraphLink *link)
{
    AddRefs(link);
    if (link->FromNode())
        Attach(link->FromNode(), link);
    if (link->ToNode())
        Attach(link->ToNode(), link);
}

void TGraphIndex::AddRefs(TGraphLink *link)
{
    FLinksByRef.emplace(link->FromNodeID(), link);
    if (link->ToNodeID() != link->FromNodeID())
        FLinksByRef.emplace(link->ToNodeID(), link);
}

void TGraphIndex::RemoveRefs(TGraphLink *link)
{
    EraseOne(FLinksByRef, link->FromNodeID(), link);
    if (link->ToNodeID() != link->FromNodeID())
        EraseOne(FLinksByRef, link->ToNodeID(), link);
}

void TGraphIndex::Attach(const TGraphNode *node, TGraphLink *link)
{
    FLinksOfNode[node].push_back(link);
}

void TGraphIndex::Detach(const TGraphNode *node, TGraphLink *link)
{
    const auto it = FLinksOfNode.find(node);
    if (it == FLinksOfNode.end())
        return;
    std::vector<TGraphLink *> &links = it->second;
    const auto pos = std::find(links.begin(), links.end(), link);
    if (pos != links.end()) {
        *pos = links.back();
        links.pop_back();
    }
    if (links.empty())
        FLinksOfNode.erase(it);
}

const std::vector<TGraphLink *> &TGraphIndex::LinksOf(const TGraphNode *node) const
{
    static const std::vector<TGraphLink *> none;
    const auto it = FLinksOfNode.find(node);
    return it == FLinksOfNode.end() ? none : it->second;
}

std::vector<TGraphLink *> TGraphIndex::LinksReferring(const TGraphObject *object) const
{
    std::vector<TGraphLink *> links;
    const auto [first, last] = FLinksByRef.equal_range(object->ID());
    for (auto it = first; it != last; ++it)
        links.push_back(it->second);
    if (!object->IsLink()) {
        for (TGraphLink *link : LinksOf(static_cast<const TGraphNode *>(object)))
            if (std::find(links.begin(), links.end(), link) == links.end())
                links.push_back(link);
    }
    return links;
}

void TGraphIndex::AddID(uint32_t id)
{
    if (FIDUse[id]++ > 0)
        return;
    // Join the runs that end just before and start just after the identifier.
    uint32_t first = id, last = id;
    if (id != UINT32_MAX) {
        const auto next = FUsedRuns.find(id + 1);
        if (next != FUsedRuns.end()) {
            last = next->second;
            FUsedRuns.erase(next);
        }
    }
    auto prev = FUsedRuns.lower_bound(id);
    if (prev != FUsedRuns.begin()) {
        --prev;
        if (id != 0 && prev->second == id - 1) {
            first = prev->first;
            FUsedRuns.erase(prev);
        }
    }
    FUsedRuns[first] = last;
}

void TGraphIndex::RemoveID(uint32_t id)
{
    const auto use = FIDUse.find(id);
    if (use == FIDUse.end() || --use->second > 0)
        return;
    FIDUse.erase(use);
    auto run = std::prev(FUsedRuns.upper_bound(id));
    const uint32_t first = run->first, last = run->second;
    FUsedRuns.erase(run);
    if (first < id)
        FUsedRuns[first] = id - 1;
    if (id < last)
        FUsedRuns[id + 1] = last;
}

uint32_t TGraphIndex::UnusedID(uint32_t start) const
{
    auto run = FUsedRuns.upper_bound(start);
    if (run == FUsedRuns.begin())
        return start;
    --run;
    if (start > run->second)
        return start;
    return run->second + 1; // 0 when every identifier above start is taken
}

void TGraphIndex::NodeExtentChanged(TGraphNode *node, bool listed)
{
    TExtentEntry &entry = node->FExtentEntry;
    if (entry.Registered) {
        FRights[entry.Hidden].erase(FRights[entry.Hidden].find(entry.Right));
        FBottoms[entry.Hidden].erase(FBottoms[entry.Hidden].find(entry.Bottom));
        entry.Registered = false;
    }
    if (!listed || node->State() != osNone)
        return;
    entry = TExtentEntry{true, !node->Visible(), node->Left() + node->Width(),
                         node->Top() + node->Height()};
    FRights[entry.Hidden].insert(entry.Right);
    FBottoms[entry.Hidden].insert(entry.Bottom);
}

namespace {

int Largest(const std::multiset<int> (&sets)[2], bool withHidden)
{
    int largest = sets[0].empty() ? 0 : *sets[0].rbegin();
    if (withHidden && !sets[1].empty())
        largest = sets[0].empty() ? *sets[1].rbegin() : std::max(largest, *sets[1].rbegin());
    return largest;
}

} // namespace

int TGraphIndex::MaxRight(bool withHidden) const
{
    return Largest(FRights, withHidden);
}

int TGraphIndex::MaxBottom(bool withHidden) const
{
    return Largest(FBottoms, withHidden);
}
