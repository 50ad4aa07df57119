#pragma once

#include "GraphicsObject.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QPainter;
class QRect;

// A picture holder. It keeps the picture decoded for drawing and, beside it,
// the bytes it was loaded from together with the class name of their form
// ("TBitmap", "TJPEGImage", "TIcon", "TMetafile"), because a diagram file
// stores pictures in their own form.
class TPicture : public TGraphicsObject {
public:
    bool HasGraphic() const { return !FImage.isNull(); }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }

    const QString &GraphicClassName() const { return FClassName; }
    const QByteArray &Data() const { return FData; }
    const QImage &Image() const { return FImage; }

    // Holds a raster picture in the given form; the bytes are those of that
    // form (a complete BMP file for "TBitmap"). Reports one change.
    void SetGraphic(const QString &className, const QByteArray &data, const QImage &image);
    // Holds a raster picture as a "TBitmap" whose bytes are made when needed.
    void SetImage(const QImage &image);
    void Clear();

    // Copies the other picture and reports one change.
    void Assign(const TPicture &source);

    // Draws the picture stretched into the rectangle (right and bottom exclusive).
    void Draw(QPainter &painter, const QRect &rect) const;

private:
    QString FClassName;
    QByteArray FData;
    QImage FImage;
};
