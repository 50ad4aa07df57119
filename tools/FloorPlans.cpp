#include "FloorPlans.h"

#include "SymbolPictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <vector>

// A plan is described in millimetres on the wall centre lines; rooms are
// rectangles that share walls. A wall piece is exterior when no room lies
// beyond it, which decides its thickness.

namespace {

constexpr int ExteriorWall = 240;
constexpr int InteriorWall = 120;

struct Room {
    const char *name;
    int left, top, right, bottom;
};

enum DoorKind { Swing, Sliding, Opening };

// An opening in the wall on the line x = at (vertical) or y = at, from
// `from` to `to` along it.
struct Door {
    bool vertical;
    int at, from, to;
    DoorKind kind = Swing;
    int side = 1; // the leaf swings towards +x/+y (1) or -x/-y (-1)
    bool hingeAtEnd = false;
};

struct Window {
    bool vertical;
    int at, from, to;
};

struct Plan {
    const char *name;
    std::vector<Room> rooms;
    std::vector<Door> doors;
    std::vector<Window> windows;
};

const std::vector<Plan> &Plans()
{
    static const std::vector<Plan> plans = {
        {"一室一厅",
         {
             {"卧室", 0, 0, 3600, 3900},
             {"客厅", 3600, 0, 7800, 3900},
             {"厨房", 0, 3900, 2400, 6600},
             {"餐厅", 2400, 3900, 5400, 6600},
             {"卫生间", 5400, 3900, 7800, 6600},
             {"阳台", 3600, -1500, 7800, 0},
         },
         {
             {false, 3900, 2600, 3500, Swing, -1, true},
             {true, 2400, 4200, 5000, Swing, -1, false},
             {true, 5400, 5600, 6400, Swing, 1, true},
             {false, 6600, 3000, 4000, Swing, -1, false},
             {false, 3900, 3900, 5200, Opening},
             {false, 0, 4200, 7200, Sliding},
         },
         {
             {false, 0, 900, 2700},
             {false, 6600, 600, 1800},
             {false, 6600, 6200, 7200},
             {true, 7800, 1000, 2900},
             {false, -1500, 4100, 7300},
         }},
        {"两室一厅",
         {
             {"主卧", 0, 0, 3600, 4200},
             {"客厅", 3600, 0, 7200, 4200},
             {"次卧", 7200, 0, 10200, 4200},
             {"厨房", 0, 4200, 2700, 7500},
             {"餐厅", 2700, 4200, 7500, 7500},
             {"卫生间", 7500, 4200, 10200, 7500},
             {"阳台", 3600, -1500, 7200, 0},
         },
         {
             {true, 3600, 3200, 4100, Swing, -1, true},
             {true, 7200, 3200, 4100, Swing, 1, true},
             {true, 2700, 4500, 5300, Swing, -1, false},
             {true, 7500, 6400, 7200, Swing, 1, true},
             {false, 7500, 4000, 5000, Swing, -1, false},
             {false, 4200, 3900, 7000, Opening},
             {false, 0, 3900, 6900, Sliding},
         },
         {
             {false, 0, 900, 2700},
             {false, 0, 7900, 9500},
             {true, 0, 5000, 6600},
             {false, 7500, 8400, 9500},
             {true, 10200, 1200, 3000},
             {false, -1500, 4000, 6800},
         }},
        {"三室两厅",
         {
             {"次卧", 0, 0, 3300, 4200},
             {"客厅", 3300, 0, 7800, 4200},
             {"主卧", 7800, 0, 12000, 4200},
             {"书房", 0, 4200, 3300, 8700},
             {"餐厅", 3300, 4200, 7800, 8700},
             {"卫生间", 7800, 4200, 10200, 6000},
             {"厨房", 7800, 6000, 10200, 8700},
             {"主卫", 10200, 4200, 12000, 8700},
             {"阳台", 3300, -1500, 7800, 0},
         },
         {
             {true, 3300, 3200, 4100, Swing, -1, true},
             {true, 7800, 3200, 4100, Swing, 1, true},
             {true, 3300, 5000, 5900, Swing, -1, false},
             {true, 7800, 5000, 5700, Swing, 1, true},
             {true, 7800, 7000, 7900, Sliding},
             {false, 4200, 10600, 11400, Swing, 1, false},
             {false, 8700, 5000, 6000, Swing, -1, false},
             {false, 4200, 3600, 7500, Opening},
             {false, 0, 3600, 7500, Sliding},
         },
         {
             {false, 0, 700, 2600},
             {false, 0, 8900, 10900},
             {true, 0, 5600, 7600},
             {false, 8700, 8400, 9600},
             {true, 12000, 5800, 7000},
             {true, 12000, 1200, 3000},
             {false, -1500, 3600, 7500},
         }},
    };
    return plans;
}

bool InsideSomeRoom(const Plan &plan, double x, double y)
{
    for (const Room &room : plan.rooms)
        if (x > room.left && x < room.right && y > room.top && y < room.bottom) return true;
    return false;
}

class PlanPainter {
public:
    PlanPainter(QPainter &painter, const Plan &plan) : p(painter), plan(plan)
    {
        for (const Room &room : plan.rooms) {
            minX = std::min(minX, room.left);
            minY = std::min(minY, room.top);
            maxX = std::max(maxX, room.right);
            maxY = std::max(maxY, room.bottom);
        }
        // Room for two rows of dimensions on the top and the left.
        const double availableWidth = 1200 - 190 - 70;
        const double availableHeight = 900 - 190 - 70;
        scale = std::min(availableWidth / (maxX - minX), availableHeight / (maxY - minY));
        originX = 190 + (availableWidth - (maxX - minX) * scale) / 2 - minX * scale;
        originY = 190 + (availableHeight - (maxY - minY) * scale) / 2 - minY * scale;
    }

    void Paint()
    {
        for (const Room &room : plan.rooms)
            Walls(room);
        for (const Window &window : plan.windows)
            DrawWindow(window);
        for (const Door &door : plan.doors)
            DrawDoor(door);
        for (const Room &room : plan.rooms)
            RoomName(room);
        Dimensions();
    }

private:
    QPainter &p;
    const Plan &plan;
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    double scale = 1, originX = 0, originY = 0;

    QPointF At(double x, double y) const { return {originX + x * scale, originY + y * scale}; }
    double Len(double mm) const { return mm * scale; }

    // A wall band centred on a line, in millimetres.
    QRectF Band(bool vertical, double at, double from, double to, double thickness) const
    {
        if (vertical) return QRectF(At(at - thickness / 2, from), At(at + thickness / 2, to));
        return QRectF(At(from, at - thickness / 2), At(to, at + thickness / 2));
    }

    // The walls round a room, exterior pieces thicker; corners are squared
    // by running each band half a wall past its ends.
    void Walls(const Room &room)
    {
        struct Edge {
            bool vertical;
            int at, from, to;
            int outward;
        };
        const Edge edges[] = {{false, room.top, room.left, room.right, -1},
                              {false, room.bottom, room.left, room.right, 1},
                              {true, room.left, room.top, room.bottom, -1},
                              {true, room.right, room.top, room.bottom, 1}};
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        for (const Edge &edge : edges) {
            const int step = 50;
            int runStart = edge.from;
            bool runExterior = false;
            for (int s = edge.from; s <= edge.to; s += step) {
                const double probe = std::min(s + step / 2.0, double(edge.to) - 1);
                const double beyond = edge.at + edge.outward * 60.0;
                const bool exterior = edge.vertical ? !InsideSomeRoom(plan, beyond, probe)
                                                    : !InsideSomeRoom(plan, probe, beyond);
                const bool last = s + step > edge.to;
                if (s == edge.from) runExterior = exterior;
                if (exterior != runExterior || last) {
                    const int runEnd = last ? edge.to : s;
                    const int t = runExterior ? ExteriorWall : InteriorWall;
                    p.drawRect(
                        Band(edge.vertical, edge.at, runStart - t / 2.0, runEnd + t / 2.0, t));
                    runStart = s;
                    runExterior = exterior;
                }
            }
        }
    }

    // Clears the wall over an opening (the widest wall, so both kinds go).
    void Gap(bool vertical, int at, int from, int to)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(Band(vertical, at, from, to, ExteriorWall + 20));
        // Jambs close the cut wall ends.
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        const double t = WallThickness(vertical, at, (from + to) / 2.0) / 2.0;
        for (int end : {from, to}) {
            if (vertical)
                p.drawLine(At(at - t, end), At(at + t, end));
            else
                p.drawLine(At(end, at - t), At(end, at + t));
        }
    }

    double WallThickness(bool vertical, int at, double along) const
    {
        const bool before =
            vertical ? InsideSomeRoom(plan, at - 60, along) : InsideSomeRoom(plan, along, at - 60);
        const bool after =
            vertical ? InsideSomeRoom(plan, at + 60, along) : InsideSomeRoom(plan, along, at + 60);
        return before && after ? InteriorWall : ExteriorWall;
    }

    void DrawWindow(const Window &w)
    {
        Gap(w.vertical, w.at, w.from, w.to);
        const double t = WallThickness(w.vertical, w.at, (w.from + w.to) / 2.0);
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(Band(w.vertical, w.at, w.from, w.to, t));
        // The glazing: two lines inside the frame, three in all with its middle.
        for (double offset : {-t / 6, t / 6}) {
            if (w.vertical)
                p.drawLine(At(w.at + offset, w.from), At(w.at + offset, w.to));
            else
                p.drawLine(At(w.from, w.at + offset), At(w.to, w.at + offset));
        }
    }

    void DrawDoor(const Door &d)
    {
        Gap(d.vertical, d.at, d.from, d.to);
        const double width = d.to - d.from;
        p.setBrush(Qt::NoBrush);
        if (d.kind == Opening) return;
        if (d.kind == Sliding) {
            // Two leaves that overlap in the middle of the opening.
            p.setPen(QPen(Qt::black, 2));
            const double overlap = width * 0.55;
            if (d.vertical) {
                p.drawLine(At(d.at - 30, d.from), At(d.at - 30, d.from + overlap));
                p.drawLine(At(d.at + 30, d.to - overlap), At(d.at + 30, d.to));
            } else {
                p.drawLine(At(d.from, d.at - 30), At(d.from + overlap, d.at - 30));
                p.drawLine(At(d.to - overlap, d.at + 30), At(d.to, d.at + 30));
            }
            return;
        }
        const int hinge = d.hingeAtEnd ? d.to : d.from;
        const int free = d.hingeAtEnd ? d.from : d.to;
        // The leaf stands open at right angles to the wall.
        QPointF hingePoint, leafEnd, closedEnd;
        if (d.vertical) {
            hingePoint = At(d.at, hinge);
            leafEnd = At(d.at + d.side * width, hinge);
            closedEnd = At(d.at, free);
        } else {
            hingePoint = At(hinge, d.at);
            leafEnd = At(hinge, d.at + d.side * width);
            closedEnd = At(free, d.at);
        }
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(hingePoint, leafEnd);
        p.setPen(QPen(Qt::black, 1));
        const double r = Len(width);
        const QRectF circle(hingePoint.x() - r, hingePoint.y() - r, 2 * r, 2 * r);
        // Qt angles run counter-clockwise with y up: negate the screen angles.
        const double a1 =
            -std::atan2(leafEnd.y() - hingePoint.y(), leafEnd.x() - hingePoint.x()) * 180 / M_PI;
        const double a2 =
            -std::atan2(closedEnd.y() - hingePoint.y(), closedEnd.x() - hingePoint.x()) * 180 /
            M_PI;
        double sweep = a2 - a1;
        while (sweep > 180)
            sweep -= 360;
        while (sweep < -180)
            sweep += 360;
        p.drawArc(circle, int(std::lround(a1 * 16)), int(std::lround(sweep * 16)));
    }

    void RoomName(const Room &room)
    {
        const QPointF centre = At((room.left + room.right) / 2.0, (room.top + room.bottom) / 2.0);
        QFont font(SansFace());
        font.setPixelSize(22);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(centre.x() - 100, centre.y() - 28, 200, 30), Qt::AlignCenter,
                   QString::fromUtf8(room.name));
        const double area = double(room.right - room.left) * (room.bottom - room.top) / 1e6;
        font.setPixelSize(14);
        p.setFont(font);
        p.setPen(QColor(90, 90, 90));
        p.drawText(QRectF(centre.x() - 100, centre.y() + 2, 200, 20), Qt::AlignCenter,
                   QString::number(area, 'f', 1) + QStringLiteral("m²"));
    }

    // A dimension chain: extension ticks at every axis, the figure over each span.
    void Chain(const std::vector<int> &axes, bool vertical, double line)
    {
        QFont font(SansFace());
        font.setPixelSize(14);
        p.setFont(font);
        p.setPen(QPen(Qt::black, 1));
        const QPointF a = vertical ? QPointF(line, At(0, axes.front()).y())
                                   : QPointF(At(axes.front(), 0).x(), line);
        const QPointF b = vertical ? QPointF(line, At(0, axes.back()).y())
                                   : QPointF(At(axes.back(), 0).x(), line);
        p.drawLine(a, b);
        for (size_t i = 0; i < axes.size(); ++i) {
            const double pos = vertical ? At(0, axes[i]).y() : At(axes[i], 0).x();
            // Architectural ticks: short slashes at 45 degrees.
            if (vertical) {
                p.drawLine(QPointF(line - 6, pos), QPointF(line + 6, pos));
                p.setPen(QPen(Qt::black, 2));
                p.drawLine(QPointF(line - 4, pos + 4), QPointF(line + 4, pos - 4));
            } else {
                p.drawLine(QPointF(pos, line - 6), QPointF(pos, line + 6));
                p.setPen(QPen(Qt::black, 2));
                p.drawLine(QPointF(pos - 4, line + 4), QPointF(pos + 4, line - 4));
            }
            p.setPen(QPen(Qt::black, 1));
            if (i + 1 == axes.size()) break;
            const double next = vertical ? At(0, axes[i + 1]).y() : At(axes[i + 1], 0).x();
            const QString figure = QString::number(axes[i + 1] - axes[i]);
            if (vertical) {
                p.save();
                p.translate(line - 6, (pos + next) / 2);
                p.rotate(-90);
                p.drawText(QRectF(-60, -20, 120, 18), Qt::AlignCenter, figure);
                p.restore();
            } else {
                p.drawText(QRectF((pos + next) / 2 - 60, line - 24, 120, 18), Qt::AlignCenter,
                           figure);
            }
        }
    }

    void Dimensions()
    {
        // Along the top: the axes of the rooms on the front wall; on the left:
        // those of the rooms on the left wall. Each with the overall size outside.
        std::set<int> xs, ys;
        int frontTop = maxY, leftTop = maxY, leftBottom = minY;
        for (const Room &room : plan.rooms)
            if (room.top == 0) frontTop = 0;
        for (const Room &room : plan.rooms) {
            if (room.top == frontTop) {
                xs.insert(room.left);
                xs.insert(room.right);
            }
            if (room.left == minX) {
                ys.insert(room.top);
                ys.insert(room.bottom);
                leftTop = std::min(leftTop, room.top);
                leftBottom = std::max(leftBottom, room.bottom);
            }
        }
        const double top = At(0, minY).y() - Len(ExteriorWall);
        const double left = At(minX, 0).x() - Len(ExteriorWall);
        const std::vector<int> xAxes(xs.begin(), xs.end()), yAxes(ys.begin(), ys.end());
        Chain(xAxes, false, top - 40);
        Chain({xAxes.front(), xAxes.back()}, false, top - 85);
        Chain(yAxes, true, left - 40);
        Chain({leftTop, leftBottom}, true, left - 85);
        // Extension lines from the outermost dimension down to the walls.
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int x : xAxes)
            p.drawLine(QPointF(At(x, 0).x(), top - 91), QPointF(At(x, 0).x(), top - 8));
        for (int y : yAxes)
            p.drawLine(QPointF(left - 91, At(0, y).y()), QPointF(left - 8, At(0, y).y()));
    }
};

} // namespace

QStringList FloorPlanNames()
{
    QStringList names;
    for (const Plan &plan : Plans())
        names << QString::fromUtf8(plan.name);
    return names;
}

QImage FloorPlan(const QString &name)
{
    for (const Plan &plan : Plans()) {
        if (name != QString::fromUtf8(plan.name)) continue;
        QImage image(1200, 900, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PlanPainter(painter, plan).Paint();
        QFont font(SansFace());
        font.setPixelSize(20);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 850, 1200, 40), Qt::AlignCenter,
                         name + QStringLiteral("户型图"));
        return image;
    }
    throw std::invalid_argument("no floor plan " + name.toStdString());
}
