#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

// An enhanced metafile or a placeable Windows metafile, kept as its bytes
// and drawn on demand: enhanced metafiles through an SVG rendering of their
// records, every record checked first so that a damaged file draws nothing
// rather than harming the program.
class TMetafileImage {
public:
    enum Kind { Enhanced, Placeable };

    // The metafile in the bytes, or null when they hold none.
    static std::shared_ptr<TMetafileImage> FromBytes(const QByteArray &bytes);
    ~TMetafileImage();

    Kind GetKind() const { return FKind; }
    const QByteArray &Bytes() const { return FBytes; }
    // Size in screen pixels at 96 dpi, from the metafile's frame.
    QSize Size() const { return FSize; }

    // The shapes themselves, on any painter.
    void Draw(QPainter &painter, const QRectF &target) const;
    // The picture rendered at a size in pixels, antialiased, on transparent.
    QImage Render(QSize size) const;

private:
    TMetafileImage(Kind kind, const QByteArray &bytes, QSize size);
    bool RecordsAreSafe() const;
    // Device units per pixel of an enhanced metafile: its bounds over its frame.
    int UnitsPerPixel() const;

    Kind FKind;
    QByteArray FBytes;
    QSize FSize;
    mutable std::unique_ptr<QSvgRenderer> FRenderer;
    mutable bool FRendererTried = false;
};
