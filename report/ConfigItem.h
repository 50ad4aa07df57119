#pragma once

#include <QImage>
#include <QString>

// One row of the configuration list: a product of the drawings with its
// legend picture, code, name and how many times it is used.
struct TConfigItem {
    // A bitmap copy of the symbol's large picture; null when the file is missing.
    QImage Picture;
    // The large picture's name as the first object of the group gives it.
    QString ImagePath;
    // The grouping key: every counted object with this caption is in the row.
    QString Caption;
    int Quantity = 1;
    // The Text of the first object of the group.
    QString Code;
};
