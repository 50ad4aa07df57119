#pragma once

// Helpers shared by the object model and graph operation tests: a recorder
// of the control's object and change events, and short ways to make nodes.

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "RectangularNode.h"

#include <algorithm>
#include <vector>

namespace GraphModelTest {

enum class EventKind { Insert, Remove, Select, Change };

struct GraphEvent {
    EventKind Kind;
    TGraphObject *Object; // compared only, never used: it may be gone
    bool Selected;        // the object's Selected flag when the event came
    TGraphObjectState State;

    bool operator==(const GraphEvent &other) const
    {
        return Kind == other.Kind && Object == other.Object &&
               (Kind != EventKind::Select || Selected == other.Selected);
    }
};

inline const char *KindName(EventKind kind)
{
    switch (kind) {
    case EventKind::Insert:
        return "Insert";
    case EventKind::Remove:
        return "Remove";
    case EventKind::Select:
        return "Select";
    case EventKind::Change:
        return "Change";
    }
    return "?";
}

inline void PrintTo(const GraphEvent &event, std::ostream *os)
{
    *os << KindName(event.Kind) << "(" << static_cast<const void *>(event.Object);
    if (event.Kind == EventKind::Select) *os << (event.Selected ? ", on" : ", off");
    *os << ")";
}

inline GraphEvent Inserted(TGraphObject *object)
{
    return {EventKind::Insert, object, false, osNone};
}
inline GraphEvent Removed(TGraphObject *object)
{
    return {EventKind::Remove, object, false, osNone};
}
inline GraphEvent SelectedOn(TGraphObject *object)
{
    return {EventKind::Select, object, true, osNone};
}
inline GraphEvent SelectedOff(TGraphObject *object)
{
    return {EventKind::Select, object, false, osNone};
}
inline GraphEvent GraphChanged()
{
    return {EventKind::Change, nullptr, false, osNone};
}

// Records OnObjectInsert, OnObjectRemove, OnObjectSelect and OnGraphChange.
class EventRecorder {
public:
    void Attach(TGraphControl &graph)
    {
        graph.OnObjectInsert = [this](TGraphControl *, TGraphObject *object) {
            Events.push_back({EventKind::Insert, object, object->Selected(), object->State()});
        };
        graph.OnObjectRemove = [this](TGraphControl *, TGraphObject *object) {
            Events.push_back({EventKind::Remove, object, object->Selected(), object->State()});
        };
        graph.OnObjectSelect = [this](TGraphControl *, TGraphObject *object) {
            Events.push_back({EventKind::Select, object, object->Selected(), object->State()});
        };
        graph.OnGraphChange = [this](TGraphControl *) {
            Events.push_back({EventKind::Change, nullptr, false, osNone});
        };
    }

    int Count(EventKind kind) const
    {
        return int(std::count_if(Events.begin(), Events.end(),
                                 [kind](const GraphEvent &e) { return e.Kind == kind; }));
    }
    int Changes() const { return Count(EventKind::Change); }
    void Reset() { Events.clear(); }

    std::vector<GraphEvent> Events;
};

inline TRect Box(int left, int top, int width = 40, int height = 40)
{
    return TRect(left, top, left + width, top + height);
}

// The objects of a list, in order.
inline std::vector<TGraphObject *> Items(const TGraphObjectList &list)
{
    std::vector<TGraphObject *> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

} // namespace GraphModelTest
