#pragma once

#include <QJsonObject>

class TGraphObject;

// A graph object as JSON: its class name and every stored property, with
// colours, character sets and enumerations by their stream names.
QJsonObject DiagramObjectToJson(const TGraphObject &object);
