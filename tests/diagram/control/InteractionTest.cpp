// Editing a diagram with the mouse and the keyboard: hit tests, moving and
// resizing nodes, selecting by rectangle, re-attaching link ends, the insert,
// link and browse modes, locked nodes, the keyboard commands, double clicks,
// context menus, cursors and the events that report all of it.

#include "ShownGraphTestSupport.h"

#include "EllipticNode.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace ShownGraph;

namespace {

// The object events, the mode changes and the plain mouse events as text,
// with the objects by the names the test gave them.
class EventLog {
public:
    void Name(const TGraphObject *object, const std::string &name) { FNames[object] = name; }

    std::string NameOf(const TGraphObject *object) const
    {
        const auto it = FNames.find(object);
        return it == FNames.end() ? "new" : it->second;
    }

    void Attach(TGraphControl &graph)
    {
        graph.OnObjectInsert = [this](TGraphControl *, TGraphObject *o) {
            Entries.push_back("insert " + NameOf(o));
        };
        graph.OnObjectRemove = [this](TGraphControl *, TGraphObject *o) {
            Entries.push_back("remove " + NameOf(o));
        };
        graph.OnObjectSelect = [this](TGraphControl *, TGraphObject *o) {
            Entries.push_back((o->Selected() ? "select " : "deselect ") + NameOf(o));
        };
        graph.OnGraphChange = [this](TGraphControl *) { Entries.push_back("change"); };
        graph.OnCommandModeChange = [this](TGraphControl *g) {
            Entries.push_back("mode " + std::to_string(int(g->CommandMode())));
        };
    }

    std::vector<std::string> Entries;

private:
    std::map<const TGraphObject *, std::string> FNames;
};

class InteractionTest : public ShownGraphTest {
protected:
    QCursor Cursor() const { return graph.viewport()->cursor(); }

    // Whether the viewport shows one of the control's own cursors.
    bool ShowsGraphCursor(int number) const
    {
        const QCursor shown = Cursor();
        const QCursor own = TGraphControl::GraphCursor(number);
        return shown.shape() == Qt::BitmapCursor &&
               shown.pixmap().toImage() == own.pixmap().toImage() &&
               shown.hotSpot() == own.hotSpot();
    }

    std::set<TGraphObject *> Selection() const
    {
        std::set<TGraphObject *> objects;
        for (int i = 0; i < graph.SelectedObjects().Count(); ++i)
            objects.insert(graph.SelectedObjects()[i]);
        return objects;
    }

    static std::array<int, 4> Bounds(const TGraphNode *node)
    {
        return {node->Left(), node->Top(), node->Left() + node->Width(),
                node->Top() + node->Height()};
    }

    // Three nodes and a link from the first to the second:
    // a (20, 20, 60, 60), b (200, 20, 240, 60), c (100, 150, 140, 190).
    void MakeTriangle()
    {
        a = AddNode(20, 20, 60, 60);
        b = AddNode(200, 20, 240, 60);
        c = AddNode(100, 150, 140, 190);
        ab = AddLink(a, b);
        log.Name(a, "a");
        log.Name(b, "b");
        log.Name(c, "c");
        log.Name(ab, "ab");
    }

    TGraphNode *a = nullptr;
    TGraphNode *b = nullptr;
    TGraphNode *c = nullptr;
    TGraphLink *ab = nullptr;
    EventLog log;
};

// --- Hit test ---

TEST_F(InteractionTest, HandleOfSelectedLowerNodeWinsOverUpperBody)
{
    TGraphNode *lower = AddNode(20, 20, 100, 100);
    TGraphNode *upper = AddNode(80, 80, 160, 160);
    using Hit = std::pair<TGraphObject *, TGraphMarker>;

    // Plain hits: the topmost object.
    EXPECT_EQ(graph.ObjectAndMarkerAt(98, 98), Hit(upper, mkNodeBody));
    EXPECT_EQ(graph.ObjectAndMarkerAt(50, 50), Hit(lower, mkNodeBody));
    EXPECT_EQ(graph.ObjectAndMarkerAt(300, 200), Hit(nullptr, mkNone));

    // The bottom-right handle of the selected lower node lies under the upper body.
    lower->SetSelected(true);
    EXPECT_EQ(graph.ObjectAndMarkerAt(98, 98), Hit(lower, mkBottomRight));
    EXPECT_EQ(graph.ObjectAndMarkerAt(150, 150), Hit(upper, mkNodeBody));

    // A press there resizes the lower node and leaves the upper one alone.
    Press(QPoint(98, 98));
    EXPECT_EQ(graph.HitObject(), lower);
    EXPECT_EQ(graph.HitMarker(), mkBottomRight);
    EXPECT_EQ(graph.DragState(), dragMoveResize);
    Move(QPoint(118, 118));
    Release(QPoint(118, 118));
    EXPECT_EQ(Bounds(lower), (std::array<int, 4>{20, 20, 120, 120}));
    EXPECT_EQ(Bounds(upper), (std::array<int, 4>{80, 80, 160, 160}));
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{lower});
}

TEST_F(InteractionTest, SelectedLinkEndWinsOverTheNodeBelow)
{
    MakeTriangle();
    const QPoint end = ab->EndPoint();
    using Hit = std::pair<TGraphObject *, TGraphMarker>;
    EXPECT_EQ(graph.ObjectAndMarkerAt(end.x(), end.y()).second, mkLinkLine);
    ab->SetSelected(true);
    EXPECT_EQ(graph.ObjectAndMarkerAt(end.x(), end.y()), Hit(ab, mkLinkTo));
    EXPECT_EQ(graph.ObjectAndMarkerAt(ab->StartPoint().x(), ab->StartPoint().y()),
              Hit(ab, mkLinkFrom));
}

// --- Moving and resizing ---

TEST_F(InteractionTest, MoveDragSnapsToTheGridUnlessCtrl)
{
    struct Case {
        const char *name;
        Qt::KeyboardModifiers modifiers;
        bool snap;
        int zoom;
        QPoint to;
        int dx, dy;
    };
    const Case cases[] = {
        {"snapped", Qt::NoModifier, true, 100, {27, 14}, 20, 10},
        {"with Ctrl", Qt::ControlModifier, true, 100, {27, 14}, 24, 11},
        {"snapping off", Qt::NoModifier, false, 100, {27, 14}, 24, 11},
        {"horizontal only", Qt::NoModifier, true, 100, {27, 3}, 20, 0},
        {"zoomed", Qt::NoModifier, true, 200, {27, 14}, 20, 10},
        {"backwards", Qt::NoModifier, true, 100, {-14, -3}, -10, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        graph.Clear();
        graph.SetZoom(c.zoom);
        graph.SetSnapToGrid(c.snap);
        TGraphNode *node = AddNode(0, 0, 40, 40);
        DragDiagram(QPoint(3, 3), c.to, c.modifiers);
        EXPECT_EQ(Bounds(node), (std::array<int, 4>{c.dx, c.dy, 40 + c.dx, 40 + c.dy}));
        EXPECT_EQ(graph.DragState(), dragNone);
        EXPECT_TRUE(node->Selected());
        EXPECT_FALSE(node->Dragging());
    }
}

TEST_F(InteractionTest, MoveDragCarriesEverySelectedNode)
{
    MakeTriangle();
    a->SetSelected(true);
    Press(QPoint(210, 30), Qt::ShiftModifier); // adds b
    Release(QPoint(210, 30), Qt::ShiftModifier);
    ASSERT_EQ(Selection(), (std::set<TGraphObject *>{a, b}));

    Press(QPoint(30, 30));
    EXPECT_TRUE(a->Dragging());
    EXPECT_TRUE(b->Dragging());
    EXPECT_FALSE(c->Dragging());
    Move(QPoint(50, 70));
    EXPECT_EQ(Bounds(a), (std::array<int, 4>{40, 60, 80, 100}));
    EXPECT_EQ(Bounds(b), (std::array<int, 4>{220, 60, 260, 100}));
    EXPECT_EQ(Bounds(c), (std::array<int, 4>{100, 150, 140, 190}));
    Release(QPoint(50, 70));
    EXPECT_FALSE(a->Dragging());
    EXPECT_FALSE(b->Dragging());
    EXPECT_EQ(ab->StartPoint().y(), 80); // the link follows its nodes
}

TEST_F(InteractionTest, FreezeTopLeftStopsTheSelectionAtZero)
{
    struct Case {
        bool freeze;
        QPoint to;
        int left, top; // of the node that started at (5, 50)
    };
    const Case cases[] = {
        {true, {0, 60}, 0, 50}, // by -20: only -5
        {false, {0, 60}, -15, 50},
        {true, {20, -40}, 5, 0},  // by -100 vertically: only -50
        {true, {30, 80}, 15, 70}, // forwards is free
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.freeze << " to " << c.to.x() << "," << c.to.y());
        graph.Clear();
        graph.SetSnapToGrid(false);
        graph.SetFreezeTopLeft(c.freeze);
        TGraphNode *left = AddNode(5, 50, 45, 90);
        TGraphNode *right = AddNode(100, 50, 140, 90);
        left->SetSelected(true);
        right->SetSelected(true);
        Drag(QPoint(20, 60), c.to);
        EXPECT_EQ(left->Left(), c.left);
        EXPECT_EQ(left->Top(), c.top);
        EXPECT_EQ(right->Left(), 100 + c.left - 5);
        EXPECT_EQ(right->Top(), c.top);
    }
}

TEST_F(InteractionTest, HandlesResizeAndShowTheirCursors)
{
    graph.SetSnapToGrid(false);
    TGraphNode *node = AddNode(100, 100, 200, 200);
    node->SetSelected(true);
    struct Case {
        TGraphMarker marker;
        QPoint at;
        Qt::CursorShape cursor;
        std::array<int, 4> bounds; // after a drag by (20, 20)
    };
    const Case cases[] = {
        {mkLeft, {101, 150}, Qt::SizeHorCursor, {120, 100, 200, 200}},
        {mkRight, {199, 150}, Qt::SizeHorCursor, {100, 100, 220, 200}},
        {mkTop, {150, 101}, Qt::SizeVerCursor, {100, 120, 200, 200}},
        {mkBottom, {150, 199}, Qt::SizeVerCursor, {100, 100, 200, 220}},
        {mkTopLeft, {101, 101}, Qt::SizeFDiagCursor, {120, 120, 200, 200}},
        {mkBottomRight, {199, 199}, Qt::SizeFDiagCursor, {100, 100, 220, 220}},
        {mkTopRight, {199, 101}, Qt::SizeBDiagCursor, {100, 120, 220, 200}},
        {mkBottomLeft, {101, 199}, Qt::SizeBDiagCursor, {120, 100, 200, 220}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.marker));
        node->SetBounds(100, 100, 100, 100);
        Hover(c.at);
        EXPECT_EQ(graph.HitMarker(), c.marker);
        EXPECT_EQ(Cursor().shape(), c.cursor);
        Drag(c.at, c.at + QPoint(20, 20));
        EXPECT_EQ(Bounds(node), c.bounds);
        EXPECT_EQ(Cursor().shape(), c.cursor);
    }
}

TEST_F(InteractionTest, ResizeByHandleStopsAtMinNodeSize)
{
    graph.SetSnapToGrid(false);
    graph.SetMinNodeSize(20);
    TGraphNode *node = AddNode(100, 100, 200, 200);
    node->SetSelected(true);
    Drag(QPoint(199, 150), QPoint(49, 150)); // right edge far past the left one
    EXPECT_EQ(Bounds(node), (std::array<int, 4>{100, 100, 120, 200}));

    node->SetBounds(100, 100, 100, 100);
    Drag(QPoint(150, 101), QPoint(150, 251)); // top edge far past the bottom
    EXPECT_EQ(Bounds(node), (std::array<int, 4>{100, 180, 200, 200}));
}

TEST_F(InteractionTest, OnCanMoveResizeNodeFiltersDrags)
{
    graph.SetSnapToGrid(false);
    TGraphNode *node = AddNode(100, 100, 200, 200);
    graph.OnCanMoveResizeNode = [](TGraphControl *, TGraphNode *, int &, int &top, int &w, int &h,
                                   bool &, bool &) {
        top = 100; // horizontal moves only
        h = w;     // and square
    };
    Drag(QPoint(150, 150), QPoint(170, 190));
    EXPECT_EQ(Bounds(node), (std::array<int, 4>{120, 100, 220, 200}));
    Drag(QPoint(219, 199), QPoint(249, 209)); // bottom-right handle
    EXPECT_EQ(Bounds(node), (std::array<int, 4>{120, 100, 250, 230}));
}

// --- Select by rectangle ---

TEST_F(InteractionTest, RectangleSelectsNodesAndShiftToggles)
{
    MakeTriangle();
    a->SetSelected(true);
    // A press on empty ground empties the selection and starts the band.
    Press(QPoint(10, 10));
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(graph.DragState(), dragSelectRect);
    Move(QPoint(250, 70));
    Release(QPoint(250, 70));
    EXPECT_EQ(Selection(), (std::set<TGraphObject *>{a, b})); // not the link

    // Shift keeps the selection and toggles what the band touches.
    Press(QPoint(90, 10), Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::set<TGraphObject *>{a, b}));
    Move(QPoint(250, 250), Qt::ShiftModifier);
    Release(QPoint(250, 250), Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::set<TGraphObject *>{a, c}));
    EXPECT_EQ(graph.DragState(), dragNone);
}

TEST_F(InteractionTest, RectangleIsNormalizedAndNotSnapped)
{
    MakeTriangle();
    Press(QPoint(157, 73));
    Move(QPoint(13, 17));
    EXPECT_EQ(Edges(graph.DragRect()), (std::array<int, 4>{13, 17, 157, 73}));
    Release(QPoint(13, 17));
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{a});
    EXPECT_EQ(Edges(graph.DragRect()), (std::array<int, 4>{-1, -1, -1, -1}));
}

TEST_F(InteractionTest, AltRectangleZoomsToIt)
{
    MakeTriangle();
    const int t = BarThickness();
    Drag(QPoint(10, 10), QPoint(110, 60), Qt::AltModifier);
    const int expected = std::min(WidgetWidth - t, 2 * (WidgetHeight - t));
    EXPECT_EQ(graph.Zoom(), std::min(expected, 1000));
    EXPECT_TRUE(Selection().empty());
}

// --- Re-attaching link ends ---

TEST_F(InteractionTest, LinkEndIsCarriedToAnotherNode)
{
    struct Case {
        const char *name;
        TGraphMarker end;
        QPoint drop;
        bool refuse; // OnCanLinkNodes says no to c
        Qt::CursorShape cursor;
        const char *from, *to;
    };
    const Case cases[] = {
        {"to end onto c", mkLinkTo, {120, 170}, false, Qt::DragLinkCursor, "a", "c"},
        {"from end onto c", mkLinkFrom, {120, 170}, false, Qt::DragLinkCursor, "c", "b"},
        {"refused by the event", mkLinkTo, {120, 170}, true, Qt::ForbiddenCursor, "a", "b"},
        {"onto empty ground", mkLinkTo, {300, 250}, false, Qt::ForbiddenCursor, "a", "b"},
        {"onto its other end", mkLinkTo, {45, 45}, false, Qt::ForbiddenCursor, "a", "b"},
        {"back onto its own node", mkLinkTo, {220, 40}, false, Qt::DragLinkCursor, "a", "b"},
    };
    for (const Case &c0 : cases) {
        SCOPED_TRACE(c0.name);
        graph.Clear();
        graph.OnCanLinkNodes = nullptr;
        MakeTriangle();
        if (c0.refuse)
            graph.OnCanLinkNodes = [this](TGraphControl *, TGraphNode *, TGraphNode *to,
                                          bool &can) { can = can && to != c; };
        ab->SetSelected(true);
        c->SetSelected(true);
        const QPoint grip = c0.end == mkLinkTo ? ab->EndPoint() : ab->StartPoint();
        Press(grip);
        ASSERT_EQ(graph.DragState(), dragLinkPoint);
        EXPECT_EQ(graph.HitMarker(), c0.end);
        EXPECT_TRUE(graph.DragLineVisible());
        EXPECT_TRUE(ab->Dragging());
        EXPECT_EQ(Selection(), std::set<TGraphObject *>{ab}); // others deselected
        const QPoint fixed = c0.end == mkLinkTo ? a->GetCenter() : b->GetCenter();
        EXPECT_EQ(XY(graph.DragSourcePoint()), XY(fixed));

        Move(c0.drop);
        EXPECT_EQ(XY(graph.DragTargetPoint()), XY(c0.drop));
        EXPECT_EQ(Cursor().shape(), c0.cursor);
        Release(c0.drop);
        EXPECT_EQ(log.NameOf(ab->FromNode()), c0.from);
        EXPECT_EQ(log.NameOf(ab->ToNode()), c0.to);
        EXPECT_EQ(graph.DragState(), dragNone);
        EXPECT_FALSE(graph.DragLineVisible());
        EXPECT_FALSE(ab->Dragging());
        EXPECT_TRUE(ShowsGraphCursor(55));
    }
}

TEST_F(InteractionTest, LinkEndIsNotCarriedToANodeAlreadyJoined)
{
    MakeTriangle();
    AddLink(a, c);
    ab->SetSelected(true);
    Press(ab->EndPoint());
    Move(QPoint(120, 170));
    EXPECT_EQ(Cursor().shape(), Qt::ForbiddenCursor);
    Release(QPoint(120, 170));
    EXPECT_EQ(ab->ToNode(), b);
}

// --- Insert mode ---

TEST_F(InteractionTest, InsertModeDrawsARubberShapeAndInsertsANode)
{
    MakeTriangle();
    a->SetSelected(true);
    graph.SetNewNodeClass(&TEllipticNode::Class);
    graph.SetCommandMode(cmInsertNode);
    log.Attach(graph);

    Hover(QPoint(300, 100));
    EXPECT_TRUE(ShowsGraphCursor(54));
    Press(QPoint(303, 97));
    Move(QPoint(347, 148));
    EXPECT_EQ(Edges(graph.DragRect()), (std::array<int, 4>{300, 90, 340, 140})); // snapped
    const QImage image = Grab();
    EXPECT_GT(CountOther(image, QRect(300, 90, 41, 51), clWhite), 20);
    EXPECT_EQ(CountOther(image, QRect(345, 90, 40, 60), clWhite), 0);

    Release(QPoint(347, 148));
    ASSERT_EQ(graph.Objects().Count(), 5);
    auto *node = static_cast<TGraphNode *>(graph.Objects().Last());
    EXPECT_EQ(node->ClassType(), &TEllipticNode::Class);
    EXPECT_EQ(Bounds(node), (std::array<int, 4>{300, 90, 340, 140}));
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{node});
    EXPECT_EQ(graph.CommandMode(), cmEdit);
    EXPECT_EQ(log.Entries, (std::vector<std::string>{"deselect a", "insert new", "select new",
                                                     "change", "mode 1"}));
    // Nothing of the rubber shape is left.
    EXPECT_EQ(CountOther(Grab(), QRect(345, 90, 40, 60), clWhite), 0);
}

TEST_F(InteractionTest, InsertModeEndsAfterEachGestureUnlessShift)
{
    struct Case {
        const char *name;
        QPoint from, to;
        Qt::KeyboardModifiers release;
        int inserted;
        TGraphCommandMode after;
    };
    const Case cases[] = {
        {"plain", {10, 10}, {60, 50}, Qt::NoModifier, 1, cmEdit},
        {"Shift at release", {10, 10}, {60, 50}, Qt::ShiftModifier, 1, cmInsertNode},
        {"no area", {10, 10}, {10, 10}, Qt::NoModifier, 0, cmEdit},
        {"flat", {10, 10}, {60, 13}, Qt::NoModifier, 0, cmEdit}, // snapped to one row
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        graph.Clear();
        graph.SetCommandMode(cmInsertNode);
        Press(c.from);
        if (c.to != c.from) Move(c.to);
        Release(c.to, c.release);
        EXPECT_EQ(graph.Objects().Count(), c.inserted);
        EXPECT_EQ(graph.CommandMode(), c.after);
        graph.SetCommandMode(cmEdit);
    }

    // Another button leaves the mode at the press.
    graph.SetCommandMode(cmInsertNode);
    Press(QPoint(10, 10), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(graph.CommandMode(), cmEdit);
    Release(QPoint(10, 10), Qt::NoModifier, Qt::RightButton);
}

// --- Link mode ---

TEST_F(InteractionTest, LinkModeJoinsTwoNodes)
{
    MakeTriangle();
    ab->Free();
    graph.SetCommandMode(cmLinkNodes);
    Press(QPoint(40, 40));
    EXPECT_EQ(graph.LinkSourceNode(), a);
    EXPECT_TRUE(a->Dragging());
    EXPECT_TRUE(graph.DragLineVisible());
    EXPECT_EQ(XY(graph.DragSourcePoint()), XY(a->GetCenter()));
    Move(QPoint(150, 40));
    EXPECT_EQ(Cursor().shape(), Qt::ForbiddenCursor);
    // The rubber line from a's centre to the mouse.
    EXPECT_GT(CountOther(Grab(), QRect(65, 39, 80, 3), clWhite), 40);
    Move(QPoint(220, 40));
    EXPECT_EQ(Cursor().shape(), Qt::DragLinkCursor);
    Release(QPoint(220, 40));

    ASSERT_EQ(graph.Objects().Count(), 4);
    auto *link = dynamic_cast<TGraphLink *>(graph.Objects().Last());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->FromNode(), a);
    EXPECT_EQ(link->ToNode(), b);
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{link});
    EXPECT_EQ(graph.CommandMode(), cmEdit);
    EXPECT_EQ(graph.LinkSourceNode(), nullptr);
    EXPECT_FALSE(a->Dragging());
    EXPECT_FALSE(graph.DragLineVisible());
}

TEST_F(InteractionTest, LinkModeCreatesNothingForRefusedPairs)
{
    MakeTriangle(); // a and b are linked
    struct Case {
        const char *name;
        QPoint from, to;
    };
    const Case cases[] = {
        {"release on the start node", {40, 40}, {45, 45}},
        {"already linked", {40, 40}, {220, 40}},
        {"already linked the other way", {220, 40}, {40, 40}},
        {"release on empty ground", {40, 40}, {300, 250}},
        {"press on empty ground", {300, 250}, {120, 170}},
    };
    for (const Case &c0 : cases) {
        SCOPED_TRACE(c0.name);
        graph.SetCommandMode(cmLinkNodes);
        Drag(c0.from, c0.to);
        EXPECT_EQ(graph.Objects().Count(), 4);
        EXPECT_EQ(graph.CommandMode(), cmEdit);
    }
    // A node that may not start a link ends the mode at the press.
    graph.OnCanLinkNodes = [this](TGraphControl *, TGraphNode *from, TGraphNode *to, bool &can) {
        if (from == a && !to) can = false;
    };
    graph.SetCommandMode(cmLinkNodes);
    Press(QPoint(40, 40));
    EXPECT_EQ(graph.CommandMode(), cmEdit);
    EXPECT_FALSE(graph.DragLineVisible());
    Release(QPoint(40, 40));
    // And a refused pair is not linked.
    graph.OnCanLinkNodes = [this](TGraphControl *, TGraphNode *, TGraphNode *to, bool &can) {
        if (to == c) can = false;
    };
    graph.SetCommandMode(cmLinkNodes);
    Drag(QPoint(220, 40), QPoint(120, 170));
    EXPECT_EQ(graph.Objects().Count(), 4);
}

TEST_F(InteractionTest, ShiftKeepsLinkModeForTheNextLink)
{
    MakeTriangle();
    graph.SetCommandMode(cmLinkNodes);
    Drag(QPoint(40, 40), QPoint(120, 170), Qt::ShiftModifier);
    EXPECT_EQ(graph.CommandMode(), cmLinkNodes);
    Drag(QPoint(220, 40), QPoint(120, 170), Qt::ShiftModifier);
    EXPECT_EQ(graph.CommandMode(), cmLinkNodes);
    EXPECT_EQ(graph.Objects().Count(), 6);
    EXPECT_NE(a->LinkKindTo(c), 0);
    EXPECT_NE(b->LinkKindTo(c), 0);
}

// --- Browse mode ---

TEST_F(InteractionTest, BrowseModeEmptiesSelectionAndRaisesPlainMouseEvents)
{
    MakeTriangle();
    a->SetSelected(true);
    std::vector<std::string> plain;
    graph.OnMouseDown = [&](TGraphControl *, QMouseEvent *e) {
        plain.push_back("down " + std::to_string(e->position().toPoint().x()));
    };
    graph.OnMouseMove = [&](TGraphControl *, QMouseEvent *) { plain.push_back("move"); };
    graph.OnMouseUp = [&](TGraphControl *, QMouseEvent *) { plain.push_back("up"); };
    int modeChanges = 0;
    graph.OnCommandModeChange = [&](TGraphControl *) { ++modeChanges; };

    // In edit mode a press is the control's own.
    Press(QPoint(300, 250));
    Release(QPoint(300, 250));
    EXPECT_TRUE(plain.empty());

    a->SetSelected(true);
    graph.SetCommandMode(cmBrowse);
    EXPECT_EQ(modeChanges, 1);
    EXPECT_TRUE(Selection().empty());

    Hover(QPoint(30, 30));
    EXPECT_EQ(Cursor().shape(), Qt::ArrowCursor);
    Press(QPoint(30, 30));
    Move(QPoint(50, 50));
    Release(QPoint(50, 50));
    EXPECT_EQ(plain, (std::vector<std::string>{"move", "down 30", "up"}));
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(Bounds(a), (std::array<int, 4>{20, 20, 60, 60}));
    EXPECT_EQ(graph.DragState(), dragNone);

    // Keyboard object commands are off.
    Key(Qt::Key_Tab, Qt::ControlModifier);
    Key(Qt::Key_Insert);
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(graph.Objects().Count(), 4);

    graph.SetCommandMode(cmBrowse);
    EXPECT_EQ(modeChanges, 1);
}

// --- Locked nodes ---

TEST_F(InteractionTest, LockedNodesAreSelectedButNeverMoved)
{
    MakeTriangle();
    graph.SetLockNodes(true);
    Hover(QPoint(30, 30));
    EXPECT_EQ(Cursor().shape(), Qt::ArrowCursor);
    Hover(QPoint(130, 40));
    EXPECT_TRUE(ShowsGraphCursor(53)); // links still show theirs

    Press(QPoint(30, 30));
    EXPECT_TRUE(a->Selected());
    EXPECT_EQ(graph.DragState(), dragNone);
    Move(QPoint(80, 90));
    Release(QPoint(80, 90));
    EXPECT_EQ(Bounds(a), (std::array<int, 4>{20, 20, 60, 60}));

    // Its handles do nothing either.
    Drag(QPoint(59, 59), QPoint(99, 99));
    EXPECT_EQ(Bounds(a), (std::array<int, 4>{20, 20, 60, 60}));

    for (Qt::KeyboardModifiers m :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)})
        for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
            Key(key, m);
    EXPECT_EQ(Bounds(a), (std::array<int, 4>{20, 20, 60, 60}));

    // Link ends can still be carried.
    ab->SetSelected(true);
    Press(ab->EndPoint());
    EXPECT_EQ(graph.DragState(), dragLinkPoint);
    Move(QPoint(120, 170));
    Release(QPoint(120, 170));
    EXPECT_EQ(ab->ToNode(), c);
}

// --- Keyboard ---

TEST_F(InteractionTest, TabCyclesThroughNodesAndCtrlTabThroughLinks)
{
    TGraphNode *n1 = AddNode(10, 10, 50, 50);
    TGraphNode *n2 = AddNode(100, 10, 140, 50);
    TGraphLink *link = AddLink(n1, n2);
    TGraphNode *n3 = AddNode(200, 10, 240, 50);
    using Sel = std::set<TGraphObject *>;
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        TGraphObject *selected;
    };
    const Step steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, n1},        {Qt::Key_Tab, Qt::NoModifier, n2},
        {Qt::Key_Tab, Qt::NoModifier, n3},        {Qt::Key_Tab, Qt::NoModifier, n1},
        {Qt::Key_Tab, Qt::ShiftModifier, n3},     {Qt::Key_Backtab, Qt::ShiftModifier, n2},
        {Qt::Key_Tab, Qt::ControlModifier, link}, {Qt::Key_Tab, Qt::ControlModifier, link},
        {Qt::Key_Tab, Qt::NoModifier, n1},
    };
    int i = 0;
    for (const Step &s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << i++);
        Key(s.key, s.modifiers);
        EXPECT_EQ(Selection(), Sel{s.selected});
    }

    // With nothing selected, backwards starts at the last node.
    graph.SelectedObjects().Clear();
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), Sel{n3});

    // The first selected object of the class is the starting point.
    graph.SelectedObjects().Clear();
    link->SetSelected(true);
    n1->SetSelected(true);
    n3->SetSelected(true);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Selection(), Sel{n2});
}

// In a window with other focusable widgets Tab still belongs to the diagram.
TEST(InteractionInWindowTest, TabSelectsNodesInsteadOfMovingTheFocus)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    auto *graph = new TGraphControl(&window);
    layout->addWidget(edit);
    layout->addWidget(graph);
    window.resize(400, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TGraphNode *n1 = graph->InsertNode(TRect(10, 10, 50, 50));
    TGraphNode *n2 = graph->InsertNode(TRect(100, 10, 140, 50));
    graph->SelectedObjects().Clear();
    n1->SetSelected(true);
    graph->setFocus();
    window.activateWindow();
    if (!QTest::qWaitFor([graph] { return graph->hasFocus(); }, 1000))
        GTEST_SKIP() << "the platform gives no focus";

    QTest::keyClick(graph, Qt::Key_Tab);
    EXPECT_TRUE(graph->hasFocus());
    EXPECT_TRUE(n2->Selected());
    EXPECT_FALSE(n1->Selected());
    QTest::keyClick(graph, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(graph->hasFocus());
    EXPECT_TRUE(n1->Selected());

    // Without its own keyboard commands the control lets Tab move the focus.
    graph->SetDefaultKeyMap(false);
    QTest::keyClick(graph, Qt::Key_Tab);
    EXPECT_FALSE(graph->hasFocus());
}

TEST_F(InteractionTest, SelectNextObjectWrapsAndScrollsToTheObject)
{
    EXPECT_FALSE(graph.SelectNextObject(false, &TGraphNode::Class));
    TGraphNode *first = AddNode(10, 10, 50, 50);
    AddNode(100, 10, 140, 50);
    TGraphNode *last = AddNode(1500, 1200, 1540, 1240);
    last->SetSelected(true);
    EXPECT_TRUE(graph.SelectNextObject(false, &TGraphNode::Class));
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{first});

    EXPECT_TRUE(graph.SelectNextObject(true, &TGraphNode::Class));
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{last});
    const QSize client = graph.ClientSize();
    EXPECT_EQ(graph.HorzScrollBar().Position(), 1540 - client.width());
    EXPECT_EQ(graph.VertScrollBar().Position(), 1240 - client.height());

    // No link at all: nothing selected, false.
    EXPECT_FALSE(graph.SelectNextObject(false, &TGraphLink::Class));
    EXPECT_TRUE(Selection().empty());
}

TEST_F(InteractionTest, EnterAndDoubleClickReportTheFirstSelectedObject)
{
    MakeTriangle();
    std::vector<std::string> calls;
    graph.OnObjectDblClick = [&](TGraphControl *, TGraphObject *o) {
        calls.push_back(log.NameOf(o));
    };
    graph.OnDblClick = [&](TGraphControl *) { calls.push_back("plain"); };

    Key(Qt::Key_Return);
    EXPECT_TRUE(calls.empty());
    b->SetSelected(true);
    a->SetSelected(true);
    Key(Qt::Key_Return);
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(calls, (std::vector<std::string>{"b", "b"}));

    // Double click on a selected node keeps the selection: b is still first.
    calls.clear();
    Press(QPoint(30, 30));
    Release(QPoint(30, 30));
    SendMouse(QEvent::MouseButtonDblClick, QPoint(30, 30), Qt::LeftButton, Qt::LeftButton,
              Qt::NoModifier);
    EXPECT_EQ(graph.DragState(), dragNone); // the second press starts no drag
    Move(QPoint(60, 60));
    Release(QPoint(60, 60));
    EXPECT_EQ(calls, (std::vector<std::string>{"b"}));
    EXPECT_EQ(Bounds(a), (std::array<int, 4>{20, 20, 60, 60}));

    // On empty ground the plain event.
    calls.clear();
    DoubleClick(QPoint(300, 250));
    EXPECT_EQ(calls, (std::vector<std::string>{"plain"}));

    // On an unselected node: it is selected by the first press.
    calls.clear();
    DoubleClick(QPoint(120, 170));
    EXPECT_EQ(calls, (std::vector<std::string>{"c"}));
}

TEST_F(InteractionTest, EscapeLeavesModesAndEmptiesTheSelection)
{
    MakeTriangle();
    int modeChanges = 0;
    graph.OnCommandModeChange = [&](TGraphControl *) { ++modeChanges; };
    graph.SetCommandMode(cmInsertNode);
    a->SetSelected(true);
    Key(Qt::Key_Escape);
    EXPECT_EQ(graph.CommandMode(), cmEdit);
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(modeChanges, 2);

    Press(QPoint(300, 250));
    Move(QPoint(350, 280));
    ASSERT_EQ(graph.DragState(), dragSelectRect);
    Key(Qt::Key_Escape);
    EXPECT_EQ(graph.DragState(), dragNone);
    EXPECT_EQ(Edges(graph.DragRect()), (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(modeChanges, 2);
}

TEST_F(InteractionTest, ArrowsMoveOrResizeTheSelectedNodes)
{
    graph.SetGridSize(8);
    TGraphNode *node = AddNode(40, 40, 80, 80);
    TGraphNode *other = AddNode(200, 200, 240, 240);
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::array<int, 4> bounds;
    };
    const Case cases[] = {
        {Qt::Key_Right, Qt::NoModifier, {48, 40, 88, 80}},
        {Qt::Key_Left, Qt::NoModifier, {32, 40, 72, 80}},
        {Qt::Key_Down, Qt::NoModifier, {40, 48, 80, 88}},
        {Qt::Key_Up, Qt::NoModifier, {40, 32, 80, 72}},
        {Qt::Key_Right, Qt::ControlModifier, {41, 40, 81, 80}},
        {Qt::Key_Up, Qt::ControlModifier, {40, 39, 80, 79}},
        {Qt::Key_Right, Qt::ShiftModifier, {40, 40, 88, 80}},
        {Qt::Key_Left, Qt::ShiftModifier, {40, 40, 72, 80}},
        {Qt::Key_Down, Qt::ShiftModifier, {40, 40, 80, 88}},
        {Qt::Key_Up, Qt::ShiftModifier, {40, 40, 80, 72}},
        {Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier, {40, 40, 80, 81}},
    };
    // Key clicks with modifiers press the modifier keys too; those are not counted.
    int unhandled = 0;
    graph.OnKeyDown = [&](TGraphControl *, QKeyEvent *e) {
        unhandled += e->key() != Qt::Key_Shift && e->key() != Qt::Key_Control;
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << int(c.modifiers));
        node->SetBounds(40, 40, 40, 40);
        other->SetBounds(200, 200, 40, 40);
        node->SetSelected(true);
        other->SetSelected(true);
        Key(c.key, c.modifiers);
        EXPECT_EQ(Bounds(node), c.bounds);
        EXPECT_EQ(Bounds(other)[0] - 200, c.bounds[0] - 40);
        EXPECT_EQ(Bounds(other)[3] - 240, c.bounds[3] - 80);
    }
    EXPECT_EQ(unhandled, 0);

    // Shrinking stops at MinNodeSize.
    node->SetBounds(40, 40, 20, 20);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(node->Width(), 16);

    // Without a selection the arrows go on to the key event.
    graph.SelectedObjects().Clear();
    Key(Qt::Key_Right);
    EXPECT_EQ(unhandled, 1);

    // And all of the keyboard table is off without DefaultKeyMap.
    node->SetSelected(true);
    graph.SetDefaultKeyMap(false);
    Key(Qt::Key_Right);
    EXPECT_EQ(unhandled, 2);
    EXPECT_EQ(node->Left(), 40);
}

TEST_F(InteractionTest, InsertKeyInsertsANodeAndCtrlInsertLinksTheSelection)
{
    MakeTriangle();
    log.Attach(graph);
    Key(Qt::Key_Insert);
    ASSERT_EQ(graph.Objects().Count(), 5);
    TGraphObject *inserted = graph.Objects().Last();
    EXPECT_FALSE(inserted->IsLink());
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{inserted});
    EXPECT_EQ(log.Entries, (std::vector<std::string>{"insert new", "select new", "change"}));
    inserted->Free();

    // In selection order: a-c, c-b; a-b exists and is skipped when asked.
    a->SetSelected(true);
    c->SetSelected(true);
    b->SetSelected(true);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(graph.Objects().Count(), 6);
    EXPECT_NE(a->LinkKindTo(c), 0);
    EXPECT_NE(c->LinkKindTo(b), 0);

    graph.SelectedObjects().Clear();
    a->SetSelected(true);
    b->SetSelected(true);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(graph.Objects().Count(), 6);
}

TEST_F(InteractionTest, DeleteRemovesTheSelectionAndItsLinks)
{
    MakeTriangle();
    int unhandled = 0;
    graph.OnKeyDown = [&](TGraphControl *, QKeyEvent *) { ++unhandled; };
    Key(Qt::Key_Delete);
    EXPECT_EQ(unhandled, 1);
    EXPECT_EQ(graph.Objects().Count(), 4);

    a->SetSelected(true);
    log.Attach(graph);
    Key(Qt::Key_Delete);
    EXPECT_EQ(unhandled, 1);
    EXPECT_EQ(graph.Objects().Count(), 2);
    EXPECT_TRUE(graph.Objects().Contains(b));
    EXPECT_TRUE(graph.Objects().Contains(c));
    EXPECT_TRUE(Selection().empty());
    // The node leaves the selection, is removed, then its link goes.
    ASSERT_GE(log.Entries.size(), 3u);
    EXPECT_EQ(log.Entries[0], "deselect a");
    EXPECT_EQ(log.Entries[1], "remove a");
    const auto removeLink = std::find(log.Entries.begin(), log.Entries.end(), "remove ab");
    ASSERT_NE(removeLink, log.Entries.end());
    EXPECT_EQ(std::count(log.Entries.begin(), log.Entries.end(), "remove ab"), 1);
    EXPECT_NE(std::find(removeLink, log.Entries.end(), "change"), log.Entries.end());
}

TEST_F(InteractionTest, ClipboardKeys)
{
    MakeTriangle();
    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto holdsDiagram = [clipboard] {
        const QMimeData *data = clipboard->mimeData();
        return data && data->hasFormat(TGraphControl::ClipboardMimeType());
    };
    clipboard->clear();
    ASSERT_FALSE(holdsDiagram());

    // Nothing selected: nothing copied.
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(holdsDiagram());

    a->SetSelected(true);
    Key(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_FALSE(holdsDiagram());
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(holdsDiagram());
    EXPECT_EQ(graph.Objects().Count(), 4);

    Key(Qt::Key_F7, Qt::ControlModifier);
    EXPECT_EQ(graph.Objects().Count(), 4);
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(graph.Objects().Count(), 5);
    EXPECT_EQ(Selection(), std::set<TGraphObject *>{graph.Objects().Last()});

    // Cut: copied, then removed with its links.
    clipboard->clear();
    graph.SelectedObjects().Clear();
    b->SetSelected(true);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(holdsDiagram());
    EXPECT_FALSE(graph.Objects().Contains(b));
    EXPECT_EQ(graph.Objects().Count(), 3); // a, c and the pasted copy
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(graph.Objects().Count(), 4);
}

// --- Errors raised while handling events ---

// Nothing the model raises may unwind into the event loop: the event is
// abandoned, the error goes to OnError once, and the diagram is as it was.
TEST_F(InteractionTest, ErrorsFromEventsGoToTheHandlerNotTheEventLoop)
{
    MakeTriangle();
    std::vector<QString> errors;
    graph.OnError = [&](TGraphControl *, const QString &message) { errors.push_back(message); };

    // A count followed by junk, under our format name.
    auto *block = new QMimeData;
    QByteArray junk("\x02\x00\x00\x00junk", 8);
    block->setData(TGraphControl::ClipboardMimeType(), junk);
    QGuiApplication::clipboard()->setMimeData(block);
    if (!QGuiApplication::clipboard()->mimeData()->hasFormat(TGraphControl::ClipboardMimeType()))
        GTEST_SKIP() << "no working clipboard on this platform";
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(errors, std::vector<QString>{"Stream read error"});
    EXPECT_EQ(graph.Objects().Count(), 4);

    // A drop whose handler fails.
    graph.OnDragDrop = [](TGraphControl *, QDropEvent *) {
        throw EStreamError(QStringLiteral("Bitmap image is not valid"));
    };
    QMimeData dropped;
    dropped.setData(TGraphControl::ClipboardMimeType(), junk);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    graph.OnDragOver = [](TGraphControl *, QDragMoveEvent *event) {
        event->acceptProposedAction();
    };
    QApplication::sendEvent(graph.viewport(), &enter);
    QApplication::sendEvent(graph.viewport(), &drop);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "Bitmap image is not valid");

    // A mouse handler that fails in the middle of a drag ends the drag.
    graph.SetCommandMode(cmBrowse);
    graph.OnMouseDown = [](TGraphControl *, QMouseEvent *) { throw EListError::OutOfBounds(7); };
    Press(QPoint(5, 5));
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[2], "List index out of bounds (7)");
    EXPECT_EQ(graph.DragState(), dragNone);
    EXPECT_EQ(graph.UpdateCount(), 0);
}

// --- Context menu ---

TEST_F(InteractionTest, ContextMenuAsksObjectHandlerObjectMenuThenControl)
{
    MakeTriangle();
    QMenu objectMenu;
    objectMenu.addAction(QStringLiteral("object"));
    QMenu controlMenu;
    controlMenu.addAction(QStringLiteral("control"));

    struct Case {
        const char *name;
        bool selected, objectHandles, withObjectMenu, controlHandles, withControlMenu;
        std::vector<std::string> calls;
        const char *shown; // "object", "control" or ""
    };
    const Case cases[] = {
        {"object handler", true, true, true, true, true, {"object a 30,40"}, ""},
        {"object menu", true, false, true, true, true, {"object a 30,40"}, "object"},
        {"no object menu", true, false, false, true, true, {"object a 30,40", "control 30,40"}, ""},
        {"control menu",
         true,
         false,
         false,
         false,
         true,
         {"object a 30,40", "control 30,40"},
         "control"},
        {"nothing selected", false, true, true, false, true, {"control 30,40"}, "control"},
        {"nothing at all", false, true, true, false, false, {"control 30,40"}, ""},
    };
    for (const Case &c0 : cases) {
        SCOPED_TRACE(c0.name);
        graph.SelectedObjects().Clear();
        if (c0.selected) {
            a->SetSelected(true);
            b->SetSelected(true);
        }
        std::vector<std::string> calls;
        graph.OnObjectContextPopup = [&](TGraphControl *, TGraphObject *o, const QPoint &p,
                                         bool &handled) {
            EXPECT_FALSE(handled);
            calls.push_back("object " + log.NameOf(o) + " " + std::to_string(p.x()) + "," +
                            std::to_string(p.y()));
            handled = c0.objectHandles;
        };
        graph.OnContextPopup = [&](TGraphControl *, const QPoint &p, bool &handled) {
            calls.push_back("control " + std::to_string(p.x()) + "," + std::to_string(p.y()));
            handled = c0.controlHandles;
        };
        graph.SetObjectPopupMenu(c0.withObjectMenu ? &objectMenu : nullptr);
        graph.SetPopupMenu(c0.withControlMenu ? &controlMenu : nullptr);

        const QPoint client(30, 40);
        QContextMenuEvent event(QContextMenuEvent::Mouse, client,
                                graph.viewport()->mapToGlobal(client));
        QApplication::sendEvent(graph.viewport(), &event);
        EXPECT_EQ(calls, c0.calls);
        EXPECT_EQ(objectMenu.isVisible(), std::string(c0.shown) == "object");
        EXPECT_EQ(controlMenu.isVisible(), std::string(c0.shown) == "control");
        objectMenu.hide();
        controlMenu.hide();
    }
}

// --- Cursors ---

TEST_F(InteractionTest, OwnCursorsAreFiveDistinctBitmaps)
{
    std::vector<QImage> images;
    for (int n = 51; n <= 55; ++n) {
        const QCursor cursor = TGraphControl::GraphCursor(n);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << n;
        images.push_back(cursor.pixmap().toImage());
        for (size_t i = 0; i + 1 < images.size(); ++i)
            EXPECT_NE(images[i], images.back()) << n;
    }
}

TEST_F(InteractionTest, HoverCursorFollowsTheMarkerUnderTheMouse)
{
    MakeTriangle();
    Hover(QPoint(300, 250));
    EXPECT_EQ(Cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(graph.HitObject(), nullptr);
    Hover(QPoint(30, 30));
    EXPECT_TRUE(ShowsGraphCursor(51));
    EXPECT_EQ(graph.HitMarker(), mkNodeBody);
    Hover(QPoint(130, 40));
    EXPECT_TRUE(ShowsGraphCursor(53));
    EXPECT_EQ(graph.HitMarker(), mkLinkLine);
    ab->SetSelected(true);
    Hover(ab->StartPoint());
    EXPECT_TRUE(ShowsGraphCursor(55));
    Hover(ab->EndPoint());
    EXPECT_TRUE(ShowsGraphCursor(55));
    EXPECT_EQ(graph.HitMarker(), mkLinkTo);

    // Grabbing hand while a body is dragged, open hand after.
    Press(QPoint(120, 170));
    EXPECT_TRUE(ShowsGraphCursor(52));
    Move(QPoint(140, 190));
    Release(QPoint(140, 190));
    EXPECT_TRUE(ShowsGraphCursor(51));

    // No hover tracking while a button is held.
    Hover(QPoint(300, 250));
    Move(QPoint(30, 30), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(Cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InteractionTest, LeavingTheControlRestoresTheArrow)
{
    MakeTriangle();
    Hover(QPoint(30, 30));
    ASSERT_TRUE(ShowsGraphCursor(51));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(graph.viewport(), &leave);
    EXPECT_EQ(Cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InteractionTest, LinkModeHoverShowsWhereALinkMayStart)
{
    MakeTriangle();
    graph.OnCanLinkNodes = [this](TGraphControl *, TGraphNode *from, TGraphNode *, bool &can) {
        can = from != c;
    };
    graph.SetCommandMode(cmLinkNodes);
    Hover(QPoint(30, 30));
    EXPECT_EQ(Cursor().shape(), Qt::DragLinkCursor);
    Hover(QPoint(120, 170));
    EXPECT_EQ(Cursor().shape(), Qt::ForbiddenCursor);
    Hover(QPoint(300, 250));
    EXPECT_EQ(Cursor().shape(), Qt::ForbiddenCursor);
    // While linking, the start node itself is a drop place (that links nothing).
    Press(QPoint(30, 30));
    Move(QPoint(35, 35));
    EXPECT_EQ(Cursor().shape(), Qt::DragLinkCursor);
    Release(QPoint(35, 35));
    EXPECT_EQ(graph.Objects().Count(), 4);
}

TEST_F(InteractionTest, PressTakesTheFocus)
{
    MakeTriangle();
    graph.activateWindow();
    graph.setFocus();
    if (!QTest::qWaitFor([this] { return graph.hasFocus(); }, 1000))
        GTEST_SKIP() << "the platform gives no focus";
    graph.clearFocus();
    ASSERT_FALSE(graph.hasFocus());
    Press(QPoint(300, 250));
    Release(QPoint(300, 250));
    EXPECT_TRUE(graph.hasFocus());
}

TEST_F(InteractionTest, ObjectsRemovedDuringAGestureAreForgotten)
{
    MakeTriangle();
    // A link whose end is being carried is deleted by the keyboard.
    ab->SetSelected(true);
    Press(ab->EndPoint());
    ASSERT_EQ(graph.DragState(), dragLinkPoint);
    Key(Qt::Key_Delete);
    EXPECT_EQ(graph.Objects().Count(), 3);
    Move(QPoint(120, 170));
    Release(QPoint(120, 170));
    EXPECT_EQ(graph.DragState(), dragNone);
    EXPECT_EQ(graph.HitObject(), nullptr);

    // Dragged nodes are deleted before the mouse moves on.
    Press(QPoint(30, 30));
    ASSERT_EQ(graph.DragState(), dragMoveResize);
    Key(Qt::Key_Delete);
    Move(QPoint(80, 80));
    Release(QPoint(80, 80));
    EXPECT_EQ(graph.Objects().Count(), 2);

    // The start node of a link is removed while linking.
    graph.SetCommandMode(cmLinkNodes);
    Press(QPoint(210, 30));
    ASSERT_EQ(graph.LinkSourceNode(), b);
    b->Free();
    EXPECT_EQ(graph.LinkSourceNode(), nullptr);
    Move(QPoint(120, 170));
    Release(QPoint(120, 170));
    EXPECT_EQ(graph.Objects().Count(), 1);
    EXPECT_EQ(graph.CommandMode(), cmEdit);
}

// --- Mode changes ---

TEST_F(InteractionTest, EditAndBrowseModesBringBackTheControlCursor)
{
    MakeTriangle();
    graph.setCursor(Qt::IBeamCursor);
    struct Case {
        TGraphCommandMode from, to;
        QPoint hover;
        bool restored;
    };
    const Case cases[] = {
        {cmInsertNode, cmEdit, {300, 250}, true},
        {cmInsertNode, cmBrowse, {300, 250}, true},
        {cmLinkNodes, cmEdit, {30, 30}, true},
        {cmLinkNodes, cmInsertNode, {30, 30}, false},
    };
    for (const Case &c0 : cases) {
        SCOPED_TRACE(testing::Message() << int(c0.from) << " to " << int(c0.to));
        graph.SetCommandMode(c0.from);
        Hover(c0.hover);
        ASSERT_NE(Cursor().shape(), Qt::IBeamCursor);
        graph.SetCommandMode(c0.to);
        EXPECT_EQ(Cursor().shape() == Qt::IBeamCursor, c0.restored);
        graph.SetCommandMode(cmEdit);
    }

    // Escape out of insert mode, and the end of a link gesture.
    graph.SetCommandMode(cmInsertNode);
    Hover(QPoint(300, 250));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Cursor().shape(), Qt::IBeamCursor);
    graph.SetCommandMode(cmLinkNodes);
    Press(QPoint(30, 30));
    Move(QPoint(120, 170));
    Release(QPoint(120, 170));
    EXPECT_EQ(Cursor().shape(), Qt::IBeamCursor);
}

TEST_F(InteractionTest, CommandModeChangesAreReported)
{
    MakeTriangle();
    log.Attach(graph);
    graph.SetCommandMode(cmLinkNodes);
    graph.SetCommandMode(cmLinkNodes);
    graph.SetCommandMode(cmInsertNode);
    graph.SetCommandMode(cmBrowse);
    graph.SetCommandMode(cmEdit);
    EXPECT_EQ(log.Entries, (std::vector<std::string>{"mode 3", "mode 2", "mode 0", "mode 1"}));

    // Clear goes back to edit mode.
    graph.SetCommandMode(cmInsertNode);
    log.Entries.clear();
    graph.OnObjectSelect = nullptr;
    graph.Clear();
    EXPECT_EQ(graph.CommandMode(), cmEdit);
    EXPECT_EQ(std::count(log.Entries.begin(), log.Entries.end(), "mode 1"), 1);
}

} // namespace
