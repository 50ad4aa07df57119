// The two scroll bars of a diagram: extents from the floor plan and the
// nodes, the maximum position, which bars are shown, scroll requests
// (plain and smooth), thumb tracking, zoom changes and the visibility
// helpers.

#include "ShownGraphTestSupport.h"

#include <QScrollBar>

using namespace ShownGraph;

namespace {

class ScrollBarTest : public ShownGraphTest {
protected:
    void SetFloorPlan(int width, int height)
    {
        QImage plan(width, height, QImage::Format_RGB32);
        plan.fill(Qt::white);
        graph.Background().SetImage(plan);
    }

    // A diagram large enough to scroll both ways.
    TGraphNode *MakeLarge(int size = 2000) { return AddNode(0, 0, size, size); }
};

TEST_F(ScrollBarTest, NewControlScrollsOver800Units)
{
    TGraphControl fresh;
    EXPECT_EQ(fresh.HorzScrollBar().ScrollExtent(), 800);
    EXPECT_EQ(fresh.VertScrollBar().ScrollExtent(), 800);
    EXPECT_FALSE(fresh.HorzScrollBar().IsVertical());
    EXPECT_TRUE(fresh.VertScrollBar().IsVertical());
    EXPECT_EQ(fresh.HorzScrollBar().Increment(), 8);
    EXPECT_EQ(fresh.HorzScrollBar().Position(), 0);
    EXPECT_FALSE(fresh.HorzScrollBar().Tracking());
    EXPECT_FALSE(fresh.HorzScrollBar().Smooth());
    EXPECT_TRUE(fresh.HorzScrollBar().Visible());
}

TEST_F(ScrollBarTest, ExtentIsTheLowerOfFloorPlanAndNodesScaledByZoom)
{
    // The lowest node ends at Y 1190, the floor plan is 900 high.
    SetFloorPlan(1200, 900);
    AddNode(0, 1150, 40, 1190);
    graph.SetZoom(50);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 595);
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 600);

    graph.VertScrollBar().SetMargin(10);
    graph.UpdateScrollRanges();
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 600); // (1190 + 10) / 2

    graph.SetZoom(100);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 1200);
}

TEST_F(ScrollBarTest, ExtentCountsShowingNodesOnly)
{
    TGraphNode *a = AddNode(10, 10, 300, 250);
    TGraphNode *b = AddNode(100, 100, 900, 700);
    AddLink(a, b);
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 900);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 700);

    // A hidden node counts only while hidden objects are shown.
    b->SetVisible(false);
    graph.UpdateScrollRanges();
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 300);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 250);
    graph.SetShowHiddenObjects(true);
    graph.UpdateScrollRanges();
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 900);

    // Links do not count, even when they reach further than any node would.
    graph.SetShowHiddenObjects(false);
    b->Free();
    EXPECT_EQ(graph.Objects().Count(), 1);
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 300);

    // Moving a node follows at the change notification.
    a->SetBounds(10, 10, 500, 600);
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 510);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 610);

    a->Free();
    EXPECT_EQ(graph.HorzScrollBar().ScrollExtent(), 0);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 0);
}

TEST_F(ScrollBarTest, ShortContentHasNoRangeAndForcesPositionToZero)
{
    graph.resize(500, 400);
    QApplication::processEvents();
    TGraphNode *node = AddNode(0, 0, 300, 1000);
    graph.VertScrollBar().SetPosition(500);
    ASSERT_EQ(graph.VertScrollBar().Position(), 500);

    node->SetBounds(0, 0, 300, 300);
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 300);
    EXPECT_EQ(graph.ClientSize().height(), 400);
    EXPECT_EQ(graph.VertScrollBar().MaxPosition(), 0);
    EXPECT_EQ(graph.VertScrollBar().Position(), 0);
    EXPECT_FALSE(graph.VertScrollBar().IsShown());
    graph.VertScrollBar().SetPosition(50);
    EXPECT_EQ(graph.VertScrollBar().Position(), 0);
}

TEST_F(ScrollBarTest, EachBarMakesRoomForTheOther)
{
    const int t = BarThickness();
    const int w = WidgetWidth;
    const int h = WidgetHeight;
    struct Case {
        const char *name;
        int width, height; // content
        bool horzShown, vertShown;
        int horzMax, vertMax;
    };
    const Case cases[] = {
        {"fits exactly", w, h, false, false, 0, 0},
        {"tall only", w - t, h + 10, false, true, 0, 10},
        {"wide only", w + 10, h - t, true, false, 10, 0},
        // Too tall; the width fits only without the vertical bar.
        {"tall squeezes width", w - t + 5, h + 10, true, true, 5, 10 + t},
        // Too wide; the height fits only without the horizontal bar.
        {"wide squeezes height", w + 10, h - t + 5, true, true, 10 + t, 5},
        {"both", w + 100, h + 100, true, true, 100 + t, 100 + t},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        graph.Clear();
        AddNode(0, 0, c.width, c.height);
        EXPECT_EQ(graph.HorzScrollBar().IsShown(), c.horzShown);
        EXPECT_EQ(graph.VertScrollBar().IsShown(), c.vertShown);
        EXPECT_EQ(graph.HorzScrollBar().MaxPosition(), c.horzMax);
        EXPECT_EQ(graph.VertScrollBar().MaxPosition(), c.vertMax);
        EXPECT_EQ(graph.horizontalScrollBar()->maximum(), c.horzMax);
        EXPECT_EQ(graph.verticalScrollBar()->maximum(), c.vertMax);
        EXPECT_EQ(graph.ClientSize(), QSize(w - (c.vertShown ? t : 0), h - (c.horzShown ? t : 0)));
    }
}

TEST_F(ScrollBarTest, InvisibleBarNeverScrolls)
{
    MakeLarge();
    graph.VertScrollBar().SetPosition(100);
    graph.VertScrollBar().SetVisible(false);
    EXPECT_EQ(graph.VertScrollBar().MaxPosition(), 0);
    EXPECT_EQ(graph.VertScrollBar().Position(), 0);
    EXPECT_FALSE(graph.VertScrollBar().IsShown());
    graph.VertScrollBar().HandleScroll(TGraphScrollBar::Bottom, 0);
    EXPECT_EQ(graph.VertScrollBar().Position(), 0);
    EXPECT_TRUE(graph.HorzScrollBar().IsShown());

    graph.VertScrollBar().SetVisible(true);
    EXPECT_TRUE(graph.VertScrollBar().IsShown());
    graph.VertScrollBar().HandleScroll(TGraphScrollBar::Bottom, 0);
    EXPECT_EQ(graph.VertScrollBar().Position(), graph.VertScrollBar().MaxPosition());
    EXPECT_GT(graph.VertScrollBar().Position(), 0);
}

TEST_F(ScrollBarTest, HandleScrollMovesByCode)
{
    MakeLarge();
    TGraphScrollBar &bar = graph.VertScrollBar();
    const int view = graph.ClientSize().height();
    const int max = bar.MaxPosition();
    ASSERT_EQ(max, 2000 - view);
    struct Case {
        int code, thumb, start, expected;
    };
    const Case cases[] = {
        {TGraphScrollBar::LineUp, 0, 500, 492},
        {TGraphScrollBar::LineDown, 0, 500, 508},
        {TGraphScrollBar::LineUp, 0, 3, 0},
        {TGraphScrollBar::LineDown, 0, max - 3, max},
        {TGraphScrollBar::PageUp, 0, 500, 500 - view},
        {TGraphScrollBar::PageDown, 0, 500, 500 + view},
        {TGraphScrollBar::PageUp, 0, 100, 0},
        {TGraphScrollBar::PageDown, 0, max - 100, max},
        {TGraphScrollBar::ThumbPosition, 250, 500, 250},
        {TGraphScrollBar::ThumbPosition, 99999, 500, max},
        {TGraphScrollBar::ThumbPosition, -5, 500, 0},
        {TGraphScrollBar::ThumbTrack, 250, 500, 500}, // Tracking is false
        {TGraphScrollBar::Top, 0, 500, 0},
        {TGraphScrollBar::Bottom, 0, 500, max},
        {8, 250, 500, 500}, // unknown codes are ignored
        {-1, 250, 500, 500},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " from " << c.start);
        bar.SetPosition(c.start);
        ASSERT_EQ(bar.Position(), c.start);
        bar.HandleScroll(c.code, c.thumb);
        EXPECT_EQ(bar.Position(), c.expected);
        EXPECT_EQ(graph.verticalScrollBar()->value(), c.expected);
    }
    bar.SetTracking(true);
    bar.SetPosition(500);
    bar.HandleScroll(TGraphScrollBar::ThumbTrack, 250);
    EXPECT_EQ(bar.Position(), 250);
}

TEST_F(ScrollBarTest, SmoothScrollingEndsWhereItsStepsAddUp)
{
    MakeLarge();
    TGraphScrollBar &bar = graph.HorzScrollBar();
    bar.SetSmoothDelay(0);
    bar.SetSmooth(true);
    graph.UpdateScrollBars();
    const int view = graph.ClientSize().width();
    EXPECT_EQ(bar.PageStep(), view * 9 / 10);
    EXPECT_EQ(bar.Increment(), bar.PageStep() / 10);

    struct Case {
        int code, increment, expected;
    };
    const Case cases[] = {
        {TGraphScrollBar::LineDown, 8, 508},  // 4 pieces of 2
        {TGraphScrollBar::LineDown, 10, 510}, // 4 pieces of 2 and a rest of 2
        {TGraphScrollBar::LineUp, 11, 489},
        {TGraphScrollBar::LineUp, 3, 497}, // pieces of 0 and a rest of 3
        {TGraphScrollBar::PageDown, 8, 500 + bar.PageStep()},
        {TGraphScrollBar::PageUp, 8, 500 - bar.PageStep()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " increment " << c.increment);
        bar.SetIncrement(c.increment);
        bar.SetPosition(500);
        bar.HandleScroll(c.code, 0);
        EXPECT_EQ(bar.Position(), c.expected);
    }

    // Smooth scrolling stops at the ends as well.
    bar.SetIncrement(8);
    bar.SetPosition(3);
    bar.HandleScroll(TGraphScrollBar::LineUp, 0);
    EXPECT_EQ(bar.Position(), 0);
    // Thumb and end codes are not smooth.
    bar.HandleScroll(TGraphScrollBar::Bottom, 0);
    EXPECT_EQ(bar.Position(), bar.MaxPosition());
}

TEST_F(ScrollBarTest, ThumbDragScrollsOnReleaseUnlessTracking)
{
    MakeLarge();
    QScrollBar *window = graph.verticalScrollBar();
    TGraphScrollBar &bar = graph.VertScrollBar();

    window->setSliderDown(true);
    window->setSliderPosition(150);
    EXPECT_EQ(bar.Position(), 0);
    window->setSliderDown(false);
    EXPECT_EQ(bar.Position(), 150);

    bar.SetTracking(true);
    window->setSliderDown(true);
    window->setSliderPosition(300);
    EXPECT_EQ(bar.Position(), 300);
    window->setSliderDown(false);
    EXPECT_EQ(bar.Position(), 300);
}

TEST_F(ScrollBarTest, WindowBarStepsAndPagesGoThroughTheSettings)
{
    MakeLarge();
    QScrollBar *window = graph.horizontalScrollBar();
    TGraphScrollBar &bar = graph.HorzScrollBar();
    bar.SetPosition(100);
    window->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar.Position(), 108);
    window->triggerAction(QAbstractSlider::SliderSingleStepSub);
    window->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bar.Position(), 92);
    window->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar.Position(), 92 + graph.ClientSize().width());
    window->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(bar.Position(), bar.MaxPosition());
    window->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(ScrollBarTest, ZoomKeepsPositionUnlessTheMaximumFallsBelowIt)
{
    AddNode(0, 0, 1000, 1000);
    TGraphScrollBar &bar = graph.VertScrollBar();
    bar.SetPosition(500);
    graph.SetZoom(200);
    EXPECT_EQ(bar.ScrollExtent(), 2000);
    EXPECT_EQ(bar.Position(), 500);

    graph.SetZoom(50);
    EXPECT_EQ(bar.ScrollExtent(), 500);
    EXPECT_EQ(bar.MaxPosition(), 500 - graph.ClientSize().height());
    EXPECT_EQ(bar.Position(), bar.MaxPosition());
}

TEST_F(ScrollBarTest, ResizeReclampsThePosition)
{
    AddNode(0, 0, 1000, 1000);
    TGraphScrollBar &bar = graph.VertScrollBar();
    bar.HandleScroll(TGraphScrollBar::Bottom, 0);
    const int before = bar.Position();
    graph.resize(WidgetWidth, WidgetHeight + 200);
    QApplication::processEvents();
    EXPECT_EQ(bar.MaxPosition(), 1000 - graph.ClientSize().height());
    EXPECT_EQ(bar.Position(), bar.MaxPosition());
    EXPECT_LT(bar.Position(), before);
    EXPECT_EQ(bar.PageStep(), graph.ClientSize().height() * 9 / 10);
}

TEST_F(ScrollBarTest, MakePointVisibleScrollsOnlyAsFarAsNeeded)
{
    MakeLarge();
    TGraphScrollBar &h = graph.HorzScrollBar();
    TGraphScrollBar &v = graph.VertScrollBar();
    const QSize client = graph.ClientSize();

    graph.MakePointVisible(QPoint(1000, 50));
    EXPECT_EQ(h.Position(), 1000 - client.width());
    EXPECT_EQ(v.Position(), 0);

    graph.MakePointVisible(QPoint(100, 600));
    EXPECT_EQ(h.Position(), 100);
    EXPECT_EQ(v.Position(), 600 - client.height());

    // A point on the far edge of the client counts as visible.
    h.SetPosition(0);
    graph.MakePointVisible(QPoint(client.width(), 0));
    EXPECT_EQ(h.Position(), 0);
    graph.MakePointVisible(QPoint(client.width() + 1, 0));
    EXPECT_EQ(h.Position(), 1);

    // Points are zoomed.
    h.SetPosition(0);
    graph.SetZoom(200);
    graph.MakePointVisible(QPoint(300, 0));
    EXPECT_EQ(h.Position(), 600 - client.width());
}

TEST_F(ScrollBarTest, MakePointVisibleLeavesHiddenBarsAlone)
{
    AddNode(0, 0, 100, 2000); // no horizontal bar
    ASSERT_FALSE(graph.HorzScrollBar().IsShown());
    graph.MakePointVisible(QPoint(1000, 1000));
    EXPECT_EQ(graph.HorzScrollBar().Position(), 0);
    EXPECT_EQ(graph.VertScrollBar().Position(), 1000 - graph.ClientSize().height());
}

TEST_F(ScrollBarTest, MakeRectVisiblePrefersTheTopLeft)
{
    MakeLarge();
    const QSize client = graph.ClientSize();
    // Larger than the view: the top-left wins.
    graph.MakeRectVisible(TRect(100, 150, 1000, 1000));
    EXPECT_EQ(graph.HorzScrollBar().Position(), 100);
    EXPECT_EQ(graph.VertScrollBar().Position(), 150);

    // Smaller: the bottom-right comes to the far edge.
    graph.MakeRectVisible(TRect(900, 800, 950, 850));
    EXPECT_EQ(graph.HorzScrollBar().Position(), 950 - client.width());
    EXPECT_EQ(graph.VertScrollBar().Position(), 850 - client.height());

    TGraphNode *node = AddNode(1500, 1600, 1540, 1640);
    graph.MakeObjectVisible(node);
    EXPECT_EQ(graph.HorzScrollBar().Position(), 1540 - client.width());
    EXPECT_EQ(graph.VertScrollBar().Position(), 1640 - client.height());
    graph.MakeObjectVisible(nullptr);
    EXPECT_EQ(graph.HorzScrollBar().Position(), 1540 - client.width());
}

TEST_F(ScrollBarTest, ScrollingMovesThePaintedPicture)
{
    TGraphNode *node = AddNode(500, 400, 540, 440, clRed);
    node->Pen().SetColor(clRed);
    AddNode(0, 0, 1000, 1000)->SendToBack();
    graph.HorzScrollBar().SetPosition(480);
    graph.VertScrollBar().SetPosition(390);
    const QImage image = Grab();
    EXPECT_TRUE(Is(image, 20, 10, clRed));
    EXPECT_TRUE(Is(image, 59, 49, clRed));
    EXPECT_TRUE(Is(image, 61, 51, clWhite));
    EXPECT_EQ(Edges(graph.VisibleGraphRect())[0], 480);
    EXPECT_EQ(Edges(graph.VisibleGraphRect())[1], 390);
}

TEST_F(ScrollBarTest, AssignCopiesVisibilityPositionIncrementAndRescalesExtent)
{
    TGraphControl other;
    other.resize(WidgetWidth, WidgetHeight);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.InsertNode(TRect(0, 0, 1000, 1000));
    other.VertScrollBar().SetPosition(120);
    other.VertScrollBar().SetIncrement(20);
    other.VertScrollBar().SetTracking(true);
    ASSERT_EQ(other.VertScrollBar().ScrollExtent(), 1000);

    MakeLarge(3000);
    graph.SetZoom(200);
    graph.SetVertScrollBar(other.VertScrollBar());
    EXPECT_EQ(graph.VertScrollBar().ScrollExtent(), 2000); // 1000 scaled once more
    EXPECT_EQ(graph.VertScrollBar().Position(), 120);
    EXPECT_EQ(graph.VertScrollBar().Increment(), 20);
    EXPECT_FALSE(graph.VertScrollBar().Tracking());
}

} // namespace
