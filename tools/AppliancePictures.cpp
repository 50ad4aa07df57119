#include "AppliancePictures.h"

#include "SymbolInk.h"

namespace AppliancePictures {

// --- Appliance pictograms -------------------------------------------------

void Fridge(Ink &k)
{
    k.Stroke();
    k.Round(28, 6, 44, 82, 5);
    k.Line(28, 34, 72, 34);
    k.Stroke(1.3);
    k.Line(36, 16, 36, 27);
    k.Line(36, 44, 36, 60);
    k.Stroke();
}

void WallAirConditioner(Ink &k)
{
    k.Stroke();
    k.Round(6, 18, 88, 32, 8);
    k.Line(14, 40, 86, 40);
    if (!k.small) k.Circle(80, 29, 3, true);
    // The air it blows.
    k.Stroke(0.9);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal x = 24 + 22 * i;
        wave.moveTo(x, 56);
        wave.cubicTo(x - 8, 64, x + 8, 70, x, 80);
        k.Shape(wave);
    }
    k.Stroke();
}

void CabinetAirConditioner(Ink &k)
{
    k.Stroke();
    k.Round(30, 4, 40, 88, 4);
    k.Stroke(0.8);
    for (int y = 14; y <= (k.small ? 34 : 38); y += (k.small ? 10 : 6))
        k.Line(36, y, 64, y);
    k.Stroke();
    k.Box(40, 50, 20, 10);
}

void WashingMachine(Ink &k)
{
    k.Stroke();
    k.Round(18, 8, 64, 80, 4);
    k.Line(18, 26, 82, 26);
    k.Circle(50, 56, 20);
    if (!k.small) {
        k.Circle(50, 56, 11);
        k.Circle(30, 17, 3, true);
        k.Box(56, 14, 18, 6);
    } else {
        k.Circle(50, 56, 8, true);
    }
}

void Television(Ink &k)
{
    k.Stroke();
    k.Box(8, 12, 84, 54);
    if (!k.small) k.Box(14, 18, 72, 42);
    k.Line(50, 66, 50, 78);
    k.Line(32, 80, 68, 80);
}

void WaterHeater(Ink &k)
{
    k.Stroke();
    k.Round(8, 16, 84, 44, 20);
    k.Line(34, 60, 34, 80);
    k.Line(66, 60, 66, 80);
    k.Circle(50, 38, k.small ? 8 : 9);
    if (!k.small) k.Line(50, 38, 55, 32);
}

void RangeHood(Ink &k)
{
    k.Stroke();
    k.Box(38, 6, 24, 30);
    k.Polygon({QPointF(38, 36), QPointF(62, 36), QPointF(92, 62), QPointF(8, 62)});
    k.Box(8, 62, 84, 10);
    if (!k.small) {
        k.Circle(30, 67, 2, true);
        k.Circle(70, 67, 2, true);
    }
}

void Microwave(Ink &k)
{
    k.Stroke();
    k.Box(6, 20, 88, 56);
    k.Box(14, 28, 54, 40);
    k.Line(76, 20, 76, 76);
    k.Circle(85, 34, k.small ? 3.5 : 4);
    if (!k.small) {
        k.Circle(85, 48, 4);
        k.Box(80, 60, 10, 8);
    }
}

void Computer(Ink &k)
{
    k.Stroke();
    k.Box(14, 6, 72, 48);
    if (!k.small) k.Box(20, 12, 60, 36);
    k.Line(50, 54, 50, 64);
    k.Line(36, 64, 64, 64);
    k.Polygon({QPointF(16, 74), QPointF(84, 74), QPointF(90, 88), QPointF(10, 88)});
    if (!k.small) {
        k.Stroke(0.6);
        k.Line(18, 81, 82, 81);
        k.Stroke();
    }
}

void RiceCooker(Ink &k)
{
    k.Stroke();
    QPainterPath lid;
    lid.moveTo(16, 40);
    lid.cubicTo(20, 12, 80, 12, 84, 40);
    lid.closeSubpath();
    k.Shape(lid);
    k.Box(44, 14, 12, 6);
    k.Round(14, 40, 72, 44, 10);
    k.Line(6, 50, 14, 50);
    k.Line(86, 50, 94, 50);
    if (!k.small)
        k.Box(40, 60, 20, 10);
    else
        k.Line(40, 64, 60, 64);
}

void Dishwasher(Ink &k)
{
    k.Stroke();
    k.Box(14, 6, 72, 82);
    k.Line(14, 22, 86, 22);
    k.Line(36, 14, 64, 14);
    // Plates standing in the rack.
    k.Circle(38, 56, k.small ? 12 : 14);
    k.Circle(62, 56, k.small ? 12 : 14);
}

void BathHeater(Ink &k)
{
    k.Stroke();
    k.Box(8, 8, 84, 80);
    const qreal r = k.small ? 9 : 10;
    k.Circle(28, 28, r);
    k.Circle(72, 28, r);
    k.Circle(28, 68, r);
    k.Circle(72, 68, r);
    k.Circle(50, 48, k.small ? 6 : 8, true);
}

void FanBlades(Ink &k, qreal cx, qreal cy, qreal r)
{
    for (int i = 0; i < 3; ++i) {
        const qreal a = i * 2 * M_PI / 3 - M_PI / 2;
        QPainterPath blade;
        blade.moveTo(cx, cy);
        blade.quadTo(cx + r * std::cos(a - 0.6), cy + r * std::sin(a - 0.6), cx + r * std::cos(a),
                     cy + r * std::sin(a));
        blade.quadTo(cx + r * 0.5 * std::cos(a + 0.5), cy + r * 0.5 * std::sin(a + 0.5), cx, cy);
        k.Shape(blade, true);
    }
}

void ExhaustFan(Ink &k)
{
    k.Stroke();
    k.Box(10, 6, 80, 80);
    k.Circle(50, 46, 32);
    FanBlades(k, 50, 46, 28);
}

void WaterDispenser(Ink &k)
{
    k.Stroke();
    // The bottle upside down on the cabinet.
    QPainterPath bottle;
    bottle.moveTo(44, 30);
    bottle.lineTo(44, 26);
    bottle.lineTo(32, 20);
    bottle.lineTo(32, 4);
    bottle.lineTo(68, 4);
    bottle.lineTo(68, 20);
    bottle.lineTo(56, 26);
    bottle.lineTo(56, 30);
    k.Shape(bottle);
    k.Box(26, 30, 48, 60);
    k.Line(42, 46, 42, 52);
    k.Line(58, 46, 58, 52);
    k.Line(26, 62, 74, 62);
}

void Oven(Ink &k)
{
    k.Stroke();
    k.Box(8, 8, 84, 80);
    k.Line(8, 26, 92, 26);
    k.Circle(24, 17, 4);
    k.Circle(40, 17, 4);
    k.Box(20, 38, 60, 40);
    k.Line(28, 32, 72, 32);
}

// Two cooking zones drawn as coils on a glass top.
void InductionHob(Ink &k)
{
    k.Stroke();
    k.Round(6, 20, 88, 56, 4);
    for (const qreal cx : {30.0, 70.0}) {
        k.Circle(cx, 46, 16);
        if (!k.small) k.Circle(cx, 46, 9);
    }
    k.Circle(50, 68, 2.5, true);
}

// A cabinet with a pull-down door and the bowl rack behind its window.
void DisinfectionCabinet(Ink &k)
{
    k.Stroke();
    k.Box(10, 14, 80, 68);
    k.Line(10, 46, 90, 46);
    k.Box(22, 22, 56, 16);
    k.Box(22, 54, 56, 16);
    k.Stroke(1.3);
    k.Line(40, 50, 60, 50);
    k.Stroke();
}

// A wall-hung box with the flame window and the pipes below.
void GasBoiler(Ink &k)
{
    k.Stroke();
    k.Round(24, 4, 52, 70, 4);
    QPainterPath flame;
    flame.moveTo(50, 26);
    flame.cubicTo(38, 40, 40, 54, 50, 56);
    flame.cubicTo(60, 54, 62, 40, 50, 26);
    k.Shape(flame, true);
    for (const qreal x : {34.0, 50.0, 66.0})
        k.Line(x, 74, x, 92);
}

// The ceiling rail, two bars on cords, a hanger.
void ClothesAirer(Ink &k)
{
    k.Stroke();
    k.Box(8, 8, 84, 12, true);
    k.Line(20, 20, 20, 54);
    k.Line(80, 20, 80, 54);
    k.Stroke(1.3);
    k.Line(8, 54, 92, 54);
    k.Line(8, 66, 92, 66);
    k.Stroke();
    k.Line(50, 66, 50, 74);
    k.Polygon({QPointF(50, 74), QPointF(30, 90), QPointF(70, 90)});
}

} // namespace AppliancePictures
