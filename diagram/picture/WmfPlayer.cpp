#include "WmfPlayer.h"

#include "BitmapCodec.h"
#include "GraphText.h"

#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>
#include <stack>
#include <variant>
#include <vector>

namespace WmfPlayer {

namespace {

enum Function : uint16_t {
    MetaEof = 0x0000,
    SaveDC = 0x001E,
    SetBkMode = 0x0102,
    SetROP2 = 0x0104,
    SetPolyFillMode = 0x0106,
    RestoreDC = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    Polygon = 0x0324,
    Polyline = 0x0325,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    DibCreatePatternBrush = 0x0142,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    CreateRegion = 0x06FF,
};

struct Pen {
    QPen pen;
};
struct Brush {
    QBrush brush;
};
struct Font {
    QFont font;
    int escapement = 0; // tenths of a degree, counter-clockwise
};
using Object = std::variant<std::monostate, Pen, Brush, Font>;

QColor ColorRef(const uint8_t *p)
{
    return QColor(p[0], p[1], p[2]);
}

// The drawing state a SaveDC keeps.
struct State {
    QPointF windowOrg;
    QSizeF windowExt;
    QPen pen{Qt::black};
    QBrush brush{Qt::white};
    Font font;
    QColor textColor = Qt::black;
    int textAlign = 0;
    QPointF position;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPainterPath clip;
    bool clipped = false;
};

class Player {
public:
    Player(QPainter &painter, const QRectF &target, const QRectF &box)
        : p(painter), target(target)
    {
        s.windowOrg = box.topLeft();
        s.windowExt = box.size();
    }

    // Plays one record; false ends the play.
    bool Record(uint16_t function, const uint8_t *params, int words);

private:
    QPointF Map(double x, double y) const
    {
        return QPointF(target.left() + (x - s.windowOrg.x()) * target.width() / s.windowExt.width(),
                       target.top() + (y - s.windowOrg.y()) * target.height() / s.windowExt.height());
    }
    double ScaleX(double v) const { return v * target.width() / s.windowExt.width(); }
    double ScaleY(double v) const { return v * target.height() / s.windowExt.height(); }
    QRectF MapRect(int left, int top, int right, int bottom) const
    {
        return QRectF(Map(left, top), Map(right, bottom)).normalized();
    }
    void Apply()
    {
        QPen pen = s.pen;
        if (pen.style() != Qt::NoPen)
            pen.setWidthF(std::max(1.0, ScaleX(pen.widthF())));
        p.setPen(pen);
        p.setBrush(s.brush);
        if (s.clipped)
            p.setClipPath(s.clip);
        else
            p.setClipping(false);
    }
    void AddObject(Object object)
    {
        for (Object &slot : objects)
            if (std::holds_alternative<std::monostate>(slot)) {
                slot = std::move(object);
                return;
            }
        objects.push_back(std::move(object));
    }
    void Text(double x, double y, const QString &text);
    void Dib(const uint8_t *dib, int bytes, const QRectF &dest);

    QPainter &p;
    QRectF target;
    State s;
    std::stack<State> saved;
    std::vector<Object> objects;
};

int16_t Word(const uint8_t *params, int i)
{
    return qFromLittleEndian<int16_t>(params + 2 * i);
}

void Player::Text(double x, double y, const QString &text)
{
    QFont font = s.font.font;
    font.setPixelSize(std::max(1, int(std::lround(std::abs(ScaleY(font.pixelSize()))))));
    p.save();
    p.setFont(font);
    p.setPen(s.textColor);
    const QPointF at = Map(x, y);
    p.translate(at);
    p.rotate(-s.font.escapement / 10.0);
    const QFontMetricsF metrics(font);
    double dx = 0, dy = metrics.ascent();
    const double width = metrics.horizontalAdvance(text);
    if ((s.textAlign & 0x06) == 0x06) // centre
        dx = -width / 2;
    else if (s.textAlign & 0x02) // right
        dx = -width;
    if (s.textAlign & 0x08) // bottom
        dy = -metrics.descent();
    else if (s.textAlign & 0x18) // baseline
        dy = 0;
    p.drawText(QPointF(dx, dy), text);
    p.restore();
}

void Player::Dib(const uint8_t *dib, int bytes, const QRectF &dest)
{
    if (bytes < 40)
        return;
    // A device-independent bitmap is a BMP file without its file header.
    const quint32 headerSize = qFromLittleEndian<quint32>(dib);
    const quint16 bitCount = qFromLittleEndian<quint16>(dib + 14);
    quint32 colors = bytes >= 36 ? qFromLittleEndian<quint32>(dib + 32) : 0;
    if (colors == 0 && bitCount <= 8)
        colors = 1u << bitCount;
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + bytes), file.data() + 2);
    qToLittleEndian<quint32>(quint32(14 + headerSize + colors * 4), file.data() + 10);
    file.append(reinterpret_cast<const char *>(dib), bytes);
    const QImage image = BitmapCodec::Decode(file);
    if (!image.isNull())
        p.drawImage(dest, image);
}

bool Player::Record(uint16_t function, const uint8_t *a, int words)
{
    const auto need = [&](int n) { return words >= n; };
    switch (function) {
    case MetaEof:
        return false;
    case SaveDC:
        saved.push(s);
        break;
    case RestoreDC:
        if (!saved.empty()) {
            s = saved.top();
            saved.pop();
        }
        break;
    case SetWindowOrg:
        if (need(2))
            s.windowOrg = QPointF(Word(a, 1), Word(a, 0));
        break;
    case SetWindowExt:
        if (need(2) && Word(a, 0) != 0 && Word(a, 1) != 0)
            s.windowExt = QSizeF(Word(a, 1), Word(a, 0));
        break;
    case SetTextColor:
        if (need(2))
            s.textColor = ColorRef(a);
        break;
    case SetTextAlign:
        if (need(1))
            s.textAlign = uint16_t(Word(a, 0));
        break;
    case SetPolyFillMode:
        if (need(1))
            s.fillRule = Word(a, 0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case SetBkMode:
    case SetBkColor:
    case SetROP2:
        break;
    case CreatePenIndirect:
        if (need(5)) {
            const int style = Word(a, 0) & 0x0F;
            QPen pen(ColorRef(a + 6), Word(a, 1));
            static const Qt::PenStyle Styles[] = {Qt::SolidLine,   Qt::DashLine,
                                                  Qt::DotLine,     Qt::DashDotLine,
                                                  Qt::DashDotDotLine, Qt::NoPen,
                                                  Qt::SolidLine};
            pen.setStyle(style < 7 ? Styles[style] : Qt::SolidLine);
            AddObject(Pen{pen});
        }
        break;
    case CreateBrushIndirect:
        if (need(4)) {
            const int style = Word(a, 0);
            const QColor color = ColorRef(a + 2);
            static const Qt::BrushStyle Hatches[] = {Qt::HorPattern, Qt::VerPattern,
                                                     Qt::FDiagPattern, Qt::BDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
            const int hatch = Word(a, 3);
            QBrush brush = style == 1 ? QBrush(Qt::NoBrush)
                           : style == 2 ? QBrush(color, hatch >= 0 && hatch < 6 ? Hatches[hatch]
                                                                                : Qt::SolidPattern)
                                        : QBrush(color);
            AddObject(Brush{brush});
        }
        break;
    case CreateFontIndirect:
        if (need(9)) {
            Font font;
            const int height = Word(a, 0);
            font.escapement = Word(a, 2);
            font.font.setPixelSize(std::max(1, std::abs(height)));
            const int weight = Word(a, 4);
            font.font.setWeight(QFont::Weight(weight <= 0 ? 400 : std::clamp(weight, 100, 900)));
            font.font.setItalic(a[10] != 0);
            font.font.setUnderline(a[11] != 0);
            font.font.setStrikeOut(a[12] != 0);
            const int nameBytes = std::max(0, 2 * words - 18);
            QByteArray name(reinterpret_cast<const char *>(a + 18), nameBytes);
            name.truncate(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'));
            font.font.setFamily(GraphText::FromGBK(name));
            AddObject(font);
        }
        break;
    case CreatePalette:
    case CreatePatternBrush:
    case DibCreatePatternBrush:
    case CreateRegion:
        AddObject(Pen{QPen(Qt::NoPen)}); // holds the slot; never selected usefully
        break;
    case SelectObject:
        if (need(1)) {
            const size_t index = uint16_t(Word(a, 0));
            if (index < objects.size()) {
                if (auto *pen = std::get_if<Pen>(&objects[index]))
                    s.pen = pen->pen;
                else if (auto *brush = std::get_if<Brush>(&objects[index]))
                    s.brush = brush->brush;
                else if (auto *font = std::get_if<Font>(&objects[index]))
                    s.font = *font;
            }
        }
        break;
    case DeleteObject:
        if (need(1)) {
            const size_t index = uint16_t(Word(a, 0));
            if (index < objects.size())
                objects[index] = std::monostate();
        }
        break;
    case IntersectClipRect:
        if (need(4)) {
            QPainterPath rect;
            rect.addRect(MapRect(Word(a, 3), Word(a, 2), Word(a, 1), Word(a, 0)));
            s.clip = s.clipped ? s.clip.intersected(rect) : rect;
            s.clipped = true;
        }
        break;
    case MoveTo:
        if (need(2))
            s.position = QPointF(Word(a, 1), Word(a, 0));
        break;
    case LineTo:
        if (need(2)) {
            const QPointF to(Word(a, 1), Word(a, 0));
            Apply();
            p.drawLine(Map(s.position.x(), s.position.y()), Map(to.x(), to.y()));
            s.position = to;
        }
        break;
    case Rectangle:
    case Ellipse:
        if (need(4)) {
            Apply();
            const QRectF r = MapRect(Word(a, 3), Word(a, 2), Word(a, 1), Word(a, 0));
            function == Rectangle ? p.drawRect(r) : p.drawEllipse(r);
        }
        break;
    case RoundRect:
        if (need(6)) {
            Apply();
            const QRectF r = MapRect(Word(a, 5), Word(a, 4), Word(a, 3), Word(a, 2));
            p.drawRoundedRect(r, std::abs(ScaleX(Word(a, 1))) / 2, std::abs(ScaleY(Word(a, 0))) / 2);
        }
        break;
    case Polygon:
    case Polyline:
        if (need(1)) {
            const int count = uint16_t(Word(a, 0));
            if (!need(1 + 2 * count))
                return false;
            QPolygonF polygon;
            for (int i = 0; i < count; ++i)
                polygon << Map(Word(a, 1 + 2 * i), Word(a, 2 + 2 * i));
            Apply();
            if (function == Polygon)
                p.drawPolygon(polygon, s.fillRule);
            else
                p.drawPolyline(polygon);
        }
        break;
    case PolyPolygon:
        if (need(1)) {
            const int polygons = uint16_t(Word(a, 0));
            if (!need(1 + polygons))
                return false;
            int point = 1 + polygons;
            QPainterPath path;
            path.setFillRule(s.fillRule);
            for (int i = 0; i < polygons; ++i) {
                const int count = uint16_t(Word(a, 1 + i));
                if (!need(point + 2 * count))
                    return false;
                QPolygonF polygon;
                for (int j = 0; j < count; ++j, point += 2)
                    polygon << Map(Word(a, point), Word(a, point + 1));
                path.addPolygon(polygon);
                path.closeSubpath();
            }
            Apply();
            p.drawPath(path);
        }
        break;
    case TextOut:
        if (need(1)) {
            const int length = uint16_t(Word(a, 0));
            const int padded = (length + 1) / 2;
            if (!need(1 + padded + 2))
                return false;
            const QByteArray text(reinterpret_cast<const char *>(a + 2), length);
            Text(Word(a, 2 + padded), Word(a, 1 + padded), GraphText::FromGBK(text));
        }
        break;
    case ExtTextOut:
        if (need(4)) {
            const int length = uint16_t(Word(a, 2));
            const int options = uint16_t(Word(a, 3));
            const int offset = 8 + ((options & 0x0006) ? 8 : 0);
            if (2 * words < offset + length)
                return false;
            const QByteArray text(reinterpret_cast<const char *>(a + offset), length);
            Text(Word(a, 1), Word(a, 0), GraphText::FromGBK(text));
        }
        break;
    case StretchDib:
        if (need(11)) {
            const QRectF dest = MapRect(Word(a, 10), Word(a, 9), Word(a, 10) + Word(a, 8),
                                        Word(a, 9) + Word(a, 7));
            Apply();
            Dib(a + 22, 2 * words - 22, dest);
        }
        break;
    case DibStretchBlt:
        if (need(10)) {
            const QRectF dest = MapRect(Word(a, 9), Word(a, 8), Word(a, 9) + Word(a, 7),
                                        Word(a, 8) + Word(a, 6));
            Apply();
            Dib(a + 20, 2 * words - 20, dest);
        }
        break;
    default:
        break; // records that draw nothing here
    }
    return true;
}

} // namespace

void Play(const QByteArray &bytes, QPainter &painter, const QRectF &target)
{
    constexpr int PlaceableSize = 22, HeaderSize = 18;
    if (bytes.size() < PlaceableSize + HeaderSize)
        return;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    const QRectF box(QPointF(qFromLittleEndian<int16_t>(data + 6),
                             qFromLittleEndian<int16_t>(data + 8)),
                     QPointF(qFromLittleEndian<int16_t>(data + 10),
                             qFromLittleEndian<int16_t>(data + 12)));
    if (box.width() == 0 || box.height() == 0)
        return;
    const int headerWords = qFromLittleEndian<uint16_t>(data + PlaceableSize + 2);
    qint64 offset = PlaceableSize + 2 * qint64(std::max(headerWords, 9));

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    Player player(painter, target, box);
    while (offset + 6 <= bytes.size()) {
        const qint64 words = qFromLittleEndian<uint32_t>(data + offset);
        if (words < 3 || words * 2 > bytes.size() - offset)
            break;
        const uint16_t function = qFromLittleEndian<uint16_t>(data + offset + 4);
        if (!player.Record(function, data + offset + 6, int(words - 3)))
            break;
        offset += words * 2;
    }
    painter.restore();
}

} // namespace WmfPlayer
