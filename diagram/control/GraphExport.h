#pragma once

#include <QImage>
#include <QString>

class TGraphControl;

// The drawing as a raster picture, framed as the metafile export frames it
// (the floor plan, or the objects when there is none).
namespace GraphExport {

// The drawing at a zoom in percent, on white, antialiased. Symbols with
// metafile pictures are rendered at the size they take in the picture.
QImage Render(TGraphControl &graph, int zoom = 100);

// Writes a picture as PNG, encoded for speed (PngCodec). Throws
// EStreamError when the file cannot be written.
void SavePng(const QImage &image, const QString &fileName);

} // namespace GraphExport
