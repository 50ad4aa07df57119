#pragma once

#include <QString>

class TGraphControl;

// The drawing as a raster picture, framed as the metafile export frames it
// (the floor plan, or the objects when there is none).
namespace GraphExport {

// Writes the drawing at a zoom in percent as a PNG file, on white,
// antialiased. It is drawn and encoded a band of rows at a time: a floor
// plan's picture is tens of megabytes, and memory touched once costs more
// than drawing into a band again. Symbols with metafile pictures are
// rendered at the size they take. Throws EStreamError when the file cannot
// be written.
void SavePng(TGraphControl &graph, int zoom, const QString &fileName);

} // namespace GraphExport
