#include "GraphObjectList.h"

#include <QString>
#include <algorithm>

namespace {

int LowBit(int i)
{
    return i & -i;
}

} // namespace

void TGraphObjectList::CheckIndex(int index) const
{
    if (index < 0 || index >= FCount) throw EListError::OutOfBounds(index);
}

TGraphObject *TGraphObjectList::Items(int index) const
{
    CheckIndex(index);
    return FSlots[SlotOfIndex(index)];
}

int TGraphObjectList::IndexOf(const TGraphObject *object) const
{
    const auto it = FSlotOf.find(object);
    return it == FSlotOf.end() ? -1 : IndexOfSlot(it->second);
}

bool TGraphObjectList::Precedes(const TGraphObject *a, const TGraphObject *b) const
{
    return FSlotOf.at(a) < FSlotOf.at(b);
}

void TGraphObjectList::Notify(TGraphObject *object, TGraphListAction action)
{
    if (FOnChange) FOnChange(this, object, action);
}

int TGraphObjectList::Add(TGraphObject *object)
{
    const auto it = FSlotOf.find(object);
    if (it != FSlotOf.end()) return IndexOfSlot(it->second);
    Append(object);
    const int index = FCount - 1;
    Notify(object, laAdded);
    return index;
}

int TGraphObjectList::Remove(TGraphObject *object)
{
    const auto it = FSlotOf.find(object);
    if (it == FSlotOf.end()) return -1;
    const int slot = it->second;
    const int index = IndexOfSlot(slot);
    FSlotOf.erase(it);
    EraseSlot(slot);
    FRemovingIndex = index;
    Notify(object, laRemoved);
    FRemovingIndex = -1;
    return index;
}

void TGraphObjectList::Delete(int index)
{
    CheckIndex(index);
    Remove(FSlots[SlotOfIndex(index)]);
}

void TGraphObjectList::Move(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex) {
        CheckIndex(fromIndex);
        Notify(Items(toIndex), laMoved);
        return;
    }
    CheckIndex(fromIndex);
    CheckIndex(toIndex);
    TGraphObject *object = FSlots[SlotOfIndex(fromIndex)];
    if (toIndex == FCount - 1) {
        // To the end (bring to front): no renumbering needed.
        FSlotOf.erase(object);
        EraseSlot(SlotOfIndex(fromIndex));
        Append(object);
    } else if (MoveIntoHole(object, fromIndex, toIndex)) {
        // An empty slot stood just where the object goes (as when an object
        // taken out is put back in its place): no renumbering either.
    } else {
        std::vector<TGraphObject *> items = Snapshot();
        items.erase(items.begin() + fromIndex);
        items.insert(items.begin() + toIndex, object);
        Rebuild(std::move(items));
    }
    Notify(object, laMoved);
}

bool TGraphObjectList::MoveIntoHole(TGraphObject *object, int fromIndex, int toIndex)
{
    if (Dense())
        return false;
    // The neighbours the object will have, as indices of the list as it is.
    const auto present = [fromIndex](int index) { return index < fromIndex ? index : index + 1; };
    const int before = toIndex > 0 ? SlotOfIndex(present(toIndex - 1)) : -1;
    const int after = SlotOfIndex(present(toIndex));
    if (after - before < 2)
        return false;
    // Every slot between two neighbours is empty.
    const int hole = before + 1;
    const int own = FSlotOf.at(object);
    FSlots[own] = nullptr;
    FenwickAdd(own, -1);
    FSlots[hole] = object;
    FenwickAdd(hole, 1);
    FSlotOf[object] = hole;
    while (!FSlots.empty() && FSlots.back() == nullptr) {
        FSlots.pop_back();
        FTree.pop_back();
    }
    return true;
}

int TGraphObjectList::Replace(TGraphObject *oldObject, TGraphObject *newObject)
{
    const auto it = FSlotOf.find(oldObject);
    if (it == FSlotOf.end()) return -1;
    const int slot = it->second;
    FSlotOf.erase(it);
    FSlots[slot] = newObject;
    FSlotOf[newObject] = slot;
    return IndexOfSlot(slot);
}

void TGraphObjectList::Clear()
{
    while (FCount > 0)
        Delete(FCount - 1);
    DropAll();
}

void TGraphObjectList::DropAll()
{
    FSlots.clear();
    FTree.assign(1, 0);
    FSlotOf.clear();
    FCount = 0;
}

void TGraphObjectList::Reserve(int capacity)
{
    if (capacity <= 0) return;
    FSlots.reserve(capacity);
    FTree.reserve(capacity + 1);
    FSlotOf.reserve(capacity);
}

std::vector<TGraphObject *> TGraphObjectList::Snapshot() const
{
    std::vector<TGraphObject *> items;
    items.reserve(FCount);
    ForEach([&](TGraphObject *object) { items.push_back(object); });
    return items;
}

void TGraphObjectList::Append(TGraphObject *object)
{
    if (FTree.empty()) FTree.push_back(0);
    const int slot = int(FSlots.size());
    FSlots.push_back(object);
    FSlotOf[object] = slot;
    // The new Fenwick node covers the slots (p - lowbit(p), p]; all but the
    // new one are already counted in the prefix sums.
    const int p = slot + 1;
    FTree.push_back(1 + FenwickPrefix(p - 1) - FenwickPrefix(p - LowBit(p)));
    ++FCount;
}

void TGraphObjectList::EraseSlot(int slot)
{
    FSlots[slot] = nullptr;
    FenwickAdd(slot, -1);
    --FCount;
    // Trailing empty slots are dropped; a Fenwick node covers only slots at
    // or before its own, so the remaining prefix sums stay right.
    while (!FSlots.empty() && FSlots.back() == nullptr) {
        FSlots.pop_back();
        FTree.pop_back();
    }
    const int holes = int(FSlots.size()) - FCount;
    if (holes > 64 && holes > FCount) Rebuild(Snapshot());
}

int TGraphObjectList::SlotOfIndex(int index) const
{
    if (Dense()) return index;
    // Smallest slot whose prefix count reaches index + 1.
    int slot = 0;
    int remaining = index + 1;
    int step = 1;
    while (step * 2 < int(FTree.size()))
        step *= 2;
    for (; step > 0; step /= 2) {
        const int next = slot + step;
        if (next < int(FTree.size()) && FTree[next] < remaining) {
            slot = next;
            remaining -= FTree[next];
        }
    }
    return slot;
}

int TGraphObjectList::IndexOfSlot(int slot) const
{
    return Dense() ? slot : FenwickPrefix(slot);
}

void TGraphObjectList::FenwickAdd(int slot, int delta)
{
    for (int p = slot + 1; p < int(FTree.size()); p += LowBit(p))
        FTree[p] += delta;
}

int TGraphObjectList::FenwickPrefix(int slotCount) const
{
    int sum = 0;
    for (int p = slotCount; p > 0; p -= LowBit(p))
        sum += FTree[p];
    return sum;
}

void TGraphObjectList::Rebuild(std::vector<TGraphObject *> items)
{
    FSlots = std::move(items);
    FCount = int(FSlots.size());
    FTree.assign(FSlots.size() + 1, 0);
    FSlotOf.clear();
    for (int slot = 0; slot < FCount; ++slot) {
        FSlotOf[FSlots[slot]] = slot;
        const int p = slot + 1;
        FTree[p] += 1;
        const int parent = p + LowBit(p);
        if (parent < int(FTree.size())) FTree[parent] += FTree[p];
    }
}
