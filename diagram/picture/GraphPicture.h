#pragma once

#include "GraphicsObject.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>
#include <stdexcept>

class QPainter;
class QRect;
class TDecodedPictures;
class TMetafileImage;
class TRenderedPictures;

// A picture that cannot be loaded ("Bitmap image is not valid", ...).
class EInvalidGraphic : public std::runtime_error {
public:
    explicit EInvalidGraphic(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// A picture holder. Beside the decoded picture it keeps the bytes it was
// loaded from, in the form of its class ("TBitmap": a BMP file,
// "TJPEGImage": JPEG data, "TIcon": an icon file, "TMetafile": an enhanced
// or placeable Windows metafile), because a diagram file stores pictures in
// their own form and must give them back unchanged.
class TPicture : public TGraphicsObject {
public:
    enum Format { None, Bitmap, Jpeg, Icon, Metafile };

    TPicture();
    ~TPicture() override;

    // Whether the holder has a picture of some class (it may still be empty).
    bool HasGraphic() const { return FFormat != None; }
    // Whether there is nothing to draw.
    bool Empty() const;
    int Width() const;
    int Height() const;
    Format GetFormat() const { return FFormat; }
    // "TBitmap", "TJPEGImage", "TIcon" or "TMetafile"; empty without a picture.
    QString GraphicClassName() const;
    // The bytes of the picture in its own form.
    const QByteArray &Data() const { return FData; }
    // The picture as pixels (a metafile rendered at its own size).
    QImage Image() const;

    // Loads a picture file by its extension (.bmp, .jpg, .jpeg, .ico, .emf,
    // .wmf). Throws EInvalidGraphic when the file is not such a picture.
    void LoadFromFile(const QString &fileName);
    // Takes bytes of a given form; throws EInvalidGraphic when they are
    // not a picture of that form.
    void LoadFromData(Format format, const QByteArray &bytes);
    // Holds the pixels as a bitmap, kept as a 24-bit BMP file.
    void SetImage(const QImage &image);
    void Clear();

    // The picture framed for the diagram stream: class name as a short
    // string, then the form, and the reverse. An unknown class name leaves
    // the holder empty; bitmap data that is not a BMP file throws
    // "Bitmap image is not valid". Given the pictures decoded so far, bytes
    // read before share their picture, and new ones are kept there.
    QByteArray StreamData() const;
    void LoadStreamData(const QByteArray &payload, TDecodedPictures *decoded = nullptr);

    // Copies the other picture and reports one change.
    void Assign(const TPicture &source);

    // Draws the picture stretched into the rectangle (right and bottom
    // exclusive). With rendered pictures to keep, a raster device gets the
    // picture rendered at its size in device pixels once and placed after
    // (a metafile sharp at every zoom); other devices get the picture itself.
    void Draw(QPainter &painter, const QRect &rect, TRenderedPictures *rendered = nullptr) const;

private:
    void DecodeStreamData(const QByteArray &payload);
    void Set(Format format, const QByteArray &data, const QImage &image,
             std::shared_ptr<const TMetafileImage> metafile);

    Format FFormat = None;
    QByteArray FData;
    QImage FImage;
    std::shared_ptr<const TMetafileImage> FMetafile;
};
