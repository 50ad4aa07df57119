#include "GraphCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace GraphCursors {

namespace {

// Cursors are drawn as black shapes with a white outline on 32 x 32 pixels.
QPixmap Canvas()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Outline(QPainter &painter, const QPainterPath &path)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(path);
}

// A hand: a palm with fingers of the given lengths (thumb first).
QPixmap Hand(const int (&fingers)[5], bool closed)
{
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 14, 15, 13), 4, 4);
    const double xs[] = {4, 9, 13, 17, 21};
    for (int i = 0; i < 5; ++i) {
        const double length = closed ? std::min(fingers[i], 4) : fingers[i];
        if (i == 0)
            hand.addRoundedRect(QRectF(xs[0], 16 - length / 2, 5, length / 2 + 6), 2.5, 2.5);
        else
            hand.addRoundedRect(QRectF(xs[i], 15 - length, 4, length + 3), 2, 2);
    }
    Outline(painter, hand.simplified());
    return pixmap;
}

QPixmap PointingHand()
{
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(9, 14, 14, 13), 4, 4);
    hand.addRoundedRect(QRectF(9, 2, 4, 15), 2, 2);
    for (int i = 1; i < 4; ++i)
        hand.addRoundedRect(QRectF(9 + 4.5 * i, 11, 4, 6), 2, 2);
    hand.addRoundedRect(QRectF(5, 16, 5, 6), 2.5, 2.5);
    Outline(painter, hand.simplified());
    return pixmap;
}

QPixmap CrossHair(bool withCircle)
{
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    for (const auto &[color, width] : {std::pair{Qt::white, 3.0}, std::pair{Qt::black, 1.0}}) {
        painter.setPen(QPen(color, width));
        painter.drawLine(QPointF(15.5, 2), QPointF(15.5, 12));
        painter.drawLine(QPointF(15.5, 19), QPointF(15.5, 29));
        painter.drawLine(QPointF(2, 15.5), QPointF(12, 15.5));
        painter.drawLine(QPointF(19, 15.5), QPointF(29, 15.5));
        if (withCircle) {
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(15.5, 15.5), 6, 6);
        }
    }
    return pixmap;
}

QCursor Make(int number)
{
    static const int open[] = {8, 10, 12, 11, 8};
    switch (number) {
    case HandFlat:
        return QCursor(Hand(open, false), 15, 15);
    case HandGrab:
        return QCursor(Hand(open, true), 15, 15);
    case HandPoint:
        return QCursor(PointingHand(), 11, 2);
    case CrossHair1:
        return QCursor(CrossHair(false), 15, 15);
    case CrossHair2:
        return QCursor(CrossHair(true), 15, 15);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

// Each made once, when first asked for, and kept, as the platform keeps
// registered cursors.
template <int Number> const QCursor &Registered()
{
    static const QCursor cursor = Make(Number);
    return cursor;
}

} // namespace

QCursor Cursor(int number)
{
    switch (number) {
    case HandFlat:
        return Registered<HandFlat>();
    case HandGrab:
        return Registered<HandGrab>();
    case HandPoint:
        return Registered<HandPoint>();
    case CrossHair1:
        return Registered<CrossHair1>();
    case CrossHair2:
        return Registered<CrossHair2>();
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

} // namespace GraphCursors
