#pragma once

#include <QString>

class TGraphObject;

// What a drawing tells the one who records its edits (the undo history):
// where a designer action begins and ends, and every object it adds,
// removes, reorders or changes on the way. The control brackets its own
// actions (drags, keys, clicks in insert and link mode); the application
// brackets its commands. Brackets nest: inner ones join the outermost.
class TGraphEditRecorder {
public:
    virtual ~TGraphEditRecorder() = default;

    virtual void BeginEdit(const QString &name) = 0;
    virtual void EndEdit() = 0;
    // The object has joined the drawing; its identifier may still change.
    virtual void ObjectAdded(TGraphObject *object) = 0;
    // The object has left the drawing list from formerIndex and is still
    // whole: its links have not yet gone with it.
    virtual void ObjectRemoved(TGraphObject *object, int formerIndex) = 0;
    // The object was moved to another place in the drawing order.
    virtual void ObjectReordered(TGraphObject *object) = 0;
    // The content of the object changed (after the change).
    virtual void ObjectChanged(TGraphObject *object) = 0;
};
