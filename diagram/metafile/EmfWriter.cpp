// Encodes a recording as an enhanced metafile with libUEMF's record builders.
// The builders allocate each record; it is copied into the file and freed.
#include "MetafileWriter.h"

#include <QtEndian>
#include <cstdlib>
#include <new>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wold-style-cast"
#include <uemf.h>
#pragma GCC diagnostic pop

using namespace MetafileRecord;

namespace {

U_COLORREF Color(QRgb color)
{
    return colorref3_set(uint8_t(qRed(color)), uint8_t(qGreen(color)), uint8_t(qBlue(color)));
}

// Header fields the file is finished with.
constexpr int HeaderBytesOffset = 48, HeaderRecordsOffset = 52, HeaderHandlesOffset = 56;
constexpr int HundredthMMPerInch = 2540, PixelsPerInch = 96;
// A reference device of 96 dpi whose size in millimetres is whole.
constexpr int DeviceWidth = 1920, DeviceHeight = 1440;

U_RECTL Rectl(int left, int top, int right, int bottom)
{
    return U_RECTL{left, top, right, bottom};
}

U_RECTL Bounds(const std::vector<QPolygon> &polygons)
{
    QRect bounds;
    for (const QPolygon &polygon : polygons)
        bounds |= polygon.boundingRect();
    return Rectl(bounds.left(), bounds.top(), bounds.right(), bounds.bottom());
}

std::vector<U_POINTL> Points(const std::vector<QPolygon> &polygons, std::vector<uint32_t> &counts)
{
    std::vector<U_POINTL> points;
    for (const QPolygon &polygon : polygons) {
        counts.push_back(uint32_t(polygon.size()));
        for (const QPoint &point : polygon)
            points.push_back(U_POINTL{point.x(), point.y()});
    }
    return points;
}

class TEmfWriter final : public TMetafileWriter {
public:
    TEmfWriter()
    {
        if (emf_htable_create(128, 128, &FHandles) != 0) throw std::bad_alloc();
    }
    ~TEmfWriter() override { emf_htable_free(&FHandles); }

protected:
    void Begin(const TRecording &recording) override
    {
        const int w = std::max(0, recording.Width), h = std::max(0, recording.Height);
        const int units = std::max(1, recording.UnitsPerPixel);
        FUnitsPerPixel = units;
        const auto hundredthMM = [](int pixels) {
            return int((qint64(pixels) * HundredthMMPerInch + PixelsPerInch / 2) / PixelsPerInch);
        };
        // The frame gives the size in pixels; the reference device has as
        // many units per millimetre as the records use, so players map the
        // finer units onto that size.
        const U_SIZEL device{DeviceWidth * units, DeviceHeight * units};
        const U_SIZEL millimetres{DeviceWidth * 254 / (PixelsPerInch * 10),
                                  DeviceHeight * 254 / (PixelsPerInch * 10)};
        Append(U_EMRHEADER_set(Rectl(0, 0, w * units - 1, h * units - 1),
                               Rectl(0, 0, hundredthMM(w), hundredthMM(h)), nullptr, 0, nullptr,
                               device, millimetres, 0));
        Append(U_EMRSETMAPMODE_set(U_MM_TEXT));
        Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
        Append(U_EMRSETROP2_set(U_R2_COPYPEN));
        Append(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
        Append(U_EMRSETSTRETCHBLTMODE_set(U_COLORONCOLOR));
    }

    QByteArray Finish() override
    {
        EMFTRACK track{};
        Append(U_EMREOF_set(0, nullptr, &track));
        char *header = FBytes.data();
        qToLittleEndian<uint32_t>(uint32_t(FBytes.size()), header + HeaderBytesOffset);
        qToLittleEndian<uint32_t>(FRecords, header + HeaderRecordsOffset);
        // Slot 0 is reserved, so the table needs one more than the highest.
        qToLittleEndian<uint16_t>(uint16_t(FHandles->peak + 1), header + HeaderHandlesOffset);
        return FBytes;
    }

    THandle CreatePen(const TPenRecord &pen) override
    {
        static const uint32_t Styles[] = {U_PS_SOLID,   U_PS_DASH,       U_PS_DOT,
                                          U_PS_DASHDOT, U_PS_DASHDOTDOT, U_PS_NULL};
        uint32_t handle = 0;
        if (FUnitsPerPixel > 1 && pen.Width > 1 && pen.Style != TPenStyle::None) {
            // In units finer than a pixel a pen is a shape of its own width;
            // readers take a plain pen for a hairline.
            PU_EXTLOGPEN logPen = extlogpen_set(
                U_PS_GEOMETRIC | Styles[int(pen.Style)] | U_PS_ENDCAP_FLAT | U_PS_JOIN_MITER,
                uint32_t(pen.Width), U_BS_SOLID, Color(pen.Color), 0, 0, nullptr);
            if (!logPen)
                throw std::bad_alloc();
            char *record = extcreatepen_set(&handle, FHandles, nullptr, 0, nullptr, logPen);
            std::free(logPen);
            Append(record);
            return handle;
        }
        Append(createpen_set(
            &handle, FHandles,
            logpen_set(Styles[int(pen.Style)], U_POINT{pen.Width, 0}, Color(pen.Color))));
        return handle;
    }

    THandle CreateBrush(const TBrushRecord &brush) override
    {
        uint32_t style = U_BS_SOLID;
        int32_t hatch = 0;
        switch (brush.Style) {
        case TBrushStyle::None:
            style = U_BS_NULL;
            break;
        case TBrushStyle::Solid:
            break;
        default:
            style = U_BS_HATCHED;
            hatch = int(brush.Style) - int(TBrushStyle::Horizontal) + U_HS_HORIZONTAL;
            break;
        }
        uint32_t handle = 0;
        Append(createbrushindirect_set(&handle, FHandles,
                                       logbrush_set(style, Color(brush.Color), hatch)));
        return handle;
    }

    THandle CreateFont(const TFontRecord &font) override
    {
        uint16_t face[U_LF_FACESIZE] = {};
        const QString name = font.Face.left(U_LF_FACESIZE - 1);
        std::copy(name.utf16(), name.utf16() + name.size(), face);
        const U_LOGFONT logFont = logfont_set(
            -font.Height, 0, font.Escapement, font.Escapement, font.Weight, font.Italic,
            font.Underline, font.StrikeOut, font.Chinese ? U_GB2312_CHARSET : U_DEFAULT_CHARSET,
            U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
            U_DEFAULT_PITCH | U_FF_DONTCARE, face);
        uint16_t none[U_LF_FULLFACESIZE] = {};
        U_LOGFONT_PANOSE full = logfont_panose_set(logFont, face, none, 0, U_PANOSE{});
        uint32_t handle = 0;
        Append(extcreatefontindirectw_set(&handle, FHandles, nullptr,
                                          reinterpret_cast<const char *>(&full)));
        return handle;
    }

    void SelectObject(THandle handle) override { Append(selectobject_set(handle, FHandles)); }

    void DeleteObject(THandle handle) override
    {
        uint32_t slot = handle;
        Append(deleteobject_set(&slot, FHandles));
    }

    bool SelectStockObjects() override
    {
        Append(U_EMRSELECTOBJECT_set(U_BLACK_PEN));
        Append(U_EMRSELECTOBJECT_set(U_WHITE_BRUSH));
        Append(U_EMRSELECTOBJECT_set(U_SYSTEM_FONT));
        return true;
    }

    void SaveDC() override { Append(U_EMRSAVEDC_set()); }
    void RestoreDC() override { Append(U_EMRRESTOREDC_set(-1)); }
    void SetTextColor(QRgb color) override { Append(U_EMRSETTEXTCOLOR_set(Color(color))); }

    void SetFillMode(Qt::FillRule rule) override
    {
        Append(U_EMRSETPOLYFILLMODE_set(rule == Qt::WindingFill ? U_WINDING : U_ALTERNATE));
    }

    void ClipRect(const TBox &box) override
    {
        Append(U_EMRINTERSECTCLIPRECT_set(Rectl(box.Left, box.Top, box.Right, box.Bottom)));
    }

    void ClipRegion(const QRegion &region) override
    {
        std::vector<U_RECTL> rects;
        for (const QRect &r : region)
            rects.push_back(Rectl(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()));
        const QRect b = region.boundingRect();
        const U_RGNDATAHEADER header =
            rgndataheader_set(U_NUM_RECTL(rects.size()),
                              Rectl(b.left(), b.top(), b.left() + b.width(), b.top() + b.height()));
        PU_RGNDATA data = rgndata_set(header, rects.empty() ? nullptr : rects.data());
        if (!data) throw std::bad_alloc();
        char *record = U_EMREXTSELECTCLIPRGN_set(U_RGN_COPY, data);
        std::free(data);
        Append(record);
    }

    void Polylines(const std::vector<QPolygon> &polylines) override
    {
        std::vector<uint32_t> counts;
        const std::vector<U_POINTL> points = Points(polylines, counts);
        if (polylines.size() == 1)
            Append(U_EMRPOLYLINE_set(Bounds(polylines), counts[0], points.data()));
        else
            Append(U_EMRPOLYPOLYLINE_set(Bounds(polylines), uint32_t(counts.size()), counts.data(),
                                         uint32_t(points.size()), points.data()));
    }

    void Polygons(const std::vector<QPolygon> &polygons) override
    {
        std::vector<uint32_t> counts;
        const std::vector<U_POINTL> points = Points(polygons, counts);
        if (polygons.size() == 1)
            Append(U_EMRPOLYGON_set(Bounds(polygons), counts[0], points.data()));
        else
            Append(U_EMRPOLYPOLYGON_set(Bounds(polygons), uint32_t(counts.size()), counts.data(),
                                        uint32_t(points.size()), points.data()));
    }

    void Rectangle(const TBox &box) override
    {
        Append(U_EMRRECTANGLE_set(Rectl(box.Left, box.Top, box.Right, box.Bottom)));
    }

    void Ellipse(const TBox &box) override
    {
        Append(U_EMRELLIPSE_set(Rectl(box.Left, box.Top, box.Right, box.Bottom)));
    }

    void Text(QPoint origin, const TOp &op) override
    {
        std::vector<uint16_t> text(op.Text.utf16(), op.Text.utf16() + op.Text.size());
        std::vector<uint32_t> advances(op.Advances.begin(), op.Advances.end());
        advances.resize(text.size(), 0);
        int width = 0;
        for (uint32_t advance : advances)
            width += int(advance);
        char *emrText = emrtext_set(U_POINTL{origin.x(), origin.y()}, U_NUM_STR(text.size()), 2,
                                    text.data(), 0, U_RCL_DEF, advances.data());
        if (!emrText) throw std::bad_alloc();
        // Bounds of the upright run; good enough for readers that cull.
        const int h = op.Font.Height;
        char *record = U_EMREXTTEXTOUTW_set(
            Rectl(origin.x() - h, origin.y() - h, origin.x() + width + h, origin.y() + h),
            U_GM_COMPATIBLE, 1.0f, 1.0f, reinterpret_cast<PU_EMRTEXT>(emrText));
        std::free(emrText);
        Append(record);
    }

    void Image(const TBox &box, const QImage &picture) override
    {
        QByteArray pixels = DibPixels(picture);
        const U_BITMAPINFOHEADER header =
            bitmapinfoheader_set(picture.width(), picture.height(), 1, 24, U_BI_RGB,
                                 uint32_t(pixels.size()), 3780, 3780, 0, 0);
        PU_BITMAPINFO info = bitmapinfo_set(header, nullptr);
        if (!info) throw std::bad_alloc();
        char *record = U_EMRSTRETCHDIBITS_set(
            Rectl(box.Left, box.Top, box.Right - 1, box.Bottom - 1), U_POINTL{box.Left, box.Top},
            U_POINTL{box.Right - box.Left, box.Bottom - box.Top}, U_POINTL{0, 0},
            U_POINTL{picture.width(), picture.height()}, U_DIB_RGB_COLORS, U_SRCCOPY, info,
            uint32_t(pixels.size()), pixels.data());
        std::free(info);
        Append(record);
    }

private:
    void Append(char *record)
    {
        if (!record) throw std::bad_alloc();
        const uint32_t size = qFromLittleEndian<uint32_t>(record + 4);
        FBytes.append(record, size);
        ++FRecords;
        std::free(record);
    }

    EMFHANDLES *FHandles = nullptr;
    int FUnitsPerPixel = 1;
    QByteArray FBytes;
    uint32_t FRecords = 0;
};

} // namespace

QByteArray WriteEnhancedMetafile(const TRecording &recording)
{
    return TEmfWriter().Write(recording);
}
