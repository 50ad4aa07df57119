#pragma once

#include <QString>

// Which palette and group a symbol of the library belongs to, by its
// "system" and "type" (compared letter for letter).
struct TSymbolGroup {
    enum Palette { None, Wiring, DistributionBox };
    Palette palette = None;
    int index = -1;  // position of the group in its palette
    QString caption; // the group's caption

    bool IsValid() const { return palette != None && index >= 0; }
};

namespace SymbolGroups {

// The system value that puts a symbol in the wiring palette.
const QString &WiringSystem();
TSymbolGroup Of(const QString &system, const QString &type);

} // namespace SymbolGroups
