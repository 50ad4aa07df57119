#pragma once

#include <QByteArray>

class TGraphObject;
class TGraphStreamableObject;
class TValueReader;
class TValueWriter;

// One graph object as a component block of the diagram stream: the block
// head, the properties that differ from a new object's, and the two end
// bytes.
namespace GraphComponentFormat {

void Write(TValueWriter &writer, const TGraphObject &object);
// Reads a block into the carrier's object. Errors name the property as
// "Error reading TGraphStreamableObject.<path>: <reason>".
void Read(TValueReader &reader, TGraphStreamableObject &carrier);

} // namespace GraphComponentFormat
