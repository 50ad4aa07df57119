#pragma once

#include "GraphControl.h"

#include <functional>

// A drawing of the main window. It reports every object that leaves it,
// also while clearing and loading, where the diagram's own removal event
// stays silent: the window keeps plain references to objects (the node
// whose details are shown) that must not outlive them.
class TWorkspaceGraph : public TGraphControl {
public:
    using TGraphControl::TGraphControl;

    std::function<void(TGraphControl *graph, TGraphObject *object)> OnObjectGone;

    void DoObjectRemove(TGraphObject *object) override
    {
        TGraphControl::DoObjectRemove(object);
        if (OnObjectGone)
            OnObjectGone(this, object);
    }
};
