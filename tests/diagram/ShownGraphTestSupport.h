#pragma once

// A diagram control shown on the off-screen platform, with the mouse, wheel
// and picture helpers the view, scroll bar and interaction tests share.

#include "GraphColor.h"
#include "GraphControl.h"
#include "GraphGeometry.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "RectangularNode.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <gtest/gtest.h>
#include <utility>

namespace ShownGraph {

inline std::array<int, 4> Edges(const TRect &r)
{
    return {r.Left, r.Top, r.Right, r.Bottom};
}

inline std::pair<int, int> XY(const QPoint &p)
{
    return {p.x(), p.y()};
}

inline QRgb Rgb(TColor color)
{
    return GraphColor::ToQColor(color).rgb() | 0xFF000000u;
}

class ShownGraphTest : public ::testing::Test {
protected:
    static constexpr int WidgetWidth = 400;
    static constexpr int WidgetHeight = 300;

    void SetUp() override
    {
        graph.SetColor(clWhite);
        graph.resize(WidgetWidth, WidgetHeight);
        graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
        QApplication::processEvents();
    }

    // Thickness of a window scroll bar.
    int BarThickness() const
    {
        return graph.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &graph);
    }

    TGraphNode *AddNode(int left, int top, int right, int bottom, TColor color = clWhite)
    {
        TGraphNode *node = graph.InsertNode(TRect(left, top, right, bottom),
                                            &TRectangularNode::Class);
        EXPECT_NE(node, nullptr);
        if (node) {
            node->Brush().SetColor(color);
            node->SetSelected(false);
        }
        return node;
    }

    TGraphLink *AddLink(TGraphNode *from, TGraphNode *to)
    {
        TGraphLink *link = graph.LinkNodes(from, to);
        EXPECT_NE(link, nullptr);
        if (link)
            link->SetSelected(false);
        return link;
    }

    // What the window shows now, painted through the control's paint event.
    QImage Grab()
    {
        QApplication::processEvents();
        return graph.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static bool Is(const QImage &image, int x, int y, TColor color)
    {
        return (image.pixel(x, y) | 0xFF000000u) == Rgb(color);
    }

    // Pixels in the area that differ from the colour.
    static int CountOther(const QImage &image, const QRect &area, TColor color)
    {
        int count = 0;
        const QRect r = area & image.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                count += !Is(image, x, y, color);
        return count;
    }

    // Mouse messages go to the viewport, in client coordinates.
    void SendMouse(QEvent::Type type, const QPoint &client, Qt::MouseButton button,
                   Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
    {
        QWidget *viewport = graph.viewport();
        QMouseEvent event(type, QPointF(client), QPointF(client),
                          QPointF(viewport->mapToGlobal(client)), button, buttons, modifiers);
        QApplication::sendEvent(viewport, &event);
    }

    void Press(const QPoint &client, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton)
    {
        SendMouse(QEvent::MouseButtonPress, client, button, button, modifiers);
    }

    // A move with the given buttons held (none for hovering).
    void Move(const QPoint &client, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              Qt::MouseButtons held = Qt::LeftButton)
    {
        SendMouse(QEvent::MouseMove, client, Qt::NoButton, held, modifiers);
    }

    void Hover(const QPoint &client) { Move(client, Qt::NoModifier, Qt::NoButton); }

    void Release(const QPoint &client, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 Qt::MouseButton button = Qt::LeftButton)
    {
        SendMouse(QEvent::MouseButtonRelease, client, button, Qt::NoButton, modifiers);
    }

    // Press, one move and release with the left button, in client coordinates.
    void Drag(const QPoint &from, const QPoint &to,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Press(from, modifiers);
        Move(to, modifiers);
        Release(to, modifiers);
    }

    // The same with diagram points, through the current zoom and scrolling.
    void DragDiagram(const QPoint &from, const QPoint &to,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Drag(graph.GraphToClient(from), graph.GraphToClient(to), modifiers);
    }

    // The message sequence of a double click of the left button.
    void DoubleClick(const QPoint &client)
    {
        Press(client);
        Release(client);
        SendMouse(QEvent::MouseButtonDblClick, client, Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
        Release(client);
    }

    void Wheel(int delta, const QPoint &client = QPoint(50, 50))
    {
        QWidget *viewport = graph.viewport();
        QWheelEvent event(QPointF(client), QPointF(viewport->mapToGlobal(client)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(viewport, &event);
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&graph, Qt::Key(key), modifiers);
    }

    TGraphControl graph;
};

} // namespace ShownGraph
