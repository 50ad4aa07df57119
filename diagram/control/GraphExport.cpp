#include "GraphExport.h"

#include "GraphControl.h"
#include "GraphErrors.h"
#include "PngEncoder.h"

#include <QPainter>
#include <QSaveFile>
#include <cmath>
#include <future>

namespace GraphExport {

namespace {

constexpr int BandRows = 256;

} // namespace

void SavePng(TGraphControl &graph, int zoom, const QString &fileName)
{
    const TRect frame = graph.MetafileFrame();
    const double scale = std::max(zoom, 1) / 100.0;
    const int width = std::max(int(std::lround(frame.Width() * scale)), 1);
    const int height = std::max(int(std::lround(frame.Height() * scale)), 1);
    TPngEncoder encoder(width, height);
    // Two bands: one is drawn while the other is compressed, which costs
    // about as much as the drawing.
    QImage bands[2];
    std::future<void> encoding;
    for (int top = 0, k = 0; top < height; top += BandRows, ++k) {
        QImage &band = bands[k % 2];
        if (band.isNull())
            band = QImage(width, std::min(BandRows, height), QImage::Format_RGB32);
        band.fill(Qt::white);
        {
            QPainter canvas(&band);
            canvas.setRenderHint(QPainter::Antialiasing);
            canvas.setRenderHint(QPainter::TextAntialiasing);
            canvas.setClipRect(band.rect());
            canvas.translate(0, -top);
            canvas.scale(scale, scale);
            graph.DrawDiagram(canvas, frame);
        }
        if (encoding.valid())
            encoding.get();
        const int rows = std::min(band.height(), height - top);
        encoding = std::async(std::launch::async,
                              [&encoder, &band, rows] { encoder.AddRows(band, rows); });
    }
    encoding.get();
    const QByteArray png = encoder.Finish();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    if (file.write(png) != png.size() || !file.commit())
        throw EStreamError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

} // namespace GraphExport
