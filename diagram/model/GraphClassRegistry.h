#pragma once

#include "GraphObjectClass.h"

#include <QString>
#include <vector>

// The registries of graph object classes: the ordered lists of node and link
// classes offered for general use, and the class-name registry through which
// the stream reader turns a stored class name into a class. They live for
// the whole program run.
class TGraphClassRegistry {
public:
    static TGraphClassRegistry &Instance();

    void RegisterNodeClass(TGraphObjectClassRef cls) { Register(FNodeClasses, cls); }
    void UnregisterNodeClass(TGraphObjectClassRef cls) { Unregister(FNodeClasses, cls); }
    const std::vector<TGraphObjectClassRef> &NodeClasses() const { return FNodeClasses; }
    void RegisterLinkClass(TGraphObjectClassRef cls) { Register(FLinkClasses, cls); }
    void UnregisterLinkClass(TGraphObjectClassRef cls) { Unregister(FLinkClasses, cls); }
    const std::vector<TGraphObjectClassRef> &LinkClasses() const { return FLinkClasses; }

    // The registered class of that name, compared without regard to case.
    TGraphObjectClassRef FindClass(const QString &name) const;

private:
    void Register(std::vector<TGraphObjectClassRef> &list, TGraphObjectClassRef cls);
    void Unregister(std::vector<TGraphObjectClassRef> &list, TGraphObjectClassRef cls);

    std::vector<TGraphObjectClassRef> FNodeClasses;
    std::vector<TGraphObjectClassRef> FLinkClasses;
    std::vector<TGraphObjectClassRef> FNamed;
};
