#pragma once

#include <QByteArray>
#include <QImage>

// JPEG pictures through libjpeg-turbo.
namespace JpegCodec {

// The decoded picture, or a null image when the bytes are not a JPEG
// picture it can read.
QImage Decode(const QByteArray &jpeg);
// Baseline JPEG of the picture at the given quality (1..100).
QByteArray Encode(const QImage &image, int quality = 90);

} // namespace JpegCodec
