#pragma once

#include <QByteArray>

class QPainter;
class QRectF;

// Draws a placeable Windows metafile: its records played on a painter, the
// picture's bounding box mapped onto a target rectangle. Records are read
// with their sizes checked; an unknown or damaged record ends the play.
namespace WmfPlayer {

void Play(const QByteArray &bytes, QPainter &painter, const QRectF &target);

} // namespace WmfPlayer
