#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

class TGraphObject;
class TGraphObjectList;
class TGraphNode;
class TGraphLink;

// Look-up tables over the objects of one diagram, kept in step with its
// Objects list, so that finding an object by identifier, the smallest free
// identifier, the links of a node and the links that refer to an identifier
// cost O(log N) or better instead of a walk over every object.
class TGraphIndex {
public:
    void Clear();

    // Filling an empty index for many objects at once (a load): until
    // EndBulk only the identifiers in use follow the objects' changes;
    // EndBulk then indexes the listed objects in one pass.
    void BeginBulk() { FBulk = true; }
    bool InBulk() const { return FBulk; }
    void EndBulk(const TGraphObjectList &objects);

    // An object entered or left the Objects list.
    void Added(TGraphObject *object);
    // A node's links stay listed when asked: while the node's removal is
    // reported its links are still in the diagram; DropLinksOf ends that.
    void Removed(TGraphObject *object, bool keepLinksOfNode = false);
    void DropLinksOf(const TGraphNode *node);
    // A listed object's identifier changed.
    void IDChanged(TGraphObject *object, uint32_t oldID);
    // A listed link's ends changed; the index follows from what it recorded.
    void LinkEnds(TGraphLink *link);

    // What the index recorded of a link's ends.
    struct TLinkEntry {
        bool Registered = false;
        uint32_t FromID = 0;
        uint32_t ToID = 0;
        const TGraphNode *From = nullptr;
        const TGraphNode *To = nullptr;
    };
    // What a node adds to the content extent: its right and bottom edges
    // while it is live, kept apart for hidden nodes.
    struct TExtentEntry {
        bool Registered = false;
        bool Hidden = false;
        int Right = 0;
        int Bottom = 0;
        bool operator==(const TExtentEntry &) const = default;
    };
    // A listed node's bounds, visibility or state changed (or it left).
    void NodeExtentChanged(TGraphNode *node, bool listed);
    // The largest right and bottom edges of the live nodes (visible ones,
    // and hidden ones too when asked), or 0 when there are none.
    int MaxRight(bool withHidden) const;
    int MaxBottom(bool withHidden) const;

    // Smallest identifier not below start that no listed object has.
    uint32_t UnusedID(uint32_t start) const;
    // The topmost listed object with the identifier that matches.
    template <typename Match>
    TGraphObject *TopmostWithID(uint32_t id, const TGraphObjectList &objects, Match match) const;

    // Listed links whose FromNode or ToNode is the node, in no particular order.
    const std::vector<TGraphLink *> &LinksOf(const TGraphNode *node) const;
    // Listed links whose FromNodeID or ToNodeID is the identifier, or whose
    // ends are the node.
    std::vector<TGraphLink *> LinksReferring(const TGraphObject *object) const;

private:
    // Edge -> number of live nodes with it; drawings share few distinct
    // edges, so a node's entry rarely costs an allocation.
    using TEdgeCounts = std::map<int, int>;

    void AddID(uint32_t id);
    void RemoveID(uint32_t id);
    void RegisterLink(TGraphLink *link);
    void UnregisterLink(TGraphLink *link);
    void AddRefs(TGraphLink *link, uint32_t fromID, uint32_t toID);
    void RemoveRefs(TGraphLink *link, uint32_t fromID, uint32_t toID);
    void Attach(const TGraphNode *node, TGraphLink *link);
    void Detach(const TGraphNode *node, TGraphLink *link);
    // The node ends the index recorded for a link.
    void AttachEnds(const TLinkEntry &entry, TGraphLink *link);
    void DetachEnds(const TLinkEntry &entry, TGraphLink *link);
    void RegisterExtent(const TExtentEntry &entry);
    void UnregisterExtent(const TExtentEntry &entry);
    static TExtentEntry ExtentOf(const TGraphNode *node, bool listed);
    static int Largest(const TEdgeCounts (&counts)[2], bool withHidden);

    bool FBulk = false;
    std::unordered_multimap<uint32_t, TGraphObject *> FByID;
    std::map<uint32_t, uint32_t> FUsedRuns; // first -> last of each run of used identifiers
    std::unordered_map<uint32_t, int> FExtraUses; // uses of an identifier beyond the first
    std::unordered_map<const TGraphNode *, std::vector<TGraphLink *>> FLinksOfNode;
    std::unordered_multimap<uint32_t, TGraphLink *> FLinksByRef;
    TEdgeCounts FRights[2]; // [visible, hidden]
    TEdgeCounts FBottoms[2];
};

#include "GraphObjectList.h"

template <typename Match>
TGraphObject *TGraphIndex::TopmostWithID(uint32_t id, const TGraphObjectList &objects,
                                         Match match) const
{
    TGraphObject *best = nullptr;
    const auto [first, last] = FByID.equal_range(id);
    for (auto it = first; it != last; ++it)
        if (match(it->second) && (!best || objects.Precedes(best, it->second)))
            best = it->second;
    return best;
}
