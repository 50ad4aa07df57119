#pragma once

#include <QByteArray>
#include <QImage>

// PNG pictures of drawings, written with zlib alone.
namespace PngCodec {

// An 8-bit RGB PNG of the picture (alpha is dropped onto black, as a
// 32-bit RGB image holds it). Each row is filtered with "Up" and deflated
// at the fastest level: a drawing is mostly rows repeating the one above
// and runs of one colour, which that packs nearly as tightly as adaptive
// filtering at the default level in a fraction of the time.
QByteArray Encode(const QImage &image);

} // namespace PngCodec
