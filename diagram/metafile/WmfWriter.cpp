// Encodes a recording as a placeable Windows metafile with libUEMF's record
// builders. Text and face names are 8-bit, in code page 936.
#include "MetafileWriter.h"

#include <QStringEncoder>
#include <QtEndian>
#include <cstdlib>
#include <new>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wold-style-cast"
#include <uwmf.h>
#pragma GCC diagnostic pop

using namespace MetafileRecord;

namespace {

U_COLORREF Color(QRgb color)
{
    return colorref3_set(uint8_t(qRed(color)), uint8_t(qGreen(color)), uint8_t(qBlue(color)));
}

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr int PlaceableSize = 22, HeaderSize = 18;
// One logical unit per pixel of a 96 dpi screen.
constexpr int PixelsPerInch = 96;

int16_t Coord(int value)
{
    return int16_t(std::clamp(value, -32768, 32767));
}

U_POINT16 Point16(int x, int y)
{
    return U_POINT16{Coord(x), Coord(y)};
}

U_RECT16 Rect16(int left, int top, int right, int bottom)
{
    return U_RECT16{Coord(left), Coord(top), Coord(right), Coord(bottom)};
}

std::vector<U_POINT16> Points(const QPolygon &polygon)
{
    std::vector<U_POINT16> points;
    for (const QPoint &point : polygon)
        points.push_back(Point16(point.x(), point.y()));
    return points;
}

QByteArray Gbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.isValid() ? QByteArray(encoder(text)) : text.toLatin1();
}

class TWmfWriter final : public TMetafileWriter {
public:
    TWmfWriter()
    {
        if (wmf_htable_create(128, 128, &FHandles) != 0) throw std::bad_alloc();
    }
    ~TWmfWriter() override { wmf_htable_free(&FHandles); }

protected:
    void Begin(const TRecording &recording) override
    {
        FWidth = std::clamp(recording.UnitWidth(), 0, 32767);
        FHeight = std::clamp(recording.UnitHeight(), 0, 32767);
        // The placeable header's units per inch give the size in pixels.
        FUnitsPerInch = uint16_t(std::clamp(PixelsPerInch * recording.UnitsPerPixel, 1, 65535));
        Append(U_WMRSETWINDOWORG_set(Point16(0, 0)));
        Append(U_WMRSETWINDOWEXT_set(Point16(std::max(FWidth, 1), std::max(FHeight, 1))));
        Append(U_WMRSETBKMODE_set(U_TRANSPARENT));
        Append(U_WMRSETROP2_set(U_R2_COPYPEN));
        Append(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
        Append(U_WMRSETSTRETCHBLTMODE_set(U_COLORONCOLOR));
    }

    QByteArray Finish() override
    {
        Append(U_WMREOF_set());
        QByteArray file(PlaceableSize + HeaderSize, '\0');
        char *p = file.data();
        qToLittleEndian<uint32_t>(PlaceableKey, p);
        qToLittleEndian<int16_t>(0, p + 6);
        qToLittleEndian<int16_t>(0, p + 8);
        qToLittleEndian<int16_t>(int16_t(FWidth), p + 10);
        qToLittleEndian<int16_t>(int16_t(FHeight), p + 12);
        qToLittleEndian<uint16_t>(FUnitsPerInch, p + 14);
        uint16_t checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= qFromLittleEndian<uint16_t>(p + 2 * i);
        qToLittleEndian<uint16_t>(checksum, p + 20);

        char *h = p + PlaceableSize;
        qToLittleEndian<uint16_t>(1, h); // memory metafile
        qToLittleEndian<uint16_t>(HeaderSize / 2, h + 2);
        qToLittleEndian<uint16_t>(0x0300, h + 4); // Windows 3.0
        qToLittleEndian<uint32_t>(uint32_t((HeaderSize + FRecords.size()) / 2), h + 6);
        qToLittleEndian<uint16_t>(uint16_t(FHandles->peak), h + 10);
        qToLittleEndian<uint32_t>(FLargest, h + 12);
        return file + FRecords;
    }

    THandle CreatePen(const TPenRecord &pen) override
    {
        static const uint16_t Styles[] = {U_PS_SOLID,   U_PS_DASH,       U_PS_DOT,
                                          U_PS_DASHDOT, U_PS_DASHDOTDOT, U_PS_NULL};
        uint32_t handle = 0;
        Append(wcreatepenindirect_set(&handle, FHandles,
                                      U_PEN_set(Styles[int(pen.Style)],
                                                uint16_t(std::clamp(pen.Width, 0, 32767)),
                                                Color(pen.Color))));
        return handle;
    }

    THandle CreateBrush(const TBrushRecord &brush) override
    {
        uint16_t style = U_BS_SOLID, hatch = 0;
        if (brush.Style == TBrushStyle::None) {
            style = U_BS_NULL;
        } else if (brush.Style != TBrushStyle::Solid) {
            style = U_BS_HATCHED;
            hatch = uint16_t(int(brush.Style) - int(TBrushStyle::Horizontal) + U_HS_HORIZONTAL);
        }
        uint32_t handle = 0;
        Append(wcreatebrushindirect_set(&handle, FHandles,
                                        U_WLOGBRUSH_set(style, Color(brush.Color), hatch)));
        return handle;
    }

    THandle CreateFont(const TFontRecord &font) override
    {
        QByteArray face = Gbk(font.Face);
        face.truncate(U_LF_FACESIZE - 1);
        U_FONT *record =
            U_FONT_set(int16_t(-std::min(font.Height, 32767)), 0, int16_t(font.Escapement),
                       int16_t(font.Escapement), int16_t(font.Weight), font.Italic, font.Underline,
                       font.StrikeOut, font.Chinese ? U_GB2312_CHARSET : U_DEFAULT_CHARSET,
                       U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                       U_DEFAULT_PITCH | U_FF_DONTCARE, face.data());
        if (!record) throw std::bad_alloc();
        uint32_t handle = 0;
        char *created = wcreatefontindirect_set(&handle, FHandles, record);
        std::free(record);
        Append(created);
        return handle;
    }

    void SelectObject(THandle handle) override { Append(wselectobject_set(handle, FHandles)); }

    void DeleteObject(THandle handle) override
    {
        uint32_t slot = handle;
        Append(wdeleteobject_set(&slot, FHandles));
    }

    // Windows metafiles have no stock objects; the player frees the table.
    bool SelectStockObjects() override { return false; }

    void SaveDC() override { Append(U_WMRSAVEDC_set()); }
    void RestoreDC() override { Append(U_WMRRESTOREDC_set(-1)); }
    void SetTextColor(QRgb color) override { Append(U_WMRSETTEXTCOLOR_set(Color(color))); }

    void SetFillMode(Qt::FillRule rule) override
    {
        Append(U_WMRSETPOLYFILLMODE_set(rule == Qt::WindingFill ? U_WINDING : U_ALTERNATE));
    }

    void ClipRect(const TBox &box) override
    {
        Append(U_WMRINTERSECTCLIPRECT_set(Rect16(box.Left, box.Top, box.Right, box.Bottom)));
    }

    // Region objects of this format are rarely read back right; the
    // bounding rectangle keeps the drawing inside the clip's extent.
    void ClipRegion(const QRegion &region) override
    {
        const QRect r = region.boundingRect();
        ClipRect({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    }

    void Polylines(const std::vector<QPolygon> &polylines) override
    {
        for (const QPolygon &polyline : polylines) {
            const std::vector<U_POINT16> points = Points(polyline);
            Append(U_WMRPOLYLINE_set(uint16_t(points.size()), points.data()));
        }
    }

    void Polygons(const std::vector<QPolygon> &polygons) override
    {
        if (polygons.size() == 1) {
            const std::vector<U_POINT16> points = Points(polygons[0]);
            Append(U_WMRPOLYGON_set(uint16_t(points.size()), points.data()));
            return;
        }
        std::vector<uint16_t> counts;
        std::vector<U_POINT16> points;
        for (const QPolygon &polygon : polygons) {
            counts.push_back(uint16_t(polygon.size()));
            const std::vector<U_POINT16> part = Points(polygon);
            points.insert(points.end(), part.begin(), part.end());
        }
        Append(U_WMRPOLYPOLYGON_set(uint16_t(counts.size()), counts.data(), points.data()));
    }

    void Rectangle(const TBox &box) override
    {
        Append(U_WMRRECTANGLE_set(Rect16(box.Left, box.Top, box.Right, box.Bottom)));
    }

    void Ellipse(const TBox &box) override
    {
        Append(U_WMRELLIPSE_set(Rect16(box.Left, box.Top, box.Right, box.Bottom)));
    }

    void Text(QPoint origin, const TOp &op) override
    {
        const QByteArray text = Gbk(op.Text).left(32767);
        if (text.isEmpty()) return;
        Append(U_WMREXTTEXTOUT_set(Point16(origin.x(), origin.y()), int16_t(text.size()), 0,
                                   text.constData(), nullptr, Rect16(0, 0, 0, 0)));
    }

    void Image(const TBox &box, const QImage &picture) override
    {
        QByteArray pixels = DibPixels(picture);
        const U_BITMAPINFOHEADER header =
            bitmapinfoheader_set(picture.width(), picture.height(), 1, 24, U_BI_RGB,
                                 uint32_t(pixels.size()), 3780, 3780, 0, 0);
        PU_BITMAPINFO info = bitmapinfo_set(header, nullptr);
        if (!info) throw std::bad_alloc();
        char *record = U_WMRSTRETCHDIB_set(
            Point16(box.Left, box.Top), Point16(box.Right - box.Left, box.Bottom - box.Top),
            Point16(0, 0), Point16(picture.width(), picture.height()), U_DIB_RGB_COLORS, U_SRCCOPY,
            info, uint32_t(pixels.size()), pixels.data());
        std::free(info);
        Append(record);
    }

private:
    void Append(char *record)
    {
        if (!record) throw std::bad_alloc();
        const uint32_t words = qFromLittleEndian<uint32_t>(record);
        FRecords.append(record, qsizetype(words) * 2);
        FLargest = std::max(FLargest, words);
        std::free(record);
    }

    WMFHANDLES *FHandles = nullptr;
    QByteArray FRecords;
    uint32_t FLargest = 0;
    int FWidth = 0, FHeight = 0;
    uint16_t FUnitsPerInch = PixelsPerInch;
};

} // namespace

QByteArray WritePlaceableMetafile(const TRecording &recording)
{
    return TWmfWriter().Write(recording);
}
