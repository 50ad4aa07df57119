#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// The largest picture the program decodes. A floor-plan photograph of 6,000
// by 6,000 pixels fits; a damaged or hostile file that claims more is
// refused before anything is allocated or decoded.
namespace PictureLimits {

constexpr int64_t MaxPixels = 40'000'000;

// Decodes bytes of a picture format Qt reads ("BMP", "ICO"), or gives a
// null image when they are not one or claim more than MaxPixels.
QImage ReadImage(const QByteArray &bytes, const char *format);

} // namespace PictureLimits
