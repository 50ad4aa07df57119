#pragma once

#include "GraphErrors.h"
#include "GraphTypes.h"

#include <functional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

class TGraphObject;

// An ordered list of graph objects that tells a handler of every addition,
// removal and move. It does not own its objects.
//
// Diagrams hold up to hundreds of thousands of objects and take them out in
// any order, so the list keeps its items in slots that removal only marks
// empty, with a Fenwick tree of the filled slots: looking an object up,
// removing it, and converting between index and slot all cost O(log N), and
// the slots are compacted once half of them are empty.
class TGraphObjectList {
public:
    using TChangeHandler =
        std::function<void(TGraphObjectList *list, TGraphObject *object, TGraphListAction action)>;

    TGraphObjectList() = default;
    TGraphObjectList(const TGraphObjectList &) = delete;
    TGraphObjectList &operator=(const TGraphObjectList &) = delete;

    int Count() const { return FCount; }
    bool IsEmpty() const { return FCount == 0; }
    // The object at an index; EListError outside 0..Count-1.
    TGraphObject *Items(int index) const;
    TGraphObject *operator[](int index) const { return Items(index); }
    TGraphObject *First() const { return Items(0); }
    TGraphObject *Last() const { return Items(FCount - 1); }
    int IndexOf(const TGraphObject *object) const;
    bool Contains(const TGraphObject *object) const { return FSlotOf.count(object) != 0; }
    // Whether a stands before b in the list; both must be in it.
    bool Precedes(const TGraphObject *a, const TGraphObject *b) const;

    // Appends (or returns the index of an object already present) and notifies laAdded.
    int Add(TGraphObject *object);
    // Takes the object out, notifies laRemoved, and returns its former index (-1 when absent).
    int Remove(TGraphObject *object);
    // While laRemoved is being notified: the index the object had.
    int RemovingIndex() const { return FRemovingIndex; }
    void Delete(int index);
    // Moves an item and notifies laMoved for the object now at the target index.
    void Move(int fromIndex, int toIndex);
    // Puts newObject where oldObject is, without notification; -1 when oldObject is absent.
    int Replace(TGraphObject *oldObject, TGraphObject *newObject);
    // Deletes from the end, one notification each.
    void Clear();
    // Empties the list at once, without notification: for an owner that
    // answers itself for everything the handler would have done.
    void DropAll();
    void Reserve(int capacity);

    // The items in order, for walks that may change the list.
    std::vector<TGraphObject *> Snapshot() const;
    // Calls visit(object) for each item in order; the list must not change meanwhile.
    template <typename Visit> void ForEach(Visit visit) const
    {
        for (TGraphObject *object : FSlots)
            if (object)
                visit(object);
    }

    void SetOnChange(TChangeHandler handler) { FOnChange = std::move(handler); }

private:
    void Notify(TGraphObject *object, TGraphListAction action);
    void Append(TGraphObject *object);
    void EraseSlot(int slot);
    bool MoveIntoHole(TGraphObject *object, int fromIndex, int toIndex);
    int SlotOfIndex(int index) const;
    int IndexOfSlot(int slot) const;
    void FenwickAdd(int slot, int delta);
    int FenwickPrefix(int slotCount) const;
    void Rebuild(std::vector<TGraphObject *> items);
    void CheckIndex(int index) const;
    bool Dense() const { return int(FSlots.size()) == FCount; }

    std::vector<TGraphObject *> FSlots; // nullptr marks a removed item
    std::vector<int> FTree;             // 1-based Fenwick tree over the slots
    std::unordered_map<const TGraphObject *, int> FSlotOf;
    int FCount = 0;
    int FRemovingIndex = -1;
    TChangeHandler FOnChange;
};
