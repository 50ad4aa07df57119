#pragma once

#include <QString>

// Writes the recommended distribution-box schemes, one "<name>.prj" each,
// into folder; the symbol nodes take their pictures from the small
// library pictures already written to smallPictures.
void WriteSchemes(const QString &smallPictures, const QString &folder);
