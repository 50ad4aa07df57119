#pragma once

#include <QString>
#include <QStringList>

class TIconstore;

// Checks a symbol library as the program will use it: every picture loads,
// every "ref" names a caption of the library, every symbol belongs to a
// palette group, codes are unique and present.
namespace LibraryCheck {

// The problems found, one sentence each; empty when the library is sound.
// appPath is the folder holding iconstore.xml and the picture folders.
QStringList Problems(const TIconstore &library, const QString &appPath);

} // namespace LibraryCheck
