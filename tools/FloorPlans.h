#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The bundled floor plans, about 1200 x 900 pixels at 1 pixel = 12 mm.
QStringList FloorPlanNames();
QImage FloorPlan(const QString &name);
