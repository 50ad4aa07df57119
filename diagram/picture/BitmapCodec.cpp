#include "BitmapCodec.h"

#include "PictureLimits.h"

#include <QtEndian>

namespace BitmapCodec {

QImage Decode(const QByteArray &bmp)
{
    if (bmp.size() < 26 || !bmp.startsWith("BM"))
        return QImage();
    return PictureLimits::ReadImage(bmp, "BMP");
}

QByteArray Encode24(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width(), height = image.height();
    const int stride = (width * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(stride) * quint32(height);
    QByteArray bmp(54 + int(pixelBytes), '\0');
    char *p = bmp.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(54 + pixelBytes, p + 2);
    qToLittleEndian<quint32>(54, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(width, p + 18);
    qToLittleEndian<qint32>(height, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(24, p + 28);
    qToLittleEndian<quint32>(0, p + 30);
    qToLittleEndian<quint32>(pixelBytes, p + 34);
    qToLittleEndian<qint32>(3780, p + 38); // 96 dpi in pixels per metre
    qToLittleEndian<qint32>(3780, p + 42);
    for (int y = 0; y < height; ++y) {
        const uchar *src = image.constScanLine(y);
        char *dst = p + 54 + qint64(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            dst[3 * x + 0] = char(src[3 * x + 2]);
            dst[3 * x + 1] = char(src[3 * x + 1]);
            dst[3 * x + 2] = char(src[3 * x + 0]);
        }
    }
    return bmp;
}

} // namespace BitmapCodec
