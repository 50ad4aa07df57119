#pragma once

#include "MetafileRecord.h"

#include <QByteArray>
#include <QPaintDevice>
#include <QString>
#include <memory>

class TMetafilePaintEngine;
class QPainter;
class QRectF;

// A picture recorded from painter calls, width × height pixels at 96 dpi,
// each pixel recorded in unitsPerPixel × unitsPerPixel device units, that
// can be written as an enhanced metafile or a placeable Windows
// metafile and played back on any painter. The diagram paints into it with
// the same code that paints the screen:
//
//     TMetafile metafile(w, h);
//     QPainter painter(metafile.Device());
class TMetafile : public QPaintDevice {
public:
    TMetafile(int width, int height, int unitsPerPixel = 1);
    ~TMetafile() override;
    TMetafile(const TMetafile &) = delete;
    TMetafile &operator=(const TMetafile &) = delete;

    QPaintDevice *Device() { return this; }
    int Width() const { return FRecording.Width; }
    int Height() const { return FRecording.Height; }
    int UnitsPerPixel() const { return FRecording.UnitsPerPixel; }
    const MetafileRecord::TRecording &Recording() const { return FRecording; }

    QByteArray EmfBytes() const;
    QByteArray WmfBytes() const;
    // A Windows metafile when the name ends in ".wmf" in any letter case,
    // an enhanced metafile otherwise. Throws EStreamError when the file
    // cannot be written.
    void SaveToFile(const QString &fileName) const;

    // Plays the picture onto a painter, scaled into the target.
    void Draw(QPainter &painter, const QRectF &target) const;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    MetafileRecord::TRecording FRecording;
    std::unique_ptr<TMetafilePaintEngine> FEngine;
};
