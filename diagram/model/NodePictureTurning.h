#pragma once

#include <QImage>

class TGraphNode;

// Turning and mirroring a node's picture. The node itself keeps its bounds;
// its picture is replaced by a turned or mirrored bitmap and the node
// records what was done in Degree and the two mirror flags. A node without
// a picture, or with one that cannot be made a bitmap, is left as it is.
namespace NodePictureTurning {

// Turns the picture counter-clockwise; Degree grows by the same amount.
void Rotate(TGraphNode &node, int degrees);
void MirrorLeftRight(TGraphNode &node);
void MirrorTopBottom(TGraphNode &node);

// The picture as a bitmap: a copy of a bitmap picture, any other picture
// drawn stretched into a bitmap of the node's size.
QImage GetBackgroundBitmap(const TGraphNode &node);

} // namespace NodePictureTurning
