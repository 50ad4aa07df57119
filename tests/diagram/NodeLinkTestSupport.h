#pragma once

#include "GraphColor.h"
#include "GraphControl.h"
#include "GraphGeometry.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "RectangularNode.h"

#include <QImage>
#include <QPainter>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

// Readable comparisons for geometry values in test failures.
inline std::array<int, 4> Edges(const TRect &r)
{
    return {r.Left, r.Top, r.Right, r.Bottom};
}

inline std::array<int, 4> Edges(const QRect &r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline std::pair<int, int> XY(const QPoint &p)
{
    return {p.x(), p.y()};
}

// A headless diagram that counts its change reports.
class DiagramTest : public ::testing::Test {
protected:
    DiagramTest()
    {
        graph.OnGraphChange = [this](TGraphControl *) { ++changes; };
    }

    TGraphNode *AddNode(int left, int top, int right, int bottom,
                        TGraphObjectClassRef cls = &TRectangularNode::Class)
    {
        TGraphNode *node = graph.InsertNode(TRect(left, top, right, bottom), cls);
        EXPECT_NE(node, nullptr);
        return node;
    }

    bool Contains(const TGraphObject *object) const { return graph.Objects().IndexOf(object) >= 0; }

    TGraphControl graph;
    int changes = 0;
};

// Paints objects in order onto a white image, as the control's painting
// would (Draw, then the markers of the selected objects).
inline QImage PaintObjects(std::initializer_list<TGraphObject *> objects, int width = 400,
                           int height = 300)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (TGraphObject *object : objects) {
        object->Draw(painter);
        if (object->Selected())
            object->DrawMarkers(painter);
    }
    painter.end();
    return image;
}

// Number of pixels of exactly this colour inside the area.
inline int CountPixels(const QImage &image, TColor color, QRect area)
{
    area &= image.rect();
    const QRgb wanted = GraphColor::ToQColor(color).rgb();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == wanted)
                ++count;
    return count;
}

inline int CountPixels(const QImage &image, TColor color)
{
    return CountPixels(image, color, image.rect());
}

// Whether the pixel has exactly this colour.
inline bool PixelIs(const QImage &image, int x, int y, TColor color)
{
    return image.pixel(x, y) == GraphColor::ToQColor(color).rgb();
}
