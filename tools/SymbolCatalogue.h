#pragma once

#include <QString>
#include <span>

// One entry of the bundled symbol library. The position of an entry in the
// catalogue is its library index, which placed symbols keep as their Tag,
// so entries are only ever appended to the end of the catalogue, never
// inserted or reordered: the palettes put each in its group.
struct SymbolEntry {
    const char *code;
    const char *caption;
    const char *system;
    const char *type;
    const char *comment;
    // Caption of the switch or socket that a drop places with an appliance
    // or a lamp; empty for everything else.
    const char *ref;
};

std::span<const SymbolEntry> SymbolCatalogue();

// Library index of the entry with this code; throws when there is none.
int SymbolIndex(const QString &code);
const SymbolEntry &SymbolByCode(const QString &code);

// Picture file names inside iconstore/20 and iconstore/150.
QString SmallImageName(const SymbolEntry &entry);
QString LargeImageName(const SymbolEntry &entry);
