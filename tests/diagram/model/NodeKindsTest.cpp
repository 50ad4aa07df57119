// The node kinds: polygon corners and text areas, where links meet each
// shape, regions, and what each kind draws.

#include "NodeLinkTestSupport.h"

#include "EllipticNode.h"
#include "GraphMath.h"
#include "LineNode.h"
#include "PolygonalNode.h"
#include "RoundRectangularNode.h"

#include <QVector>

using GraphMath::Pi;

namespace {

class NodeKindsTest : public DiagramTest {
protected:
    TPolygonalNode *AddPolygon(TGraphObjectClassRef cls, int left, int top, int right, int bottom)
    {
        return static_cast<TPolygonalNode *>(AddNode(left, top, right, bottom, cls));
    }

    // Gives the node a solid blue background picture.
    static void SetBluePicture(TGraphNode *node)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(GraphColor::ToQColor(clBlue));
        TPicture picture;
        picture.SetImage(image);
        node->SetBackground(picture);
    }
};

// --- Polygons ---

struct PolygonCase {
    const char *name;
    TGraphObjectClassRef cls;
    QVector<QPoint> corners; // for the bounds (0, 0, 100, 60)
    QPoint centre;
    TRect area;       // with Margin 0: the shape's own text rectangle
    TRect marginArea; // with the default Margin 8
};

const PolygonCase PolygonCases[] = {
    {"triangle",
     &TTriangularNode::Class,
     {{50, 0}, {100, 60}, {0, 60}},
     {50, 40},
     {25, 30, 75, 60},
     {25, 30, 75, 52}},
    {"rhombus",
     &TRhomboidalNode::Class,
     {{50, 0}, {100, 30}, {50, 60}, {0, 30}},
     {50, 30},
     {25, 15, 75, 45},
     {25, 15, 75, 45}},
    {"pentagon",
     &TPentagonalNode::Class,
     {{50, 0}, {100, 30}, {75, 60}, {25, 60}, {0, 30}},
     {50, 36},
     {25, 15, 75, 60},
     {25, 15, 75, 52}},
};

TEST_F(NodeKindsTest, PolygonCornersCentreAndTextArea)
{
    for (const PolygonCase &c : PolygonCases) {
        // placed away from the origin: the text area stays relative to the node
        TPolygonalNode *node = AddPolygon(c.cls, 40, 20, 140, 80);
        QVector<QPoint> shifted;
        for (const QPoint &p : c.corners)
            shifted << p + QPoint(40, 20);
        EXPECT_EQ(node->Vertices(), shifted) << c.name;
        EXPECT_EQ(XY(node->GetCenter()), XY(c.centre + QPoint(40, 20))) << c.name;
        EXPECT_EQ(Edges(node->GetTextArea()), Edges(c.marginArea)) << c.name;
        node->SetMargin(0);
        EXPECT_EQ(Edges(node->GetTextArea()), Edges(c.area)) << c.name;
    }
}

TEST_F(NodeKindsTest, PolygonTextAreaIsAlsoHeldToTheCodeStrip)
{
    TPolygonalNode *node = AddPolygon(&TTriangularNode::Class, 0, 0, 100, 60);
    node->SetIsCodeNode(true); // strip (8, 34, 92, 52) with the 10-point font
    EXPECT_EQ(Edges(node->GetTextArea()), Edges(TRect(25, 34, 75, 52)));
}

TEST_F(NodeKindsTest, PolygonCentreTruncatesTowardZero)
{
    // Corners (-50, -60), (0, 0), (-100, 0): sums -150 and -60 over 3.
    TPolygonalNode *node = AddPolygon(&TTriangularNode::Class, -100, -60, 0, 0);
    EXPECT_EQ(XY(node->GetCenter()), XY(QPoint(-50, -20)));
    // Corners (-50, -61), (1, 0), (-101, 0): -150 / 3 and -61 / 3 = -20.33.
    node->SetBounds(-101, -61, 102, 61);
    EXPECT_EQ(XY(node->GetCenter()), XY(QPoint(-50, -20)));
}

TEST_F(NodeKindsTest, MovingAPolygonShiftsItsCornersAndResizingRecomputesThem)
{
    // Apex x = (-101 + 0) div 2 = -50. Moved right by 51 the shifted apex is at
    // 1, while corners defined afresh for (-50, 0, 51, 60) would put it at 0.
    TPolygonalNode *node = AddPolygon(&TTriangularNode::Class, -101, 0, 0, 60);
    ASSERT_EQ(XY(node->Vertices()[0]), XY(QPoint(-50, 0)));
    node->SetBounds(-50, 7, 101, 60);
    EXPECT_EQ(node->Vertices(), (QVector<QPoint>{{1, 7}, {51, 67}, {-50, 67}}));
    EXPECT_TRUE(node->Region().Contains(1, 9));

    node->SetWidth(200);
    EXPECT_EQ(node->Vertices(), TTriangularNode::Corners(TRect(-50, 7, 150, 67)));
    EXPECT_EQ(node->Vertices(), (QVector<QPoint>{{50, 7}, {150, 67}, {-50, 67}}));
    EXPECT_TRUE(node->ContainsPoint(50, 12));
    EXPECT_FALSE(node->ContainsPoint(1, 12));

    // A pure move shifts the text rectangle with the corners.
    node->SetText(QStringLiteral("abc"));
    const TRect text = node->TextRect();
    ASSERT_FALSE(text.IsEmpty());
    node->SetBounds(-40, 17, 200, 60);
    EXPECT_EQ(Edges(node->TextRect()), Edges(text.Offset(10, 10)));
}

TEST_F(NodeKindsTest, PolygonRegionIsTheOutline)
{
    TPolygonalNode *node = AddPolygon(&TRhomboidalNode::Class, 0, 0, 100, 60);
    node->SetSelected(false);
    EXPECT_EQ(node->HitTest(50, 30), mkNodeBody);
    EXPECT_EQ(node->HitTest(5, 5), mkNone); // inside the bounds, outside the rhombus
    EXPECT_EQ(node->HitTest(95, 55), mkNone);
}

// --- Where links meet each kind ---

struct LinkEndCase {
    const char *name;
    TGraphObjectClassRef cls;
    QPoint target;   // centre of a small node the link runs to
    QPoint expected; // the link's start on the node (0, 0, 100, 40)
};

TEST_F(NodeKindsTest, EachKindMeetsLinksOnItsOwnOutline)
{
    const LinkEndCase cases[] = {
        {"rectangle", &TRectangularNode::Class, {200, 170}, {70, 40}}, // angle pi/4
        {"icon", &TIconNode::Class, {200, 170}, {70, 40}},
        {"text", &TTextNode::Class, {200, 170}, {70, 40}},
        {"ellipse", &TEllipticNode::Class, {200, 170}, {69, 39}},
        {"rounded, straight part", &TRoundRectangularNode::Class, {200, 170}, {70, 40}},
        // angle 0.39: the rectangle's point (99, 40) lies in the cut corner
        {"rounded, corner", &TRoundRectangularNode::Class, {1050, 431}, {94, 38}},
        {"ellipse, level", &TEllipticNode::Class, {400, 20}, {100, 20}},
        // a wire piece is met on its box, not on its line
        {"horizontal wire", &THLineNode::Class, {50, 200}, {50, 40}},
        {"vertical wire", &TVLineNode::Class, {400, 20}, {100, 20}},
        // polygons aim from the corners' average, (50, 26) for a triangle
        // 100 x 40, (50, 24) for a pentagon; the crossing at x 82.5 rounds to even
        {"triangle", &TTriangularNode::Class, {400, 26}, {82, 26}},
        {"triangle, down", &TTriangularNode::Class, {50, 200}, {50, 40}},
        {"pentagon", &TPentagonalNode::Class, {400, 24}, {95, 24}},
    };
    for (const LinkEndCase &c : cases) {
        TGraphNode *node = AddNode(0, 0, 100, 40, c.cls);
        TGraphNode *target =
            AddNode(c.target.x() - 8, c.target.y() - 8, c.target.x() + 8, c.target.y() + 8);
        TGraphLink *out = graph.LinkNodes(node, target);
        ASSERT_NE(out, nullptr) << c.name;
        EXPECT_EQ(XY(out->StartPoint()), XY(c.expected)) << c.name << " as start";
        // the same point when the link arrives from the other node
        out->Reverse();
        EXPECT_EQ(XY(out->EndPoint()), XY(c.expected)) << c.name << " as end";
        target->Free();
        node->Free();
    }
}

// --- Regions of the curved kinds ---

TEST_F(NodeKindsTest, RoundedRectangleUsesACornerEllipseOfAQuarterOfTheLargerSide)
{
    EXPECT_EQ(TRoundRectangularNode::CornerSize(100, 40), 25);
    EXPECT_EQ(TRoundRectangularNode::CornerSize(40, 100), 25);
    EXPECT_EQ(TRoundRectangularNode::CornerSize(43, 19), 10);

    TGraphNode *node = AddNode(0, 0, 100, 40, &TRoundRectangularNode::Class);
    // Along the left edge an ellipse of 25 starts at y 9; one of 20 would at 7,
    // one of 30 at 11.
    EXPECT_FALSE(node->ContainsPoint(0, 8));
    EXPECT_TRUE(node->ContainsPoint(0, 9));
    EXPECT_TRUE(node->ContainsPoint(99, 20));
    EXPECT_FALSE(node->ContainsPoint(100, 20));
    EXPECT_FALSE(node->ContainsPoint(99, 39));

    node->SetSelected(false);
    node->Pen().SetColor(clRed);
    const QImage image = PaintObjects({node});
    EXPECT_TRUE(PixelIs(image, 0, 20, clRed)); // straight part of the edge
    EXPECT_TRUE(PixelIs(image, 50, 0, clRed));
    EXPECT_FALSE(PixelIs(image, 0, 3, clRed)); // cut corner
    EXPECT_FALSE(PixelIs(image, 1, 1, clRed));
}

TEST_F(NodeKindsTest, EllipseRegionIsInscribedInTheBounds)
{
    TGraphNode *node = AddNode(0, 0, 100, 40, &TEllipticNode::Class);
    EXPECT_TRUE(node->ContainsPoint(50, 20));
    EXPECT_TRUE(node->ContainsPoint(1, 20));
    EXPECT_TRUE(node->ContainsPoint(98, 20));
    EXPECT_FALSE(node->ContainsPoint(2, 2));
    EXPECT_FALSE(node->ContainsPoint(97, 37));
    node->SetSelected(false);
    EXPECT_EQ(node->HitTest(2, 2), mkNone);
}

// --- What each kind draws ---

TEST_F(NodeKindsTest, IconNodeNeverDrawsAFrame)
{
    TGraphNode *icon = AddNode(20, 20, 120, 80, &TIconNode::Class);
    icon->SetSelected(false);
    icon->Pen().SetColor(clRed);
    icon->Pen().SetWidth(3);
    EXPECT_EQ(CountPixels(PaintObjects({icon}), clRed), 0);

    SetBluePicture(icon);
    const QImage image = PaintObjects({icon});
    EXPECT_EQ(CountPixels(image, clRed), 0);
    EXPECT_EQ(CountPixels(image, clBlue), 100 * 60); // the picture fills the bounds
}

TEST_F(NodeKindsTest, TextNodeShowsOnlyItsText)
{
    TGraphNode *text = AddNode(20, 20, 220, 80, &TTextNode::Class);
    text->SetSelected(false);
    text->Pen().SetColor(clRed);
    SetBluePicture(text);
    text->Font().SetColor(clGreen);
    text->SetText(QStringLiteral("Label"));
    const QImage image = PaintObjects({text});
    EXPECT_EQ(CountPixels(image, clRed), 0);
    EXPECT_EQ(CountPixels(image, clBlue), 0);
    EXPECT_GT(CountPixels(image, clGreen, text->TextRect().ToQRect()), 0);
}

TEST_F(NodeKindsTest, RectangleOutlinesItsPictureWithItsPen)
{
    TGraphNode *node = AddNode(20, 20, 120, 80);
    node->SetSelected(false);
    node->Pen().SetColor(clRed);
    node->Brush().SetColor(clGreen);
    EXPECT_EQ(CountPixels(PaintObjects({node}), clGreen), 98 * 58); // no picture: filled

    SetBluePicture(node);
    const QImage image = PaintObjects({node});
    EXPECT_EQ(CountPixels(image, clGreen), 0);
    EXPECT_TRUE(PixelIs(image, 20, 50, clRed));  // left edge
    EXPECT_TRUE(PixelIs(image, 119, 50, clRed)); // right edge, inside the bounds
    EXPECT_FALSE(PixelIs(image, 120, 50, clRed));
    EXPECT_TRUE(PixelIs(image, 70, 50, clBlue)); // the brush does not cover the picture
    EXPECT_EQ(CountPixels(image, clBlue), 98 * 58);
}

TEST_F(NodeKindsTest, PictureIsClippedToTheShape)
{
    const TGraphObjectClassRef classes[] = {&TEllipticNode::Class, &TRoundRectangularNode::Class,
                                            &TTriangularNode::Class};
    for (TGraphObjectClassRef cls : classes) {
        TGraphNode *node = AddNode(20, 20, 120, 80, cls);
        node->SetSelected(false);
        SetBluePicture(node);
        const QImage image = PaintObjects({node});
        EXPECT_TRUE(PixelIs(image, 70, 60, clBlue)) << cls->Name;
        EXPECT_FALSE(PixelIs(image, 21, 21, clBlue)) << cls->Name;
        EXPECT_FALSE(PixelIs(image, 118, 22, clBlue)) << cls->Name;
        node->Free();
    }
}

struct WireCase {
    const char *name;
    TGraphObjectClassRef cls;
    QRect line; // the pixels of the line for the bounds (20, 30, 120, 70): from the
                // first unit up to the last one inside the bounds
};

TEST_F(NodeKindsTest, WirePieceIsALineThroughTheMiddleInItsPen)
{
    const WireCase cases[] = {
        {"horizontal", &THLineNode::Class, QRect(20, 50, 100, 1)}, // y = Top + 40 div 2
        {"vertical", &TVLineNode::Class, QRect(70, 30, 1, 40)},    // x = Left + 100 div 2
    };
    for (const WireCase &c : cases) {
        TGraphNode *wire = AddNode(20, 30, 120, 70, c.cls);
        wire->SetSelected(false);
        wire->Pen().SetColor(clRed);
        const QImage image = PaintObjects({wire});
        EXPECT_EQ(CountPixels(image, clRed, c.line), c.line.width() * c.line.height()) << c.name;
        // nothing but the line, nothing outside the bounds
        EXPECT_EQ(CountPixels(image, clRed), c.line.width() * c.line.height()) << c.name;
        // no frame
        EXPECT_FALSE(PixelIs(image, 20, 30, clRed)) << c.name;
        wire->Free();
    }
}

} // namespace
