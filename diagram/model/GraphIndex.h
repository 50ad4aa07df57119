#pragma once

#include <cstdint>
#include <map>
#include <set>
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

    // An object entered or left the Objects list.
    void Added(TGraphObject *object);
    void Removed(TGraphObject *object);
    // A listed object's identifiers changed.
    void IDChanged(TGraphObject *object, uint32_t oldID);
    void StoredIDChanged(TGraphObject *object, uint32_t oldStoredID);
    // A listed link is about to change its ends, or has changed them.
    void UnlinkEnds(TGraphLink *link);
    void LinkEnds(TGraphLink *link);

    // What a node adds to the content extent: its right and bottom edges
    // while it is live, kept apart for hidden nodes.
    struct TExtentEntry {
        bool Registered = false;
        bool Hidden = false;
        int Right = 0;
        int Bottom = 0;
    };
    // A listed node's bounds, visibility or state changed (or it left).
    void NodeExtentChanged(TGraphNode *node, bool listed);
    // The largest right and bottom edges of the live nodes (visible ones,
    // and hidden ones too when asked), or 0 when there are none.
    int MaxRight(bool withHidden) const;
    int MaxBottom(bool withHidden) const;

    // Smallest identifier not below start that no listed object has.
    uint32_t UnusedID(uint32_t start) const;
    // The topmost listed object with the identifier (stored identifier at
    // or above firstIndex) that is of the class.
    template <typename Match>
    TGraphObject *TopmostWithID(uint32_t id, const TGraphObjectList &objects, Match match) const;
    template <typename Match>
    TGraphObject *TopmostWithStoredID(uint32_t storedID, const TGraphObjectList &objects,
                                      Match match) const;

    // Listed links whose FromNode or ToNode is the node, in no particular order.
    const std::vector<TGraphLink *> &LinksOf(const TGraphNode *node) const;
    // Listed links whose FromNodeID or ToNodeID is the identifier, or whose
    // ends are the node.
    std::vector<TGraphLink *> LinksReferring(const TGraphObject *object) const;

private:
    void AddID(uint32_t id);
    void RemoveID(uint32_t id);
    void AddRefs(TGraphLink *link);
    void RemoveRefs(TGraphLink *link);
    void Attach(const TGraphNode *node, TGraphLink *link);
    void Detach(const TGraphNode *node, TGraphLink *link);
    template <typename Map, typename Match>
    static TGraphObject *Topmost(const Map &map, uint32_t key, const TGraphObjectList &objects,
                                 Match match);

    std::unordered_multimap<uint32_t, TGraphObject *> FByID;
    std::unordered_multimap<uint32_t, TGraphObject *> FByStoredID;
    std::unordered_map<uint32_t, int> FIDUse;
    std::map<uint32_t, uint32_t> FUsedRuns; // first -> last of each run of used identifiers
    std::unordered_map<const TGraphNode *, std::vector<TGraphLink *>> FLinksOfNode;
    std::unordered_multimap<uint32_t, TGraphLink *> FLinksByRef;
    std::multiset<int> FRights[2]; // [visible, hidden]
    std::multiset<int> FBottoms[2];
};

#include "GraphObjectList.h"

template <typename Map, typename Match>
TGraphObject *TGraphIndex::Topmost(const Map &map, uint32_t key, const TGraphObjectList &objects,
                                   Match match)
{
    TGraphObject *best = nullptr;
    const auto [first, last] = map.equal_range(key);
    for (auto it = first; it != last; ++it)
        if (match(it->second) && (!best || objects.Precedes(best, it->second)))
            best = it->second;
    return best;
}

template <typename Match>
TGraphObject *TGraphIndex::TopmostWithID(uint32_t id, const TGraphObjectList &objects,
                                         Match match) const
{
    return Topmost(FByID, id, objects, match);
}

template <typename Match>
TGraphObject *TGraphIndex::TopmostWithStoredID(uint32_t storedID, const TGraphObjectList &objects,
                                               Match match) const
{
    return Topmost(FByStoredID, storedID, objects, match);
}
