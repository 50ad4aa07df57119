#include "GraphPicture.h"

#include "BitmapCodec.h"
#include "DecodedPictures.h"
#include "GraphStream.h"
#include "JpegCodec.h"
#include "MetafileImage.h"
#include "PictureLimits.h"
#include "RenderedPictures.h"

#include <QFile>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QtEndian>
#include <cmath>

namespace {

const char *const ClassNames[] = {"", "TBitmap", "TJPEGImage", "TIcon", "TMetafile"};

QImage DecodeIcon(const QByteArray &bytes)
{
    // An icon file: reserved 0, type 1, then its directory.
    if (bytes.size() < 6 || qFromLittleEndian<quint16>(bytes.constData()) != 0 ||
        qFromLittleEndian<quint16>(bytes.constData() + 2) != 1)
        return QImage();
    return PictureLimits::ReadImage(bytes, "ICO");
}

QByteArray Int32Bytes(qint64 value)
{
    char bytes[4];
    qToLittleEndian(qint32(value), bytes);
    return QByteArray(bytes, 4);
}

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

bool TPicture::Empty() const
{
    return FMetafile ? FMetafile->Size().isEmpty() : FImage.isNull();
}

int TPicture::Width() const
{
    return FMetafile ? FMetafile->Size().width() : FImage.width();
}

int TPicture::Height() const
{
    return FMetafile ? FMetafile->Size().height() : FImage.height();
}

QString TPicture::GraphicClassName() const
{
    return QString::fromLatin1(ClassNames[FFormat]);
}

QImage TPicture::Image() const
{
    if (!FMetafile)
        return FImage;
    // A metafile that claims a huge frame is rendered smaller.
    QSize size = FMetafile->Size();
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > PictureLimits::MaxPixels)
        size = size.scaled(QSize(6000, 6000), Qt::KeepAspectRatio);
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    FMetafile->Draw(painter, QRectF(QPointF(0, 0), size));
    return image;
}

void TPicture::Set(Format format, const QByteArray &data, const QImage &image,
                   std::shared_ptr<const TMetafileImage> metafile)
{
    FFormat = format;
    FData = data;
    FImage = image;
    FMetafile = std::move(metafile);
    Changed();
}

void TPicture::LoadFromData(Format format, const QByteArray &bytes)
{
    switch (format) {
    case None:
        Clear();
        return;
    case Bitmap: {
        const QImage image = BitmapCodec::Decode(bytes);
        if (image.isNull())
            throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
        Set(Bitmap, bytes, image, nullptr);
        return;
    }
    case Jpeg: {
        const QImage image = JpegCodec::Decode(bytes);
        if (image.isNull())
            throw EInvalidGraphic(QStringLiteral("JPEG image is not valid"));
        Set(Jpeg, bytes, image, nullptr);
        return;
    }
    case Icon: {
        const QImage image = DecodeIcon(bytes);
        if (image.isNull())
            throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
        Set(Icon, bytes, image, nullptr);
        return;
    }
    case Metafile: {
        auto metafile = TMetafileImage::FromBytes(bytes);
        if (!metafile)
            throw EInvalidGraphic(QStringLiteral("Metafile is not valid"));
        Set(Metafile, bytes, QImage(), std::move(metafile));
        return;
    }
    }
}

void TPicture::LoadFromFile(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    Format format = None;
    if (extension == u"bmp")
        format = Bitmap;
    else if (extension == u"jpg" || extension == u"jpeg")
        format = Jpeg;
    else if (extension == u"ico")
        format = Icon;
    else if (extension == u"emf" || extension == u"wmf")
        format = Metafile;
    else
        throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInvalidGraphic(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromData(format, file.readAll());
}

void TPicture::SetImage(const QImage &image)
{
    if (image.isNull()) {
        Clear();
        return;
    }
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    Set(Bitmap, BitmapCodec::Encode24(pixels), pixels, nullptr);
}

void TPicture::Clear()
{
    if (FFormat == None && FData.isEmpty())
        return;
    Set(None, QByteArray(), QImage(), nullptr);
}

void TPicture::Assign(const TPicture &source)
{
    if (&source == this)
        return;
    Set(source.FFormat, source.FData, source.FImage, source.FMetafile);
}

QByteArray TPicture::StreamData() const
{
    if (FFormat == None)
        return QByteArray();
    const QByteArray name(ClassNames[FFormat]);
    QByteArray out;
    out.append(char(name.size()));
    out.append(name);
    switch (FFormat) {
    case Bitmap:
    case Jpeg:
        out.append(Int32Bytes(FData.size()));
        out.append(FData);
        break;
    case Icon:
        out.append(FData);
        break;
    case Metafile:
        out.append(Int32Bytes(FData.size() + 4));
        out.append(FData);
        break;
    case None:
        break;
    }
    return out;
}

void TPicture::LoadStreamData(const QByteArray &payload, TDecodedPictures *decoded)
{
    if (!decoded)
        return DecodeStreamData(payload);
    if (const TPicture *same = decoded->Find(payload))
        return Assign(*same);
    DecodeStreamData(payload);
    decoded->Keep(payload, *this);
}

void TPicture::DecodeStreamData(const QByteArray &payload)
{
    TValueReader reader(payload);
    const QByteArray name = reader.ReadShortString();
    if (name.size() > 63)
        throw EStreamError(QStringLiteral("Stream read error"));
    // The bytes are kept as they are even when they cannot be decoded, so
    // that saving gives the file back unchanged.
    if (name == "TBitmap") {
        const QByteArray bmp = reader.ReadBytes(uint32_t(reader.ReadInt32()));
        if (!bmp.isEmpty() && !bmp.startsWith("BM"))
            throw EStreamError(QStringLiteral("Bitmap image is not valid"));
        Set(Bitmap, bmp, BitmapCodec::Decode(bmp), nullptr);
    } else if (name == "TJPEGImage") {
        const QByteArray jpeg = reader.ReadBytes(uint32_t(reader.ReadInt32()));
        Set(Jpeg, jpeg, JpegCodec::Decode(jpeg), nullptr);
    } else if (name == "TIcon") {
        const QByteArray icon = reader.ReadBytes(reader.Remaining());
        Set(Icon, icon, DecodeIcon(icon), nullptr);
    } else if (name == "TMetafile") {
        const qint64 size = reader.ReadInt32();
        const QByteArray bytes = size > 4 ? reader.ReadBytes(size - 4) : QByteArray();
        Set(Metafile, bytes, QImage(), TMetafileImage::FromBytes(bytes));
    } else {
        Clear();
    }
}

namespace {

// The whole device pixels a rectangle covers under a plain scale and move,
// rounded as the raster engine rounds a rectangle's edges; false for other
// devices and transforms.
bool DevicePixels(const QPainter &painter, const QRect &rect, QRect &pixels)
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform &transform = painter.transform();
    if (!engine || engine->type() != QPaintEngine::Raster ||
        transform.type() > QTransform::TxScale || transform.m11() <= 0 || transform.m22() <= 0)
        return false;
    const QRectF device = transform.mapRect(QRectF(rect));
    pixels =
        QRect(QPoint(int(std::lround(device.left())), int(std::lround(device.top()))),
              QPoint(int(std::lround(device.right())) - 1, int(std::lround(device.bottom())) - 1));
    // A picture larger than the screen is not worth keeping.
    return !pixels.isEmpty() && qint64(pixels.width()) * pixels.height() <= 4096 * 4096;
}

} // namespace

void TPicture::Draw(QPainter &painter, const QRect &rect, TRenderedPictures *rendered) const
{
    if (rect.isEmpty() || (!FMetafile && FImage.isNull()))
        return;
    QRect pixels;
    if (!rendered || !DevicePixels(painter, rect, pixels)) {
        if (FMetafile)
            FMetafile->Draw(painter, QRectF(rect));
        else
            painter.drawImage(rect, FImage);
        return;
    }
    const std::weak_ptr<const void> keeper = FMetafile;
    const quint64 identity = FMetafile ? quint64(quintptr(FMetafile.get())) : FImage.cacheKey();
    const QImage *image = rendered->Find(identity, pixels.size(), keeper);
    if (!image) {
        QImage pixelsOf;
        if (FMetafile) {
            pixelsOf = FMetafile->Render(pixels.size());
        } else {
            // Stretched as the painter stretches it, from the corner; kept
            // premultiplied, which the raster engine places fastest.
            pixelsOf = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
            pixelsOf.fill(Qt::transparent);
            QPainter stretch(&pixelsOf);
            stretch.setCompositionMode(QPainter::CompositionMode_Source);
            stretch.drawImage(QRect(QPoint(0, 0), pixels.size()), FImage);
        }
        image = &rendered->Insert(identity, pixels.size(), std::move(pixelsOf), keeper);
    }
    const QTransform transform = painter.transform();
    painter.setTransform(QTransform());
    painter.drawImage(pixels.topLeft(), *image);
    painter.setTransform(transform);
}
