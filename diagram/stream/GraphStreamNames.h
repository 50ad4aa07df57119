#pragma once

#include "GraphColor.h"

#include <QByteArray>
#include <optional>
#include <vector>

// The identifiers the diagram stream writes for colours, character sets
// and enumeration values. Look-ups by name ignore letter case.
namespace GraphStreamNames {

// The name of a colour or character set, empty when it has none.
QByteArray ColorName(TColor color);
std::optional<TColor> ColorByName(QByteArrayView name);
QByteArray CharsetName(int charset);
std::optional<int> CharsetByName(QByteArrayView name);

// Enumeration names in value order.
extern const std::vector<QByteArray> AlignmentNames;
extern const std::vector<QByteArray> LinkKindNames;
extern const std::vector<QByteArray> PenModeNames;
extern const std::vector<QByteArray> PenStyleNames;
extern const std::vector<QByteArray> BrushStyleNames;
extern const std::vector<QByteArray> FontPitchNames;
extern const std::vector<QByteArray> FontStyleNames;

// The value of a name in an enumeration, if it is one of its names.
std::optional<int> EnumValue(const std::vector<QByteArray> &names, QByteArrayView name);

} // namespace GraphStreamNames
