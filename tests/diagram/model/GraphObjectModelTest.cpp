// The graph object model: identifiers, setters and their change reports,
// fonts that follow the owner, drawing order, the life-cycle states,
// Assign and ConvertTo, the object list and the class registries.

#include "GraphModelTestSupport.h"

#include "EllipticNode.h"
#include "PolygonalNode.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <random>
#include <string>

using namespace GraphModelTest;

namespace {

// A rectangle that counts how often its cached geometry is initialised.
class TModelTestNode : public TRectangularNode {
    GRAPH_OBJECT_CLASS
public:
    explicit TModelTestNode(TGraphControl *owner) : TRectangularNode(owner) {}
    void Initialize() override
    {
        ++InitializeCount;
        TRectangularNode::Initialize();
    }
    int InitializeCount = 0;
};
const TGraphObjectClass TModelTestNode::Class = {"TModelTestNode", &TRectangularNode::Class,
                                                 &ConstructGraphObject<TModelTestNode>, nullptr};

class TModelTestLink : public TGraphLink {
    GRAPH_OBJECT_CLASS
public:
    explicit TModelTestLink(TGraphControl *owner) : TGraphLink(owner) {}
};
const TGraphObjectClass TModelTestLink::Class = {"TModelTestLink", &TGraphLink::Class,
                                                 &ConstructGraphObject<TModelTestLink>, nullptr};

class ObjectModelTest : public ::testing::Test {
protected:
    void SetUp() override { Events.Attach(Graph); }

    TGraphNode *Node(int left, int top, TGraphObjectClassRef cls = nullptr)
    {
        return Graph.InsertNode(Box(left, top), cls);
    }

    TGraphControl Graph;
    EventRecorder Events;
};

// --- Construction ---

TEST_F(ObjectModelTest, NewObjectsStartWithTheirDocumentedValues)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    auto *loose = new TRectangularNode(&Graph);
    for (TGraphObject *object : std::vector<TGraphObject *>{a, link, loose}) {
        SCOPED_TRACE(object->ClassType()->Name);
        EXPECT_EQ(object->Owner(), &Graph);
        EXPECT_EQ(object->StoredID(), 0u);
        EXPECT_EQ(object->Brush().Color(), clWhite);
        EXPECT_EQ(object->Brush().Style(), bsSolid);
        EXPECT_EQ(object->Pen().Color(), object == link ? clRed : clBlack);
        EXPECT_EQ(object->Pen().Style(), psSolid);
        EXPECT_EQ(object->Pen().Mode(), pmCopy);
        EXPECT_EQ(object->Pen().Width(), 1);
        EXPECT_TRUE(object->Text().isEmpty());
        EXPECT_TRUE(object->ParentFont());
        EXPECT_TRUE(object->Font() == Graph.Font());
        EXPECT_EQ(object->Tag(), 0);
        EXPECT_TRUE(object->Visible());
        EXPECT_FALSE(object->Dragging());
        EXPECT_EQ(object->IsLink(), object == link);
        EXPECT_TRUE(object->IconCaption().isEmpty());
    }
    EXPECT_EQ(loose->State(), osCreating);
    EXPECT_EQ(loose->ZOrder(), -1);
    EXPECT_FALSE(loose->Selected());
    EXPECT_EQ(loose->ID(), 4u) << "the smallest identifier unused in Objects";
    loose->Free();
}

// --- Identifiers ---

TEST_F(ObjectModelTest, NewObjectTakesSmallestUnusedIdentifier)
{
    TGraphNode *first = Node(0, 0);
    EXPECT_EQ(first->ID(), 1u);
    TGraphNode *second = Node(50, 0);
    EXPECT_EQ(second->ID(), 2u);

    first->Free();
    TGraphNode *third = Node(100, 0);
    EXPECT_EQ(third->ID(), 1u) << "identifier 1 is free again";
    EXPECT_EQ(Graph.LinkNodes(second, third)->ID(), 3u);
}

TEST_F(ObjectModelTest, IdentifierChangeIsSeenByLookUps)
{
    TGraphNode *a = Node(0, 0);
    Node(50, 0);
    a->SetID(10);
    EXPECT_EQ(Graph.ObjectByID(10), a);
    EXPECT_EQ(Graph.ObjectByID(1), nullptr);
    EXPECT_EQ(Graph.UnusedID(1), 1u);
    EXPECT_EQ(Node(100, 0)->ID(), 1u);
    EXPECT_EQ(Graph.UnusedID(10), 11u);
}

// --- Setters and what they report ---

struct SetterCase {
    const char *Name;
    std::function<void(TGraphNode *)> Change;
    int ExpectedGraphChanges;
};

TEST(ObjectModelSetters, EachSetterReportsAsMuchAsItChanges)
{
    const SetterCase cases[] = {
        {"Text to another value", [](TGraphNode *n) { n->SetText("lamp"); }, 1},
        {"Text to the same value", [](TGraphNode *n) { n->SetText("start"); }, 0},
        {"Visible off", [](TGraphNode *n) { n->SetVisible(false); }, 1},
        {"Visible unchanged", [](TGraphNode *n) { n->SetVisible(true); }, 0},
        {"ParentFont off", [](TGraphNode *n) { n->SetParentFont(false); }, 1},
        {"ParentFont unchanged", [](TGraphNode *n) { n->SetParentFont(true); }, 0},
        {"Brush colour", [](TGraphNode *n) { n->Brush().SetColor(clRed); }, 1},
        {"Pen width", [](TGraphNode *n) { n->Pen().SetWidth(3); }, 1},
        {"Brush set to its own values",
         [](TGraphNode *n) {
             TBrush b;
             b.Assign(n->Brush());
             n->SetBrush(b);
         },
         1},
        {"Font size", [](TGraphNode *n) { n->Font().SetSize(n->Font().Size() + 4); }, 1},
        {"Tag", [](TGraphNode *n) { n->SetTag(42); }, 0},
        {"Symbol fields",
         [](TGraphNode *n) {
             n->SetIconCaption("c");
             n->SetIconSystem("s");
             n->SetIconType("t");
             n->SetIconSmallImagePath("small.bmp");
             n->SetIconLargeImagePath("large.bmp");
             n->SetIconComment("x");
         },
         0},
        {"Selected", [](TGraphNode *n) { n->SetSelected(true); }, 0},
        {"Dragging", [](TGraphNode *n) { n->SetDragging(true); }, 0},
        {"BringToFront of the topmost", [](TGraphNode *n) { n->BringToFront(); }, 1},
    };
    for (const SetterCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TGraphControl graph;
        TGraphNode *node = graph.InsertNode(Box(0, 0));
        node->SetSelected(false);
        node->SetText("start");
        graph.SetGraphModified(false);
        EventRecorder events;
        events.Attach(graph);

        c.Change(node);

        EXPECT_EQ(events.Changes(), c.ExpectedGraphChanges);
        EXPECT_EQ(graph.GraphModified(), c.ExpectedGraphChanges > 0);
    }
}

TEST_F(ObjectModelTest, ObjectNotYetInDiagramReportsNothing)
{
    auto *node = new TRectangularNode(&Graph);
    node->SetText("x");
    node->SetVisible(false);
    node->Brush().SetColor(clRed);
    EXPECT_TRUE(Events.Events.empty());
    EXPECT_FALSE(Graph.GraphModified());
    node->Free();
}

TEST_F(ObjectModelTest, ShowingNeedsLiveStateAndVisibilityOrShowHidden)
{
    TGraphNode *node = Node(0, 0);
    EXPECT_TRUE(node->Showing());
    node->SetVisible(false);
    EXPECT_FALSE(node->Showing());
    Graph.SetShowHiddenObjects(true);
    EXPECT_TRUE(node->Showing());
    node->SetState(osWriting);
    EXPECT_FALSE(node->Showing());
    node->SetState(osNone);
}

TEST_F(ObjectModelTest, OtherCanvasesPaintEveryShowingObject)
{
    // Only the control's own window skips what lies outside its visible
    // area; a picture or printer canvas gets everything that is showing.
    TGraphNode *far = Node(5000, 5000);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_TRUE(far->NeedsPaint(painter));
    far->SetVisible(false);
    EXPECT_FALSE(far->NeedsPaint(painter));
    Graph.SetShowHiddenObjects(true);
    EXPECT_TRUE(far->NeedsPaint(painter));
}

// --- Fonts that follow the owner ---

TEST_F(ObjectModelTest, ChangingObjectFontDetachesItFromOwnerFont)
{
    TGraphNode *node = Node(0, 0);
    ASSERT_TRUE(node->ParentFont());
    EXPECT_TRUE(node->Font() == Graph.Font());
    Events.Reset();

    node->Font().SetSize(Graph.Font().Size() + 6);
    EXPECT_FALSE(node->ParentFont());
    EXPECT_EQ(Events.Changes(), 1);
    TFont detached;
    detached.Assign(node->Font());

    // The owner's font no longer reaches it.
    TFont bigger;
    bigger.Assign(Graph.Font());
    bigger.SetSize(Graph.Font().Size() + 2);
    bigger.SetName("SimHei");
    Graph.SetFont(bigger);
    EXPECT_TRUE(node->Font() == detached);
    EXPECT_FALSE(node->ParentFont());

    // Following the owner again copies its current font.
    Events.Reset();
    node->SetParentFont(true);
    EXPECT_TRUE(node->ParentFont());
    EXPECT_TRUE(node->Font() == Graph.Font());
    EXPECT_EQ(Events.Changes(), 1);
}

TEST_F(ObjectModelTest, OwnerFontChangeReachesFollowingObjectsOnly)
{
    TGraphNode *following = Node(0, 0);
    TGraphNode *own = Node(50, 0);
    TGraphLink *link = Graph.LinkNodes(following, own);
    own->Font().SetStyle(fsBold);

    TFont font;
    font.Assign(Graph.Font());
    font.SetSize(font.Size() + 3);
    Graph.SetFont(font);

    EXPECT_TRUE(following->Font() == font);
    EXPECT_TRUE(following->ParentFont()) << "syncing from the owner keeps the object following";
    EXPECT_TRUE(link->Font() == font);
    EXPECT_TRUE(link->ParentFont());
    EXPECT_FALSE(own->Font() == font);
    EXPECT_EQ(own->Font().Style(), fsBold);
}

TEST_F(ObjectModelTest, SettingFontToOwnerValuesStillDetaches)
{
    // The font setter copies without comparing: any font the application
    // gives an object is the object's own from then on.
    TGraphNode *node = Node(0, 0);
    node->SetFont(Graph.Font());
    EXPECT_FALSE(node->ParentFont());
}

// --- Drawing order ---

TEST_F(ObjectModelTest, BringToFrontAndSendToBackReportEvenWithoutMoving)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(50, 0);
    TGraphNode *c = Node(100, 0);
    Events.Reset();

    c->BringToFront();
    EXPECT_EQ(Events.Changes(), 1) << "move of the topmost to the top";
    a->SendToBack();
    EXPECT_EQ(Events.Changes(), 2) << "move of the bottom one to the bottom";
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{a, b, c}));

    a->BringToFront();
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{b, c, a}));
    c->SendToBack();
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{c, b, a}));
    EXPECT_EQ(Events.Changes(), 4);
    EXPECT_EQ(Events.Count(EventKind::Insert) + Events.Count(EventKind::Remove), 0);
}

TEST_F(ObjectModelTest, SetZOrderClampsOutOfRangeIndexesToTheTop)
{
    struct Case {
        int From;
        int To;
        int Expected;
    } cases[] = {
        {1, -5, 3}, {1, 4 + 3, 3}, {0, 4, 3}, {2, 0, 0}, {0, 2, 2}, {3, 1, 1}, {2, 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.From << " to " << c.To);
        Graph.Clear();
        std::vector<TGraphObject *> model;
        for (int i = 0; i < 4; ++i)
            model.push_back(Node(i * 50, 0));
        TGraphObject *moving = model[c.From];

        moving->SetZOrder(c.To);

        model.erase(model.begin() + c.From);
        model.insert(model.begin() + c.Expected, moving);
        EXPECT_EQ(moving->ZOrder(), c.Expected);
        EXPECT_EQ(Items(Graph.Objects()), model);
    }
}

// --- Life cycle ---

TEST_F(ObjectModelTest, InsertingRunsInitializeOnceAndAnnouncesWhileStillCreating)
{
    auto *node = static_cast<TModelTestNode *>(Graph.InsertNode(Box(0, 0), &TModelTestNode::Class));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->InitializeCount, 1);
    EXPECT_EQ(node->State(), osNone);
    ASSERT_EQ(Events.Count(EventKind::Insert), 1);
    EXPECT_EQ(Events.Events.front().State, osCreating)
        << "the list adds the object before its state changes";

    // Writing leaves and re-enters osNone without building anything again.
    Events.Reset();
    node->SetState(osWriting);
    node->SetText("ignored while writing");
    node->SetState(osNone);
    EXPECT_EQ(node->InitializeCount, 1);
    EXPECT_TRUE(Events.Events.empty());
    EXPECT_EQ(Graph.Objects().Count(), 1);

    node->SetState(osNone);
    EXPECT_EQ(node->InitializeCount, 1) << "the same state again does nothing";
}

TEST_F(ObjectModelTest, ReadingPathJoinsOnEnteringReadingAndInitializesOnLeavingIt)
{
    auto *node = new TModelTestNode(&Graph);
    node->SetState(osReading);
    EXPECT_EQ(Graph.Objects().Count(), 1);
    EXPECT_EQ(Events.Count(EventKind::Insert), 1);
    EXPECT_EQ(node->InitializeCount, 0);

    node->SetLeft(30);
    node->SetWidth(5); // stored directly, without the minimum size
    node->SetHeight(20);
    node->SetText("read");
    EXPECT_EQ(Events.Changes(), 1) << "only the insertion itself reported";

    node->SetState(osNone);
    EXPECT_EQ(node->InitializeCount, 1);
    EXPECT_EQ(node->Left(), 30);
    EXPECT_EQ(node->Width(), 5);
    EXPECT_TRUE(node->ContainsPoint(32, 2)) << "region built by Initialize";
}

TEST_F(ObjectModelTest, DestroyingObjectStillCreatingPassesThroughObjects)
{
    TGraphNode *existing = Node(0, 0);
    Events.Reset();
    auto *node = new TRectangularNode(&Graph);
    EXPECT_EQ(Graph.Objects().Count(), 1);

    node->Free();

    EXPECT_EQ(Events.Events, (std::vector<GraphEvent>{GraphChanged(), Inserted(node), Removed(node),
                                                      GraphChanged()}));
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{existing}));
}

TEST_F(ObjectModelTest, FreeOfLiveObjectRemovesItOnce)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(50, 0);
    Events.Reset();
    a->Free();
    EXPECT_EQ(Events.Count(EventKind::Remove), 1);
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{b}));
}

// --- Assign ---

TEST_F(ObjectModelTest, AssignCopiesLooksButNotIdentityOrSymbolFields)
{
    TGraphNode *source = Node(0, 0);
    TGraphNode *target = Node(100, 0, &TEllipticNode::Class);
    source->SetText("lamp");
    source->Brush().SetColor(clYellow);
    source->Pen().SetWidth(4);
    source->Font().SetStyle(fsItalic);
    source->SetVisible(false);
    source->SetTag(60001);
    source->SetIconCaption("caption");
    source->SetIconSystem("system");
    source->SetIconType("type");
    source->SetIconSmallImagePath("s.bmp");
    source->SetIconLargeImagePath("l.bmp");
    source->SetIconComment("comment");
    const uint32_t targetID = target->ID();
    Events.Reset();

    target->Assign(source);

    EXPECT_EQ(target->Text(), "lamp");
    EXPECT_EQ(target->Brush().Color(), clYellow);
    EXPECT_EQ(target->Pen().Width(), 4);
    EXPECT_TRUE(target->Font() == source->Font());
    EXPECT_FALSE(target->ParentFont());
    EXPECT_FALSE(target->Visible());
    EXPECT_EQ(target->Tag(), 60001);
    EXPECT_EQ(target->ID(), targetID);
    EXPECT_EQ(target->IconCaption(), "");
    EXPECT_EQ(target->IconSystem(), "");
    EXPECT_EQ(target->IconType(), "");
    EXPECT_EQ(target->IconSmallImagePath(), "");
    EXPECT_EQ(target->IconLargeImagePath(), "");
    EXPECT_EQ(target->IconComment(), "");
    EXPECT_EQ(target->State(), osNone);
    EXPECT_EQ(Events.Changes(), 1) << "one batch";
}

TEST_F(ObjectModelTest, AssignFromFollowingSourceMakesTargetFollowAgain)
{
    TGraphNode *source = Node(0, 0);
    TGraphNode *target = Node(100, 0);
    target->Font().SetSize(30);
    ASSERT_FALSE(target->ParentFont());

    target->Assign(source);

    EXPECT_TRUE(target->ParentFont());
    EXPECT_TRUE(target->Font() == Graph.Font());
}

TEST_F(ObjectModelTest, AssignOfNothingIsRefusedAndBatchIsClosed)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    const struct {
        TGraphObject *Target;
        const char *Message;
    } cases[] = {
        {a, "Cannot assign a nil to a TRectangularNode"},
        {link, "Cannot assign a nil to a TGraphLink"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Message);
        try {
            c.Target->Assign(nullptr);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError &e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        EXPECT_EQ(Graph.UpdateCount(), 0);
    }
    Events.Reset();
    a->SetText("after");
    EXPECT_EQ(Events.Changes(), 1) << "changes are reported again";
}

// --- ConvertTo ---

TEST_F(ObjectModelTest, ConvertToOwnClassOrNothingDoesNothing)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    Graph.LinkNodes(a, b);
    const std::vector<TGraphObject *> before = Items(Graph.Objects());
    Events.Reset();

    EXPECT_FALSE(a->ConvertTo(&TRectangularNode::Class));
    EXPECT_FALSE(a->ConvertTo(nullptr));
    EXPECT_FALSE(a->ConvertTo(&TGraphNode::Class)) << "an abstract class cannot be made";
    EXPECT_FALSE(Graph.Objects()[2]->ConvertTo(&TGraphLink::Class));

    EXPECT_EQ(Items(Graph.Objects()), before);
    EXPECT_TRUE(Events.Events.empty());
}

TEST_F(ObjectModelTest, ConvertToOtherFamilyFailsAndLeavesDiagramAsItWas)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    const std::vector<TGraphObject *> before = Items(Graph.Objects());
    const std::vector<TGraphObject *> selectedBefore = Items(Graph.SelectedObjects());

    const struct {
        TGraphObject *Object;
        TGraphObjectClassRef NewClass;
    } cases[] = {{a, &TGraphLink::Class}, {link, &TEllipticNode::Class}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.NewClass->Name);
        Events.Reset();
        EXPECT_FALSE(c.Object->ConvertTo(c.NewClass));
        EXPECT_EQ(Items(Graph.Objects()), before);
        EXPECT_EQ(Items(Graph.SelectedObjects()), selectedBefore);
        // The discarded object passed through the list once.
        ASSERT_EQ(Events.Count(EventKind::Insert), 1);
        ASSERT_EQ(Events.Count(EventKind::Remove), 1);
        EXPECT_EQ(Events.Count(EventKind::Select), 0);
    }
    EXPECT_EQ(link->FromNode(), a);
    EXPECT_EQ(link->ToNode(), b);
}

TEST_F(ObjectModelTest, ConvertNodeKeepsPlaceSelectionAndLinks)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphNode *c = Node(0, 100);
    TGraphLink *ab = Graph.LinkNodes(a, b);
    TGraphLink *ca = Graph.LinkNodes(c, a);
    Graph.SelectedObjects().Clear();
    c->SetSelected(true);
    b->SetSelected(true);
    b->SetText("to convert");
    b->SetTag(7);
    Events.Reset();

    ASSERT_TRUE(b->ConvertTo(&TEllipticNode::Class));

    TGraphObject *converted = Graph.Objects()[1];
    ASSERT_TRUE(converted->IsKindOf(&TEllipticNode::Class));
    auto *node = static_cast<TGraphNode *>(converted);
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{a, node, c, ab, ca}));
    EXPECT_EQ(Items(Graph.SelectedObjects()), (std::vector<TGraphObject *>{c, node}));
    EXPECT_TRUE(node->Selected());
    EXPECT_EQ(node->Text(), "to convert");
    EXPECT_EQ(node->Tag(), 7);
    EXPECT_EQ(node->GetBoundsRect(), Box(100, 0));
    EXPECT_EQ(node->State(), osNone);
    EXPECT_EQ(ab->FromNode(), a);
    EXPECT_EQ(ab->ToNode(), node);
    EXPECT_EQ(ab->ToNodeID(), node->ID());
    EXPECT_NE(a->LinkKindTo(node), 0);
    EXPECT_EQ(Graph.ObjectByID(node->ID()), node);
    EXPECT_TRUE(node->ContainsPoint(120, 20));
    EXPECT_EQ(Events.Events, std::vector<GraphEvent>{GraphChanged()})
        << "a conversion inserts and removes nothing that the application sees";

    // The links follow the new node out of the diagram too.
    Events.Reset();
    node->Free();
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{a, c, ca}));
    EXPECT_EQ(Events.Count(EventKind::Remove), 2);
}

TEST_F(ObjectModelTest, ConvertLinkFindsItsNodesAgain)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    link->SetText("wire");
    link->SetKind(lkDirected);
    Events.Reset();

    ASSERT_TRUE(link->ConvertTo(&TModelTestLink::Class));

    ASSERT_EQ(Graph.Objects().Count(), 3);
    TGraphObject *converted = Graph.Objects()[2];
    ASSERT_TRUE(converted->IsKindOf(&TModelTestLink::Class));
    auto *newLink = static_cast<TGraphLink *>(converted);
    EXPECT_EQ(newLink->FromNode(), a);
    EXPECT_EQ(newLink->ToNode(), b);
    EXPECT_EQ(newLink->Text(), "wire");
    EXPECT_TRUE(newLink->Selected());
    EXPECT_EQ(Graph.LinkNodes(a, b), nullptr) << "the pair is still joined";
    EXPECT_EQ(Events.Count(EventKind::Insert) + Events.Count(EventKind::Remove), 0);

    a->Free();
    EXPECT_EQ(Items(Graph.Objects()), (std::vector<TGraphObject *>{b}));
}

TEST_F(ObjectModelTest, ConvertLinkThatCannotFindItsNodesKeepsTheOriginal)
{
    TGraphNode *a = Node(0, 0);
    TGraphNode *b = Node(100, 0);
    TGraphLink *link = Graph.LinkNodes(a, b);
    link->SetFromNodeID(99); // names a node that does not exist
    const std::vector<TGraphObject *> before = Items(Graph.Objects());
    Events.Reset();

    EXPECT_FALSE(link->ConvertTo(&TModelTestLink::Class));

    EXPECT_EQ(Items(Graph.Objects()), before);
    EXPECT_EQ(Items(Graph.SelectedObjects()), std::vector<TGraphObject *>{link});
    EXPECT_TRUE(link->Selected());
    EXPECT_EQ(link->FromNode(), a);
    EXPECT_EQ(link->ToNode(), b);
    EXPECT_EQ(Graph.ObjectByID(link->ID()), link);
    EXPECT_EQ(Events.Count(EventKind::Insert) + Events.Count(EventKind::Remove), 0);

    b->Free();
    EXPECT_EQ(Items(Graph.Objects()), std::vector<TGraphObject *>{a});
}

// --- The object list ---

class ObjectListTest : public ::testing::Test {
protected:
    struct Note {
        TGraphObject *Object;
        TGraphListAction Action;
        bool operator==(const Note &o) const { return Object == o.Object && Action == o.Action; }
    };

    void SetUp() override
    {
        for (int i = 0; i < 6; ++i)
            Pool.push_back(new TRectangularNode(&Graph));
        List.SetOnChange(
            [this](TGraphObjectList *list, TGraphObject *object, TGraphListAction action) {
                EXPECT_EQ(list, &List);
                // Additions are announced from inside the list, removals from outside.
                EXPECT_EQ(list->Contains(object), action != laRemoved);
                if (action == laAdded) {
                    EXPECT_EQ(list->IndexOf(object), list->Count() - 1);
                }
                Notes.push_back({object, action});
            });
    }
    void TearDown() override
    {
        for (TGraphObject *object : Pool)
            object->Free();
    }
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            List.Add(Pool[i]);
        Notes.clear();
    }

    TGraphControl Graph;
    std::vector<TGraphObject *> Pool; // constructed, never part of the diagram
    TGraphObjectList List;
    std::vector<Note> Notes;
};

TEST_F(ObjectListTest, AddAppendsOnceAndAnnounces)
{
    EXPECT_EQ(List.Add(Pool[0]), 0);
    EXPECT_EQ(List.Add(Pool[1]), 1);
    EXPECT_EQ(Notes, (std::vector<Note>{{Pool[0], laAdded}, {Pool[1], laAdded}}));

    Notes.clear();
    EXPECT_EQ(List.Add(Pool[0]), 0);
    EXPECT_EQ(List.Count(), 2);
    EXPECT_TRUE(Notes.empty());
}

TEST_F(ObjectListTest, RemoveAndDeleteTakeOutAndAnnounce)
{
    Fill(4);
    EXPECT_EQ(List.Remove(Pool[1]), 1);
    EXPECT_EQ(List.Remove(Pool[1]), -1);
    EXPECT_EQ(List.Remove(Pool[5]), -1);
    List.Delete(2); // Pool[3]
    EXPECT_EQ(Items(List), (std::vector<TGraphObject *>{Pool[0], Pool[2]}));
    EXPECT_EQ(Notes, (std::vector<Note>{{Pool[1], laRemoved}, {Pool[3], laRemoved}}));
    EXPECT_EQ(List.Last(), Pool[2]);
}

TEST_F(ObjectListTest, MoveAnnouncesObjectAtTarget)
{
    Fill(4);
    List.Move(0, 2);
    EXPECT_EQ(Items(List), (std::vector<TGraphObject *>{Pool[1], Pool[2], Pool[0], Pool[3]}));
    List.Move(3, 0);
    EXPECT_EQ(Items(List), (std::vector<TGraphObject *>{Pool[3], Pool[1], Pool[2], Pool[0]}));
    List.Move(1, 1);
    EXPECT_EQ(Notes,
              (std::vector<Note>{{Pool[0], laMoved}, {Pool[3], laMoved}, {Pool[1], laMoved}}));
}

TEST_F(ObjectListTest, AnObjectPutBackWhereOneWasTakenOutTakesItsPlace)
{
    // As the undo history does: take objects out, add them again at the
    // end and move each back to its index; the list then has holes to use.
    Fill(5);
    List.Remove(Pool[1]);
    List.Remove(Pool[3]);
    List.Add(Pool[3]);
    List.Add(Pool[1]);
    List.Move(4, 1); // Pool[1]
    List.Move(4, 3); // Pool[3]
    EXPECT_EQ(Items(List),
              (std::vector<TGraphObject *>{Pool[0], Pool[1], Pool[2], Pool[3], Pool[4]}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(List.IndexOf(Pool[i]), i);
    EXPECT_TRUE(List.Precedes(Pool[1], Pool[2]));
    EXPECT_TRUE(List.Precedes(Pool[3], Pool[4]));
    // Forwards into a hole as well.
    List.Remove(Pool[3]);
    List.Move(0, 2);
    EXPECT_EQ(Items(List), (std::vector<TGraphObject *>{Pool[1], Pool[2], Pool[0], Pool[4]}));
    EXPECT_EQ(List.IndexOf(Pool[0]), 2);
    EXPECT_EQ(List.IndexOf(Pool[4]), 3);
}

TEST_F(ObjectListTest, ReplaceSwapsInPlaceSilently)
{
    Fill(3);
    EXPECT_EQ(List.Replace(Pool[1], Pool[4]), 1);
    EXPECT_EQ(List.Replace(Pool[5], Pool[0]), -1);
    EXPECT_EQ(Items(List), (std::vector<TGraphObject *>{Pool[0], Pool[4], Pool[2]}));
    EXPECT_FALSE(List.Contains(Pool[1]));
    EXPECT_EQ(List.IndexOf(Pool[4]), 1);
    EXPECT_TRUE(Notes.empty());
}

TEST_F(ObjectListTest, ClearRemovesFromTheEnd)
{
    Fill(3);
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Notes, (std::vector<Note>{
                         {Pool[2], laRemoved}, {Pool[1], laRemoved}, {Pool[0], laRemoved}}));
    EXPECT_EQ(List.Add(Pool[1]), 0) << "usable after clearing";
}

TEST_F(ObjectListTest, IndexOutsideListIsRefusedWithIndexInMessage)
{
    Fill(3);
    const struct {
        const char *Name;
        std::function<void()> Call;
        const char *Message;
    } cases[] = {
        {"Items(3)", [&] { List.Items(3); }, "List index out of bounds (3)"},
        {"Items(-1)", [&] { List[-1]; }, "List index out of bounds (-1)"},
        {"Delete(7)", [&] { List.Delete(7); }, "List index out of bounds (7)"},
        {"Move(0, 3)", [&] { List.Move(0, 3); }, "List index out of bounds (3)"},
        {"Move(-2, 0)", [&] { List.Move(-2, 0); }, "List index out of bounds (-2)"},
        {"Move(5, 5)", [&] { List.Move(5, 5); }, "List index out of bounds (5)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            c.Call();
            ADD_FAILURE() << "no error";
        } catch (const EListError &e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    EXPECT_EQ(Items(List), (std::vector<TGraphObject *>{Pool[0], Pool[1], Pool[2]}));
    EXPECT_TRUE(Notes.empty());

    List.Clear();
    EXPECT_THROW(List.Last(), EListError);
}

// The list keeps removed slots as holes and counts the filled ones in a
// Fenwick tree; random work against a plain vector shows whether indexes,
// look-ups and order survive holes, trailing trims and compaction.
class ObjectListModelTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(ObjectListModelTest, BehavesLikeAPlainVector)
{
    TGraphControl graph;
    std::vector<TGraphObject *> pool;
    for (int i = 0; i < 400; ++i)
        pool.push_back(new TRectangularNode(&graph));

    TGraphObjectList list;
    std::vector<TGraphObject *> model;
    TGraphObject *lastNotified = nullptr;
    TGraphListAction lastAction = laAdded;
    int notes = 0;
    list.SetOnChange([&](TGraphObjectList *, TGraphObject *object, TGraphListAction action) {
        lastNotified = object;
        lastAction = action;
        ++notes;
    });

    std::mt19937 random(GetParam());
    const auto pick = [&](int n) {
        return int(std::uniform_int_distribution<int>(0, n - 1)(random));
    };
    const int steps = 4000;
    for (int step = 0; step < steps; ++step) {
        // Grow first, then churn, then shrink, so that holes pile up.
        const int phase = step * 3 / steps;
        const int addWeight = phase == 0 ? 60 : phase == 1 ? 30 : 12;
        const int roll = pick(100);
        std::string op;
        notes = 0;
        if (roll < addWeight || model.empty()) {
            TGraphObject *object = pool[pick(int(pool.size()))];
            const auto it = std::find(model.begin(), model.end(), object);
            const int expected = it == model.end() ? int(model.size()) : int(it - model.begin());
            op = "Add";
            ASSERT_EQ(list.Add(object), expected) << op << " at step " << step;
            if (it == model.end()) {
                model.push_back(object);
                ASSERT_EQ(notes, 1);
                ASSERT_EQ(lastAction, laAdded);
            } else {
                ASSERT_EQ(notes, 0);
            }
        } else if (roll < addWeight + 25) {
            TGraphObject *object = pool[pick(int(pool.size()))];
            const auto it = std::find(model.begin(), model.end(), object);
            const int expected = it == model.end() ? -1 : int(it - model.begin());
            op = "Remove";
            ASSERT_EQ(list.Remove(object), expected) << op << " at step " << step;
            if (it != model.end()) model.erase(it);
            ASSERT_EQ(notes, expected >= 0 ? 1 : 0);
        } else if (roll < addWeight + 45) {
            const int index = pick(int(model.size()));
            op = "Delete";
            TGraphObject *object = model[index];
            list.Delete(index);
            model.erase(model.begin() + index);
            ASSERT_EQ(lastNotified, object) << op << " at step " << step;
            ASSERT_EQ(lastAction, laRemoved);
        } else if (roll < addWeight + 62) {
            const int from = pick(int(model.size()));
            // Moves to the end (bring to front) keep the holes; other moves
            // compact the list. While shrinking, only the former happen, so
            // that holes pile up to the point of compaction.
            const int to =
                phase == 2 || pick(3) == 0 ? int(model.size()) - 1 : pick(int(model.size()));
            op = "Move";
            list.Move(from, to);
            TGraphObject *object = model[from];
            model.erase(model.begin() + from);
            model.insert(model.begin() + to, object);
            ASSERT_EQ(lastNotified, model[to]) << op << " at step " << step;
            ASSERT_EQ(lastAction, laMoved);
        } else if (roll < addWeight + 66) {
            TGraphObject *fresh = pool[pick(int(pool.size()))];
            if (std::find(model.begin(), model.end(), fresh) != model.end()) continue;
            const int index = pick(int(model.size()));
            op = "Replace";
            ASSERT_EQ(list.Replace(model[index], fresh), index) << op << " at step " << step;
            model[index] = fresh;
            ASSERT_EQ(notes, 0);
        } else if (pick(40) == 0) {
            op = "Clear";
            list.Clear();
            model.clear();
        } else {
            continue;
        }

        ASSERT_EQ(list.Count(), int(model.size())) << op << " at step " << step;
        for (int i = 0; i < int(model.size()); ++i) {
            ASSERT_EQ(list[i], model[i]) << "item " << i << " after " << op << " at step " << step;
            ASSERT_EQ(list.IndexOf(model[i]), i) << "after " << op << " at step " << step;
        }
        if (model.size() >= 2) {
            const int i = pick(int(model.size()));
            const int j = pick(int(model.size()));
            ASSERT_EQ(list.Precedes(model[i], model[j]), i < j) << "after " << op;
        }
        TGraphObject *probe = pool[pick(int(pool.size()))];
        const bool listed = std::find(model.begin(), model.end(), probe) != model.end();
        ASSERT_EQ(list.Contains(probe), listed);
        if (!listed) {
            ASSERT_EQ(list.IndexOf(probe), -1);
        }
    }
    EXPECT_EQ(list.Snapshot(), model);

    list.SetOnChange(nullptr);
    for (TGraphObject *object : pool)
        object->Free();
}

INSTANTIATE_TEST_SUITE_P(Seeds, ObjectListModelTest, ::testing::Values(1u, 7u, 2024u, 99991u));

// --- Class registries ---

std::vector<std::string> NodeClassNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < TGraphControl::NodeClassCount(); ++i)
        names.push_back(TGraphControl::NodeClasses(i)->Name);
    return names;
}

// Puts the node and link registries back as they were when it was made.
class RegistryRestorer {
public:
    RegistryRestorer()
    {
        for (int i = 0; i < TGraphControl::NodeClassCount(); ++i)
            FNodes.push_back(TGraphControl::NodeClasses(i));
        for (int i = 0; i < TGraphControl::LinkClassCount(); ++i)
            FLinks.push_back(TGraphControl::LinkClasses(i));
    }
    ~RegistryRestorer()
    {
        while (TGraphControl::NodeClassCount() > 0)
            TGraphControl::UnregisterNodeClass(TGraphControl::NodeClasses(0));
        while (TGraphControl::LinkClassCount() > 0)
            TGraphControl::UnregisterLinkClass(TGraphControl::LinkClasses(0));
        for (TGraphObjectClassRef cls : FLinks)
            TGraphControl::RegisterLinkClass(cls);
        for (TGraphObjectClassRef cls : FNodes)
            TGraphControl::RegisterNodeClass(cls);
        TGraphControl::RegisterStandardClasses();
    }

private:
    std::vector<TGraphObjectClassRef> FNodes;
    std::vector<TGraphObjectClassRef> FLinks;
};

TEST(ObjectModelRegistry, StandardClassesInTheirFixedOrder)
{
    TGraphControl graph; // the first control registers them
    const std::vector<std::string> expected = {"TRectangularNode", "TRoundRectangularNode",
                                               "TEllipticNode",    "TTriangularNode",
                                               "TRhomboidalNode",  "TPentagonalNode",
                                               "THLineNode",       "TVLineNode",
                                               "TTextNode",        "TIconNode"};
    const std::vector<std::string> names = NodeClassNames();
    ASSERT_GE(names.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + expected.size()), expected);
    ASSERT_GE(TGraphControl::LinkClassCount(), 1);
    EXPECT_EQ(TGraphControl::LinkClasses(0), &TGraphLink::Class);
    EXPECT_EQ(graph.NewNodeClass(), &TRectangularNode::Class);
    EXPECT_EQ(graph.NewLinkClass(), &TGraphLink::Class);
}

TEST(ObjectModelRegistry, RegisteringTwiceKeepsOneEntry)
{
    TGraphControl graph;
    RegistryRestorer restore;
    const int nodes = TGraphControl::NodeClassCount();
    const int links = TGraphControl::LinkClassCount();

    TGraphControl::RegisterNodeClass(&TModelTestNode::Class);
    TGraphControl::RegisterNodeClass(&TModelTestNode::Class);
    TGraphControl::RegisterLinkClass(&TModelTestLink::Class);
    TGraphControl::RegisterLinkClass(&TModelTestLink::Class);
    EXPECT_EQ(TGraphControl::NodeClassCount(), nodes + 1);
    EXPECT_EQ(TGraphControl::NodeClasses(nodes), &TModelTestNode::Class);
    EXPECT_EQ(TGraphControl::LinkClassCount(), links + 1);
    EXPECT_EQ(TGraphControl::FindClass("tmodeltestnode"), &TModelTestNode::Class);
    EXPECT_EQ(TGraphControl::FindClass("TMODELTESTLINK"), &TModelTestLink::Class);

    TGraphControl::UnregisterNodeClass(&TModelTestNode::Class);
    TGraphControl::UnregisterLinkClass(&TModelTestLink::Class);
    EXPECT_EQ(TGraphControl::NodeClassCount(), nodes);
    EXPECT_EQ(TGraphControl::LinkClassCount(), links);
    EXPECT_EQ(TGraphControl::FindClass("TModelTestNode"), nullptr);
    EXPECT_EQ(TGraphControl::FindClass("TModelTestLink"), nullptr);
    EXPECT_EQ(TGraphControl::FindClass("TRectangularNode"), &TRectangularNode::Class)
        << "the parent stays known";
}

TEST(ObjectModelRegistry, AncestorsAreKnownByNameRegardlessOfCase)
{
    TGraphControl graph;
    const struct {
        const char *Name;
        TGraphObjectClassRef Expected;
    } cases[] = {
        {"TGraphNode", &TGraphNode::Class},
        {"tpolygonalnode", &TPolygonalNode::Class},
        {"TGRAPHOBJECT", &TGraphObject::Class},
        {"TGraphLink", &TGraphLink::Class},
        {"tIconNode", &TIconNode::Class},
        {"TNoSuchNode", nullptr},
        {"", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(TGraphControl::FindClass(c.Name), c.Expected);
    }
}

TEST(ObjectModelRegistry, UnregisteringEveryNodeClassEmptiesTheRegistry)
{
    TGraphControl graph;
    {
        RegistryRestorer restore;
        const std::vector<std::string> names = NodeClassNames();
        // Program end order: the last registered first.
        for (int i = TGraphControl::NodeClassCount() - 1; i >= 0; --i)
            TGraphControl::UnregisterNodeClass(TGraphControl::NodeClasses(i));
        EXPECT_EQ(TGraphControl::NodeClassCount(), 0);
        for (const std::string &name : names) {
            EXPECT_EQ(TGraphControl::FindClass(QString::fromStdString(name)), nullptr) << name;
        }
        EXPECT_EQ(TGraphControl::FindClass("TGraphLink"), &TGraphLink::Class);

        TGraphControl::UnregisterNodeClass(&TRectangularNode::Class);
        EXPECT_EQ(TGraphControl::NodeClassCount(), 0) << "unregistering again is harmless";
    }
    EXPECT_EQ(TGraphControl::NodeClasses(0), &TRectangularNode::Class);
    EXPECT_EQ(TGraphControl::FindClass("TRectangularNode"), &TRectangularNode::Class);
}

} // namespace
