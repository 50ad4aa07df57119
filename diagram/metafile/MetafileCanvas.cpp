#include "MetafileCanvas.h"

#include "GraphErrors.h"
#include "MetafilePaintEngine.h"
#include "MetafileWriter.h"

#include <QSaveFile>

namespace {

constexpr int PixelsPerInch = 96;

} // namespace

TMetafile::TMetafile(int width, int height, int unitsPerPixel)
    : FEngine(std::make_unique<TMetafilePaintEngine>(FRecording))
{
    FRecording.Width = std::max(0, width);
    FRecording.Height = std::max(0, height);
    FRecording.UnitsPerPixel = std::max(1, unitsPerPixel);
}

TMetafile::~TMetafile() = default;

QPaintEngine *TMetafile::paintEngine() const
{
    return FEngine.get();
}

int TMetafile::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return Width();
    case PdmHeight:
        return Height();
    case PdmWidthMM:
        return Width() * 254 / (PixelsPerInch * 10);
    case PdmHeightMM:
        return Height() * 254 / (PixelsPerInch * 10);
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return PixelsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

QByteArray TMetafile::EmfBytes() const
{
    return WriteEnhancedMetafile(FRecording);
}

QByteArray TMetafile::WmfBytes() const
{
    return WritePlaceableMetafile(FRecording);
}

void TMetafile::SaveToFile(const QString &fileName) const
{
    const QByteArray bytes =
        fileName.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive) ? WmfBytes() : EmfBytes();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EStreamError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

void TMetafile::Draw(QPainter &painter, const QRectF &target) const
{
    FRecording.Play(painter, target);
}
