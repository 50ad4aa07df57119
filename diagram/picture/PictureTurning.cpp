#include "PictureTurning.h"

#include "GraphMath.h"
#include "GraphPicture.h"
#include "PictureLimits.h"

#include <QPainter>
#include <cmath>

namespace PictureTurning {

QImage PictureAsBitmap(const TPicture &picture, int width, int height)
{
    if (picture.GetFormat() == TPicture::Bitmap)
        return picture.Image().convertToFormat(QImage::Format_RGB32);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (qint64(width) * height > PictureLimits::MaxPixels) return QImage();
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull()) return bitmap;
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    picture.Draw(painter, QRect(0, 0, width, height));
    return bitmap;
}

QImage RotateBitmap(const QImage &sourceImage, int degrees)
{
    while (degrees > 180)
        degrees -= 360;
    while (degrees < -180)
        degrees += 360;
    const double theta = -degrees * GraphMath::Pi / 180;
    const int64_t s = int64_t(std::sin(theta) * 65536);
    const int64_t c = int64_t(std::cos(theta) * 65536);

    const QImage source = sourceImage.convertToFormat(QImage::Format_RGB32);
    const int w = source.width(), h = source.height();
    const int nw = int16_t((std::llabs(c) * w + std::llabs(s) * h) >> 16);
    const int nh = int16_t((std::llabs(s) * w + std::llabs(c) * h) >> 16);
    if (nw <= 0 || nh <= 0) return QImage();
    QImage result(nw, nh, QImage::Format_RGB32);
    result.fill(0);

    int e = nw / 2;
    if (nw % 2 == 0 && (degrees == 0 || degrees == -90)) --e;
    int f = nh / 2;
    if (nh % 2 == 0 && (degrees == 0 || degrees == 90)) --f;
    for (int r = 0; r < nh; ++r) {
        auto *row = reinterpret_cast<QRgb *>(result.scanLine(r));
        const int64_t y = f - r;
        for (int col = 0; col < nw; ++col) {
            const int64_t x = e - (nw - 1 - col);
            // An arithmetic shift rounds down, as the fixed-point mapping wants.
            const int64_t sx = w / 2 + ((c * x - s * y) >> 16);
            const int64_t sy = h / 2 + ((c * y + s * x) >> 16);
            if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                row[col] =
                    reinterpret_cast<const QRgb *>(source.constScanLine(int(h - 1 - sy)))[sx];
        }
    }
    return result;
}

} // namespace PictureTurning
