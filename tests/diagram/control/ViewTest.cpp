// The diagram view: coordinates, zoom, the painted picture (background,
// floor plan, grid, objects, markers, rubber band), the wheel and the zoom
// keys, bounds and zoom to a rectangle.

#include "ShownGraphTestSupport.h"

#include "MetafileCanvas.h"
#include "MetafileImage.h"

#include <QPainter>

using namespace ShownGraph;

namespace {

class ViewTest : public ShownGraphTest {};

// --- Coordinates ---

TEST_F(ViewTest, ZoomedNodeIsDrawnAtScaledClientPointAndClicksMapBack)
{
    TGraphNode *node = AddNode(10, 10, 50, 50, clRed);
    node->Pen().SetColor(clRed);
    graph.SetZoom(200);
    ASSERT_EQ(graph.HorzScrollBar().Position(), 0);
    ASSERT_EQ(graph.VertScrollBar().Position(), 0);

    const QImage image = Grab();
    EXPECT_TRUE(Is(image, 19, 19, clWhite));
    EXPECT_TRUE(Is(image, 20, 20, clRed));
    EXPECT_TRUE(Is(image, 21, 21, clRed));
    EXPECT_TRUE(Is(image, 60, 60, clRed));
    EXPECT_TRUE(Is(image, 99, 99, clRed));
    EXPECT_TRUE(Is(image, 102, 102, clWhite));
    EXPECT_TRUE(Is(image, 30, 19, clWhite));

    EXPECT_EQ(XY(graph.GraphToClient(10, 10)), std::make_pair(20, 20));
    EXPECT_EQ(XY(graph.ClientToGraph(20, 20)), std::make_pair(10, 10));

    // A click there hits the node.
    Press(QPoint(20, 20));
    Release(QPoint(20, 20));
    EXPECT_EQ(graph.HitObject(), node);
    EXPECT_TRUE(node->Selected());
}

TEST_F(ViewTest, CoordinateConversionRoundsAndFollowsScrolling)
{
    AddNode(0, 0, 2000, 2000);
    struct Case {
        int zoom, h, v;
        QPoint client, diagram; // ClientToGraph(client) = diagram
    };
    const Case cases[] = {
        {100, 0, 0, {7, 9}, {7, 9}},
        {200, 0, 0, {1, 3}, {1, 2}},     // 0.5 -> 1, 1.5 -> 2: halves away from zero
        {200, 0, 0, {-1, -3}, {-1, -2}}, // and so for negatives
        {150, 0, 0, {100, 1}, {67, 1}},
        {50, 0, 0, {10, 11}, {20, 22}},
        {100, 30, 40, {0, 0}, {30, 40}},
        {200, 30, 40, {10, 0}, {20, 20}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " scroll " << c.h << "," << c.v);
        graph.SetZoom(c.zoom);
        graph.HorzScrollBar().SetPosition(c.h);
        graph.VertScrollBar().SetPosition(c.v);
        ASSERT_EQ(graph.HorzScrollBar().Position(), c.h);
        ASSERT_EQ(graph.VertScrollBar().Position(), c.v);
        EXPECT_EQ(XY(graph.ClientToGraph(c.client)), XY(c.diagram));
    }
    // GraphToClient: MulDiv(x, Z, 100) - H.
    graph.SetZoom(150);
    graph.HorzScrollBar().SetPosition(10);
    graph.VertScrollBar().SetPosition(0);
    EXPECT_EQ(XY(graph.GraphToClient(3, 1)), std::make_pair(-5, 2)); // 4.5 -> 5, 1.5 -> 2
}

TEST_F(ViewTest, VisibleGraphRectFollowsZoomAndScrolling)
{
    AddNode(0, 0, 2000, 2000);
    const QSize client = graph.ClientSize();
    EXPECT_EQ(Edges(graph.VisibleGraphRect()),
              (std::array<int, 4>{0, 0, client.width(), client.height()}));
    graph.SetZoom(200);
    graph.HorzScrollBar().SetPosition(100);
    graph.VertScrollBar().SetPosition(60);
    EXPECT_EQ(Edges(graph.VisibleGraphRect()),
              (std::array<int, 4>{50, 30, (client.width() + 100 + 1) / 2,
                                  (client.height() + 60 + 1) / 2}));
}

TEST_F(ViewTest, ScrolledViewShowsTheScrolledPartOfTheFloorPlan)
{
    // Left half blue, right half green.
    QImage plan(800, 600, QImage::Format_RGB32);
    plan.fill(GraphColor::ToQColor(clBlue));
    QPainter(&plan).fillRect(400, 0, 400, 600, GraphColor::ToQColor(clLime));
    graph.Background().SetImage(plan);
    graph.UpdateScrollRanges();
    graph.HorzScrollBar().SetPosition(100);
    ASSERT_EQ(graph.HorzScrollBar().Position(), 100);

    const QImage image = Grab();
    EXPECT_TRUE(Is(image, 0, 0, clBlue));
    EXPECT_TRUE(Is(image, 299, 10, clBlue));
    EXPECT_TRUE(Is(image, 300, 10, clLime));
}

// --- Background, floor plan and grid ---

TEST_F(ViewTest, FloorPlanIsDrawnAtDiagramOriginUnscaledInDiagramUnits)
{
    QImage plan(50, 40, QImage::Format_RGB32);
    plan.fill(GraphColor::ToQColor(clBlue));
    graph.Background().SetImage(plan);

    QImage image = Grab();
    EXPECT_TRUE(Is(image, 0, 0, clBlue));
    EXPECT_TRUE(Is(image, 49, 39, clBlue));
    EXPECT_TRUE(Is(image, 50, 0, clWhite));
    EXPECT_TRUE(Is(image, 0, 40, clWhite));

    graph.SetZoom(200);
    image = Grab();
    EXPECT_TRUE(Is(image, 99, 79, clBlue));
    EXPECT_TRUE(Is(image, 100, 0, clWhite));
    EXPECT_TRUE(Is(image, 0, 80, clWhite));

    graph.SetShowBackground(false);
    image = Grab();
    EXPECT_EQ(CountOther(image, QRect(0, 0, 120, 100), clWhite), 0);

    // A copy given through the setter replaces the picture; the caller keeps its own.
    graph.SetShowBackground(true);
    graph.SetZoom(100);
    TPicture other;
    QImage green(20, 20, QImage::Format_RGB32);
    green.fill(GraphColor::ToQColor(clLime));
    other.SetImage(green);
    graph.SetBackground(other);
    other.Clear();
    image = Grab();
    EXPECT_TRUE(Is(image, 19, 19, clLime));
    EXPECT_TRUE(Is(image, 30, 30, clWhite));
}

TEST_F(ViewTest, BackgroundColourFillsTheView)
{
    graph.SetColor(clYellow);
    const QImage image = Grab();
    EXPECT_EQ(CountOther(image, image.rect(), clYellow), 0);
}

TEST_F(ViewTest, GridDotsOnlyAtMultiplesOfGridSize)
{
    graph.SetGridColor(clRed);
    graph.SetShowGrid(true);
    struct Case {
        int zoom, gridSize;
        std::vector<QPoint> dots, blanks; // client pixels
    };
    const Case cases[] = {
        {100,
         10,
         {{0, 0}, {10, 0}, {0, 10}, {20, 30}, {390, 290}},
         {{5, 5}, {1, 0}, {0, 1}, {11, 10}, {15, 10}, {9, 9}}},
        {100, 4, {{0, 0}, {4, 8}, {12, 4}}, {{2, 2}, {5, 4}, {4, 5}}},
        {200, 10, {{0, 0}, {20, 0}, {40, 20}}, {{1, 1}, {1, 0}, {21, 21}, {10, 10}}},
        {50, 10, {{0, 0}, {5, 0}, {5, 5}, {195, 145}}, {{1, 0}, {4, 5}, {6, 5}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " grid " << c.gridSize);
        graph.SetZoom(c.zoom);
        graph.SetGridSize(c.gridSize);
        const QImage image = Grab();
        for (const QPoint &p : c.dots)
            EXPECT_TRUE(Is(image, p.x(), p.y(), clRed)) << p.x() << "," << p.y();
        for (const QPoint &p : c.blanks)
            EXPECT_TRUE(Is(image, p.x(), p.y(), clWhite)) << p.x() << "," << p.y();
    }
    graph.SetShowGrid(false);
    EXPECT_EQ(CountOther(Grab(), QRect(0, 0, 100, 100), clWhite), 0);
}

// Every grid point is one pixel at every zoom: none vanish when zoomed out,
// none grow into squares when zoomed in.
TEST_F(ViewTest, GridDotIsOnePixelAtEveryZoom)
{
    graph.SetGridColor(clRed);
    graph.SetShowGrid(true);
    graph.SetGridSize(10);
    const QRect area(0, 0, 100, 100);
    for (int zoom : {20, 25, 45, 75, 100, 130, 200, 400}) {
        SCOPED_TRACE(testing::Message() << "zoom " << zoom);
        graph.SetZoom(zoom);
        std::set<int> pixels; // distinct client columns (and rows) of grid points
        for (int at = 0; at * zoom / 100.0 < area.width(); at += 10)
            pixels.insert(int(std::floor(at * zoom / 100.0)));
        const QImage image = Grab();
        const int expected = int(pixels.size() * pixels.size());
        EXPECT_EQ(CountOther(image, area, clWhite), expected);
        for (int x : pixels)
            for (int y : pixels)
                EXPECT_TRUE(Is(image, x, y, clRed)) << x << "," << y;
    }
}

TEST_F(ViewTest, GridIsDrawnOverTheFloorPlanAndFollowsScrolling)
{
    QImage plan(1000, 1000, QImage::Format_RGB32);
    plan.fill(GraphColor::ToQColor(clBlue));
    graph.Background().SetImage(plan);
    graph.UpdateScrollRanges();
    graph.SetGridColor(clRed);
    graph.SetShowGrid(true);
    graph.HorzScrollBar().SetPosition(5);
    graph.VertScrollBar().SetPosition(3);
    const QImage image = Grab();
    // Diagram (10, 10) is client (5, 7).
    EXPECT_TRUE(Is(image, 5, 7, clRed));
    EXPECT_TRUE(Is(image, 15, 17, clRed));
    EXPECT_TRUE(Is(image, 6, 7, clBlue));
    EXPECT_TRUE(Is(image, 0, 0, clBlue));
}

TEST_F(ViewTest, GridSizeOutsideItsRangeIsIgnored)
{
    for (int bad : {3, 0, 129, 300}) {
        graph.SetGridSize(bad);
        EXPECT_EQ(graph.GridSize(), 10) << bad;
    }
    graph.SetGridSize(4);
    EXPECT_EQ(graph.GridSize(), 4);
    graph.SetGridSize(128);
    EXPECT_EQ(graph.GridSize(), 128);
}

// --- Objects and markers ---

TEST_F(ViewTest, SelectedNodeShowsItsEightMarkerSquares)
{
    TGraphNode *node = AddNode(40, 40, 100, 100, clWhite);
    graph.SetMarkerColor(clBlue);
    EXPECT_TRUE(Is(Grab(), 41, 41, clWhite));

    node->SetSelected(true);
    QImage image = Grab();
    // Inner rectangle (41, 41, 99, 99); squares of half side 3 around its
    // corners and edge middles.
    const QPoint centres[] = {{41, 41}, {99, 41}, {41, 99}, {99, 99},
                              {70, 41}, {70, 99}, {41, 70}, {99, 70}};
    for (const QPoint &c : centres) {
        SCOPED_TRACE(testing::Message() << c.x() << "," << c.y());
        EXPECT_TRUE(Is(image, c.x() - 3, c.y() - 3, clBlue));
        EXPECT_TRUE(Is(image, c.x() + 2, c.y() + 2, clBlue));
        EXPECT_FALSE(Is(image, c.x() - 4, c.y() - 4, clBlue));
        EXPECT_FALSE(Is(image, c.x() + 3, c.y() + 3, clBlue));
    }
    EXPECT_TRUE(Is(image, 55, 55, clWhite));

    // Locked nodes have hollow markers.
    graph.SetLockNodes(true);
    image = Grab();
    EXPECT_TRUE(Is(image, 38, 38, clBlue));
    EXPECT_TRUE(Is(image, 41, 41, clWhite));

    graph.SetLockNodes(false);
    graph.SetMarkerSize(5);
    image = Grab();
    EXPECT_TRUE(Is(image, 36, 36, clBlue));
    EXPECT_FALSE(Is(image, 35, 35, clBlue));
}

TEST_F(ViewTest, HideSelectionDrawsMarkersOnlyWithFocus)
{
    TGraphNode *node = AddNode(40, 40, 100, 100);
    node->SetSelected(true);
    graph.SetMarkerColor(clBlue);
    graph.SetHideSelection(true);
    graph.activateWindow();
    graph.setFocus();
    if (!QTest::qWaitFor([this] { return graph.hasFocus(); }, 1000))
        GTEST_SKIP() << "the platform gives no focus";
    EXPECT_TRUE(Is(Grab(), 38, 38, clBlue));
    graph.clearFocus();
    ASSERT_FALSE(graph.hasFocus());
    EXPECT_FALSE(Is(Grab(), 38, 38, clBlue));
    graph.SetHideSelection(false);
    EXPECT_TRUE(Is(Grab(), 38, 38, clBlue));
}

TEST_F(ViewTest, LinksAreDrawnBelowNodesWhateverTheirOrder)
{
    // A horizontal link from A to B passes under C.
    for (bool coverFirst : {true, false}) {
        SCOPED_TRACE(coverFirst ? "cover inserted first" : "cover inserted last");
        graph.Clear();
        TGraphNode *cover = coverFirst ? AddNode(100, 0, 160, 100, clLime) : nullptr;
        TGraphNode *a = AddNode(20, 20, 80, 80);
        TGraphNode *b = AddNode(200, 20, 260, 80);
        TGraphLink *link = AddLink(a, b);
        link->Pen().SetColor(clRed);
        link->Pen().SetWidth(3);
        if (!coverFirst)
            cover = AddNode(100, 0, 160, 100, clLime);
        EXPECT_EQ(graph.Objects().IndexOf(cover) < graph.Objects().IndexOf(link), coverFirst);
        const QImage image = Grab();
        EXPECT_TRUE(Is(image, 90, 50, clRed));
        EXPECT_TRUE(Is(image, 130, 50, clLime));
        EXPECT_TRUE(Is(image, 180, 50, clRed));
    }
}

// A symbol with a metafile picture, as the library draws them: a red square
// whose left edge lies half a diagram unit from a whole unit on the node.
// Zoomed and exported, the edge stays where the picture puts it.
TEST_F(ViewTest, MetafileSymbolIsSharpZoomedAndInTheMetafileExport)
{
    TMetafile symbol(20, 20, 100);
    {
        QPainter painter(symbol.Device());
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawRect(QRectF(5.25, 5.25, 9.5, 9.5));
    }
    TPicture picture;
    picture.LoadFromData(TPicture::Metafile, symbol.EmfBytes());
    TGraphNode *node = graph.InsertNode(TRect(10, 10, 50, 50), &TIconNode::Class);
    node->SetBackground(picture);
    node->SetSelected(false);

    // The edge lies at 20.5 units: 82 pixels at zoom 400.
    graph.SetZoom(400);
    const QImage window = Grab();
    EXPECT_TRUE(Is(window, 80, 120, clWhite));
    EXPECT_TRUE(Is(window, 84, 120, clRed));

    // The export frames the node: the edge at 10.5 pixels, 42 at four times.
    const auto exported = TMetafileImage::FromBytes(graph.GetAsMetafile()->EmfBytes());
    ASSERT_TRUE(exported);
    ASSERT_EQ(exported->Size(), QSize(40, 40));
    QImage image(160, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        exported->Draw(painter, QRectF(0, 0, 160, 160));
    }
    // Whole pixels would move it to 40 or 44.
    EXPECT_TRUE(Is(image, 40, 80, clWhite));
    EXPECT_TRUE(Is(image, 43, 80, clRed));
}

// Pictures are kept rendered between frames; a node given another picture
// of either kind shows the new one at once, even where the old one's
// memory is taken again by the new.
TEST_F(ViewTest, NewPictureOfANodeIsShownNotTheOneKeptRendered)
{
    const auto metafile = [](Qt::GlobalColor color) {
        TMetafile symbol(20, 20, 100);
        {
            QPainter painter(symbol.Device());
            painter.fillRect(QRectF(0, 0, 20, 20), color);
        }
        return symbol.EmfBytes();
    };
    const auto bitmap = [](Qt::GlobalColor color) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(color);
        return image;
    };
    TGraphNode *node = graph.InsertNode(TRect(10, 10, 50, 50), &TIconNode::Class);
    node->SetSelected(false);
    graph.SetZoom(200);
    const std::pair<Qt::GlobalColor, TColor> colours[] = {
        {Qt::red, clRed}, {Qt::blue, clBlue}, {Qt::green, clLime}, {Qt::red, clRed}};
    for (const bool vector : {true, false})
        for (const auto &[colour, expected] : colours) {
            TPicture picture;
            if (vector)
                picture.LoadFromData(TPicture::Metafile, metafile(colour));
            else
                picture.SetImage(bitmap(colour));
            node->SetBackground(picture);
            EXPECT_TRUE(Is(Grab(), 60, 60, expected))
                << (vector ? "metafile " : "bitmap ") << int(colour);
        }
}

TEST_F(ViewTest, DrawObjectsOnOwnCanvasMatchesTheWindow)
{
    TGraphNode *node = AddNode(10, 10, 50, 50, clRed);
    node->SetSelected(true);
    graph.SetMarkerColor(clBlue);
    graph.SetZoom(200);
    QImage image(200, 200, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.scale(2, 2);
        graph.PaintBackground(painter);
        graph.DrawObjects(painter);
    }
    const QImage window = Grab();
    for (const QPoint &p : {QPoint(19, 19), QPoint(30, 30), QPoint(16, 16), QPoint(21, 21)})
        EXPECT_EQ(image.pixel(p) | 0xFF000000u, window.pixel(p) | 0xFF000000u)
            << p.x() << "," << p.y();
    EXPECT_TRUE(Is(image, 30, 30, clRed));
    EXPECT_TRUE(Is(image, 16, 16, clBlue));
}

TEST_F(ViewTest, HiddenObjectsAreDrawnOnlyWithShowHiddenObjects)
{
    TGraphNode *node = AddNode(10, 10, 50, 50, clRed);
    node->SetVisible(false);
    EXPECT_TRUE(Is(Grab(), 30, 30, clWhite));
    graph.SetShowHiddenObjects(true);
    EXPECT_TRUE(Is(Grab(), 30, 30, clRed));
}

TEST_F(ViewTest, RubberBandIsDrawnWhileSelectingAndGoneAfterwards)
{
    Press(QPoint(50, 50));
    Move(QPoint(150, 120));
    ASSERT_EQ(graph.DragState(), dragSelectRect);
    EXPECT_EQ(Edges(graph.DragRect()), (std::array<int, 4>{50, 50, 150, 120}));
    QImage image = Grab();
    // Dotted, inverted frame: dark pixels on its edges, nothing inside.
    EXPECT_GT(CountOther(image, QRect(50, 50, 101, 1), clWhite), 20);
    EXPECT_GT(CountOther(image, QRect(50, 50, 1, 71), clWhite), 15);
    EXPECT_EQ(CountOther(image, QRect(55, 55, 90, 60), clWhite), 0);
    EXPECT_EQ(CountOther(image, QRect(160, 50, 100, 100), clWhite), 0);

    Release(QPoint(150, 120));
    EXPECT_EQ(graph.DragState(), dragNone);
    image = Grab();
    EXPECT_EQ(CountOther(image, image.rect(), clWhite), 0);
}

TEST_F(ViewTest, RubberBandScrollsThePointerIntoView)
{
    QImage plan(2000, 2000, QImage::Format_RGB32);
    plan.fill(Qt::white);
    graph.Background().SetImage(plan);
    graph.UpdateScrollRanges();
    const QSize client = graph.ClientSize();
    Press(QPoint(50, 50));
    Move(QPoint(client.width() + 30, 60));
    EXPECT_EQ(graph.HorzScrollBar().Position(), 30);
    EXPECT_EQ(graph.VertScrollBar().Position(), 0);
    EXPECT_EQ(Edges(graph.DragRect()), (std::array<int, 4>{50, 50, client.width() + 30, 60}));
    Release(QPoint(client.width() + 30, 60));
}

TEST_F(ViewTest, FontChangeReachesObjectsThatFollowIt)
{
    TGraphNode *follows = AddNode(10, 10, 50, 50);
    TGraphNode *own = AddNode(60, 10, 100, 50);
    own->Font().SetSize(20);
    ASSERT_FALSE(own->ParentFont());
    ASSERT_TRUE(follows->ParentFont());
    TFont font;
    font.Assign(graph.Font());
    font.SetSize(31);
    graph.SetFont(font);
    EXPECT_EQ(follows->Font().Size(), 31);
    EXPECT_EQ(own->Font().Size(), 20);
}

// --- Zoom ---

TEST_F(ViewTest, ZoomIsTakenAs16BitsAndClampedToItsLimits)
{
    graph.SetZoomMin(20);
    graph.SetZoomMax(500);
    struct Case {
        int value, expected;
    };
    const Case cases[] = {
        {5, 20},          {20, 20},   {70000, 500}, // 70000 - 65536 = 4464, above the maximum
        {65536 + 50, 50},                           // taken as 50
        {65536, 20},                                // taken as 0
        {499, 499},       {501, 500}, {-65536 + 150, 150},
    };
    for (const Case &c : cases) {
        graph.SetZoom(c.value);
        EXPECT_EQ(graph.Zoom(), c.expected) << c.value;
    }
    graph.SetZoomMax(1000);
    graph.SetZoom(70000);
    EXPECT_EQ(graph.Zoom(), 1000);
}

TEST_F(ViewTest, ZoomLimitsAreClampedAndReapplied)
{
    graph.SetZoomMin(5);
    EXPECT_EQ(graph.ZoomMin(), 10);
    graph.SetZoomMax(2000);
    EXPECT_EQ(graph.ZoomMax(), 1000);

    graph.SetZoom(100);
    graph.SetZoomMin(150);
    EXPECT_EQ(graph.Zoom(), 150);
    graph.SetZoomMin(10);
    EXPECT_EQ(graph.Zoom(), 150);
    graph.SetZoomMax(120);
    EXPECT_EQ(graph.Zoom(), 120);
    graph.SetZoomMax(5);
    EXPECT_EQ(graph.ZoomMax(), 10);
    EXPECT_EQ(graph.Zoom(), 10);
}

TEST_F(ViewTest, ZoomKeepsTheScrollPositionInPixels)
{
    AddNode(0, 0, 2000, 2000);
    graph.HorzScrollBar().SetPosition(300);
    graph.SetZoom(200);
    EXPECT_EQ(graph.HorzScrollBar().Position(), 300);
    EXPECT_EQ(XY(graph.ClientToGraph(0, 0)), std::make_pair(150, 0));
}

TEST_F(ViewTest, WheelTakesOneZoomStepPer120)
{
    struct Case {
        std::vector<int> deltas;
        int zoom, pending;
    };
    const Case cases[] = {
        {{240}, 150, 0}, {{60, 60}, 125, 0},  {{60}, 100, 60},     {{180}, 125, 60},
        {{-120}, 75, 0}, {{-60, -60}, 75, 0}, {{60, -60}, 100, 0}, {{-360}, 25, 0},
        {{-480}, 10, 0}, // 25 - 25 is not allowed: the last step goes to ZoomMin
    };
    for (const Case &c : cases) {
        // A rest below one notch cancels out without a step.
        if (graph.PendingWheelDelta() != 0)
            Wheel(-graph.PendingWheelDelta());
        graph.SetZoom(100);
        ASSERT_EQ(graph.PendingWheelDelta(), 0);
        std::string trace;
        for (int d : c.deltas) {
            trace += std::to_string(d) + " ";
            Wheel(d);
        }
        SCOPED_TRACE(trace);
        EXPECT_EQ(graph.Zoom(), c.zoom);
        EXPECT_EQ(graph.PendingWheelDelta(), c.pending);
    }
}

TEST_F(ViewTest, WheelStepsUseZoomStep)
{
    graph.SetZoomStep(10);
    graph.SetZoomMin(20);
    graph.SetZoom(30);
    Wheel(-120);
    EXPECT_EQ(graph.Zoom(), 20);
    Wheel(-120); // 10 < 20: 20 - 10 = 10, clamped to ZoomMin
    EXPECT_EQ(graph.Zoom(), 20);
    Wheel(120);
    EXPECT_EQ(graph.Zoom(), 30);
}

TEST_F(ViewTest, KeypadPlusAndMinusZoomInEveryMode)
{
    for (TGraphCommandMode mode : {cmEdit, cmBrowse, cmInsertNode}) {
        SCOPED_TRACE(int(mode));
        graph.SetCommandMode(mode);
        graph.SetZoom(100);
        Key(Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_EQ(graph.Zoom(), 125);
        Key(Qt::Key_Minus, Qt::KeypadModifier);
        Key(Qt::Key_Minus, Qt::KeypadModifier);
        EXPECT_EQ(graph.Zoom(), 75);
        // The main keyboard's + and - are not zoom keys.
        Key(Qt::Key_Plus);
        Key(Qt::Key_Minus);
        EXPECT_EQ(graph.Zoom(), 75);
    }
    graph.SetCommandMode(cmEdit);
    graph.SetZoom(990);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(graph.Zoom(), 1000);
    graph.SetZoom(20);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(graph.Zoom(), 10);
}

// --- Bounds and zoom to a rectangle ---

TEST_F(ViewTest, GraphBoundsUnitesVisibleObjects)
{
    EXPECT_EQ(Edges(graph.GraphBounds(false)), (std::array<int, 4>{0, 0, 0, 0}));
    TGraphNode *a = AddNode(10, 20, 50, 60);
    TGraphNode *b = AddNode(100, 5, 140, 45);
    TGraphNode *c = AddNode(300, 300, 340, 340);
    EXPECT_EQ(Edges(graph.GraphBounds(false)), (std::array<int, 4>{10, 5, 340, 340}));
    EXPECT_EQ(Edges(graph.GraphBounds(true)), (std::array<int, 4>{0, 0, 0, 0}));

    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_EQ(Edges(graph.GraphBounds(true)), (std::array<int, 4>{10, 5, 140, 60}));

    // Hidden objects do not count, whatever ShowHiddenObjects says.
    c->SetVisible(false);
    graph.SetShowHiddenObjects(true);
    EXPECT_EQ(Edges(graph.GraphBounds(false)), (std::array<int, 4>{10, 5, 140, 60}));
}

TEST_F(ViewTest, ZoomToRectFitsTheRectangleAndScrollsToIt)
{
    AddNode(0, 0, 3000, 3000);
    const int t = BarThickness();
    // Whether the bars are shown or not, the area used is the widget less
    // both bar thicknesses.
    const int width = WidgetWidth - t;
    const int height = WidgetHeight - t;

    // Bottom-right made visible first, then the top-left.
    const TRect rect(1000, 500, 1000 + width / 2, 500 + height);
    EXPECT_TRUE(graph.ZoomToRect(rect));
    EXPECT_EQ(graph.Zoom(), 100); // min(200, 100)
    EXPECT_EQ(graph.HorzScrollBar().Position(), 1000 + width / 2 - width);
    EXPECT_EQ(graph.VertScrollBar().Position(), 500);

    graph.HorzScrollBar().SetPosition(0);
    graph.VertScrollBar().SetPosition(0);
    const TRect small(200, 100, 200 + width / 4, 100 + height / 2);
    EXPECT_TRUE(graph.ZoomToRect(small));
    EXPECT_EQ(graph.Zoom(), 200); // min(400, 200)
    EXPECT_EQ(graph.HorzScrollBar().Position(), 400 + 2 * (width / 4) - width);
    EXPECT_EQ(graph.VertScrollBar().Position(), 200);

    // Clamped by ZoomMax: false.
    graph.SetZoomMax(150);
    EXPECT_FALSE(graph.ZoomToRect(small));
    EXPECT_EQ(graph.Zoom(), 150);
}

} // namespace
