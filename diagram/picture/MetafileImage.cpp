#include "MetafileImage.h"

#include "GraphMath.h"
#include "WmfPlayer.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <emf2svg.h>
#include <uemf.h>
#include <uemf_safe.h>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr quint32 EmfSignature = 0x464D4520; // " EMF"
constexpr int HundredthMMPerInch = 2540;
constexpr int ScreenPixelsPerInch = 96;
constexpr int MaxSide = 1 << 16;

template <typename T> T At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

TMetafileImage::TMetafileImage(Kind kind, const QByteArray &bytes, QSize size)
    : FKind(kind), FBytes(bytes), FSize(size)
{
}

TMetafileImage::~TMetafileImage() = default;

std::shared_ptr<TMetafileImage> TMetafileImage::FromBytes(const QByteArray &bytes)
{
    if (bytes.size() >= 22 && At<quint32>(bytes, 0) == PlaceableKey) {
        const int left = At<qint16>(bytes, 6), top = At<qint16>(bytes, 8);
        const int right = At<qint16>(bytes, 10), bottom = At<qint16>(bytes, 12);
        const int inch = At<quint16>(bytes, 14);
        if (inch == 0)
            return nullptr;
        const int w = GraphMath::MulDiv(std::abs(right - left), ScreenPixelsPerInch, inch);
        const int h = GraphMath::MulDiv(std::abs(bottom - top), ScreenPixelsPerInch, inch);
        return std::shared_ptr<TMetafileImage>(
            new TMetafileImage(Placeable, bytes, QSize(w, h)));
    }
    if (bytes.size() >= 88 && At<quint32>(bytes, 0) == U_EMR_HEADER &&
        At<quint32>(bytes, 40) == EmfSignature) {
        const qint64 frameWidth = qint64(At<qint32>(bytes, 32)) - At<qint32>(bytes, 24);
        const qint64 frameHeight = qint64(At<qint32>(bytes, 36)) - At<qint32>(bytes, 28);
        const auto pixels = [](qint64 hundredthMM) {
            return int(std::clamp<qint64>(
                (std::abs(hundredthMM) * ScreenPixelsPerInch + HundredthMMPerInch / 2) /
                    HundredthMMPerInch,
                0, MaxSide));
        };
        return std::shared_ptr<TMetafileImage>(
            new TMetafileImage(Enhanced, bytes, QSize(pixels(frameWidth), pixels(frameHeight))));
    }
    return nullptr;
}

bool TMetafileImage::RecordsAreSafe() const
{
    qint64 offset = 0;
    while (offset + 8 <= FBytes.size()) {
        const quint32 type = At<quint32>(FBytes, int(offset));
        const quint32 size = At<quint32>(FBytes, int(offset) + 4);
        if (size < 8 || size % 4 != 0 || size > FBytes.size() - offset)
            return false;
        // The checks read the record in place; give them a copy that ends
        // where the record ends, so none can look past it.
        const QByteArray record = FBytes.mid(offset, size);
        if (!U_emf_record_safe(record.constData()))
            return false;
        if (type == U_EMR_EOF)
            return true;
        offset += size;
    }
    return false;
}

int TMetafileImage::UnitsPerPixel() const
{
    if (FKind != Enhanced || FSize.isEmpty())
        return 1;
    // The header's bounds are inclusive device units.
    const qint64 bounds = qint64(At<qint32>(FBytes, 16)) - At<qint32>(FBytes, 8) + 1;
    return int(std::clamp<qint64>((bounds + FSize.width() / 2) / FSize.width(), 1, 1000));
}

void TMetafileImage::Draw(QPainter &painter, const QRectF &target) const
{
    if (FKind == Placeable) {
        WmfPlayer::Play(FBytes, painter, target);
        return;
    }
    if (!FRendererTried) {
        FRendererTried = true;
        if (RecordsAreSafe()) {
            generatorOptions options{};
            options.nameSpace = const_cast<char *>("");
            options.svgDelimiter = true;
            // The SVG keeps the records' own units: libemf2svg writes some
            // strokes one SVG unit wide whatever the scale, which must stay
            // thin in a picture recorded in units finer than a pixel.
            const int units = UnitsPerPixel();
            options.imgWidth = FSize.width() * units;
            options.imgHeight = FSize.height() * units;
            char *svg = nullptr;
            size_t svgLength = 0;
            QByteArray contents = FBytes;
            if (emf2svg(contents.data(), size_t(contents.size()), &svg, &svgLength, &options) &&
                svg) {
                FRenderer = std::make_unique<QSvgRenderer>(QByteArray(svg, qsizetype(svgLength)));
            }
            std::free(svg);
        }
    }
    if (FRenderer && FRenderer->isValid())
        FRenderer->render(&painter, target);
}

QImage TMetafileImage::Render(QSize size) const
{
    QImage pixels(size, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(Qt::transparent);
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixels;
}

// libemf2svg tears fontconfig down (FcFini) after some text records, while
// Qt keeps using it; fontconfig then aborts the program. Fontconfig's global
// state lives for the whole process here, so its teardown is a no-op.
extern "C" void FcFini(void) {}
