#pragma once

#include "MetafileRecord.h"

#include <QByteArray>
#include <QPolygon>
#include <cstdint>
#include <optional>

// Writes a recording as GDI records. This part decides which pens, brushes
// and fonts to create, select and delete and how clips nest; the enhanced
// and the Windows metafile writers below only encode the records.
class TMetafileWriter {
public:
    virtual ~TMetafileWriter() = default;
    QByteArray Write(const MetafileRecord::TRecording &recording);

protected:
    using THandle = uint32_t;
    // A GDI rectangle: the right and bottom edges lie outside the shape.
    struct TBox {
        int Left, Top, Right, Bottom;
    };

    virtual void Begin(const MetafileRecord::TRecording &recording) = 0;
    virtual QByteArray Finish() = 0;
    virtual THandle CreatePen(const MetafileRecord::TPenRecord &pen) = 0;
    virtual THandle CreateBrush(const MetafileRecord::TBrushRecord &brush) = 0;
    virtual THandle CreateFont(const MetafileRecord::TFontRecord &font) = 0;
    virtual void SelectObject(THandle handle) = 0;
    virtual void DeleteObject(THandle handle) = 0;
    // Selects stock objects so the picture's own can be deleted; false when
    // the format has none.
    virtual bool SelectStockObjects() = 0;
    virtual void SaveDC() = 0;
    virtual void RestoreDC() = 0;
    virtual void SetTextColor(QRgb color) = 0;
    virtual void SetFillMode(Qt::FillRule rule) = 0;
    virtual void ClipRect(const TBox &box) = 0;
    virtual void ClipRegion(const QRegion &region) = 0;
    virtual void Polylines(const std::vector<QPolygon> &polylines) = 0;
    virtual void Polygons(const std::vector<QPolygon> &polygons) = 0;
    virtual void Rectangle(const TBox &box) = 0;
    virtual void Ellipse(const TBox &box) = 0;
    virtual void Text(QPoint origin, const MetafileRecord::TOp &op) = 0;
    virtual void Image(const TBox &box, const QImage &picture) = 0;

    // The rows of a 24-bit device-independent bitmap: bottom-up, blue first,
    // each padded to four bytes.
    static QByteArray DibPixels(const QImage &picture);

private:
    struct TDc {
        std::optional<MetafileRecord::TPenRecord> Pen;
        std::optional<MetafileRecord::TBrushRecord> Brush;
        std::optional<MetafileRecord::TFontRecord> Font;
        THandle PenHandle = 0, BrushHandle = 0, FontHandle = 0;
        std::optional<QRgb> TextColor;
        std::optional<Qt::FillRule> FillRule;
    };

    void UsePen(const MetafileRecord::TPenRecord &pen);
    void UseBrush(const MetafileRecord::TBrushRecord &brush);
    void UseFont(const MetafileRecord::TFontRecord &font);
    void Replace(THandle &selected, THandle created);
    void SetClip(const MetafileRecord::TOp &op);
    void EndClip();
    void Play(const MetafileRecord::TOp &op);

    TDc FDc;
    // The state SaveDC kept while a clip is in force; restoring it is the
    // only way both formats have to widen a clip again.
    std::optional<TDc> FSaved;
};

QByteArray WriteEnhancedMetafile(const MetafileRecord::TRecording &recording);
QByteArray WritePlaceableMetafile(const MetafileRecord::TRecording &recording);
