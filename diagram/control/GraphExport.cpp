#include "GraphExport.h"

#include "GraphControl.h"
#include "GraphErrors.h"

#include "PngCodec.h"

#include <QPainter>
#include <QSaveFile>

namespace GraphExport {

QImage Render(TGraphControl &graph, int zoom)
{
    const TRect frame = graph.MetafileFrame();
    const double scale = std::max(zoom, 1) / 100.0;
    const QSize size(std::max(int(std::lround(frame.Width() * scale)), 1),
                     std::max(int(std::lround(frame.Height() * scale)), 1));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter canvas(&image);
    canvas.setRenderHint(QPainter::Antialiasing);
    canvas.setRenderHint(QPainter::TextAntialiasing);
    canvas.scale(scale, scale);
    graph.DrawDiagram(canvas, frame);
    return image;
}

void SavePng(const QImage &image, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray png = PngCodec::Encode(image);
    if (file.write(png) != png.size() || !file.commit())
        throw EStreamError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

} // namespace GraphExport
