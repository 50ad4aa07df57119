// The arithmetic conventions, regions, the link-end geometry of each shape
// and the line helpers of links, checked on their own.

#include "NodeLinkTestSupport.h"

#include "GraphMath.h"
#include "GraphRegion.h"
#include "LinkIntersection.h"

#include <climits>
#include <cmath>

using GraphMath::Pi;

namespace {

// --- GraphMath ---

struct RoundCase {
    double value;
    int expected;
};

TEST(GraphMathTest, RoundHalfEvenRoundsHalvesToTheEvenNeighbour)
{
    const RoundCase cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},        {-0.5, 0},
        {-1.5, -2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2},     {2.5001, 3},
        {-2.6, -3}, {7.0, 7},   {-0.2, 0},  {1e12, INT_MAX}, {-1e12, INT_MIN},
    };
    for (const RoundCase &c : cases)
        EXPECT_EQ(GraphMath::RoundHalfEven(c.value), c.expected) << "value " << c.value;
}

TEST(GraphMathTest, RoundHalfEvenOfNonFiniteValuesIsZero)
{
    EXPECT_EQ(GraphMath::RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(GraphMath::RoundHalfEven(INFINITY), 0);
}

struct MulDivCase {
    int a, b, divisor, expected;
};

TEST(GraphMathTest, MulDivRoundsHalvesAwayFromZero)
{
    const MulDivCase cases[] = {
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {5, 1, -2, -3},
        {-5, -1, 2, 3},
        {-5, 1, -2, 3},
        {7, 1, 3, 2},
        {8, 1, 3, 3},
        {-13, 72, 96, -10},
        {10, 96, 72, 13},
        {12, 96, 72, 16},
        {0, 5, 7, 0},
        // the product exceeds 32 bits, the result does not
        {100000, 100000, 1000, 10000000},
        {5, 7, 0, -1},
        {-5, 7, 0, -1},
        {0, 0, 0, -1},
    };
    for (const MulDivCase &c : cases)
        EXPECT_EQ(GraphMath::MulDiv(c.a, c.b, c.divisor), c.expected)
            << "MulDiv(" << c.a << ", " << c.b << ", " << c.divisor << ")";
}

// --- TGraphRegion ---

struct RegionPoint {
    int x, y;
    bool inside;
};

void ExpectPoints(const TGraphRegion &region, std::initializer_list<RegionPoint> points,
                  const char *what)
{
    for (const RegionPoint &p : points)
        EXPECT_EQ(region.Contains(p.x, p.y), p.inside) << what << " at " << p.x << "," << p.y;
}

TEST(GraphRegionTest, RectangleHoldsLeftAndTopEdgesButNotRightAndBottom)
{
    const TGraphRegion region = TGraphRegion::FromRect(10, 20, 30, 40);
    EXPECT_EQ(region.GetKind(), TGraphRegion::Rectangle);
    ExpectPoints(region,
                 {{10, 20, true},
                  {29, 39, true},
                  {20, 30, true},
                  {30, 20, false},
                  {10, 40, false},
                  {9, 20, false},
                  {10, 19, false}},
                 "rectangle");
    EXPECT_EQ(Edges(region.Bounds()), (std::array<int, 4>{10, 20, 30, 40}));
}

TEST(GraphRegionTest, EllipseCutsTheCornersOfItsBox)
{
    // A node (0, 0, 100, 40): the region is made from the box grown by one.
    const TGraphRegion region = TGraphRegion::FromEllipse(0, 0, 101, 41);
    ExpectPoints(region,
                 {{50, 20, true},
                  {1, 20, true},
                  {98, 20, true},
                  {50, 1, true},
                  {50, 38, true},
                  {0, 0, false},
                  {99, 0, false},
                  {0, 39, false},
                  {99, 39, false},
                  {100, 20, false},
                  {50, 40, false},
                  {10, 3, false}},
                 "ellipse");
}

TEST(GraphRegionTest, RoundRectangleCutsOnlyItsCornersByTheCornerEllipse)
{
    // The node (0, 0, 100, 40) with its corner ellipse 25 x 25.
    const TGraphRegion region = TGraphRegion::FromRoundRect(0, 0, 101, 41, 25, 25);
    ExpectPoints(region,
                 {{50, 0, true},
                  {0, 20, true},
                  {99, 20, true},
                  {50, 39, true},
                  {4, 4, true},
                  {0, 9, true},
                  {12, 0, true},
                  // the corners, and where an ellipse of 25 leaves the edge
                  {0, 0, false},
                  {2, 2, false},
                  {3, 3, false},
                  {0, 8, false},
                  {99, 39, false},
                  {97, 37, false},
                  {99, 0, false},
                  {0, 39, false},
                  {100, 20, false},
                  {50, 40, false}},
                 "rounded rectangle");
}

TEST(GraphRegionTest, PolygonFollowsItsFillRule)
{
    const QVector<QPoint> triangle = {{50, 0}, {100, 60}, {0, 60}};
    ExpectPoints(TGraphRegion::FromPolygon(triangle, TGraphRegion::Winding),
                 {{50, 30, true},
                  {50, 59, true},
                  {50, 60, false},
                  {5, 5, false},
                  {95, 5, false},
                  {10, 30, false}},
                 "triangle");

    // A five-pointed star drawn in one stroke: its middle is wound twice,
    // so it is inside by the winding rule and outside by the alternate rule.
    const QVector<QPoint> star = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    EXPECT_TRUE(TGraphRegion::FromPolygon(star, TGraphRegion::Winding).Contains(50, 50));
    EXPECT_FALSE(TGraphRegion::FromPolygon(star, TGraphRegion::Alternate).Contains(50, 50));
    // A point of the star is inside by either rule.
    EXPECT_TRUE(TGraphRegion::FromPolygon(star, TGraphRegion::Alternate).Contains(50, 10));
}

struct OverlapCase {
    const char *name;
    TGraphRegion region;
    QRect rect;
    bool overlaps;
};

TEST(GraphRegionTest, OverlapsLooksAtTheShapeNotJustItsBox)
{
    const TGraphRegion rect = TGraphRegion::FromRect(10, 20, 30, 40);
    const TGraphRegion ellipse = TGraphRegion::FromEllipse(0, 0, 101, 41);
    const TGraphRegion circle = TGraphRegion::FromEllipse(0, 0, 401, 401);
    const TGraphRegion round = TGraphRegion::FromRoundRect(0, 0, 101, 41, 25, 25);
    const TGraphRegion triangle =
        TGraphRegion::FromPolygon({{50, 0}, {100, 60}, {0, 60}}, TGraphRegion::Winding);
    const OverlapCase cases[] = {
        {"rect, right neighbour", rect, QRect(30, 20, 5, 5), false},
        {"rect, below", rect, QRect(10, 40, 5, 5), false},
        {"rect, last unit", rect, QRect(29, 39, 5, 5), true},
        {"ellipse, corner", ellipse, QRect(0, 0, 3, 3), false},
        {"ellipse, middle", ellipse, QRect(48, 18, 2, 2), true},
        {"ellipse, covering", ellipse, QRect(-50, -50, 200, 200), true},
        // large rectangles inside and outside the cut corner of a big circle
        {"circle, empty corner", circle, QRect(0, 0, 40, 40), false},
        {"circle, reaching in", circle, QRect(0, 0, 70, 70), true},
        {"rounded, corner", round, QRect(0, 0, 2, 2), false},
        {"rounded, edge", round, QRect(49, -1, 2, 2), true},
        {"triangle, beside apex", triangle, QRect(0, 0, 20, 20), false},
        {"triangle, base", triangle, QRect(40, 58, 4, 4), true},
        {"empty region", TGraphRegion::FromRect(5, 5, 5, 10), QRect(0, 0, 20, 20), false},
    };
    for (const OverlapCase &c : cases)
        EXPECT_EQ(c.region.Overlaps(c.rect), c.overlaps) << c.name;
}

TEST(GraphRegionTest, DegenerateShapesGiveEmptyRegions)
{
    EXPECT_TRUE(TGraphRegion::FromRect(5, 5, 5, 10).IsEmpty());
    EXPECT_TRUE(TGraphRegion::FromRect(5, 10, 8, 10).IsEmpty());
    EXPECT_TRUE(TGraphRegion::FromEllipse(5, 5, 6, 10).IsEmpty());
    EXPECT_TRUE(TGraphRegion::FromPolygon({{0, 0}, {10, 10}}, TGraphRegion::Winding).IsEmpty());
    EXPECT_TRUE(
        TGraphRegion::FromPolygon({{0, 0}, {10, 0}, {20, 0}}, TGraphRegion::Winding).IsEmpty());
    EXPECT_FALSE(TGraphRegion().Contains(0, 0));
}

TEST(GraphRegionTest, TranslatedMovesEveryKind)
{
    const TGraphRegion regions[] = {
        TGraphRegion::FromRect(0, 0, 10, 10),
        TGraphRegion::FromEllipse(0, 0, 11, 11),
        TGraphRegion::FromRoundRect(0, 0, 11, 11, 4, 4),
        TGraphRegion::FromPolygon({{5, 0}, {10, 10}, {0, 10}}, TGraphRegion::Winding),
    };
    for (const TGraphRegion &region : regions) {
        const TGraphRegion moved = region.Translated(100, -50);
        EXPECT_TRUE(moved.Contains(105, -44)) << region.GetKind();
        EXPECT_FALSE(moved.Contains(5, 6)) << region.GetKind();
        EXPECT_EQ(moved.Bounds(), region.Bounds().translated(100, -50)) << region.GetKind();
    }
}

// --- LinkIntersection: where a line through the centre meets each outline ---

struct EndCase {
    int side;
    double angle;
    QPoint expected;
};

void ExpectEnds(const char *shape, std::initializer_list<EndCase> cases,
                const std::function<QPoint(int, double)> &rule)
{
    for (const EndCase &c : cases)
        EXPECT_EQ(XY(rule(c.side, c.angle)), XY(c.expected))
            << shape << ", side " << c.side << ", angle " << c.angle;
}

TEST(LinkIntersectionTest, RectangleRule)
{
    const TRect box(0, 0, 100, 40); // its diagonal's angle is about 0.38
    ExpectEnds(
        "rectangle",
        {
            {0, 0, {100, 20}},
            {1, 0, {0, 20}},
            {0, Pi / 2, {50, 40}},
            {1, Pi / 2, {50, 0}},
            {0, -Pi / 2, {50, 0}},
            {1, -Pi / 2, {50, 40}},
            {0, Pi, {0, 20}},
            {1, Pi, {100, 20}},
            {0, -Pi, {0, 20}},
            {1, -Pi, {100, 20}},
            // flatter than the diagonal: the left and right sides
            {0, 0.1, {100, 25}},
            {1, 0.1, {0, 15}},
            {0, Pi - 0.1, {0, 25}},
            {1, Pi - 0.1, {100, 15}},
            // steeper: the top and bottom
            {0, Pi / 4, {70, 40}},
            {1, Pi / 4, {30, 0}},
            {0, -Pi / 4, {70, 0}},
            {1, -Pi / 4, {30, 40}},
            {0, 3 * Pi / 4, {30, 40}},
            {1, 3 * Pi / 4, {70, 0}},
            {0, -3 * Pi / 4, {30, 0}},
            {1, -3 * Pi / 4, {70, 40}},
        },
        [&](int side, double angle) { return LinkIntersection::Rectangle(box, side, angle); });
}

TEST(LinkIntersectionTest, RectangleRuleRoundsHalfCentresToEven)
{
    ExpectEnds("odd box 101 x 41", {{0, Pi / 2, {50, 41}}, {0, 0, {101, 20}}},
               [](int side, double angle) {
                   return LinkIntersection::Rectangle(TRect(0, 0, 101, 41), side, angle);
               });
    ExpectEnds("odd box 103 x 43", {{0, Pi / 2, {52, 43}}, {1, 0, {0, 22}}},
               [](int side, double angle) {
                   return LinkIntersection::Rectangle(TRect(0, 0, 103, 43), side, angle);
               });
}

TEST(LinkIntersectionTest, EllipseRule)
{
    const TRect box(0, 0, 100, 40);
    ExpectEnds("ellipse",
               {
                   {0, 0, {100, 20}},
                   {1, 0, {0, 20}},
                   {0, Pi / 2, {50, 40}},
                   {1, Pi / 2, {50, 0}},
                   {0, Pi, {0, 20}},
                   {1, Pi, {100, 20}},
                   {0, Pi / 4, {69, 39}},
                   {1, Pi / 4, {31, 1}},
                   {0, 3 * Pi / 4, {31, 39}},
                   {1, 3 * Pi / 4, {69, 1}},
                   {0, -Pi / 4, {69, 1}},
                   {1, -Pi / 4, {31, 39}},
                   {0, 0.3, {90, 32}},
                   {1, 0.3, {10, 8}},
               },
               [&](int side, double angle) { return LinkIntersection::Ellipse(box, side, angle); });
}

TEST(LinkIntersectionTest, RoundRectangleRuleMeetsTheCornerEllipse)
{
    const TRect box(0, 0, 100, 40);
    const TGraphRegion region = TGraphRegion::FromRoundRect(0, 0, 101, 41, 25, 25);
    ExpectEnds("rounded rectangle",
               {
                   // on a straight part of the outline: the rectangle's point
                   {0, 0, {100, 20}},
                   {1, 0, {0, 20}},
                   {0, Pi / 2, {50, 40}},
                   {0, Pi / 4, {70, 40}},
                   {1, Pi / 4, {30, 0}},
                   // the rectangle's point (99, 40) and the like lie in a cut corner
                   {0, 0.39, {94, 38}},
                   {1, 0.39, {6, 2}},
                   {0, Pi - 0.39, {6, 38}},
                   {1, Pi - 0.39, {94, 2}},
                   {0, -0.39, {94, 2}},
                   {1, -0.39, {6, 38}},
                   {0, -(Pi - 0.39), {6, 2}},
                   {1, -(Pi - 0.39), {94, 38}},
               },
               [&](int side, double angle) {
                   return LinkIntersection::RoundRectangle(box, region, side, angle);
               });
}

TEST(LinkIntersectionTest, PolygonRuleTakesTheFirstCrossingInWalkOrder)
{
    // Triangle in (0, 0, 100, 60); the centre is the corners' average (50, 40).
    const QVector<QPoint> triangle = {{50, 0}, {100, 60}, {0, 60}};
    ExpectEnds("triangle",
               {
                   {0, 0, {83, 40}},
                   {1, 0, {17, 40}},
                   {0, Pi, {17, 40}},
                   {1, Pi, {83, 40}},
                   {0, Pi / 2, {50, 60}},
                   {1, Pi / 2, {50, 0}},
                   {0, -Pi / 2, {50, 0}},
                   {1, -Pi / 2, {50, 60}},
               },
               [&](int side, double angle) {
                   return LinkIntersection::Polygon(triangle, QPoint(50, 40), side, angle);
               });

    // Pentagon in (0, 0, 100, 60), centre (50, 36).
    const QVector<QPoint> pentagon = {{50, 0}, {100, 30}, {75, 60}, {25, 60}, {0, 30}};
    ExpectEnds("pentagon",
               {{0, 0, {95, 36}}, {1, 0, {5, 36}}, {0, Pi / 2, {50, 60}}, {1, Pi / 2, {50, 0}}},
               [&](int side, double angle) {
                   return LinkIntersection::Polygon(pentagon, QPoint(50, 36), side, angle);
               });

    // Rhombus in (0, 0, 100, 60), centre (50, 30), on a slant.
    const QVector<QPoint> rhombus = {{50, 0}, {100, 30}, {50, 60}, {0, 30}};
    ExpectEnds("rhombus", {{0, Pi / 4, {69, 49}}, {1, Pi / 4, {31, 11}}},
               [&](int side, double angle) {
                   return LinkIntersection::Polygon(rhombus, QPoint(50, 30), side, angle);
               });
}

TEST(LinkIntersectionTest, PolygonWithoutCrossingGivesTheCentre)
{
    EXPECT_EQ(XY(LinkIntersection::Polygon({}, QPoint(7, 9), 0, 0.5)), XY(QPoint(7, 9)));
    EXPECT_EQ(XY(LinkIntersection::Polygon({{3, 3}}, QPoint(7, 9), 1, 0.5)), XY(QPoint(7, 9)));
    // A centre far outside the outline: the line misses every edge.
    const QVector<QPoint> triangle = {{50, 0}, {100, 60}, {0, 60}};
    EXPECT_EQ(XY(LinkIntersection::Polygon(triangle, QPoint(500, 500), 0, 0)),
              XY(QPoint(500, 500)));
}

// --- The line helpers of links ---

struct DistanceCase {
    QPoint start, end, point;
    int expected;
};

TEST(LinkGeometryTest, DistanceToLineIsMeasuredToTheInfiniteLine)
{
    const DistanceCase cases[] = {
        {{0, 0}, {0, 50}, {7, 20}, 7},        // vertical
        {{0, 0}, {0, 50}, {-3, 500}, 3},      // vertical, far beyond the end
        {{0, 0}, {50, 0}, {20, -9}, 9},       // horizontal
        {{0, 0}, {50, 0}, {100, 3}, 3},       // horizontal, beyond the end
        {{0, 0}, {10, 10}, {0, 10}, 7},       // foot (5, 5), distance 7.07
        {{0, 0}, {10, 10}, {3, 3}, 0},        // on the line
        {{90, 40}, {210, 100}, {148, 74}, 4}, // foot (150, 70), distance 4.47
        {{90, 40}, {210, 100}, {148, 75}, 5}, // foot (150, 70), distance 5.39
        {{0, 0}, {10, 10}, {30, 20}, 7},      // beyond the end: foot (25, 25)
    };
    for (const DistanceCase &c : cases)
        EXPECT_EQ(TGraphLink::DistanceToLine(c.start, c.end, c.point), c.expected)
            << "point " << c.point.x() << "," << c.point.y();
}

struct BackPointCase {
    QPoint point;
    double distance;
    double angle;
    QPoint expected;
};

TEST(LinkGeometryTest, BackPointMovesAgainstTheDirection)
{
    const BackPointCase cases[] = {
        // the arrowhead of a left-to-right link ending at (200, 20), ArrowSize 4:
        // barbs 12 back at 30 degrees, the notch 8 back on the line
        {{200, 20}, 12, Pi / 6, {190, 14}},
        {{200, 20}, 8, 0, {192, 20}},
        {{200, 20}, 12, -Pi / 6, {190, 26}},
        {{200, 20}, 12, 0, {188, 20}},
        // a negative distance moves along the direction (start of a bidirected link)
        {{200, 20}, -12, 0, {212, 20}},
        // pointing left
        {{0, 20}, 12, Pi, {12, 20}},
        {{0, 20}, 12, Pi - Pi / 6, {10, 14}},
        // straight down and up
        {{50, 100}, 12, Pi / 2, {50, 88}},
        {{50, 100}, 12, -Pi / 2, {50, 112}},
        {{50, 100}, -12, Pi / 2, {50, 112}},
        // y follows from the unrounded x: -1.58 * 3 = -4.74, not -2 * 3
        {{0, 0}, 5, std::atan(3.0), {-2, -5}},
    };
    for (const BackPointCase &c : cases)
        EXPECT_EQ(XY(TGraphLink::BackPoint(c.point, c.distance, c.angle)), XY(c.expected))
            << "distance " << c.distance << ", angle " << c.angle;
}

struct EscapementCase {
    double angle;
    int expected;
};

TEST(LinkGeometryTest, LabelEscapementNeverTurnsTheLabelUpsideDown)
{
    const EscapementCase cases[] = {
        {0, 0},         {Pi / 4, -450},
        {-Pi / 4, 450}, {Pi / 2, -900},
        {-Pi / 2, 900}, {Pi, 0},
        {Pi - 0.1, 57}, {3 * Pi / 4, 450},
        {0.1, -57},     {-3 * Pi / 4, 3150}, // -225 degrees: the same as 135
    };
    for (const EscapementCase &c : cases)
        EXPECT_EQ(TGraphLink::LabelEscapement(c.angle), c.expected) << "angle " << c.angle;
}

} // namespace
