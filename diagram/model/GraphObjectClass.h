#pragma once

#include <QString>

class QPainter;
struct TRect;
class TGraphControl;
class TGraphObject;

// What the diagram needs to know of a graph object class at run time: its
// name (the stream stores it), its parent (for "is of class" tests), how to
// construct one, and the rubber shape the control draws while one is being
// inserted. Abstract classes have no constructor and no draft.
struct TGraphObjectClass {
    const char *Name;
    const TGraphObjectClass *Parent;
    TGraphObject *(*Create)(TGraphControl *owner);
    void (*DrawDraft)(QPainter &canvas, const TRect &rect);

    // Whether this class is the given one or derives from it; every class
    // inherits from "no class".
    bool InheritsFrom(const TGraphObjectClass *ancestor) const
    {
        for (const TGraphObjectClass *c = this; c; c = c->Parent)
            if (c == ancestor)
                return true;
        return ancestor == nullptr;
    }
    QString ClassName() const { return QString::fromLatin1(Name); }
    bool IsAbstract() const { return Create == nullptr; }
};

using TGraphObjectClassRef = const TGraphObjectClass *;

template <typename T> TGraphObject *ConstructGraphObject(TGraphControl *owner)
{
    return new T(owner);
}

// Declares the class record of a graph object class inside its definition.
#define GRAPH_OBJECT_CLASS                                                                         \
public:                                                                                            \
    static const TGraphObjectClass Class;                                                          \
    TGraphObjectClassRef ClassType() const override { return &Class; }                             \
                                                                                                   \
private:
