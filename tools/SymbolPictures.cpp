#include "SymbolPictures.h"

#include "AppliancePictures.h"
#include "MetafileCanvas.h"
#include "SymbolInk.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <stdexcept>

// Symbols are drawn in a logical box of 100 x 100 units (breakers in the
// 100 x 40 units of their node) and mapped onto either picture. Pens are
// cosmetic, so a stroke keeps its width in pixels however far the drawing
// is scaled down, and the small pictures stay legible instead of fading
// to grey.

QString SansFace()
{
    return QStringLiteral("Noto Sans CJK SC");
}

QString SerifFace()
{
    return QStringLiteral("Noto Serif CJK SC");
}

namespace {

using namespace AppliancePictures;

// --- Sockets: a semicircle standing on the wall side ----------------------

enum SocketMark : unsigned {
    Plain = 0,
    Earth = 1,     // a bar above the arc for the protective contact
    Filled = 2,    // splash-proof
    Switched = 4,  // a switch stroke on the right
    Divider = 8,   // three-pin only: a stroke from the wall to the apex
    FloorBox = 16, // set in a floor box
};

void Socket(Ink &k, unsigned marks, const QString &letter = QString())
{
    const qreal cx = 46, base = 70, r = 36;
    k.Stroke();
    if (marks & FloorBox) k.Box(cx - 44, 10, 88, 72);
    QPainterPath arc;
    arc.moveTo(cx - r, base);
    arc.arcTo(QRectF(cx - r, base - r, 2 * r, 2 * r), 180, -180);
    arc.closeSubpath();
    k.Shape(arc, marks & Filled);
    if (marks & Earth) {
        k.Line(cx, base - r, cx, base - r - 12);
        k.Line(cx - 24, base - r - 12, cx + 24, base - r - 12);
    }
    if (marks & Divider) k.Line(cx, base, cx, base - r);
    if (marks & Switched) {
        // The switch of the socket: a stroke off the arc with one tick.
        k.Line(cx + 25, base - 26, cx + 46, base - 47);
        k.Line(cx + 46, base - 47, cx + 53, base - 40);
    }
    if (!letter.isEmpty()) k.Letters(QRectF(cx - 20, base - 28, 40, 26), letter, 20);
}

// --- Switches: a dot with a slanted stroke, a tick per gang ---------------

enum SwitchMark : unsigned {
    NoMark = 0,
    TwoWay = 1,     // strokes at both ends
    Lit = 2,        // indicator: a crossed ring instead of the dot
    Arrow = 4,      // dimmer
    Timer = 8,      // time delay: an open ring with "t"
    Splashbox = 16, // in a splash box
    Fan = 32,       // speed control: an arrow across the stroke
};

void SwitchSymbol(Ink &k, int gangs, unsigned marks)
{
    // The small picture needs the ticks further apart to keep them countable.
    const qreal cx = k.small ? 30 : 34, cy = k.small ? 66 : 62, r = 11;
    // The stroke leaves the dot up and to the right at 45 degrees.
    const qreal ux = std::sqrt(0.5), uy = -std::sqrt(0.5);
    const qreal len = k.small ? 56 : 46;
    k.Stroke();
    if (marks & Splashbox) k.Box(cx - 24, cy - 22, 48, 44);
    const qreal sx = cx + ux * r, sy = cy + uy * r;
    const qreal ex = cx + ux * (r + len), ey = cy + uy * (r + len);
    k.Line(sx, sy, ex, ey);
    // Ticks stand at right angles to the stroke, towards its lower side.
    const qreal tx = -uy, ty = ux;
    const qreal tick = k.small ? 18 : 13, gap = k.small ? 15 : 9;
    for (int g = 0; g < gangs; ++g) {
        const qreal bx = ex - ux * gap * g, by = ey - uy * gap * g;
        k.Line(bx, by, bx + tx * tick, by + ty * tick);
    }
    if (marks & TwoWay) {
        // A second stroke leaves the dot the opposite way.
        const qreal fx = cx - ux * (r + len * 0.6), fy = cy - uy * (r + len * 0.6);
        k.Line(cx - ux * r, cy - uy * r, fx, fy);
        for (int g = 0; g < gangs; ++g) {
            const qreal bx = fx + ux * gap * g, by = fy + uy * gap * g;
            k.Line(bx, by, bx - tx * tick, by - ty * tick);
        }
    }
    if (marks & Lit) {
        const qreal ring = k.small ? r + 8 : r + 2;
        k.Circle(cx, cy, ring);
        const qreal d = ring * std::sqrt(0.5);
        k.Stroke(k.small ? 0.8 : 1.0);
        k.Line(cx - d, cy - d, cx + d, cy + d);
        k.Line(cx - d, cy + d, cx + d, cy - d);
        k.Stroke();
    } else if (marks & Timer) {
        k.Circle(cx, cy, r + 1);
        k.Letters(QRectF(cx + 14, cy + 2, 30, 30), QStringLiteral("t"), k.small ? 24 : 16);
    } else {
        k.Circle(cx, cy, r, true);
    }
    if (marks & (Arrow | Fan)) {
        // The arrow of adjustability, across the dot or across the stroke.
        const qreal ax = (marks & Arrow) ? cx - 22 : cx + 8,
                    ay = (marks & Arrow) ? cy + 22 : cy + 8;
        const qreal bx = ax + 50, by = ay - 50 + ((marks & Fan) ? 16 : 0);
        k.Stroke(0.8);
        k.Line(ax, ay, bx, by);
        const qreal a = std::atan2(by - ay, bx - ax);
        const qreal head = k.small ? 18 : 12;
        k.Polygon({QPointF(bx, by),
                   QPointF(bx - head * std::cos(a - 0.45), by - head * std::sin(a - 0.45)),
                   QPointF(bx - head * std::cos(a + 0.45), by - head * std::sin(a + 0.45))},
                  true);
        k.Stroke();
    }
}

// An intermediate switch: the dot with a stroke each way, crossed at the
// dot by a second pair, the way the contacts cross over.
void IntermediateSwitch(Ink &k)
{
    SwitchSymbol(k, 1, TwoWay);
    const qreal cx = k.small ? 30 : 34, cy = k.small ? 66 : 62, len = k.small ? 40 : 34;
    const qreal d = std::sqrt(0.5);
    k.Line(cx - d * len, cy - d * len, cx + d * len, cy + d * len);
}

// --- Lamps ----------------------------------------------------------------

void CrossedCircle(Ink &k, qreal cx, qreal cy, qreal r)
{
    k.Circle(cx, cy, r);
    const qreal d = r * std::sqrt(0.5);
    k.Line(cx - d, cy - d, cx + d, cy + d);
    k.Line(cx - d, cy + d, cx + d, cy - d);
}

void BarLamp(Ink &k, qreal y, qreal x1, qreal x2)
{
    k.Stroke(1.6);
    k.Line(x1, y, x2, y);
    k.Stroke();
    k.Line(x1, y - 12, x1, y + 12);
    k.Line(x2, y - 12, x2, y + 12);
}

// A table lamp (shade on a short stem) or a floor lamp (tall stem), both
// plugged into a socket beside them.
void StandingLamp(Ink &k, bool floor)
{
    k.Stroke();
    const qreal stemTop = floor ? 28 : 44;
    k.Polygon({QPointF(26, stemTop), QPointF(74, stemTop), QPointF(62, stemTop - 22),
               QPointF(38, stemTop - 22)});
    k.Line(50, stemTop, 50, 84);
    k.Line(34, 84, 66, 84);
    if (!floor) k.Line(28, 84, 72, 84);
}

// --- Low-voltage outlets: a square with letters ---------------------------

void Flame(Ink &k, qreal cx, qreal top, qreal h)
{
    QPainterPath flame;
    flame.moveTo(cx, top);
    flame.cubicTo(cx - h * 0.7, top + h * 0.6, cx - h * 0.5, top + h, cx, top + h);
    flame.cubicTo(cx + h * 0.5, top + h, cx + h * 0.7, top + h * 0.6, cx, top);
    k.Shape(flame, true);
}

void Camera(Ink &k)
{
    k.Stroke();
    k.Box(14, 30, 52, 32);
    k.Polygon({QPointF(66, 38), QPointF(88, 28), QPointF(88, 64), QPointF(66, 54)}, true);
    k.Line(30, 62, 30, 80);
    k.Line(18, 80, 42, 80);
}

// Door or window contact: the two halves of a magnetic contact beside the
// leaf, a door swing or a window sash.
void ContactSensor(Ink &k, bool door)
{
    k.Stroke();
    if (door) {
        k.Line(12, 84, 12, 16);
        QPainterPath swing;
        swing.moveTo(12, 16);
        swing.arcTo(QRectF(-56, 16, 136, 136), 90, -90);
        k.Stroke(0.7);
        k.Shape(swing);
        k.Stroke();
        k.Line(12, 84, 80, 84);
    } else {
        k.Box(10, 20, 64, 64);
        k.Line(42, 20, 42, 84);
    }
    k.Box(76, 30, 12, 24, true);
    k.Box(76, 58, 12, 12);
}

void LetterBox(Ink &k, const QString &letters)
{
    k.Stroke();
    k.Box(16, 16, 68, 56);
    k.Letters(QRectF(16, 16, 68, 56), letters, letters.size() > 1 ? 22 : 28);
}

// --- Breakers, in node units (100 x 40), the wire along y = 20 ------------

enum BreakerKind { OnePole, TwoPole, OnePoleN, Residual1PN, Residual2P, MainSwitch, Protector };

void BreakerSymbol(Ink &k, BreakerKind kind)
{
    const qreal y = 20;
    k.Stroke();
    k.Line(0, y, 32, y);
    k.Line(68, y, 100, y);
    // The blade, open, rising from the moving contact.
    k.Line(32, y, 64, y - 15);
    // The fixed contact carries the breaker's cross.
    k.Stroke(0.9);
    k.Line(64, y - 5, 72, y + 5);
    k.Line(64, y + 5, 72, y - 5);
    if (kind == MainSwitch) // isolating function: a bar beyond the fixed contact
        k.Line(77, y - 7, 77, y + 7);
    // Poles in single-line notation: a slash per conductor.
    // 1P+N: one slash for the protected phase and an N for the switched neutral.
    const int slashes = (kind == OnePole) ? 0 : (kind == OnePoleN) ? 1 : 2;
    for (int i = 0; i < slashes; ++i)
        k.Line(10 + 5 * i, y + 5, 16 + 5 * i, y - 5);
    if (kind == OnePoleN)
        k.Letters(QRectF(16, y - 14, 10, 10), QStringLiteral("N"), 6);
    if (kind == Residual1PN || kind == Residual2P) {
        // The current transformer of the residual-current device.
        k.p.setBrush(Qt::NoBrush);
        k.p.drawEllipse(QPointF(86, y), 4, 8);
        QPen dash = k.p.pen();
        dash.setStyle(Qt::DashLine);
        k.p.setPen(dash);
        k.Line(82, y - 9, 52, y - 9);
        k.Stroke();
    }
    if (kind == Protector) {
        k.Stroke(0.8);
        k.Box(80, y - 14, 12, 10);
        k.Letters(QRectF(80, y - 14, 12, 10), QStringLiteral("U"), 6);
    }
}

BreakerKind BreakerKindOf(const QString &caption)
{
    if (caption.contains(QStringLiteral("过欠压"))) return Protector;
    if (caption.contains(QStringLiteral("总开关"))) return MainSwitch;
    if (caption.contains(QStringLiteral("1P+N漏电"))) return Residual1PN;
    if (caption.contains(QStringLiteral("漏电"))) return Residual2P;
    if (caption.startsWith(QStringLiteral("1P+N"))) return OnePoleN;
    if (caption.startsWith(QStringLiteral("2P"))) return TwoPole;
    return OnePole;
}

// "C16" from "1P断路器C16", "40A" from "2P过欠压保护器40A".
QString RatingOf(const QString &caption)
{
    const int c = caption.lastIndexOf(QLatin1Char('C'));
    if (c >= 0) return caption.mid(c);
    int i = caption.size();
    while (i > 0 && (caption[i - 1].isDigit() || caption[i - 1] == QLatin1Char('A')))
        --i;
    return caption.mid(i);
}

// --- Breakers at drawing size ---------------------------------------------
//
// The small picture of a breaker is stretched to its 100 x 40 node: five
// picture units across for two down. It is drawn in node units through that
// squeeze, every stroke filled as a shape of its own width in node units,
// so that stretched back each stroke has one width again. Besides the
// symbol it carries what tells breakers apart at drawing size: the rating
// at the top left, a tick per pole across the incoming wire (an N under it
// for a switched neutral), the residual-current transformer on the
// outgoing wire with its link to the blade, or the U of over/under-voltage
// protection. The strip under the wire is left to the node's code.

class NodeStrokes {
public:
    explicit NodeStrokes(QPainter &painter) : p(painter) {}

    void Line(qreal x1, qreal y1, qreal x2, qreal y2, qreal width,
              Qt::PenStyle style = Qt::SolidLine)
    {
        QPainterPath path(QPointF(x1, y1));
        path.lineTo(x2, y2);
        Stroke(path, width, style);
    }
    void Ellipse(QPointF centre, qreal rx, qreal ry, qreal width)
    {
        QPainterPath path;
        path.addEllipse(centre, rx, ry);
        Stroke(path, width, Qt::SolidLine);
    }
    void Box(const QRectF &box, qreal width)
    {
        p.fillRect(box, Qt::white);
        QPainterPath path;
        path.addRect(box);
        Stroke(path, width, Qt::SolidLine);
    }
    // Bold letters centred in a box, cap height in node units.
    void Letters(const QRectF &box, const QString &text, qreal capHeight)
    {
        QFont font(SansFace());
        font.setPixelSize(std::max(1, int(std::lround(capHeight * 1.4))));
        font.setBold(true);
        font.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(font);
        QPainterPath path;
        path.addText(box.center().x() - metrics.horizontalAdvance(text) / 2,
                     box.center().y() + metrics.capHeight() / 2, font, text);
        p.fillPath(path, Qt::black);
    }

private:
    void Stroke(const QPainterPath &path, qreal width, Qt::PenStyle style)
    {
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(Qt::FlatCap);
        stroker.setJoinStyle(Qt::MiterJoin);
        stroker.setDashPattern(style);
        p.fillPath(stroker.createStroke(path), Qt::black);
    }

    QPainter &p;
};

void BreakerAtDrawingSize(QPainter &painter, BreakerKind kind, const QString &rating)
{
    const qreal y = 20, line = 1.6, thin = 1.3;
    NodeStrokes k(painter);
    k.Line(0, y, 32, y, line);
    k.Line(68, y, 100, y, line);
    k.Line(32, y, 64, y - 15, line);
    k.Line(64, y - 5, 72, y + 5, thin);
    k.Line(64, y + 5, 72, y - 5, thin);
    if (kind == MainSwitch)
        k.Line(77, y - 7, 77, y + 7, line);
    const int poles = (kind == OnePole || kind == OnePoleN || kind == Residual1PN) ? 1 : 2;
    for (int i = 0; i < poles; ++i)
        k.Line(7 + 6 * i, y + 5, 13 + 6 * i, y - 5, thin);
    if (kind == OnePoleN || kind == Residual1PN)
        k.Letters(QRectF(13, y + 3, 9, 9), QStringLiteral("N"), 6.5);
    if (kind == Residual1PN || kind == Residual2P) {
        k.Ellipse(QPointF(86, y), 4, 8, thin);
        k.Line(82, y - 9, 50, y - 9, thin, Qt::DashLine);
    }
    if (kind == Protector) {
        k.Box(QRectF(80, y - 15, 12, 11), thin);
        k.Letters(QRectF(80, y - 15, 12, 11), QStringLiteral("U"), 6.5);
    }
    k.Letters(QRectF(0, 1, 32, 10), rating, 8);
}

// --- Distribution-box parts -----------------------------------------------

void Busbar(Ink &k, const QString &mark)
{
    k.Stroke();
    k.Box(6, 22, 88, 18, true);
    // Terminal screws and the wires leaving them.
    for (int i = 0; i < 4; ++i) {
        const qreal x = 18 + 21 * i;
        k.p.setBrush(Qt::white);
        k.p.setPen(Qt::NoPen);
        k.p.drawEllipse(QPointF(x, 31), 4.5, 4.5);
        k.Stroke();
        k.Line(x, 40, x, 62);
    }
    k.Letters(QRectF(0, 62, 100, 32), mark, 22);
}

void TerminalBlock(Ink &k)
{
    k.Stroke();
    k.Box(22, 14, 56, 64);
    k.Line(50, 14, 50, 78);
    k.Circle(36, 34, 7);
    k.Circle(64, 34, 7);
    k.Line(4, 60, 22, 60);
    k.Line(78, 60, 96, 60);
    k.Circle(36, 60, 4, true);
    k.Circle(64, 60, 4, true);
}

void Meter(Ink &k)
{
    k.Stroke();
    k.Circle(50, 46, 40);
    k.Letters(QRectF(10, 28, 80, 36), QStringLiteral("kWh"), 20);
}

void Rail(Ink &k)
{
    k.Stroke();
    // The top-hat profile seen from the front: a strip with slots.
    k.Box(4, 30, 92, 28);
    k.Line(4, 36, 96, 36);
    k.Line(4, 52, 96, 52);
    for (int i = 0; i < 4; ++i) {
        k.p.setBrush(Qt::black);
        k.p.drawRoundedRect(QRectF(12 + 22 * i, 41, 12, 6), 3, 3);
    }
}

void DistributionBox(Ink &k)
{
    k.Stroke();
    k.Box(10, 20, 80, 52);
    k.Polygon({QPointF(90, 20), QPointF(90, 72), QPointF(10, 72)}, true);
}

void SurgeProtector(Ink &k)
{
    k.Stroke();
    k.Box(30, 14, 40, 48);
    k.Line(50, 2, 50, 14);
    // The arrester's arrow towards earth.
    k.Polygon({QPointF(56, 22), QPointF(44, 40), QPointF(54, 40), QPointF(44, 56)});
    k.Line(50, 62, 50, 74);
    k.Line(34, 74, 66, 74);
    k.Line(40, 81, 60, 81);
    k.Line(46, 88, 54, 88);
}

// A distribution box with one module per circuit.
void SchemeIcon(Ink &k, int circuits)
{
    k.Stroke();
    k.Box(8, 10, 84, 76);
    k.Line(8, 26, 92, 26);
    const int shown = k.small ? std::min(circuits, 4) : circuits;
    // The main switch, twice as wide, then one breaker per circuit.
    const qreal pitch = 72.0 / (shown + 1);
    k.p.setPen(Qt::NoPen);
    k.p.setBrush(Qt::black);
    k.p.drawRect(QRectF(14, 36, pitch * 2 - pitch * 0.35, 36));
    for (int i = 0; i < shown - 1; ++i)
        k.p.drawRect(QRectF(14 + pitch * (2 + i), 36, pitch * 0.65, 36));
    k.Stroke();
}

// The drawings, by code.
const QHash<QString, Drawing> &Drawings()
{
    static const QHash<QString, Drawing> drawings = {
        {"D01", Fridge},
        {"D02", WallAirConditioner},
        {"D03", CabinetAirConditioner},
        {"D04", WashingMachine},
        {"D05", Television},
        {"D06", WaterHeater},
        {"D07", RangeHood},
        {"D08", Microwave},
        {"D09", Computer},
        {"D10", RiceCooker},
        {"D11", Dishwasher},
        {"D12", BathHeater},
        {"D13", ExhaustFan},
        {"D14", WaterDispenser},
        {"D15", Oven},
        {"D16", InductionHob},
        {"D17", DisinfectionCabinet},
        {"D18", GasBoiler},
        {"D19", ClothesAirer},

        {"F01",
         [](Ink &k) {
             k.Stroke();
             CrossedCircle(k, 50, 46, 32);
         }},
        {"F02",
         [](Ink &k) {
             k.Stroke();
             k.Line(36, 4, 64, 4);
             k.Line(50, 4, 50, 22);
             CrossedCircle(k, 50, 52, 30);
         }},
        {"F03",
         [](Ink &k) {
             k.Stroke();
             k.Circle(50, 46, 30);
             k.Circle(50, 46, 20, true);
         }},
        {"F04",
         [](Ink &k) {
             k.Stroke();
             CrossedCircle(k, 40, 40, 26);
             // The beam it throws.
             k.Line(60, 60, 82, 82);
             k.Polygon({QPointF(90, 90), QPointF(74, 84), QPointF(84, 74)}, true);
         }},
        {"F05",
         [](Ink &k) {
             k.Stroke();
             QPainterPath lower;
             lower.moveTo(18, 46);
             lower.arcTo(QRectF(18, 14, 64, 64), 180, 180);
             lower.closeSubpath();
             k.Shape(lower, true);
             k.Circle(50, 46, 32);
         }},
        {"F06", [](Ink &k) { BarLamp(k, 46, 8, 92); }},
        {"F07",
         [](Ink &k) {
             BarLamp(k, 20, 14, 86);
             k.Stroke();
             k.Box(24, 34, 52, 50);
             k.Stroke(0.7);
             k.Line(34, 50, 46, 38);
             k.Line(34, 64, 58, 40);
             k.Stroke();
         }},
        {"F08",
         [](Ink &k) {
             k.Stroke();
             k.Circle(50, 46, 38);
             CrossedCircle(k, 50, 46, 26);
         }},
        {"F09",
         [](Ink &k) {
             k.Stroke();
             QPainterPath left;
             left.moveTo(50, 14);
             left.arcTo(QRectF(18, 14, 64, 64), 90, 180);
             left.closeSubpath();
             k.Shape(left, true);
             k.Circle(50, 46, 32);
             k.Line(6, 14, 6, 78); // the wall behind the bed head
         }},
        {"F10",
         [](Ink &k) {
             k.Stroke();
             CrossedCircle(k, 50, 46, 32);
             k.Circle(50, 46, 9, true);
         }},
        {"F11",
         [](Ink &k) {
             k.Stroke();
             k.Line(4, 46, 96, 46);
             for (int i = 0; i < 4; ++i)
                 k.Circle(17 + 22 * i, 46, 8, true);
         }},
        {"F12",
         [](Ink &k) {
             k.Stroke();
             k.Line(50, 2, 50, 14);
             k.Circle(50, 50, 36);
             FanBlades(k, 50, 50, 32);
             k.p.setBrush(Qt::white);
             k.p.drawEllipse(QPointF(50, 50), 8, 8);
         }},
        {"F13",
         [](Ink &k) {
             k.Stroke();
             k.Box(14, 12, 72, 68);
             k.Line(14, 12, 86, 80);
             k.Line(14, 80, 86, 12);
         }},

        {"F14", [](Ink &k) { StandingLamp(k, false); }},
        {"F15", [](Ink &k) { StandingLamp(k, true); }},
        {"F16",
         [](Ink &k) {
             k.Stroke();
             CrossedCircle(k, 44, 52, 24);
             // A crescent moon: lit at night only.
             QPainterPath moon;
             moon.addEllipse(QPointF(80, 20), 14, 14);
             QPainterPath bite;
             bite.addEllipse(QPointF(88, 14), 12, 12);
             k.Shape(moon.subtracted(bite), true);
         }},
        {"F17",
         [](Ink &k) {
             k.Stroke();
             CrossedCircle(k, 50, 46, 32);
             // The emergency mark: a filled half, the battery-fed part.
             QPainterPath half;
             half.moveTo(50, 14);
             half.arcTo(QRectF(18, 14, 64, 64), 90, -180);
             half.closeSubpath();
             k.Shape(half, true);
             k.Circle(50, 46, 32);
         }},

        {"A01", [](Ink &k) { SwitchSymbol(k, 1, NoMark); }},
        {"A02", [](Ink &k) { SwitchSymbol(k, 2, NoMark); }},
        {"A03", [](Ink &k) { SwitchSymbol(k, 3, NoMark); }},
        {"A04", [](Ink &k) { SwitchSymbol(k, 4, NoMark); }},
        {"A05", [](Ink &k) { SwitchSymbol(k, 1, TwoWay); }},
        {"A06", [](Ink &k) { SwitchSymbol(k, 2, TwoWay); }},
        {"A07", [](Ink &k) { SwitchSymbol(k, 1, Arrow); }},
        {"A08", [](Ink &k) { SwitchSymbol(k, 1, Fan); }},
        {"A09", [](Ink &k) { SwitchSymbol(k, 1, Lit); }},
        {"A10", [](Ink &k) { SwitchSymbol(k, 1, Timer); }},
        {"A11", [](Ink &k) { SwitchSymbol(k, 4, Splashbox); }},
        {"A12", IntermediateSwitch},
        {"A13", [](Ink &k) { SwitchSymbol(k, 3, TwoWay); }},
        {"A14",
         [](Ink &k) {
             k.Stroke();
             k.Box(18, 14, 64, 64); // a plain 86 plate, nothing on it
             k.Stroke(0.7);
             k.Box(24, 20, 52, 52);
             k.Stroke();
         }},

        {"B01", [](Ink &k) { Socket(k, Earth); }},
        {"B02", [](Ink &k) { Socket(k, Earth, QStringLiteral("K")); }},
        {"B03", [](Ink &k) { Socket(k, Earth | Filled); }},
        {"B04", [](Ink &k) { Socket(k, Earth | Switched); }},
        {"B05", [](Ink &k) { Socket(k, Earth | Divider); }},
        {"B06", [](Ink &k) { Socket(k, Earth | Switched, QStringLiteral("R")); }},
        {"B07", [](Ink &k) { Socket(k, Earth, QStringLiteral("C")); }},
        {"B08", [](Ink &k) { Socket(k, Plain); }},
        {"B09", [](Ink &k) { Socket(k, Earth | FloorBox); }},
        {"B10", [](Ink &k) { Socket(k, Earth | Filled | Switched); }},
        {"B11", [](Ink &k) { Socket(k, Earth, QStringLiteral("U")); }},

        {"C01", [](Ink &k) { LetterBox(k, QStringLiteral("TV")); }},
        {"C02", [](Ink &k) { LetterBox(k, QStringLiteral("TO")); }},
        {"C03", [](Ink &k) { LetterBox(k, QStringLiteral("TP")); }},
        {"C04",
         [](Ink &k) {
             k.Stroke();
             k.Box(16, 16, 68, 56);
             // A loudspeaker.
             k.Box(32, 36, 10, 16, true);
             k.Polygon({QPointF(42, 36), QPointF(58, 24), QPointF(58, 64), QPointF(42, 52)}, true);
             k.Stroke(0.8);
             k.p.setBrush(Qt::NoBrush);
             k.p.drawArc(QRectF(52, 32, 20, 24), -60 * 16, 120 * 16);
             k.Stroke();
         }},
        {"C05",
         [](Ink &k) {
             k.Stroke();
             // A bell: dome on a rim, the clapper under it.
             QPainterPath dome;
             dome.moveTo(20, 60);
             dome.cubicTo(22, 14, 78, 14, 80, 60);
             dome.closeSubpath();
             k.Shape(dome);
             k.Line(12, 60, 88, 60);
             k.Circle(50, 70, 7, true);
         }},
        {"C06",
         [](Ink &k) {
             k.Stroke();
             k.Round(14, 6, 72, 84, 6);
             k.Box(22, 14, 40, 30, true);
             k.Circle(74, 28, 5);
             k.Box(22, 54, 56, 8);
             k.Circle(34, 76, 5);
             k.Circle(50, 76, 5);
             k.Circle(66, 76, 5);
         }},
        {"C07",
         [](Ink &k) {
             k.Stroke();
             k.Box(10, 16, 80, 60);
             k.Line(10, 36, 90, 36);
             // The modem, the router and the distribution modules inside.
             for (int i = 0; i < 3; ++i)
                 k.Box(18 + 24 * i, 46, 16, 22, true);
             k.Circle(22, 26, 3, true);
         }},
        {"C08",
         [](Ink &k) {
             k.Stroke();
             k.Box(8, 16, 84, 56);
             k.Line(50, 16, 50, 72);
             k.Letters(QRectF(8, 16, 42, 56), QStringLiteral("TO"), 15);
             k.Letters(QRectF(50, 16, 42, 56), QStringLiteral("TP"), 15);
         }},
        {"C09",
         [](Ink &k) {
             k.Stroke();
             k.Box(16, 12, 68, 68);
             // Smoke rising.
             QPainterPath smoke;
             smoke.moveTo(50, 70);
             smoke.cubicTo(30, 56, 70, 44, 50, 34);
             smoke.cubicTo(38, 28, 58, 20, 50, 20);
             k.Stroke(1.2);
             k.Shape(smoke);
             k.Stroke();
         }},

        {"C10",
         [](Ink &k) {
             LetterBox(k, QString());
             k.Letters(QRectF(16, 16, 68, 32), QStringLiteral("GAS"), 15);
             Flame(k, 50, 50, 18);
         }},
        {"C11", Camera},
        {"C12", [](Ink &k) { ContactSensor(k, true); }},
        {"C13", [](Ink &k) { ContactSensor(k, false); }},

        {"S01", [](Ink &k) { SchemeIcon(k, 6); }},
        {"S02", [](Ink &k) { SchemeIcon(k, 8); }},
        {"S03", [](Ink &k) { SchemeIcon(k, 11); }},

        {"L01", [](Ink &k) { Busbar(k, QStringLiteral("N")); }},
        {"L02", [](Ink &k) { Busbar(k, QStringLiteral("PE")); }},
        {"L03", TerminalBlock},
        {"L04", Meter},
        {"L05", Rail},
        {"L06", DistributionBox},
        {"L07", SurgeProtector},
    };
    return drawings;
}

bool IsBreaker(const SymbolEntry &entry)
{
    return QString::fromUtf8(entry.type) == QStringLiteral("漏电保护器");
}

QImage WhitePicture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void Draw(Ink &k, const SymbolEntry &entry)
{
    if (IsBreaker(entry)) {
        BreakerSymbol(k, BreakerKindOf(QString::fromUtf8(entry.caption)));
        return;
    }
    const auto found = Drawings().find(QLatin1String(entry.code));
    if (found == Drawings().end())
        throw std::logic_error(std::string("no drawing for ") + entry.code);
    found.value()(k);
}

// Writes text centred in a box, shrinking the font until it fits.
void FittedText(QPainter &p, const QRectF &box, const QString &text, int pixelSize, bool bold)
{
    QFont font(SansFace());
    font.setBold(bold);
    for (int size = pixelSize; size >= 8; --size) {
        font.setPixelSize(size);
        p.setFont(font);
        // Measured on the painter, which lays the text out as it will draw it.
        if (p.boundingRect(QRectF(0, 0, 1000, 100), Qt::AlignLeft, text).width() <= box.width())
            break;
    }
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, text);
}

} // namespace

// The part of the logical box a drawing covers, found by drawing it large.
QRectF DrawnArea(const SymbolEntry &entry)
{
    QImage probe = WhitePicture(200);
    {
        QPainter painter(&probe);
        painter.scale(2, 2);
        Ink ink(painter, false);
        Draw(ink, entry);
    }
    int left = 200, top = 200, right = -1, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (probe.pixel(x, y) != qRgb(255, 255, 255)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return QRectF(0, 0, 100, 100);
    return QRectF(left / 2.0, top / 2.0, (right - left + 1) / 2.0, (bottom - top + 1) / 2.0);
}

QByteArray SmallSymbolMetafile(const SymbolEntry &entry)
{
    TMetafile metafile(SmallPictureSize, SmallPictureSize, SmallPictureUnits);
    QPainter painter(metafile.Device());
    painter.fillRect(QRectF(0, 0, SmallPictureSize, SmallPictureSize), Qt::white);
    if (IsBreaker(entry)) {
        // Stretched to the 100 x 40 node, this is drawn at its true shape.
        painter.scale(0.2, 0.5);
        const QString caption = QString::fromUtf8(entry.caption);
        BreakerAtDrawingSize(painter, BreakerKindOf(caption), RatingOf(caption));
    } else {
        // The code of a placed symbol covers the bottom rows of its picture,
        // so the symbol is fitted into the rows above, centred across.
        const QRectF area = DrawnArea(entry);
        const qreal scale = std::min({0.18, 13.0 / area.height(), 18.0 / area.width()});
        painter.translate(10 - scale * area.center().x(), 0.75 - scale * area.top());
        painter.scale(scale, scale);
        Ink ink(painter, true);
        Draw(ink, entry);
    }
    painter.end();
    return metafile.EmfBytes();
}

QByteArray StandingBreakerMetafile(const SymbolEntry &entry)
{
    TMetafile metafile(40, 100, SmallPictureUnits);
    QPainter painter(metafile.Device());
    painter.fillRect(QRectF(0, 0, 40, 100), Qt::white);
    const QString caption = QString::fromUtf8(entry.caption);
    {
        // The node's wire runs along x = 20 from the top down to y = 84,
        // above the 16 units of the code strip.
        painter.save();
        painter.scale(1, 0.84);
        painter.translate(40, 0);
        painter.rotate(90);
        Ink ink(painter, true);
        BreakerSymbol(ink, BreakerKindOf(caption));
        painter.restore();
    }
    Ink ink(painter, true);
    ink.Stroke();
    ink.Line(20, 84, 20, 100);
    FittedText(painter, QRectF(21, 12, 19, 12), RatingOf(caption), 10, true);
    painter.end();
    return metafile.EmfBytes();
}

QImage LargeSymbolPicture(const SymbolEntry &entry)
{
    QImage image = WhitePicture(150);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QString caption = QString::fromUtf8(entry.caption);
    if (IsBreaker(entry)) {
        // The module's face: the symbol with its poles and rating.
        Ink frame(painter, false);
        frame.Stroke(0.7);
        frame.Round(10, 18, 130, 96, 6);
        painter.save();
        painter.translate(15, 26);
        painter.scale(1.2, 1.2);
        Ink ink(painter, false);
        Draw(ink, entry);
        painter.restore();
        const QString poles =
            caption.left(caption.indexOf(QRegularExpression(QStringLiteral("[^0-9PN+]"))));
        FittedText(painter, QRectF(14, 76, 50, 30), poles, 18, true);
        FittedText(painter, QRectF(70, 72, 66, 36), RatingOf(caption), 26, true);
    } else {
        painter.save();
        painter.translate(25, 16);
        Ink ink(painter, false);
        Draw(ink, entry);
        painter.restore();
    }
    FittedText(painter, QRectF(2, 2, 60, 16), QLatin1String(entry.code), 13, false);
    FittedText(painter, QRectF(3, 120, 144, 26), caption, 16, false);
    return image;
}
