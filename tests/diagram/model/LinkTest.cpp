// Links: routing between the nodes' outlines, the label along the line,
// arrowheads, hit tests, attaching and re-attaching ends, references by
// identifier, and going away with their nodes.

#include "NodeLinkTestSupport.h"

#include "GraphMath.h"
#include "TextLayout.h"

#include <cmath>

using GraphMath::Pi;

namespace {

class LinkTest : public DiagramTest {
protected:
    // Two nodes 100 x 40 and the link from the first to the second.
    TGraphLink *Join(const TRect &from, const TRect &to)
    {
        TGraphNode *a = AddNode(from.Left, from.Top, from.Right, from.Bottom);
        TGraphNode *b = AddNode(to.Left, to.Top, to.Right, to.Bottom);
        TGraphLink *link = graph.LinkNodes(a, b);
        EXPECT_NE(link, nullptr);
        return link;
    }
};

// --- Routing ---

struct RouteCase {
    const char *name;
    TRect from, to;
    double angle;
    QPoint start, end;
};

TEST_F(LinkTest, EndsLieOnTheOutlinesAlongTheLineBetweenTheCentres)
{
    const RouteCase cases[] = {
        {"side by side", {0, 0, 100, 40}, {200, 0, 300, 40}, 0, {100, 20}, {200, 20}},
        {"right to left", {200, 0, 300, 40}, {0, 0, 100, 40}, Pi, {200, 20}, {100, 20}},
        {"stacked", {0, 0, 100, 40}, {0, 100, 100, 140}, Pi / 2, {50, 40}, {50, 100}},
        {"upwards", {0, 100, 100, 140}, {0, 0, 100, 40}, -Pi / 2, {50, 100}, {50, 40}},
        // coinciding centres count as pointing up
        {"same place", {0, 0, 100, 40}, {0, 0, 100, 40}, -Pi / 2, {50, 0}, {50, 40}},
        {"diagonal",
         {0, 0, 100, 40},
         {200, 100, 300, 140},
         std::atan2(100.0, 200.0),
         {90, 40},
         {210, 100}},
    };
    for (const RouteCase &c : cases) {
        TGraphLink *link = Join(c.from, c.to);
        ASSERT_NE(link, nullptr) << c.name;
        EXPECT_DOUBLE_EQ(link->Angle(), c.angle) << c.name;
        EXPECT_EQ(XY(link->StartPoint()), XY(c.start)) << c.name;
        EXPECT_EQ(XY(link->EndPoint()), XY(c.end)) << c.name;
        EXPECT_EQ(Edges(link->GetBoundsRect()), Edges(TRect::Normalized(c.start, c.end))) << c.name;
        graph.Clear();
    }
}

TEST_F(LinkTest, MovingOrResizingANodeReroutesItsLinks)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    TGraphNode *to = link->ToNode();
    changes = 0;
    to->MoveResizeByMarker(mkNodeBody, 0, 100); // now below and to the right
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(XY(link->StartPoint()), XY(QPoint(90, 40)));
    EXPECT_EQ(XY(link->EndPoint()), XY(QPoint(210, 100)));

    link->FromNode()->SetWidth(40); // centre (20, 20): stacked no more, angle changes
    EXPECT_DOUBLE_EQ(link->Angle(), std::atan2(100.0, 230.0));
}

TEST_F(LinkTest, NewLinkIsRedAndUndirectedWithArrowSizeFour)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    EXPECT_EQ(link->Pen().Color(), clRed);
    EXPECT_EQ(link->Kind(), lkUndirected);
    EXPECT_EQ(link->ArrowSize(), 4);
    EXPECT_EQ(link->FromNodeID(), link->FromNode()->ID());
    EXPECT_EQ(link->ToNodeID(), link->ToNode()->ID());
}

// --- Label ---

struct LabelLengthCase {
    int gap; // distance between the two nodes, the link's length
    int penWidth;
    bool hasLabel;
    int maxWidth; // the label fits into length - 3a
};

TEST_F(LinkTest, LabelNeedsMoreThanThreeTimesFourMarkerSizes)
{
    const LabelLengthCase cases[] = {
        {36, 1, false, 0}, // a = 12: 36 <= 3a
        {37, 1, true, 1},   {40, 1, true, 4},
        {100, 1, true, 64}, {60, 5, false, 0}, // a = 4 x the pen width 5 = 20
        {61, 5, true, 1},
    };
    for (const LabelLengthCase &c : cases) {
        TGraphLink *link = Join({0, 0, 100, 40}, {100 + c.gap, 0, 200 + c.gap, 40});
        link->Pen().SetWidth(c.penWidth);
        link->SetText(QStringLiteral("A label much longer than the line"));
        ASSERT_EQ(link->EndPoint().x() - link->StartPoint().x(), c.gap);
        if (!c.hasLabel) {
            EXPECT_TRUE(link->TextLine().isEmpty()) << "gap " << c.gap;
            EXPECT_TRUE(link->TextRegion().IsEmpty()) << "gap " << c.gap;
        } else {
            EXPECT_LE(link->TextRegion().Bounds().width(), c.maxWidth) << "gap " << c.gap;
            EXPECT_LE(TTextLayout::TextWidth(link->Font(), link->TextLine()), c.maxWidth)
                << "gap " << c.gap;
            EXPECT_NE(link->TextLine(), link->Text()) << "gap " << c.gap;
        }
        graph.Clear();
    }
}

TEST_F(LinkTest, LabelSitsOnTheMiddleOfTheLineAndIsShortenedWithAnEllipsis)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {400, 0, 500, 40}); // 300 long
    link->SetText(QStringLiteral("Hello"));
    EXPECT_EQ(link->TextLine(), QStringLiteral("Hello"));
    EXPECT_EQ(XY(link->TextPosition()), XY(QPoint(250, 20)));
    const int w = TTextLayout::TextWidth(link->Font(), QStringLiteral("Hello"));
    // bottom centre on the middle of the line, one line (13 units) high
    EXPECT_EQ(Edges(link->TextRegion().Bounds()),
              Edges(TRect(250 - w / 2, 7, 250 - w / 2 + w, 20)));

    link->SetText(QString(60, u'x'));
    EXPECT_TRUE(link->TextLine().endsWith(QStringLiteral("..."))) << link->TextLine().toStdString();
    EXPECT_LE(link->TextRegion().Bounds().width(), 300 - 36);
    EXPECT_GT(link->TextRegion().Bounds().width(), 200);
}

TEST_F(LinkTest, LabelMiddleTruncatesTowardZero)
{
    // Ends at (-201, -20) and (0, -20): the middle is -201 div 2 = -100.
    TGraphLink *link = Join({-301, -40, -201, 0}, {0, -40, 100, 0});
    link->SetText(QStringLiteral("x"));
    ASSERT_EQ(XY(link->StartPoint()), XY(QPoint(-201, -20)));
    EXPECT_EQ(XY(link->TextPosition()), XY(QPoint(-100, -20)));
}

TEST_F(LinkTest, LabelIsTurnedAlongTheLineButNeverUpsideDown)
{
    // Downwards: the label box is turned a quarter clockwise.
    TGraphLink *down = Join({0, 0, 100, 40}, {0, 300, 100, 340});
    down->SetText(QStringLiteral("Hello"));
    const int w = TTextLayout::TextWidth(down->Font(), QStringLiteral("Hello"));
    const QPoint p = down->TextPosition();
    ASSERT_EQ(XY(p), XY(QPoint(50, 170)));
    const QRect turned = down->TextRegion().Bounds();
    EXPECT_EQ(turned.width(), 13);
    EXPECT_EQ(turned.height(), w);
    EXPECT_TRUE(down->TextRegion().Contains(p.x() + 6, p.y()));
    EXPECT_FALSE(down->TextRegion().Contains(p.x() - 6, p.y()));
    EXPECT_EQ(TGraphLink::LabelEscapement(down->Angle()), -900);
    graph.Clear();

    // Right to left: the label reads left to right, above the line, exactly
    // as for the same link drawn the other way.
    TGraphLink *leftward = Join({400, 0, 500, 40}, {0, 0, 100, 40});
    TGraphLink *rightward = graph.LinkNodes(leftward->ToNode(), AddNode(0, 200, 100, 240));
    ASSERT_NE(rightward, nullptr);
    leftward->SetText(QStringLiteral("Hello"));
    EXPECT_DOUBLE_EQ(leftward->Angle(), Pi);
    EXPECT_EQ(TGraphLink::LabelEscapement(leftward->Angle()), 0);
    EXPECT_EQ(Edges(leftward->TextRegion().Bounds()),
              Edges(TRect(250 - w / 2, 7, 250 - w / 2 + w, 20)));
}

TEST_F(LinkTest, LabelReadsLeftToRightWhicheverWayTheLinkRuns)
{
    auto paintLabel = [this](bool reversed) {
        TGraphLink *link = Join({0, 0, 100, 40}, {400, 30, 500, 70}); // slightly downhill
        if (reversed)
            link->Reverse();
        link->SetText(QStringLiteral("Label"));
        link->Font().SetColor(clGreen);
        link->SetSelected(false);
        const QImage image = PaintObjects({link}, 600, 100);
        graph.Clear();
        return image;
    };
    const QImage forwards = paintLabel(false);
    const QImage backwards = paintLabel(true);
    ASSERT_GT(CountPixels(forwards, clGreen), 0);
    for (int y = 0; y < forwards.height(); ++y)
        for (int x = 0; x < forwards.width(); ++x)
            ASSERT_EQ(PixelIs(forwards, x, y, clGreen), PixelIs(backwards, x, y, clGreen))
                << "at " << x << "," << y;
}

// --- Drawing ---

TEST_F(LinkTest, LineIsTwoUnitsWideWhateverThePen)
{
    for (int width : {1, 5}) {
        TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
        link->SetSelected(false);
        link->Pen().SetWidth(width);
        const QImage image = PaintObjects({link});
        EXPECT_EQ(CountPixels(image, clRed, QRect(150, 0, 1, 60)), 2) << "pen width " << width;
        graph.Clear();
    }
}

struct ArrowCase {
    TLinkKind kind;
    int arrowSize;
    bool atEnd, atStart;
};

TEST_F(LinkTest, ArrowheadsFollowTheKindAndSize)
{
    const ArrowCase cases[] = {
        {lkUndirected, 4, false, false},
        {lkDirected, 4, true, false},
        {lkBidirected, 4, true, true},
        {lkDirected, 10, true, false},
    };
    for (const ArrowCase &c : cases) {
        // ends at (100, 20) and (200, 20); the line itself covers rows 20 and 21
        TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
        link->SetSelected(false);
        link->SetKind(c.kind);
        link->SetArrowSize(TArrowSize(c.arrowSize));
        link->Brush().SetColor(clBlue);
        const QImage image = PaintObjects({link});
        const int len = c.arrowSize * 3; // ArrowSize x MarkerSize (pen width 1)
        const QPoint endBarb = TGraphLink::BackPoint({200, 20}, len, Pi / 6);
        const QPoint startBarb = TGraphLink::BackPoint({100, 20}, -len, Pi / 6);
        const char *kind = c.kind == lkUndirected ? "undirected"
                           : c.kind == lkDirected ? "directed"
                                                  : "bidirected";
        auto around = [](const QPoint &p) { return QRect(p.x() - 1, p.y() - 1, 3, 3); };
        // the outline reaches the upper barb's tip, away from the line
        EXPECT_EQ(CountPixels(image, clRed, around(endBarb)) > 0, c.atEnd) << kind;
        EXPECT_EQ(CountPixels(image, clRed, around(startBarb)) > 0, c.atStart) << kind;
        // ... and nothing above the line lies farther back than the barbs
        const QRect above(0, 0, 400, 19);
        const QRect endDart(endBarb.x() - 1, 0, 202 - endBarb.x(), 19);
        const QRect startDart(99, 0, startBarb.x() - 97, 19);
        EXPECT_EQ(CountPixels(image, clRed, above),
                  CountPixels(image, clRed, endDart) + CountPixels(image, clRed, startDart))
            << kind;
        // filled with the link's brush
        const int nearEnd = CountPixels(image, clBlue, QRect(200 - len, 0, len + 1, 40));
        const int nearStart = CountPixels(image, clBlue, QRect(100, 0, len + 1, 40));
        EXPECT_EQ(nearEnd > 0, c.atEnd) << kind;
        EXPECT_EQ(nearStart > 0, c.atStart) << kind;
        EXPECT_EQ(CountPixels(image, clBlue), nearEnd + nearStart) << kind;
        graph.Clear();
    }
}

TEST_F(LinkTest, DraggedLinkIsNotDrawn)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    link->SetSelected(false);
    link->SetDragging(true);
    EXPECT_EQ(CountPixels(PaintObjects({link}), clRed), 0);
    link->SetDragging(false);
    EXPECT_GT(CountPixels(PaintObjects({link}), clRed), 0);
}

TEST_F(LinkTest, EndSquaresAreAlwaysFilledEvenWithLockedNodes)
{
    graph.SetMarkerColor(clBlue);
    graph.SetLockNodes(true);
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    ASSERT_TRUE(link->Selected());
    QImage image = PaintObjects({link});
    EXPECT_EQ(CountPixels(image, clBlue, link->GetMarkerRect(mkLinkFrom).ToQRect()), 36);
    EXPECT_EQ(CountPixels(image, clBlue, link->GetMarkerRect(mkLinkTo).ToQRect()), 36);
    EXPECT_EQ(CountPixels(image, clBlue), 72);
}

// --- Hit tests ---

struct LinkHitCase {
    int x, y;
    bool hit;
};

TEST_F(LinkTest, LineIsHitWithinPenWidthPlusMarkerSize)
{
    // Pen 1 + MarkerSize 3 = 4; the ends' rectangle grows by 4 div 2 = 2.
    TGraphLink *diagonal = Join({0, 0, 100, 40}, {200, 100, 300, 140}); // (90,40)-(210,100)
    diagonal->SetSelected(false);
    const LinkHitCase slanted[] = {
        {150, 70, true},   {148, 74, true},  // 4 units from the line
        {148, 75, false},                    // 5 units
        {152, 66, true},   {211, 100, true}, // on the line's extension, inside the grown rectangle
        {212, 101, false},                   // on the extension, past it
        {214, 102, false}, {89, 39, true},   {87, 38, false},
    };
    for (const LinkHitCase &c : slanted) {
        EXPECT_EQ(diagonal->ContainsPoint(c.x, c.y), c.hit) << "at " << c.x << "," << c.y;
        EXPECT_EQ(diagonal->HitTest(c.x, c.y), c.hit ? mkLinkLine : mkNone)
            << "at " << c.x << "," << c.y;
    }
    graph.Clear();

    TGraphLink *level = Join({0, 0, 100, 40}, {200, 0, 300, 40}); // (100,20)-(200,20)
    level->SetSelected(false);
    const LinkHitCase flat[] = {
        {150, 21, true}, {150, 22, false}, {150, 18, true}, {150, 17, false},
        {201, 20, true}, {202, 20, false}, {98, 20, true},  {97, 20, false},
    };
    for (const LinkHitCase &c : flat)
        EXPECT_EQ(level->ContainsPoint(c.x, c.y), c.hit) << "at " << c.x << "," << c.y;
}

TEST_F(LinkTest, LabelIsPartOfTheLink)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {400, 0, 500, 40});
    link->SetSelected(false);
    EXPECT_FALSE(link->ContainsPoint(250, 10)); // 10 units above the line
    link->SetText(QStringLiteral("Hello"));
    EXPECT_TRUE(link->ContainsPoint(250, 10));
    EXPECT_EQ(link->HitTest(250, 10), mkLinkLine);
}

TEST_F(LinkTest, SelectedLinkEndSquaresWinEvenInsideANode)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    EXPECT_EQ(Edges(link->GetMarkerRect(mkLinkFrom)), Edges(TRect(97, 17, 103, 23)));
    EXPECT_EQ(Edges(link->GetMarkerRect(mkLinkTo)), Edges(TRect(197, 17, 203, 23)));
    EXPECT_EQ(Edges(link->GetMarkerRect(mkLinkLine)), Edges(TRect()));
    EXPECT_EQ(Edges(link->GetMarkerRect(mkTopLeft)), Edges(TRect()));

    link->SetSelected(false);
    EXPECT_EQ(link->HitTest(99, 20), mkLinkLine);
    EXPECT_EQ(link->HitTest(97, 17), mkNone);
    link->SetSelected(true);
    // (99, 20) and (201, 21) lie inside the nodes
    EXPECT_EQ(link->HitTest(99, 20), mkLinkFrom);
    EXPECT_EQ(link->HitTest(97, 17), mkLinkFrom);
    EXPECT_EQ(link->HitTest(201, 21), mkLinkTo);
    EXPECT_EQ(link->HitTest(203, 20), mkNone);
    EXPECT_EQ(link->HitTest(150, 20), mkLinkLine);
    EXPECT_EQ(link->FromNode()->HitTest(99, 20), mkNodeBody);

    link->SetVisible(false);
    EXPECT_EQ(link->HitTest(99, 20), mkNone);
    EXPECT_EQ(link->HitTest(150, 20), mkNone);
    graph.SetShowHiddenObjects(true);
    EXPECT_EQ(link->HitTest(99, 20), mkLinkFrom);
}

TEST_F(LinkTest, LinkWithoutNodesHasNoEndsAndIsNotHit)
{
    auto *link = static_cast<TGraphLink *>(TGraphLink::Class.Create(&graph));
    EXPECT_EQ(Edges(link->GetMarkerRect(mkLinkFrom)), Edges(TRect()));
    EXPECT_EQ(Edges(link->GetMarkerRect(mkLinkTo)), Edges(TRect()));
    EXPECT_FALSE(link->ContainsPoint(0, 0));
    EXPECT_EQ(link->HitTest(0, 0), mkNone);
    link->Free();
    EXPECT_EQ(graph.Objects().Count(), 0);
}

// --- Attaching ---

TEST_F(LinkTest, AttachingToNoNodeOrToTheOtherEndChangesNothing)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    TGraphNode *from = link->FromNode();
    TGraphNode *to = link->ToNode();
    changes = 0;
    link->SetFromNode(to);
    link->SetFromNode(from);
    link->SetFromNode(nullptr);
    link->SetToNode(from);
    link->SetToNode(to);
    link->SetToNode(nullptr);
    EXPECT_EQ(link->FromNode(), from);
    EXPECT_EQ(link->ToNode(), to);
    EXPECT_EQ(link->FromNodeID(), from->ID());
    EXPECT_EQ(link->ToNodeID(), to->ID());
    EXPECT_EQ(changes, 0);
}

TEST_F(LinkTest, ReattachingAnEndReroutesAndReports)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    TGraphNode *below = AddNode(0, 100, 100, 140);
    changes = 0;
    link->SetToNode(below);
    EXPECT_EQ(link->ToNode(), below);
    EXPECT_EQ(link->ToNodeID(), below->ID());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(XY(link->EndPoint()), XY(QPoint(50, 100)));
    EXPECT_DOUBLE_EQ(link->Angle(), Pi / 2);

    TGraphNode *left = AddNode(-300, 100, -200, 140);
    link->SetFromNode(left);
    EXPECT_EQ(link->FromNodeID(), left->ID());
    EXPECT_EQ(XY(link->StartPoint()), XY(QPoint(-200, 120)));
}

TEST_F(LinkTest, ReverseSwapsTheEndsAndReroutes)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    TGraphNode *from = link->FromNode();
    TGraphNode *to = link->ToNode();
    const uint32_t fromID = link->FromNodeID(), toID = link->ToNodeID();
    changes = 0;
    link->Reverse();
    EXPECT_EQ(link->FromNode(), to);
    EXPECT_EQ(link->ToNode(), from);
    EXPECT_EQ(link->FromNodeID(), toID);
    EXPECT_EQ(link->ToNodeID(), fromID);
    EXPECT_DOUBLE_EQ(link->Angle(), Pi);
    EXPECT_EQ(XY(link->StartPoint()), XY(QPoint(200, 20)));
    EXPECT_EQ(XY(link->EndPoint()), XY(QPoint(100, 20)));
    EXPECT_EQ(changes, 1);
}

TEST_F(LinkTest, KindAndArrowSizeReportChangesOnlyWhenDifferent)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    changes = 0;
    link->SetKind(lkDirected);
    EXPECT_EQ(changes, 1);
    link->SetKind(lkDirected);
    EXPECT_EQ(changes, 1);
    link->SetArrowSize(6);
    EXPECT_EQ(link->ArrowSize(), 6);
    EXPECT_EQ(changes, 2);
    link->SetArrowSize(6);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(graph.GraphModified());
}

// --- References by identifier ---

TEST_F(LinkTest, ReplaceReferencePointsTheLinkAtTheNewNode)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    TGraphNode *from = link->FromNode();
    TGraphNode *to = link->ToNode();
    TGraphNode *below = AddNode(0, 100, 100, 140);

    // not one of its nodes: nothing changes
    EXPECT_TRUE(link->ReplaceReference(below, from));
    EXPECT_EQ(link->FromNode(), from);

    EXPECT_TRUE(link->ReplaceReference(to, below));
    EXPECT_EQ(link->ToNode(), below);
    EXPECT_EQ(link->ToNodeID(), below->ID());
    EXPECT_EQ(XY(link->EndPoint()), XY(QPoint(50, 100)));

    // onto its other end, or onto nothing: it can no longer link
    EXPECT_FALSE(link->ReplaceReference(below, from));
    EXPECT_FALSE(link->ReplaceReference(from, nullptr));
    EXPECT_EQ(link->FromNodeID(), 0u);
}

TEST_F(LinkTest, ResolveReferencesFollowsTheIdentifiers)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    TGraphNode *to = link->ToNode();
    TGraphNode *other = AddNode(0, 100, 100, 140);
    TGraphLink *second = graph.LinkNodes(other, to);
    ASSERT_NE(second, nullptr);

    EXPECT_TRUE(link->ResolveReferences()); // unchanged identifiers

    changes = 0;
    link->SetToNodeID(other->ID());
    EXPECT_TRUE(link->ResolveReferences());
    EXPECT_EQ(link->ToNode(), other);
    EXPECT_EQ(XY(link->EndPoint()), XY(QPoint(50, 100)));
    EXPECT_EQ(changes, 0);

    // the second link may not join the nodes the first already joins
    second->SetToNodeID(link->FromNodeID());
    second->SetFromNodeID(other->ID());
    EXPECT_FALSE(second->ResolveReferences());

    // an identifier that names no node
    link->SetFromNodeID(9999);
    EXPECT_FALSE(link->ResolveReferences());
}

TEST_F(LinkTest, AssignTakesTheIdentifiersButNotTheNodesOrKind)
{
    TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
    link->SetKind(lkBidirected);
    link->SetText(QStringLiteral("W1"));
    TGraphLink *copy = graph.LinkNodes(link->ToNode(), AddNode(0, 100, 100, 140));
    ASSERT_NE(copy, nullptr);
    TGraphNode *copyFrom = copy->FromNode();
    copy->Assign(link);
    EXPECT_EQ(copy->FromNodeID(), link->FromNodeID());
    EXPECT_EQ(copy->ToNodeID(), link->ToNodeID());
    EXPECT_EQ(copy->FromNode(), copyFrom);
    EXPECT_EQ(copy->Kind(), lkUndirected);
    EXPECT_EQ(copy->Text(), QStringLiteral("W1"));
}

// --- Going away with the nodes ---

TEST_F(LinkTest, DeletingEitherNodeDeletesTheLink)
{
    for (bool deleteFrom : {true, false}) {
        TGraphLink *link = Join({0, 0, 100, 40}, {200, 0, 300, 40});
        TGraphNode *from = link->FromNode();
        TGraphNode *to = link->ToNode();
        (deleteFrom ? from : to)->Free();
        EXPECT_FALSE(Contains(link)) << (deleteFrom ? "from" : "to");
        EXPECT_TRUE(Contains(deleteFrom ? to : from));
        EXPECT_EQ(graph.Objects().Count(), 1);
        graph.Clear();
    }
}

TEST_F(LinkTest, DeletingANodeDeletesAllItsLinksAndOnlyThose)
{
    TGraphNode *hub = AddNode(200, 200, 300, 240);
    TGraphNode *a = AddNode(0, 0, 100, 40);
    TGraphNode *b = AddNode(400, 0, 500, 40);
    TGraphNode *c = AddNode(0, 400, 100, 440);
    TGraphLink *la = graph.LinkNodes(hub, a);
    TGraphLink *lb = graph.LinkNodes(b, hub);
    TGraphLink *lc = graph.LinkNodes(hub, c);
    TGraphLink *keep = graph.LinkNodes(a, b);
    ASSERT_EQ(graph.Objects().Count(), 8);

    hub->Free();
    EXPECT_FALSE(Contains(la));
    EXPECT_FALSE(Contains(lb));
    EXPECT_FALSE(Contains(lc));
    EXPECT_TRUE(Contains(keep));
    EXPECT_EQ(graph.Objects().Count(), 4);
    EXPECT_EQ(a->LinkKindTo(b), 1);
}

} // namespace
