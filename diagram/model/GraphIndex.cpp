#include "GraphIndex.h"

#include "GraphLink.h"
#include "GraphNode.h"

#include <algorithm>

void TGraphIndex::Clear()
{
    FBulk = false;
    FByID.clear();
    FUsedRuns.clear();
    FExtraUses.clear();
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

void TGraphIndex::EndBulk(const TGraphObjectList &objects)
{
    if (!FBulk)
        return;
    FBulk = false;
    FByID.reserve(size_t(objects.Count()));
    FLinksByRef.reserve(size_t(objects.Count()));
    FLinksOfNode.reserve(size_t(objects.Count()));
    objects.ForEach([this](TGraphObject *object) {
        FByID.emplace(object->ID(), object);
        if (object->IsLink())
            RegisterLink(static_cast<TGraphLink *>(object));
        else
            NodeExtentChanged(static_cast<TGraphNode *>(object), true);
    });
}

void TGraphIndex::Added(TGraphObject *object)
{
    AddID(object->ID());
    if (FBulk)
        return;
    FByID.emplace(object->ID(), object);
    if (object->IsLink())
        RegisterLink(static_cast<TGraphLink *>(object));
}

void TGraphIndex::Removed(TGraphObject *object, bool keepLinksOfNode)
{
    EraseOne(FByID, object->ID(), object);
    RemoveID(object->ID());
    if (object->IsLink()) {
        UnregisterLink(static_cast<TGraphLink *>(object));
    } else {
        if (!keepLinksOfNode)
            DropLinksOf(static_cast<const TGraphNode *>(object));
        NodeExtentChanged(static_cast<TGraphNode *>(object), false);
    }
}

void TGraphIndex::DropLinksOf(const TGraphNode *node)
{
    FLinksOfNode.erase(node);
}

void TGraphIndex::IDChanged(TGraphObject *object, uint32_t oldID)
{
    RemoveID(oldID);
    AddID(object->ID());
    if (FBulk)
        return;
    EraseOne(FByID, oldID, object);
    FByID.emplace(object->ID(), object);
}

void TGraphIndex::LinkEnds(TGraphLink *link)
{
    if (FBulk)
        return;
    TLinkEntry &entry = link->FIndexEntry;
    if (!entry.Registered) {
        RegisterLink(link);
        return;
    }
    if (entry.FromID != link->FromNodeID() || entry.ToID != link->ToNodeID()) {
        RemoveRefs(link, entry.FromID, entry.ToID);
        entry.FromID = link->FromNodeID();
        entry.ToID = link->ToNodeID();
        AddRefs(link, entry.FromID, entry.ToID);
    }
    if (entry.From != link->FromNode() || entry.To != link->ToNode()) {
        DetachEnds(entry, link);
        entry.From = link->FromNode();
        entry.To = link->ToNode();
        AttachEnds(entry, link);
    }
}

void TGraphIndex::RegisterLink(TGraphLink *link)
{
    TLinkEntry &entry = link->FIndexEntry;
    entry =
        TLinkEntry{true, link->FromNodeID(), link->ToNodeID(), link->FromNode(), link->ToNode()};
    AddRefs(link, entry.FromID, entry.ToID);
    AttachEnds(entry, link);
}

void TGraphIndex::UnregisterLink(TGraphLink *link)
{
    TLinkEntry &entry = link->FIndexEntry;
    if (!entry.Registered)
        return;
    RemoveRefs(link, entry.FromID, entry.ToID);
    DetachEnds(entry, link);
    entry = TLinkEntry();
}

void TGraphIndex::AddRefs(TGraphLink *link, uint32_t fromID, uint32_t toID)
{
    FLinksByRef.emplace(fromID, link);
    if (toID != fromID)
        FLinksByRef.emplace(toID, link);
}

void TGraphIndex::RemoveRefs(TGraphLink *link, uint32_t fromID, uint32_t toID)
{
    EraseOne(FLinksByRef, fromID, link);
    if (toID != fromID)
        EraseOne(FLinksByRef, toID, link);
}

void TGraphIndex::AttachEnds(const TLinkEntry &entry, TGraphLink *link)
{
    if (entry.From)
        Attach(entry.From, link);
    if (entry.To)
        Attach(entry.To, link);
}

void TGraphIndex::DetachEnds(const TLinkEntry &entry, TGraphLink *link)
{
    if (entry.From)
        Detach(entry.From, link);
    if (entry.To)
        Detach(entry.To, link);
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
    auto run = FUsedRuns.upper_bound(id);
    if (run != FUsedRuns.begin() && std::prev(run)->second >= id) {
        ++FExtraUses[id]; // already in use
        return;
    }
    // Join the runs that end just before and start just after the identifier.
    uint32_t first = id, last = id;
    if (id != UINT32_MAX && run != FUsedRuns.end() && run->first == id + 1) {
        last = run->second;
        run = FUsedRuns.erase(run);
    }
    if (run != FUsedRuns.begin()) {
        const auto prev = std::prev(run);
        if (id != 0 && prev->second == id - 1) {
            first = prev->first;
            prev->second = last;
            return;
        }
    }
    FUsedRuns.emplace_hint(run, first, last);
}

void TGraphIndex::RemoveID(uint32_t id)
{
    auto run = FUsedRuns.upper_bound(id);
    if (run == FUsedRuns.begin() || std::prev(run)->second < id)
        return; // not in use
    if (!FExtraUses.empty()) {
        const auto extra = FExtraUses.find(id);
        if (extra != FExtraUses.end()) {
            if (--extra->second == 0)
                FExtraUses.erase(extra);
            return;
        }
    }
    --run;
    const uint32_t first = run->first, last = run->second;
    if (first < id) {
        run->second = id - 1;
        ++run;
    } else {
        run = FUsedRuns.erase(run);
    }
    if (id < last)
        FUsedRuns.emplace_hint(run, id + 1, last);
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

TGraphIndex::TExtentEntry TGraphIndex::ExtentOf(const TGraphNode *node, bool listed)
{
    // Writing a node changes none of it; it stays counted meanwhile.
    if (!listed || (node->State() != osNone && node->State() != osWriting))
        return TExtentEntry();
    return TExtentEntry{true, !node->Visible(), node->Left() + node->Width(),
                        node->Top() + node->Height()};
}

void TGraphIndex::NodeExtentChanged(TGraphNode *node, bool listed)
{
    if (FBulk && listed)
        return;
    TExtentEntry &entry = node->FExtentEntry;
    const TExtentEntry now = ExtentOf(node, listed);
    if (now == entry)
        return;
    if (entry.Registered)
        UnregisterExtent(entry);
    entry = now;
    if (entry.Registered)
        RegisterExtent(entry);
}

void TGraphIndex::RegisterExtent(const TExtentEntry &entry)
{
    ++FRights[entry.Hidden][entry.Right];
    ++FBottoms[entry.Hidden][entry.Bottom];
}

void TGraphIndex::UnregisterExtent(const TExtentEntry &entry)
{
    const auto drop = [](TEdgeCounts &counts, int edge) {
        const auto it = counts.find(edge);
        if (--it->second == 0)
            counts.erase(it);
    };
    drop(FRights[entry.Hidden], entry.Right);
    drop(FBottoms[entry.Hidden], entry.Bottom);
}

int TGraphIndex::Largest(const TEdgeCounts (&counts)[2], bool withHidden)
{
    int largest = counts[0].empty() ? 0 : counts[0].rbegin()->first;
    if (withHidden && !counts[1].empty())
        largest = counts[0].empty() ? counts[1].rbegin()->first
                                    : std::max(largest, counts[1].rbegin()->first);
    return largest;
}

int TGraphIndex::MaxRight(bool withHidden) const
{
    return Largest(FRights, withHidden);
}

int TGraphIndex::MaxBottom(bool withHidden) const
{
    return Largest(FBottoms, withHidden);
}
