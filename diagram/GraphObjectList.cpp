#include "GraphObjectList.h"

#include "GraphObject.h"

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
    if (index < 0 || index >= FCount)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index).toStdString());
}

TGraphObject *TGraphObjectList::Items(int index) const
{
    CheckIndex(index);
    return FSlots[SlotOfIndex(index)];
}

int TGraphObjectList::SlotOf(const TGraphObject *object) const
{
    if (FSlotKey >= 0 && object->FListSlot[FSlotKey].List == this)
        return object->FListSlot[FSlotKey].Slot;
    if (FSlotOf.empty())
        return -1;
    const auto it = FSlotOf.find(object);
    return it == FSlotOf.end() ? -1 : it->second;
}

void TGraphObjectList::SetSlot(TGraphObject *object, int slot)
{
    // The slot goes into the object unless another list (another diagram's,
    // which an object is briefly offered to) holds that place already.
    if (FSlotKey >= 0) {
        auto &entry = object->FListSlot[FSlotKey];
        if (!entry.List || entry.List == this) {
            entry = {this, slot};
            return;
        }
    }
    FSlotOf[object] = slot;
}

void TGraphObjectList::ForgetSlot(TGraphObject *object)
{
    if (FSlotKey >= 0 && object->FListSlot[FSlotKey].List == this)
        object->FListSlot[FSlotKey] = {nullptr, -1};
    else
        FSlotOf.erase(object);
}

int TGraphObjectList::IndexOf(const TGraphObject *object) const
{
    const int slot = SlotOf(object);
    return slot < 0 ? -1 : IndexOfSlot(slot);
}

bool TGraphObjectList::Precedes(const TGraphObject *a, const TGraphObject *b) const
{
    return SlotOf(a) < SlotOf(b);
}

void TGraphObjectList::Notify(TGraphObject *object, TGraphListAction action)
{
    if (FOnChange)
        FOnChange(this, object, action);
}

int TGraphObjectList::Add(TGraphObject *object)
{
    if (const int slot = SlotOf(object); slot >= 0)
        return IndexOfSlot(slot);
    Append(object);
    const int index = FCount - 1;
    Notify(object, laAdded);
    return index;
}

int TGraphObjectList::Remove(TGraphObject *object)
{
    const int slot = SlotOf(object);
    if (slot < 0)
        return -1;
    const int index = IndexOfSlot(slot);
    ForgetSlot(object);
    EraseSlot(slot);
    Notify(object, laRemoved);
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
        const int slot = SlotOfIndex(fromIndex);
        ForgetSlot(object);
        EraseSlot(slot);
        Append(object);
    } else {
        std::vector<TGraphObject *> items = Snapshot();
        items.erase(items.begin() + fromIndex);
        items.insert(items.begin() + toIndex, object);
        Rebuild(std::move(items));
    }
    Notify(object, laMoved);
}

int TGraphObjectList::Replace(TGraphObject *oldObject, TGraphObject *newObject)
{
    const int slot = SlotOf(oldObject);
    if (slot < 0)
        return -1;
    ForgetSlot(oldObject);
    FSlots[slot] = newObject;
    SetSlot(newObject, slot);
    return IndexOfSlot(slot);
}

void TGraphObjectList::Clear()
{
    while (FCount > 0)
        Delete(FCount - 1);
    FSlots.clear();
    FTree.assign(1, 0);
    FSlotOf.clear();
}

void TGraphObjectList::Reserve(int capacity)
{
    if (capacity <= 0)
        return;
    FSlots.reserve(capacity);
    FTree.reserve(capacity + 1);
    if (FSlotKey < 0)
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
    if (FTree.empty())
        FTree.push_back(0);
    const int slot = int(FSlots.size());
    FSlots.push_back(object);
    SetSlot(object, slot);
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
    if (holes > 64 && holes > FCount)
        Rebuild(Snapshot());
}

int TGraphObjectList::SlotOfIndex(int index) const
{
    if (Dense())
        return index;
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
        SetSlot(FSlots[slot], slot);
        const int p = slot + 1;
        FTree[p] += 1;
        const int parent = p + LowBit(p);
        if (parent < int(FTree.size()))
            FTree[parent] += FTree[p];
    }
}
