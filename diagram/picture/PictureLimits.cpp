#include "PictureLimits.h"

#include <QBuffer>
#include <QImageReader>

namespace PictureLimits {

QImage ReadImage(const QByteArray &bytes, const char *format)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > MaxPixels)
        return QImage();
    return reader.read();
}

} // namespace PictureLimits
