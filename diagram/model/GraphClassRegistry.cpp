#include "GraphClassRegistry.h"

#include <algorithm>

TGraphClassRegistry &TGraphClassRegistry::Instance()
{
    static TGraphClassRegistry registry;
    return registry;
}

void TGraphClassRegistry::Register(std::vector<TGraphObjectClassRef> &list,
                                   TGraphObjectClassRef cls)
{
    if (!cls || std::find(list.begin(), list.end(), cls) != list.end())
        return;
    list.push_back(cls);
    // The class and its ancestors become known by name.
    for (TGraphObjectClassRef c = cls; c; c = c->Parent)
        if (std::find(FNamed.begin(), FNamed.end(), c) == FNamed.end())
            FNamed.push_back(c);
}

void TGraphClassRegistry::Unregister(std::vector<TGraphObjectClassRef> &list,
                                     TGraphObjectClassRef cls)
{
    FNamed.erase(std::remove(FNamed.begin(), FNamed.end(), cls), FNamed.end());
    list.erase(std::remove(list.begin(), list.end(), cls), list.end());
}

TGraphObjectClassRef TGraphClassRegistry::FindClass(const QString &name) const
{
    for (TGraphObjectClassRef cls : FNamed)
        if (name.compare(QLatin1String(cls->Name), Qt::CaseInsensitive) == 0)
            return cls;
    return nullptr;
}
