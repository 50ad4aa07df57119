#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

QString SansFace();

// The drawing kit of the symbol pictures: strokes, shapes and letters in
// the logical 100 x 100 box of a symbol.
class Ink {
public:
    Ink(QPainter &painter, bool small) : p(painter), small(small) {}

    QPainter &p;
    const bool small;

    // The standard outline; factor thins or thickens it.
    void Stroke(qreal factor = 1.0)
    {
        QPen pen(Qt::black, (small ? 1.5 : 3.0) * factor);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    }
    void Line(qreal x1, qreal y1, qreal x2, qreal y2)
    {
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void Circle(qreal cx, qreal cy, qreal r, bool filled = false)
    {
        p.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        p.drawEllipse(QPointF(cx, cy), r, r);
    }
    void Box(qreal x, qreal y, qreal w, qreal h, bool filled = false)
    {
        p.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::white));
        p.drawRect(QRectF(x, y, w, h));
    }
    void Round(qreal x, qreal y, qreal w, qreal h, qreal r)
    {
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(x, y, w, h), r, r);
    }
    void Shape(const QPainterPath &path, bool filled = false)
    {
        p.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        p.drawPath(path);
    }
    void Polygon(std::initializer_list<QPointF> points, bool filled = false)
    {
        p.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::white));
        p.drawPolygon(QPolygonF(QList<QPointF>(points)));
    }
    // Letters centred in a box, bold; size is the cap height in logical units.
    void Letters(const QRectF &box, const QString &text, qreal size)
    {
        QFont font(SansFace());
        font.setPixelSize(std::max(1, int(std::lround(size * 1.4))));
        font.setBold(true);
        font.setHintingPreference(QFont::PreferNoHinting);
        QPainterPath path;
        const QFontMetricsF metrics(font);
        const qreal width = metrics.horizontalAdvance(text);
        // Centre on the cap height, which is what the eye reads as the letter.
        const qreal capHeight = metrics.capHeight();
        path.addText(box.center().x() - width / 2, box.center().y() + capHeight / 2, font, text);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(path);
        Stroke();
    }
};

using Drawing = std::function<void(Ink &)>;
