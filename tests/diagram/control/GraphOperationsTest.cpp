// The control's document operations: batching and the change event,
// inserting, linking, finding, selecting and removing objects, clearing,
// and the filter every node move or resize passes.

#include "GraphModelTestSupport.h"

#include "EllipticNode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

using namespace GraphModelTest;

namespace {

class GraphOpsTest : public ::testing::Test {
protected:
    void SetUp() override { Events.Attach(Graph); }

    TGraphNode *Node(int left, int top, TGraphObjectClassRef cls = nullptr)
    {
        return Graph.InsertNode(Box(left, top), cls);
    }
    // Selects exactly these objects, in this order.
    void Select(std::initializer_list<TGraphObject *> objects)
    {
        Graph.SelectedObjects().Clear();
        for (TGraphObject *object : objects)
            object->SetSelected(true);
    }
    std::vector<TGraphLink *> Links() const
    {
        std::vector<TGraphLink *> links;
        for (TGraphObject *object : Items(Graph.Objects()))
            if (object->IsLink()) links.push_back(static_cast<TGraphLink *>(object));
        return links;
    }

    TGraphControl Graph;
    EventRecorder Events;
};

// --- Batching ---

TEST_F(GraphOpsTest, BatchReportsOneChangeForManyMoves)
{
    TGraphNode *node = Node(0, 0);
    Graph.SetGraphModified(false);
    Events.Reset();

    Graph.BeginUpdate();
    node->SetLeft(10);
    node->SetTop(20);
    node->SetLeft(30);
    EXPECT_EQ(Events.Changes(), 0);
    Graph.EndUpdate();

    EXPECT_EQ(Events.Changes(), 1);
    EXPECT_TRUE(Graph.GraphModified());
    EXPECT_EQ(node->GetBoundsRect(), Box(30, 20));

    Events.Reset();
    node->SetLeft(40);
    node->SetLeft(50);
    node->SetTop(0);
    EXPECT_EQ(Events.Changes(), 3) << "outside a batch each change is reported";
}

TEST_F(GraphOpsTest, NestedBatchesReportAtTheOutermostEnd)
{
    TGraphNode *node = Node(0, 0);
    Events.Reset();
    {
        TGraphUpdateGuard outer(&Graph);
        node->SetText("a");
        {
            TGraphUpdateGuard inner(&Graph);
            node->SetText("b");
        }
        EXPECT_EQ(Events.Changes(), 0);
        EXPECT_EQ(Graph.UpdateCount(), 1);
    }
    EXPECT_EQ(Events.Changes(), 1);
    EXPECT_EQ(Graph.UpdateCount(), 0);

    // A batch with nothing in it, and one with a selection only, report nothing.
    Events.Reset();
    Graph.BeginUpdate();
    Graph.EndUpdate();
    Graph.BeginUpdate();
    node->SetSelected(false);
    node->SetSelected(true);
    Graph.EndUpdate();
    EXPECT_EQ(Events.Changes(), 0);
}

TEST_F(GraphOpsTest, SelectionAndDragHighlightAreNotContentChanges)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(50, 0);
    Graph.SetGraphModified(false);
    Events.Reset();

    b->SetSelected(true);
    a->SetSelected(true);
    a->SetSelected(false);
    a->SetDragging(true);
    a->SetDragging(false);

    EXPECT_EQ(Events.Changes(), 0);
    EXPECT_FALSE(Graph.GraphModified());
    EXPECT_EQ(Events.Events, (std::vector<GraphEvent>{SelectedOn(a), SelectedOff(a)}))
        << "b was already selected by its insertion";
}

// --- Selection ---

TEST_F(GraphOpsTest, SelectedFlagAndListStayInStep)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(50, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    Graph.SelectedObjects().Clear();
    Events.Reset();

    Graph.SelectedObjects().Add(b);
    EXPECT_TRUE(b->Selected());
    Graph.SelectedObjects().Add(b);
    a->SetSelected(true);
    link->SetSelected(true);
    EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{b, a, link}));

    Graph.SelectedObjects().Remove(a);
    EXPECT_FALSE(a->Selected());
    Graph.SelectedObjects().Delete(0);
    EXPECT_FALSE(b->Selected());
    EXPECT_EQ(Events.Events,
              (std::vector<GraphEvent>{SelectedOn(b), SelectedOn(a), SelectedOn(link),
                                       SelectedOff(a), SelectedOff(b)}));
    EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{link}));
}

TEST_F(GraphOpsTest, SelectedCountByClass)
{
    TGraphNode *r = Node(0, 0);
    TGraphNode *e1 = Node(50, 0, &TEllipticNode::Class);
    Node(100, 0, &TEllipticNode::Class);
    TGraphLink *link = Graph.LinkNodes(r, e1);
    Select({e1, link, r});
    const struct {
        TGraphObjectClassRef Class;
        int Expected;
    } cases[] = {
        {nullptr, 3},
        {&TGraphObject::Class, 3},
        {&TGraphNode::Class, 2},
        {&TEllipticNode::Class, 1},
        {&TGraphLink::Class, 1},
        {&TIconNode::Class, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Class ? c.Class->Name : "none");
        EXPECT_EQ(Graph.SelectedCount(c.Class), c.Expected);
    }
}

TEST_F(GraphOpsTest, ListsRefuseObjectsOfAnotherDiagram)
{
    TGraphControl other;
    EventRecorder otherEvents;
    otherEvents.Attach(other);
    TGraphNode *foreign = other.InsertNode(Box(0, 0));
    TGraphNode *own = Node(0, 0);
    other.SelectedObjects().Clear();
    otherEvents.Reset();
    Events.Reset();

    Graph.Objects().Add(foreign);
    Graph.SelectedObjects().Add(foreign);

    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{own}));
    EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{own}));
    EXPECT_TRUE(Events.Events.empty());
    EXPECT_FALSE(foreign->Selected());
    EXPECT_EQ(Items(other.Objects()), (std::vector<TGraphObject *>{foreign}));
    EXPECT_TRUE(otherEvents.Events.empty());
    EXPECT_EQ(Graph.ObjectByID(foreign->ID()), own) << "the index did not take it in";
}

// --- Inserting ---

TEST_F(GraphOpsTest, InsertNodeDeselectsThenAnnouncesAndSelectsTheNewNode)
{
    TGraphNode *first = Node(0, 0);
    TGraphNode *other = Node(50, 0);
    Select({first, other});
    Events.Reset();

    TGraphNode *second = Graph.InsertNode(Box(100, 0, 60, 30), &TEllipticNode::Class);

    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->ClassType(), &TEllipticNode::Class);
    EXPECT_EQ(second->GetBoundsRect(), Box(100, 0, 60, 30));
    // The selection empties from its end.
    EXPECT_EQ(Events.Events,
              (std::vector<GraphEvent>{SelectedOff(other), SelectedOff(first), Inserted(second),
                                       SelectedOn(second), GraphChanged()}));
    EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{second}));
    EXPECT_FALSE(first->Selected());
    EXPECT_EQ(second->State(), osNone);
    EXPECT_TRUE(second->ContainsPoint(130, 15)) << "geometry built on insertion";
}

TEST_F(GraphOpsTest, InsertNodeWithoutClassUsesNewNodeClass)
{
    EXPECT_EQ(Node(0, 0)->ClassType(), &TRectangularNode::Class);
    Graph.SetNewNodeClass(&TEllipticNode::Class);
    EXPECT_EQ(Node(50, 0)->ClassType(), &TEllipticNode::Class);

    // Classes that cannot make a node are turned down without a trace.
    Events.Reset();
    EXPECT_EQ(Graph.InsertNode(Box(0, 0), &TGraphNode::Class), nullptr);
    EXPECT_EQ(Graph.InsertNode(Box(0, 0), &TGraphLink::Class), nullptr);
    EXPECT_TRUE(Events.Events.empty());
    EXPECT_EQ(Graph.Objects().Count(), 2);
}

TEST_F(GraphOpsTest, AddingAnObjectAlreadyInTheDiagramDoesNothing)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(50, 0);
    Events.Reset();
    EXPECT_EQ(Graph.Objects().Add(a), 0);
    EXPECT_EQ(Graph.SelectedObjects().Add(b), 0);
    EXPECT_TRUE(Events.Events.empty());
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{a, b}));
}

// --- Linking ---

TEST_F(GraphOpsTest, LinkNodesJoinsTwoNodesOnce)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    Events.Reset();

    TGraphLink *link = Graph.LinkNodes(a, b);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->ClassType(), &TGraphLink::Class);
    EXPECT_EQ(link->FromNode(), a);
    EXPECT_EQ(link->ToNode(), b);
    EXPECT_EQ(link->State(), osNone);
    EXPECT_EQ(Events.Events, (std::vector<GraphEvent>{SelectedOff(b), Inserted(link),
                                                      SelectedOn(link), GraphChanged()}));

    const struct {
        const char *Name;
        TGraphNode *From;
        TGraphNode *To;
    } refused[] = {
        {"same node", a, a},
        {"already joined", a, b},
        {"already joined, other way", b, a},
        {"no from node", nullptr, b},
        {"no to node", a, nullptr},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.Name);
        Events.Reset();
        EXPECT_EQ(Graph.LinkNodes(c.From, c.To), nullptr);
        EXPECT_TRUE(Events.Events.empty());
        EXPECT_EQ(Graph.Objects().Count(), 3);
        EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{link}));
    }
}

TEST_F(GraphOpsTest, CanLinkAllowsReattachingALinkToItsOwnEnds)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphNode *c = Node(200, 0);
    TGraphLink *ab = Graph.LinkNodes(a, b);
    TGraphLink *bc = Graph.LinkNodes(b, c);

    EXPECT_TRUE(Graph.CanLink(nullptr, a, c));
    EXPECT_TRUE(Graph.CanLink(bc, a, c));
    EXPECT_FALSE(Graph.CanLink(nullptr, a, b));
    EXPECT_TRUE(Graph.CanLink(ab, a, b));
    EXPECT_FALSE(Graph.CanLink(bc, a, b)) << "another link may not join a joined pair";
    EXPECT_FALSE(Graph.CanLink(ab, a, a));
    EXPECT_FALSE(Graph.CanLink(ab, a, nullptr));
}

TEST_F(GraphOpsTest, LinkSelectedNodesChainsInSelectionOrderSkippingJoinedPairs)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphNode *c = Node(200, 0);
    TGraphNode *d = Node(300, 0);
    TGraphLink *ca = Graph.LinkNodes(c, a);
    Select({c, ca, a, d, b});

    Graph.LinkSelectedNodes();

    const std::vector<TGraphLink *> links = Links();
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0], ca);
    EXPECT_EQ(links[1]->FromNode(), a);
    EXPECT_EQ(links[1]->ToNode(), d);
    EXPECT_EQ(links[2]->FromNode(), d);
    EXPECT_EQ(links[2]->ToNode(), b);
}

TEST_F(GraphOpsTest, LinkSelectedNodesNeedsTwoNodes)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *ab = Graph.LinkNodes(a, b);
    Select({ab, b});
    Events.Reset();
    Graph.LinkSelectedNodes();
    EXPECT_EQ(Graph.Objects().Count(), 3);
    EXPECT_TRUE(Events.Events.empty());
}

// --- Finding ---

TEST_F(GraphOpsTest, FindObjectAtTakesTopmostOfClassAndSkipsHidden)
{
    TGraphNode *bottom = Node(0, 0);                       // 0..40
    TGraphNode *top = Node(20, 20, &TEllipticNode::Class); // 20..60, centre 40,40
    TGraphNode *far = Node(200, 20);
    TGraphNode *under = Node(100, 20);
    TGraphLink *link = Graph.LinkNodes(top, far); // crosses "under" at y 40
    ASSERT_NE(link, nullptr);

    const struct {
        const char *Name;
        int X, Y;
        TGraphObjectClassRef Class;
        TGraphObject *Expected;
    } cases[] = {
        {"overlap", 30, 30, nullptr, top},
        {"overlap, rectangles only", 30, 30, &TRectangularNode::Class, bottom},
        {"overlap, nodes", 30, 30, &TGraphNode::Class, top},
        {"bottom only", 5, 5, nullptr, bottom},
        {"outside the ellipse", 22, 22, nullptr, bottom},
        {"link over node", 120, 40, nullptr, link},
        {"node under link", 120, 40, &TGraphNode::Class, under},
        {"link only", 120, 40, &TGraphLink::Class, link},
        {"empty spot", 500, 500, nullptr, nullptr},
        {"no such class", 30, 30, &TIconNode::Class, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Graph.FindObjectAt(c.X, c.Y, c.Class), c.Expected);
    }

    top->SetVisible(false);
    EXPECT_EQ(Graph.FindObjectAt(30, 30), bottom) << "hidden objects are not hit";
    Graph.SetShowHiddenObjects(true);
    EXPECT_EQ(Graph.FindObjectAt(30, 30), top) << "unless hidden objects are shown";
}

struct FindNextCase {
    int Index;
    bool Inclusive;
    int ClassKind; // 0 any, 1 ellipse, 2 link
    bool Wrap;
    bool Backward;
    int Expected; // index in Objects, -1 none
};

class GraphOpsFindNextTest : public GraphOpsTest,
                             public ::testing::WithParamInterface<FindNextCase> {};

TEST_P(GraphOpsFindNextTest, WalksFromIndexWithClassWrapAndDirection)
{
    // 0 rectangle, 1 ellipse, 2 rectangle, 3 link, 4 ellipse
    TGraphNode *n0 = Node(0, 0);
    Node(50, 0, &TEllipticNode::Class);
    TGraphNode *n2 = Node(100, 0);
    Graph.LinkNodes(n0, n2);
    Node(150, 0, &TEllipticNode::Class);
    ASSERT_TRUE(Graph.Objects()[3]->IsLink());

    const FindNextCase &c = GetParam();
    const TGraphObjectClassRef classes[] = {nullptr, &TEllipticNode::Class, &TGraphLink::Class};
    TGraphObject *found =
        Graph.FindNextObject(c.Index, c.Inclusive, classes[c.ClassKind], c.Wrap, c.Backward);
    EXPECT_EQ(found ? found->ZOrder() : -1, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GraphOpsFindNextTest,
    ::testing::Values(
        // forward
        FindNextCase{1, false, 0, false, false, 2}, FindNextCase{1, true, 0, false, false, 1},
        FindNextCase{4, false, 0, false, false, -1}, FindNextCase{4, false, 0, true, false, 0},
        FindNextCase{2, false, 1, false, false, 4}, FindNextCase{4, false, 1, true, false, 1},
        FindNextCase{3, false, 2, true, false, -1}, FindNextCase{3, true, 2, false, false, 3},
        FindNextCase{-1, false, 0, false, false, 0}, FindNextCase{2, false, 1, true, false, 4},
        // backward
        FindNextCase{2, false, 0, false, true, 1}, FindNextCase{2, true, 0, false, true, 2},
        FindNextCase{0, false, 0, false, true, -1}, FindNextCase{0, false, 0, true, true, 4},
        FindNextCase{1, false, 1, true, true, 4}, FindNextCase{3, false, 2, true, true, -1},
        FindNextCase{5, false, 0, false, true, 4}, FindNextCase{4, false, 2, false, true, 3},
        FindNextCase{0, true, 1, true, true, 4}));

TEST_F(GraphOpsTest, ObjectByIDTakesTopmostMatchOfClass)
{
    TGraphNode *low = Node(0, 0, &TEllipticNode::Class);
    TGraphNode *mid = Node(50, 0);
    TGraphNode *high = Node(100, 0);
    low->SetID(7);
    high->SetID(7);

    EXPECT_EQ(Graph.ObjectByID(7), high);
    EXPECT_EQ(Graph.ObjectByID(7, &TEllipticNode::Class), low);
    EXPECT_EQ(Graph.ObjectByID(7, &TGraphLink::Class), nullptr);
    EXPECT_EQ(Graph.ObjectByID(mid->ID()), mid);
    EXPECT_EQ(Graph.ObjectByID(99), nullptr);

    high->SendToBack();
    EXPECT_EQ(Graph.ObjectByID(7), low) << "the drawing order decides";
    high->Free();
    EXPECT_EQ(Graph.ObjectByID(7), low);
}

TEST_F(GraphOpsTest, ObjectByStoredIDLooksDownToStartIndex)
{
    TGraphNode *n0 = Node(0, 0);
    TGraphNode *n1 = Node(50, 0, &TEllipticNode::Class);
    TGraphNode *n2 = Node(100, 0);
    TGraphNode *n3 = Node(150, 0);
    n0->SetStoredID(5);
    n1->SetStoredID(5);
    n2->SetStoredID(9);
    n3->SetStoredID(5);

    const struct {
        int Start;
        uint32_t Stored;
        TGraphObjectClassRef Class;
        TGraphObject *Expected;
    } cases[] = {
        {0, 5, nullptr, n3},
        {0, 5, &TEllipticNode::Class, n1},
        {2, 5, &TEllipticNode::Class, nullptr},
        {1, 5, &TEllipticNode::Class, n1},
        {3, 5, nullptr, n3},
        {4, 5, nullptr, nullptr},
        {0, 9, nullptr, n2},
        {3, 9, nullptr, nullptr},
        {0, 6, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.Start << " stored " << c.Stored);
        EXPECT_EQ(Graph.ObjectByStoredID(c.Start, c.Stored, c.Class), c.Expected);
    }
}

TEST_F(GraphOpsTest, UnusedIDFindsTheFirstGap)
{
    Node(0, 0);
    Node(50, 0);
    TGraphNode *n3 = Node(100, 0);
    Node(150, 0);
    n3->Free(); // identifiers 1, 2 and 4 remain

    const struct {
        uint32_t Start;
        uint32_t Expected;
    } cases[] = {{1, 3}, {3, 3}, {4, 5}, {2, 3}, {0, 0}, {100, 100}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Start);
        EXPECT_EQ(Graph.UnusedID(c.Start), c.Expected);
    }
    EXPECT_EQ(Node(200, 0)->ID(), 3u);
    EXPECT_EQ(Graph.UnusedID(1), 5u);
}

// The look-ups by identifier are kept in tables beside Objects; random
// insertions, removals, renumbering (duplicates included) and reordering
// must leave them agreeing with a plain walk over the list.
TEST(GraphOpsIdentifiers, LookUpsAgreeWithAWalkOverObjects)
{
    TGraphControl graph;
    std::mt19937 random(20240611);
    const auto pick = [&](int n) {
        return int(std::uniform_int_distribution<int>(0, n - 1)(random));
    };
    const uint32_t maxID = 40;
    for (int step = 0; step < 1500; ++step) {
        const int count = graph.Objects().Count();
        const int roll = pick(100);
        if (roll < 40 || count == 0) {
            graph.InsertNode(Box(pick(500), pick(500)));
        } else if (roll < 62) {
            graph.Objects()[pick(count)]->Free();
        } else if (roll < 90) {
            graph.Objects()[pick(count)]->SetID(uint32_t(1 + pick(int(maxID))));
        } else if (roll < 95) {
            graph.Objects()[pick(count)]->BringToFront();
        } else {
            graph.Objects()[pick(count)]->SendToBack();
        }

        const std::vector<TGraphObject *> objects = Items(graph.Objects());
        const auto used = [&](uint32_t id) {
            return std::any_of(objects.begin(), objects.end(),
                               [id](TGraphObject *o) { return o->ID() == id; });
        };
        for (uint32_t start = 0; start <= maxID + 2; ++start) {
            uint32_t expected = start;
            while (used(expected))
                ++expected;
            ASSERT_EQ(graph.UnusedID(start), expected) << "start " << start << " at step " << step;
        }
        for (uint32_t id = 0; id <= maxID + 1; ++id) {
            TGraphObject *topmost = nullptr;
            for (auto it = objects.rbegin(); it != objects.rend() && !topmost; ++it)
                if ((*it)->ID() == id) topmost = *it;
            ASSERT_EQ(graph.ObjectByID(id), topmost) << "id " << id << " at step " << step;
        }
    }
}

// --- Removing ---

struct RemovalWay {
    const char *Name;
    std::function<void(TGraphControl &, TGraphObject *)> Remove;
};

class GraphOpsRemovalTest : public GraphOpsTest,
                            public ::testing::WithParamInterface<RemovalWay> {};

TEST_P(GraphOpsRemovalTest, RemovingANodeTakesItsLinksTopmostFirst)
{
    TGraphNode *hub = Node(100, 100);
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(200, 0);
    TGraphNode *c = Node(0, 200);
    TGraphLink *l1 = Graph.LinkNodes(hub, a);
    TGraphLink *l2 = Graph.LinkNodes(b, hub);
    TGraphLink *other = Graph.LinkNodes(a, b);
    TGraphLink *l3 = Graph.LinkNodes(hub, c);
    Select({hub, l2, a});
    const uint32_t hubID = hub->ID();
    Events.Reset();

    GetParam().Remove(Graph, hub);

    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{a, b, c, other}));
    EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{a}));
    std::vector<GraphEvent> objectEvents;
    for (const GraphEvent &e : Events.Events)
        if (e.Kind != EventKind::Change) objectEvents.push_back(e);
    EXPECT_EQ(objectEvents, (std::vector<GraphEvent>{SelectedOff(hub), Removed(hub), Removed(l3),
                                                     SelectedOff(l2), Removed(l2), Removed(l1)}));
    EXPECT_GE(Events.Changes(), 1);

    // The freed identifiers and node-link look-ups are gone with them.
    EXPECT_EQ(Graph.ObjectByID(hubID), nullptr);
    EXPECT_EQ(Graph.UnusedID(1), hubID);
    EXPECT_EQ(a->LinkKindTo(b), 1);
    EXPECT_NE(Graph.LinkNodes(a, c), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, GraphOpsRemovalTest,
    ::testing::Values(
        RemovalWay{"Free", [](TGraphControl &, TGraphObject *o) { o->Free(); }},
        RemovalWay{"Remove", [](TGraphControl &g, TGraphObject *o) { g.Objects().Remove(o); }},
        RemovalWay{"Delete",
                   [](TGraphControl &g, TGraphObject *o) { g.Objects().Delete(o->ZOrder()); }},
        RemovalWay{"Batched",
                   [](TGraphControl &g, TGraphObject *o) {
                       TGraphUpdateGuard batch(&g);
                       o->Free();
                   }}),
    [](const ::testing::TestParamInfo<RemovalWay> &info) { return std::string(info.param.Name); });

TEST_F(GraphOpsTest, RemovingALinkLeavesItsNodes)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    Events.Reset();
    Graph.Objects().Remove(link);
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{a, b}));
    EXPECT_EQ(Events.Count(EventKind::Remove), 1);
    EXPECT_EQ(a->LinkKindTo(b), 0);
    EXPECT_NE(Graph.LinkNodes(b, a), nullptr);
}

// --- Clearing ---

TEST_F(GraphOpsTest, ClearDestroysSilentlyAndReportsOnce)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphNode *c = Node(200, 0);
    Graph.LinkNodes(a, b);
    Graph.LinkNodes(b, c);
    b->BringToFront(); // its removal takes both links with it
    Select({a, b});
    Graph.SetCommandMode(cmInsertNode);
    ASSERT_TRUE(Graph.GraphModified());
    Events.Reset();

    Graph.Clear();

    EXPECT_EQ(Events.Events, std::vector<GraphEvent>{GraphChanged()});
    EXPECT_EQ(Graph.Objects().Count(), 0);
    EXPECT_EQ(Graph.SelectedObjects().Count(), 0);
    EXPECT_FALSE(Graph.GraphModified());
    EXPECT_FALSE(Graph.ObjectEventsSuppressed());
    EXPECT_EQ(Graph.UpdateCount(), 0);
    EXPECT_EQ(Graph.CommandMode(), cmEdit);
    EXPECT_EQ(Graph.UnusedID(1), 1u);

    Events.Reset();
    EXPECT_EQ(Node(0, 0)->ID(), 1u);
    EXPECT_EQ(Events.Count(EventKind::Insert), 1) << "events flow again after clearing";
}

TEST_F(GraphOpsTest, ClearOfEmptyDiagramRaisesNothing)
{
    Graph.SetGraphModified(true);
    Graph.Clear();
    EXPECT_TRUE(Events.Events.empty());
    EXPECT_FALSE(Graph.GraphModified());
}

TEST(GraphOpsLifetime, DestroyingTheControlReportsNoChange)
{
    auto graph = std::make_unique<TGraphControl>();
    TGraphNode *a = graph->InsertNode(Box(0, 0));
    TGraphNode *b = graph->InsertNode(Box(100, 0));
    graph->LinkNodes(a, b);
    EventRecorder events;
    events.Attach(*graph);
    graph.reset();
    EXPECT_TRUE(events.Events.empty());
}

// --- Move and resize filter ---

TEST(GraphOpsMoveResize, FilterRaisesSizeAndKeepsTopLeftOnDemand)
{
    const struct {
        const char *Name;
        int MinNodeSize;
        bool FreezeTopLeft;
        int Left, Top, Width, Height;
        int ExpLeft, ExpTop, ExpWidth, ExpHeight;
    } cases[] = {
        {"within limits", 16, false, 5, 6, 20, 30, 5, 6, 20, 30},
        {"too small", 16, false, 5, 6, 3, 15, 5, 6, 16, 16},
        {"negative size", 16, false, 5, 6, -40, 0, 5, 6, 16, 16},
        {"other minimum", 40, false, 0, 0, 39, 41, 0, 0, 40, 41},
        {"negative place allowed", 16, false, -5, -6, 20, 20, -5, -6, 20, 20},
        {"negative place frozen", 16, true, -5, -6, 20, 20, 0, 0, 20, 20},
        {"frozen, left only", 16, true, -5, 6, 20, 20, 0, 6, 20, 20},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TGraphControl graph;
        graph.SetMinNodeSize(c.MinNodeSize);
        graph.SetFreezeTopLeft(c.FreezeTopLeft);
        TGraphNode *node = graph.InsertNode(Box(100, 100));
        int left = c.Left, top = c.Top, width = c.Width, height = c.Height;
        bool canMove = false, canResize = false;
        EXPECT_TRUE(graph.CanMoveResizeNode(node, left, top, width, height, canMove, canResize));
        EXPECT_TRUE(canMove);
        EXPECT_TRUE(canResize);
        EXPECT_EQ(left, c.ExpLeft);
        EXPECT_EQ(top, c.ExpTop);
        EXPECT_EQ(width, c.ExpWidth);
        EXPECT_EQ(height, c.ExpHeight);

        // The node's own bounds pass the same filter.
        node->SetBounds(c.Left, c.Top, c.Width, c.Height);
        EXPECT_EQ(node->GetBoundsRect(), Box(c.ExpLeft, c.ExpTop, c.ExpWidth, c.ExpHeight));
    }
}

TEST_F(GraphOpsTest, MoveResizeHandlerSeesRaisedValuesAndMayVeto)
{
    TGraphNode *node = Node(100, 100);
    Graph.SetFreezeTopLeft(true);
    bool vetoMove = false, vetoResize = false;
    int seenLeft = 0, seenWidth = 0;
    Graph.OnCanMoveResizeNode = [&](TGraphControl *, TGraphNode *n, int &left, int &, int &width,
                                    int &height, bool &canMove, bool &canResize) {
        EXPECT_EQ(n, node);
        seenLeft = left;
        seenWidth = width;
        height = width; // keep it square
        canMove = !vetoMove;
        canResize = !vetoResize;
    };
    Events.Reset();

    node->SetBounds(-20, 0, 4, 40);
    EXPECT_EQ(seenLeft, 0) << "frozen before the handler";
    EXPECT_EQ(seenWidth, 16) << "raised before the handler";
    EXPECT_EQ(node->GetBoundsRect(), Box(0, 0, 16, 16));
    EXPECT_EQ(Events.Changes(), 1);

    vetoMove = true;
    node->SetBounds(50, 50, 30, 10);
    EXPECT_EQ(node->GetBoundsRect(), Box(0, 0, 30, 30)) << "resized only";

    vetoMove = false;
    vetoResize = true;
    node->SetBounds(60, 70, 90, 90);
    EXPECT_EQ(node->GetBoundsRect(), Box(60, 70, 30, 30)) << "moved only";

    vetoMove = true;
    Events.Reset();
    node->SetBounds(0, 0, 50, 50);
    EXPECT_EQ(node->GetBoundsRect(), Box(60, 70, 30, 30));
    EXPECT_TRUE(Events.Events.empty()) << "a refused change reports nothing";
    int l = 1, t = 2, w = 30, h = 30;
    bool canMove = true, canResize = true;
    EXPECT_FALSE(Graph.CanMoveResizeNode(node, l, t, w, h, canMove, canResize));
}

} // namespace
