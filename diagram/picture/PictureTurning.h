#pragma once

#include <QImage>

class TPicture;

// Turning a picture: the bitmap a picture makes at a size, and that bitmap
// turned about its centre.
namespace PictureTurning {

// A copy of a bitmap picture; any other picture drawn stretched into a white
// bitmap of the given size. A null image when that size exceeds the pixel
// limit.
QImage PictureAsBitmap(const TPicture &picture, int width, int height);
// The bitmap turned counter-clockwise about its centre, by the 16.16
// fixed-point mapping that makes quarter and half turns exact.
QImage RotateBitmap(const QImage &source, int degrees);

} // namespace PictureTurning
