#include "NodePictureTurning.h"

#include "GraphNode.h"
#include "PictureTurning.h"

namespace NodePictureTurning {

QImage GetBackgroundBitmap(const TGraphNode &node)
{
    return PictureTurning::PictureAsBitmap(node.Background(), node.Width(), node.Height());
}

namespace {

bool HasPicture(const TGraphNode &node)
{
    return node.Background().HasGraphic() && !node.Background().Empty();
}

// The node's picture made a bitmap, or a null image when it has none or it
// cannot be made one (larger than the pixel limit): such a node is left
// untouched, flags included, so its picture is never lost to a turn.
QImage TurnableBitmap(const TGraphNode &node)
{
    return HasPicture(node) ? GetBackgroundBitmap(node) : QImage();
}

} // namespace

void Rotate(TGraphNode &node, int degrees)
{
    const QImage bitmap = TurnableBitmap(node);
    if (bitmap.isNull()) return;
    node.Background().SetImage(PictureTurning::RotateBitmap(bitmap, degrees));
    node.Changed(true);
    node.SetDegree(node.Degree() + degrees);
}

void MirrorLeftRight(TGraphNode &node)
{
    const QImage bitmap = TurnableBitmap(node);
    if (bitmap.isNull()) return;
    node.Background().SetImage(bitmap.mirrored(true, false));
    node.Changed(true);
    node.SetIsLeftRightMirror(!node.IsLeftRightMirror());
}

void MirrorTopBottom(TGraphNode &node)
{
    const QImage bitmap = TurnableBitmap(node);
    if (bitmap.isNull()) return;
    node.Background().SetImage(bitmap.mirrored(false, true));
    node.Changed(true);
    node.SetIsTopBottomMirror(!node.IsTopBottomMirror());
}

} // namespace NodePictureTurning
