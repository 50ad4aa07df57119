// Nodes: bounds and the minimum size, handles and hit tests, moving and
// resizing by handles, text layout in the text area, links between nodes.

#include "NodeLinkTestSupport.h"

#include "EllipticNode.h"
#include "GraphFont.h"
#include "TextLayout.h"

namespace {

class NodeTest : public DiagramTest {};

// --- Handles and the centre ---

struct MarkerCase {
    TGraphMarker marker;
    TRect expected;
};

TEST_F(NodeTest, HandleSquaresSitOnTheBoundsShrunkByOne)
{
    TGraphNode *node = AddNode(10, 20, 110, 60); // Left 10, Top 20, 100 x 40
    ASSERT_EQ(graph.MarkerSize(), 3);
    const MarkerCase cases[] = {
        {mkLeft, {8, 37, 14, 43}},
        {mkRight, {106, 37, 112, 43}},
        {mkTop, {57, 18, 63, 24}},
        {mkBottom, {57, 56, 63, 62}},
        {mkTopLeft, {8, 18, 14, 24}},
        {mkTopRight, {106, 18, 112, 24}},
        {mkBottomLeft, {8, 56, 14, 62}},
        {mkBottomRight, {106, 56, 112, 62}},
        {mkNone, {}},
        {mkNodeBody, {}},
        {mkLinkFrom, {}},
        {mkLinkLine, {}},
    };
    for (const MarkerCase &c : cases)
        EXPECT_EQ(Edges(node->GetMarkerRect(c.marker)), Edges(c.expected))
            << "marker " << int(c.marker);
    EXPECT_EQ(XY(node->GetCenter()), XY(QPoint(60, 40)));

    graph.SetMarkerSize(5);
    EXPECT_EQ(Edges(node->GetMarkerRect(mkTopLeft)), Edges(TRect(6, 16, 16, 26)));
}

TEST_F(NodeTest, OddSizesTruncateTheMiddles)
{
    TGraphNode *node = AddNode(0, 0, 33, 17);                                  // B = (1, 1, 32, 16)
    EXPECT_EQ(Edges(node->GetMarkerRect(mkTop)), Edges(TRect(13, -2, 19, 4))); // x 1 + 31 div 2
    EXPECT_EQ(Edges(node->GetMarkerRect(mkLeft)), Edges(TRect(-2, 5, 4, 11))); // y 1 + 15 div 2
    EXPECT_EQ(XY(node->GetCenter()), XY(QPoint(16, 8)));
    node->SetBounds(-33, -17, 33, 17);
    EXPECT_EQ(XY(node->GetCenter()), XY(QPoint(-17, -9)));
}

// --- Bounds and the minimum size ---

TEST_F(NodeTest, SizesBelowTheMinimumAreRaisedExceptWhileReading)
{
    ASSERT_EQ(graph.MinNodeSize(), 16);
    TGraphNode *small = AddNode(0, 0, 5, 5);
    EXPECT_EQ(Edges(small->GetBoundsRect()), Edges(TRect(0, 0, 16, 16)));

    TGraphNode *node = AddNode(0, 0, 100, 40);
    node->SetWidth(5);
    EXPECT_EQ(node->Width(), 16);
    node->SetHeight(-3);
    EXPECT_EQ(node->Height(), 16);

    node->SetState(osReading);
    node->SetWidth(5);
    node->SetLeft(-7);
    EXPECT_EQ(node->Width(), 5);
    EXPECT_EQ(node->Left(), -7);
    node->SetState(osNone);
}

TEST_F(NodeTest, RefusedMoveOrResizeChangesAndReportsNothing)
{
    TGraphNode *node = AddNode(10, 10, 110, 50);
    bool allowMove = false, allowResize = false;
    graph.OnCanMoveResizeNode = [&](TGraphControl *, TGraphNode *, int &, int &, int &, int &,
                                    bool &canMove, bool &canResize) {
        canMove = allowMove;
        canResize = allowResize;
    };
    changes = 0;
    node->SetBounds(50, 60, 30, 30);
    EXPECT_EQ(Edges(node->GetBoundsRect()), Edges(TRect(10, 10, 110, 50)));
    EXPECT_EQ(changes, 0);

    allowMove = true; // only the position is taken
    node->SetBounds(50, 60, 30, 30);
    EXPECT_EQ(Edges(node->GetBoundsRect()), Edges(TRect(50, 60, 150, 100)));
    EXPECT_EQ(changes, 1);
}

// --- Hit tests ---

struct HitCase {
    int x, y;
    TGraphMarker unselected;
    TGraphMarker selected;
};

TEST_F(NodeTest, HandlesAreHitOnlyWhenSelectedAndWinOverTheBody)
{
    TGraphNode *node = AddNode(10, 20, 110, 60);
    const HitCase cases[] = {
        {60, 40, mkNodeBody, mkNodeBody}, // middle
        {12, 22, mkNodeBody, mkTopLeft},  // inside the body and the handle
        {8, 18, mkNone, mkTopLeft},       // handle outside the body
        {13, 23, mkNodeBody, mkTopLeft},  // last unit of the handle
        {14, 24, mkNodeBody, mkNodeBody}, // just past it (right, bottom exclusive)
        {111, 42, mkNone, mkRight},       {112, 42, mkNone, mkNone},
        {60, 19, mkNone, mkTop},          {60, 61, mkNone, mkBottom},
        {9, 40, mkNone, mkLeft},          {108, 21, mkNodeBody, mkTopRight},
        {9, 59, mkNone, mkBottomLeft},    {110, 60, mkNone, mkBottomRight},
        {110, 40, mkNone, mkRight}, // the right edge is outside the body
        {200, 200, mkNone, mkNone},
    };
    node->SetSelected(false);
    for (const HitCase &c : cases)
        EXPECT_EQ(node->HitTest(c.x, c.y), c.unselected) << "unselected at " << c.x << "," << c.y;
    node->SetSelected(true);
    for (const HitCase &c : cases)
        EXPECT_EQ(node->HitTest(c.x, c.y), c.selected) << "selected at " << c.x << "," << c.y;
}

TEST_F(NodeTest, OverlappingHandlesAreTriedInTheirFixedOrder)
{
    graph.SetMarkerSize(6);
    TGraphNode *node = AddNode(0, 0, 16, 16);
    node->SetSelected(true);
    EXPECT_EQ(node->HitTest(3, 3), mkLeft);    // also in mkTop and mkTopLeft
    EXPECT_EQ(node->HitTest(10, 0), mkTop);    // also in mkTopRight
    EXPECT_EQ(node->HitTest(12, 12), mkRight); // also in mkBottom and mkBottomRight
}

TEST_F(NodeTest, HiddenNodeIsHitOnlyWhenHiddenObjectsAreShown)
{
    TGraphNode *node = AddNode(10, 20, 110, 60);
    node->SetSelected(true);
    node->SetVisible(false);
    EXPECT_EQ(node->HitTest(60, 40), mkNone);
    EXPECT_EQ(node->HitTest(8, 18), mkNone);
    EXPECT_FALSE(node->ContainsPoint(60, 40));
    EXPECT_EQ(CountPixels(PaintObjects({node}), clBlack), 0);

    graph.SetShowHiddenObjects(true);
    EXPECT_EQ(node->HitTest(60, 40), mkNodeBody);
    EXPECT_EQ(node->HitTest(8, 18), mkTopLeft);
    EXPECT_GT(CountPixels(PaintObjects({node}), clBlack), 0);
}

// --- Moving and resizing by handles ---

struct DragCase {
    TGraphMarker marker;
    int dx, dy;
    TRect expected;
};

// Handles on the left or top take two steps, each reported on its own.
int DragSteps(TGraphMarker marker)
{
    switch (marker) {
    case mkLeft:
    case mkTop:
    case mkTopLeft:
    case mkTopRight:
    case mkBottomLeft:
        return 2;
    case mkNodeBody:
    case mkRight:
    case mkBottom:
    case mkBottomRight:
        return 1;
    default:
        return 0;
    }
}

TEST_F(NodeTest, MoveResizeByMarkerKeepsTheOppositeEdges)
{
    // Each row starts from a node at (100, 100), 40 x 40, MinNodeSize 16.
    const DragCase cases[] = {
        {mkNodeBody, 5, -7, {105, 93, 145, 133}},
        {mkRight, 10, 99, {100, 100, 150, 140}},
        {mkRight, -30, 0, {100, 100, 116, 140}},
        {mkBottom, 99, 10, {100, 100, 140, 150}},
        {mkBottomRight, 10, 20, {100, 100, 150, 160}},
        {mkLeft, 30, 0, {124, 100, 140, 140}}, // 16 wide, right edge unchanged
        {mkLeft, -10, 99, {90, 100, 140, 140}},
        {mkTop, 99, 30, {100, 124, 140, 140}},
        {mkTop, 0, -5, {100, 95, 140, 140}},
        {mkTopLeft, 30, 30, {124, 124, 140, 140}},
        {mkTopLeft, -5, -5, {95, 95, 140, 140}},
        {mkTopRight, 10, 30, {100, 124, 150, 140}},
        {mkTopRight, -30, -10, {100, 90, 116, 140}},
        {mkBottomLeft, 30, 10, {124, 100, 140, 150}},
        {mkBottomLeft, -10, -30, {90, 100, 140, 116}},
        {mkNone, 10, 10, {100, 100, 140, 140}},
        {mkLinkLine, 10, 10, {100, 100, 140, 140}},
    };
    for (const DragCase &c : cases) {
        TGraphNode *node = AddNode(100, 100, 140, 140);
        changes = 0;
        node->MoveResizeByMarker(c.marker, c.dx, c.dy);
        EXPECT_EQ(Edges(node->GetBoundsRect()), Edges(c.expected))
            << "marker " << int(c.marker) << " by " << c.dx << "," << c.dy;
        EXPECT_EQ(changes, DragSteps(c.marker)) << "marker " << int(c.marker);
        node->Free();
    }
}

TEST_F(NodeTest, LeftHandleDragFollowsTheSizeTheFilterAllowed)
{
    // A filter that caps the width at 50: the second step must move the node
    // by what the first step really changed.
    graph.OnCanMoveResizeNode = [](TGraphControl *, TGraphNode *, int &, int &, int &width, int &,
                                   bool &, bool &) { width = std::min(width, 50); };
    TGraphNode *node = AddNode(100, 100, 140, 140);
    node->MoveResizeByMarker(mkLeft, -30, 0);
    EXPECT_EQ(Edges(node->GetBoundsRect()), Edges(TRect(90, 100, 140, 140)));
}

// --- Text area and text layout ---

struct TextAreaCase {
    bool codeNode;
    int margin;
    int points;
    TRect expected;
};

TEST_F(NodeTest, TextAreaIsTheMarginRectangleOrTheCodeStrip)
{
    const TextAreaCase cases[] = {
        {true, 3, 10, {3, 24, 97, 37}}, // a strip 13 high along the bottom
        {true, 3, 12, {3, 22, 97, 37}}, {true, 8, 10, {8, 14, 92, 32}},
        {false, 3, 10, {3, 3, 97, 37}}, {false, 8, 10, {8, 8, 92, 32}},
    };
    TGraphNode *node = AddNode(50, 60, 150, 100); // 100 x 40; the area is relative
    for (const TextAreaCase &c : cases) {
        node->SetIsCodeNode(c.codeNode);
        node->SetMargin(c.margin);
        node->Font().SetSize(c.points);
        EXPECT_EQ(node->Font().Size(), c.points);
        EXPECT_EQ(Edges(node->GetTextArea()), Edges(c.expected))
            << "code " << c.codeNode << ", margin " << c.margin << ", " << c.points << "pt";
    }
}

TEST_F(NodeTest, EmptyTextOrAreaGivesAnEmptyTextRect)
{
    TGraphNode *node = AddNode(0, 0, 100, 40);
    EXPECT_EQ(Edges(node->ComputeTextRect()), Edges(TRect()));
    EXPECT_EQ(Edges(node->TextRect()), Edges(TRect()));

    // 10 wide with a margin of 8: the area has a negative width.
    graph.SetMinNodeSize(1);
    TGraphNode *narrow = AddNode(20, 20, 30, 60);
    narrow->Font().SetColor(clBlue);
    narrow->SetText(QStringLiteral("Hello"));
    ASSERT_EQ(narrow->Width(), 10);
    EXPECT_TRUE(narrow->ComputeTextRect().IsEmpty());
    EXPECT_TRUE(narrow->TextRect().IsEmpty());
    EXPECT_EQ(CountPixels(PaintObjects({narrow}), clBlue), 0);

    // The same text in a wide node is drawn.
    narrow->SetWidth(100);
    EXPECT_FALSE(narrow->TextRect().IsEmpty());
    EXPECT_GT(CountPixels(PaintObjects({narrow}), clBlue), 0);
}

TEST_F(NodeTest, OneLineIsTheFontsPixelHeightCentredVertically)
{
    // 200 x 100 at (30, 50): the area is (8, 8, 192, 92).
    TGraphNode *node = AddNode(30, 50, 230, 150);
    node->SetAlignment(taLeftJustify);
    node->SetText(QStringLiteral("Ab"));
    const TRect r = node->TextRect();
    ASSERT_EQ(node->Font().Height(), -13);
    EXPECT_EQ(r.Height(), 13);
    EXPECT_EQ(r.Top, 50 + 8 + (92 - 21) / 2);
    EXPECT_EQ(r.Left, 30 + 8);
    EXPECT_GT(r.Width(), 0);
    EXPECT_EQ(Edges(r), Edges(node->ComputeTextRect()));
}

struct AlignmentCase {
    TAlignment alignment;
    // The expected left edge, given the measured width of the text.
    int (*left)(int width);
};

TEST_F(NodeTest, AlignmentShiftsTheTextBlock)
{
    // Node at (30, 50), 200 x 100, margin 8: the area runs from x 8 to 192.
    const AlignmentCase cases[] = {
        {taLeftJustify, [](int) { return 30 + 8; }},
        {taCenter, [](int w) { return 30 + 8 + (184 - w) / 2; }},
        // ends one margin before the area's right edge
        {taRightJustify, [](int w) { return 30 + 192 - 8 - w; }},
    };
    for (const AlignmentCase &c : cases) {
        TGraphNode *node = AddNode(30, 50, 230, 150);
        node->SetText(QStringLiteral("Ab cd"));
        node->SetAlignment(c.alignment);
        const TRect r = node->TextRect();
        EXPECT_EQ(r.Left, c.left(r.Width())) << "alignment " << int(c.alignment);
        EXPECT_EQ(r.Top, 50 + 8 + (92 - 21) / 2) << "alignment " << int(c.alignment);
        node->Free();
    }
}

TEST_F(NodeTest, TextWrapsToMoreLinesWhenNarrowerAndStaysCentred)
{
    const QString text = QStringLiteral("one two three four five six seven eight");
    TGraphNode *wide = AddNode(0, 0, 400, 200);
    wide->SetText(text);
    TGraphNode *narrow = AddNode(0, 0, 80, 200);
    narrow->SetText(text);

    const TRect w = wide->TextRect(), n = narrow->TextRect();
    EXPECT_EQ(w.Height(), 13);
    EXPECT_GT(n.Height(), w.Height());
    EXPECT_EQ(n.Height() % 13, 0);
    EXPECT_LE(n.Width(), 80 - 16);
    // centred vertically in the area (8 .. 192)
    EXPECT_EQ(n.Top, 8 + (184 - n.Height()) / 2);

    // Chinese text breaks between any two characters.
    TGraphNode *chinese = AddNode(0, 0, 60, 200);
    chinese->SetText(QStringLiteral("电气线路设计系统配置单"));
    EXPECT_GT(chinese->TextRect().Height(), 13);
    EXPECT_LE(chinese->TextRect().Width(), 60 - 16);
}

TEST_F(NodeTest, TextThatDoesNotFitIsCutAtTheAreaBottom)
{
    // Node at (20, 30), 60 x 40: the area is (8, 8, 52, 32), 44 wide.
    const AlignmentCase cases[] = {
        {taLeftJustify, [](int) { return 20 + 8; }},
        {taCenter, [](int w) { return 20 + 8 + (44 - w) / 2; }},
        {taRightJustify, [](int w) { return 20 + 52 - 8 - w; }},
    };
    for (const AlignmentCase &c : cases) {
        TGraphNode *node = AddNode(20, 30, 80, 70);
        node->SetAlignment(c.alignment);
        node->SetText(QStringLiteral("a long text with many words that will never fit"));
        const TRect r = node->TextRect();
        EXPECT_LE(r.Width(), 44) << "alignment " << int(c.alignment);
        EXPECT_EQ(r.Left, c.left(r.Width())) << "alignment " << int(c.alignment);
        // the block fills the area's height: no vertical shift is left
        EXPECT_EQ(r.Top, 30 + 8) << "alignment " << int(c.alignment);
        EXPECT_EQ(r.Bottom, 30 + 32) << "alignment " << int(c.alignment);
        node->Free();
    }
}

TEST(NodeTextDrawingTest, LastShownLineEndsInAnEllipsisWhenLinesAreLeftOut)
{
    TFont font;
    TTextFormat format;
    format.WordBreak = true;
    format.EndEllipsis = true;
    format.EditControl = true;
    const QRect twoLines(0, 0, 120, 2 * 13);
    auto draw = [&](const QStringList &lines) {
        QImage image(140, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TTextLayout::DrawLines(painter, font, lines, twoLines, format);
        return image;
    };
    const QImage cut =
        draw({QStringLiteral("aaaa"), QStringLiteral("bbbb"), QStringLiteral("cccc")});
    EXPECT_EQ(cut, draw({QStringLiteral("aaaa"), QStringLiteral("bbbb...")}));
    EXPECT_NE(cut, draw({QStringLiteral("aaaa"), QStringLiteral("bbbb")}));
}

TEST_F(NodeTest, MovingShiftsTheTextRectAndResizingLaysItOutAgain)
{
    TGraphNode *node = AddNode(0, 0, 200, 100);
    node->SetText(QStringLiteral("some words here"));
    const TRect before = node->TextRect();
    ASSERT_FALSE(before.IsEmpty());

    node->SetBounds(35, -12, 200, 100);
    EXPECT_EQ(Edges(node->TextRect()), Edges(before.Offset(35, -12)));
    EXPECT_TRUE(node->Region().Contains(35, -12));
    EXPECT_FALSE(node->Region().Contains(34, -12));

    node->SetBounds(35, -12, 300, 160);
    EXPECT_EQ(Edges(node->TextRect()), Edges(node->ComputeTextRect()));
    EXPECT_NE(node->TextRect().Top, before.Offset(35, -12).Top);
}

TEST_F(NodeTest, TextSettingsLayTheTextOutAgainAndReportAChange)
{
    TGraphNode *node = AddNode(0, 0, 200, 100);
    node->SetAlignment(taLeftJustify);
    node->SetText(QStringLiteral("Ab"));

    changes = 0;
    node->SetAlignment(taRightJustify);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(node->TextRect().Right, 192 - 8);

    node->SetMargin(20);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(node->TextRect().Right, 180 - 20);

    node->SetMargin(20); // unchanged: nothing
    node->SetAlignment(taRightJustify);
    EXPECT_EQ(changes, 2);

    const int oneLine = node->TextRect().Height();
    node->Font().SetSize(20);
    EXPECT_GT(node->TextRect().Height(), oneLine);
    EXPECT_EQ(node->TextRect().Height(), std::abs(node->Font().Height()));
}

TEST_F(NodeTest, AssignCopiesBoundsPictureAndTextSettingsButNotTheSymbolState)
{
    TGraphNode *source = AddNode(30, 40, 130, 100);
    source->SetAlignment(taRightJustify);
    source->SetMargin(4);
    source->SetText(QStringLiteral("S1"));
    source->SetIsCodeNode(true);
    source->SetDegree(90);
    source->SetIsLeftRightMirror(true);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    TPicture picture;
    picture.SetImage(image);
    source->SetBackground(picture);

    TGraphNode *target = AddNode(0, 0, 50, 50);
    changes = 0;
    target->Assign(source);
    EXPECT_EQ(changes, 1); // one batch
    EXPECT_EQ(Edges(target->GetBoundsRect()), Edges(TRect(30, 40, 130, 100)));
    EXPECT_EQ(target->Alignment(), taRightJustify);
    EXPECT_EQ(target->Margin(), 4);
    EXPECT_EQ(target->Text(), QStringLiteral("S1"));
    EXPECT_TRUE(target->Background().HasGraphic());
    EXPECT_FALSE(target->IsCodeNode());
    EXPECT_EQ(target->Degree(), 0);
    EXPECT_FALSE(target->IsLeftRightMirror());
    EXPECT_EQ(Edges(target->TextRect()), Edges(target->ComputeTextRect()));
}

// --- Link kinds between nodes ---

struct LinkKindCase {
    TLinkKind kind;
    int fromStart, fromEnd;
};

TEST_F(NodeTest, LinkKindToTellsHowTwoNodesAreJoined)
{
    const LinkKindCase cases[] = {
        {lkUndirected, 1, 1},
        {lkDirected, 3, 2},
        {lkBidirected, 4, 4},
    };
    TGraphNode *a = AddNode(0, 0, 100, 40);
    TGraphNode *b = AddNode(200, 0, 300, 40);
    TGraphNode *c = AddNode(0, 200, 100, 240);
    EXPECT_EQ(a->LinkKindTo(b), 0);
    for (const LinkKindCase &k : cases) {
        TGraphLink *link = graph.LinkNodes(a, b);
        ASSERT_NE(link, nullptr);
        link->SetKind(k.kind);
        EXPECT_EQ(a->LinkKindTo(b), k.fromStart) << "kind " << int(k.kind);
        EXPECT_EQ(b->LinkKindTo(a), k.fromEnd) << "kind " << int(k.kind);
        EXPECT_EQ(a->LinkKindTo(c), 0);
        EXPECT_EQ(c->LinkKindTo(b), 0);
        link->Reverse();
        EXPECT_EQ(a->LinkKindTo(b), k.fromEnd) << "reversed kind " << int(k.kind);
        EXPECT_EQ(b->LinkKindTo(a), k.fromStart) << "reversed kind " << int(k.kind);
        link->Free();
    }
    EXPECT_EQ(a->LinkKindTo(b), 0);
    EXPECT_EQ(a->LinkKindTo(nullptr), 0);
}

// --- Drawing ---

TEST_F(NodeTest, HandlesAreFilledOutlinedOrReplacedByAnInvertedFrame)
{
    graph.SetMarkerColor(clRed);
    TGraphNode *node = AddNode(50, 50, 150, 90);
    node->SetSelected(true);
    const QRect topLeft = node->GetMarkerRect(mkTopLeft).ToQRect(); // (48, 48)-(54, 54)

    QImage image = PaintObjects({node});
    EXPECT_EQ(CountPixels(image, clRed, topLeft), 36);

    graph.SetLockNodes(true);
    image = PaintObjects({node});
    EXPECT_TRUE(PixelIs(image, 48, 48, clRed));
    EXPECT_TRUE(PixelIs(image, 48, 51, clRed));
    EXPECT_FALSE(PixelIs(image, 50, 50, clRed));
    EXPECT_FALSE(PixelIs(image, 51, 51, clRed));

    graph.SetLockNodes(false);
    node->SetDragging(true);
    image = PaintObjects({node});
    EXPECT_EQ(CountPixels(image, clRed), 0);
    // the inverted frame lies just outside the bounds, on white: black
    EXPECT_TRUE(PixelIs(image, 48, 70, clBlack));
}

} // namespace
