#pragma once

#include <QJsonObject>

class TGraphObject;

// A graph object as JSON: its class name and every stored property, with
// colours, character sets and enumerations by their stream names.
QJsonObject DiagramObjectToJson(const TGraphObject &object);
// The same object as one line of compact JSON, byte for byte what
// QJsonDocument writes for DiagramObjectToJson, without building the
// document: a dump of a large diagram spends its time here.
QByteArray DiagramObjectToJsonLine(const TGraphObject &object);
