#include "GraphErrors.h"

EListError EListError::OutOfBounds(int index)
{
    return EListError(QStringLiteral("List index out of bounds (%1)").arg(index).toStdString());
}
