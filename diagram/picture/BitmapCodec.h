#pragma once

#include <QByteArray>
#include <QImage>

// Windows BMP files.
namespace BitmapCodec {

// The decoded picture, or a null image when the bytes are not a BMP file
// that can be read.
QImage Decode(const QByteArray &bmp);
// A complete 24-bit BMP file of the picture, rows bottom-up.
QByteArray Encode24(const QImage &image);

} // namespace BitmapCodec
