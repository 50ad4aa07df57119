#pragma once

#include <QString>

// What every fuzz target needs before its first input.
namespace FuzzSupport {

// A headless application for the widget and picture code, made once.
void StartApplication(int *argc, char ***argv);
// iconstore/20/a.bmp and iconstore/150/a.jpg below a folder.
void WriteSampleLibraryPictures(const QString &folder);

} // namespace FuzzSupport
