// The undo history: every kind of edit taken back and done again exactly
// (objects, identifiers, links, drawing order, selection, settings), the
// saved state, nested and empty steps, changes outside steps, and the
// drawing's own drags and keys as steps.

#include "GraphHistory.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphPicture.h"
#include "GraphStream.h"
#include "RectangularNode.h"
#include "ShownGraphTestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace {

// What undo must give back: the file bytes (objects, identifiers, links,
// order, pictures) and the selection as identifiers in selection order.
struct TState {
    QByteArray Bytes;
    std::vector<uint32_t> Selection;
    bool operator==(const TState &other) const = default;
};

void PrintTo(const TState &state, std::ostream *os)
{
    *os << "selection";
    for (uint32_t id : state.Selection)
        *os << ' ' << id;
    *os << ", " << state.Bytes.size() << " bytes " << state.Bytes.toHex().toStdString();
}

TState StateOf(TGraphControl &graph)
{
    TState state{graph.SaveToBytes(), {}};
    graph.SelectedObjects().ForEach(
        [&](TGraphObject *object) { state.Selection.push_back(object->ID()); });
    return state;
}

class GraphHistoryTest : public ::testing::Test {
public:
    void SetUp() override
    {
        a = Node(0, 0);
        b = Node(200, 0);
        c = Node(100, 150);
        ab = Graph.LinkNodes(a, b);
        bc = Graph.LinkNodes(b, c);
        a->SetText(QStringLiteral("插座 A"));
        Select({});
        History.Clear();
    }

    TGraphNode *Node(int left, int top)
    {
        return Graph.InsertNode(TRect(left, top, left + 40, top + 40), &TRectangularNode::Class);
    }
    void Select(std::initializer_list<TGraphObject *> objects)
    {
        Graph.SelectedObjects().Clear();
        for (TGraphObject *object : objects)
            object->SetSelected(true);
    }
    void Step(const QString &name, const std::function<void()> &action,
              TGraphEditScope scope = TGraphEditScope::Objects)
    {
        const TGraphHistoryStep step(&History, name, scope);
        action();
    }

    TGraphControl Graph;
    TGraphHistory History{&Graph};
    TGraphNode *a = nullptr, *b = nullptr, *c = nullptr;
    TGraphLink *ab = nullptr, *bc = nullptr;
};

struct TEditCase {
    const char *Name;
    std::function<void(GraphHistoryTest &)> Select;
    std::function<void(TGraphControl &)> Edit;
};

class GraphHistoryEditTest : public GraphHistoryTest,
                             public ::testing::WithParamInterface<TEditCase> {};

TEST_P(GraphHistoryEditTest, UndoAndRedoGiveBackExactlyWhatWasThere)
{
    GetParam().Select(*this);
    const TState before = StateOf(Graph);
    Step(QString::fromUtf8(GetParam().Name), [this] { GetParam().Edit(Graph); });
    const TState after = StateOf(Graph);
    ASSERT_NE(before.Bytes, after.Bytes);
    ASSERT_TRUE(History.CanUndo());
    EXPECT_EQ(History.UndoName(), QString::fromUtf8(GetParam().Name));

    // Twice back and forth: a redone step must undo again.
    for (int round = 0; round < 2; ++round) {
        History.Undo();
        EXPECT_EQ(StateOf(Graph), before) << "undo, round " << round;
        EXPECT_FALSE(History.CanUndo());
        History.Redo();
        EXPECT_EQ(StateOf(Graph), after) << "redo, round " << round;
    }
}

std::vector<TGraphObject *> Selected(TGraphControl &graph)
{
    return graph.SelectedObjects().Snapshot();
}

INSTANTIATE_TEST_SUITE_P(
    Edits, GraphHistoryEditTest,
    ::testing::Values(
        TEditCase{"移动", [](GraphHistoryTest &t) { t.Select({t.b}); },
                  [](TGraphControl &g) {
                      for (TGraphObject *o : Selected(g))
                          static_cast<TGraphNode *>(o)->SetLeft(260);
                  }},
        TEditCase{"删除",
                  [](GraphHistoryTest &t) {
                      t.Select({t.c, t.a});
                  },
                  [](TGraphControl &g) {
                      while (!g.SelectedObjects().IsEmpty())
                          g.SelectedObjects().Last()->Free();
                  }},
        TEditCase{"删除连线", [](GraphHistoryTest &t) { t.Select({t.bc}); },
                  [](TGraphControl &g) { g.SelectedObjects().First()->Free(); }},
        TEditCase{"插入", [](GraphHistoryTest &t) { t.Select({t.a}); },
                  [](TGraphControl &g) {
                      TGraphNode *node = g.InsertNode(TRect(300, 300, 340, 340));
                      node->SetText(QStringLiteral("新"));
                      g.LinkNodes(static_cast<TGraphNode *>(g.Objects()[0]), node);
                  }},
        TEditCase{"连接",
                  [](GraphHistoryTest &t) {
                      t.Select({t.a, t.c});
                  },
                  [](TGraphControl &g) { g.LinkSelectedNodes(); }},
        TEditCase{"置前", [](GraphHistoryTest &t) { t.Select({t.a}); },
                  [](TGraphControl &g) { g.SelectedObjects().First()->BringToFront(); }},
        TEditCase{"置后", [](GraphHistoryTest &t) { t.Select({t.bc}); },
                  [](TGraphControl &g) { g.SelectedObjects().First()->SendToBack(); }},
        TEditCase{"属性设置",
                  [](GraphHistoryTest &t) {
                      t.Select({t.a, t.ab});
                  },
                  [](TGraphControl &g) {
                      for (TGraphObject *o : Selected(g)) {
                          o->SetText(QString());
                          o->Pen().SetWidth(3);
                      }
                  }},
        TEditCase{"粘贴",
                  [](GraphHistoryTest &t) {
                      t.Select({t.a, t.b, t.ab});
                  },
                  [](TGraphControl &g) {
                      QByteArray block;
                      TValueWriter writer(block);
                      g.WriteObjects(writer, true);
                      TValueReader reader(block);
                      g.SelectedObjects().Clear();
                      g.ReadObjects(reader);
                  }}),
    [](const ::testing::TestParamInfo<TEditCase> &info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(GraphHistoryTest, ASeriesOfStepsGoesBackAndForthThroughEveryState)
{
    const uint32_t bID = b->ID();
    std::vector<TState> states{StateOf(Graph)};
    Select({a});
    Step("移动", [this] { a->SetTop(a->Top() + 10); });
    states.push_back(StateOf(Graph));
    Step("删除", [this] { b->Free(); });
    states.push_back(StateOf(Graph));
    Select({a, c});
    Step("连接", [this] { Graph.LinkSelectedNodes(); });
    states.push_back(StateOf(Graph));
    Select({c});
    Step("移动", [this] { c->SetLeft(c->Left() - 50); });
    states.push_back(StateOf(Graph));
    ASSERT_EQ(History.StepCount(), 4);

    for (int i = 3; i >= 0; --i) {
        History.Undo();
        EXPECT_EQ(Graph.SaveToBytes().toHex(), states[i].Bytes.toHex())
            << "after undoing step " << i + 1;
    }
    for (int i = 1; i <= 4; ++i) {
        History.Redo();
        EXPECT_EQ(Graph.SaveToBytes(), states[i].Bytes) << "after redoing step " << i;
    }
    // The node deleted and put back is the same node to its links.
    History.Undo();
    History.Undo();
    History.Undo();
    TGraphObject *back = Graph.ObjectByID(bID);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Graph.Index().LinksReferring(back).size(), 2u);
}

TEST_F(GraphHistoryTest, StepsThatChangeNothingAndNestedStepsMakeOneStepOrNone)
{
    Select({a});
    Step("选择", [this] { Select({b, c}); });
    EXPECT_EQ(History.StepCount(), 0);

    Step("外", [this] {
        Step("内", [this] { b->SetLeft(300); });
        c->SetLeft(300);
    });
    ASSERT_EQ(History.StepCount(), 1);
    EXPECT_EQ(History.UndoName(), QStringLiteral("外"));
    const uint32_t bID = b->ID(), cID = c->ID();
    History.Undo();
    EXPECT_EQ(static_cast<TGraphNode *>(Graph.ObjectByID(bID))->Left(), 200);
    EXPECT_EQ(static_cast<TGraphNode *>(Graph.ObjectByID(cID))->Left(), 100);
}

TEST_F(GraphHistoryTest, TheSavedStateIsFoundAgainAndLostWhenItsBranchIsDropped)
{
    const uint32_t aID = a->ID();
    Select({a});
    Step("移动", [this] { a->SetLeft(10); });
    History.SetClean();
    Step("移动", [this] { a->SetLeft(20); });
    EXPECT_FALSE(History.IsClean());
    History.Undo();
    EXPECT_TRUE(History.IsClean());
    History.Undo();
    EXPECT_FALSE(History.IsClean());
    // A new step from here drops the saved state's branch. (Undo puts back
    // new objects under the old identifiers: a is found again by its own.)
    a = static_cast<TGraphNode *>(Graph.ObjectByID(aID));
    Step("移动", [this] { a->SetLeft(30); });
    EXPECT_FALSE(History.CanRedo());
    History.Undo();
    EXPECT_FALSE(History.IsClean());
}

TEST_F(GraphHistoryTest, AChangeOutsideAnyStepForgetsTheHistory)
{
    Select({a});
    Step("移动", [this] { a->SetLeft(10); });
    int told = 0;
    History.OnChange = [&] { ++told; };
    c->SetText(QStringLiteral("改"));
    EXPECT_FALSE(History.CanUndo());
    EXPECT_FALSE(History.IsClean());
    EXPECT_EQ(told, 1);

    // A step that changes an object it was not told of cannot be taken back either.
    Step("移动", [this] { a->SetLeft(20); });
    Select({});
    Step("属性设置", [this] { b->SetText(QStringLiteral("暗")); });
    EXPECT_FALSE(History.CanUndo());
}

TEST_F(GraphHistoryTest, WholeDrawingAndSettingsStepsPutBackTheDrawingAndItsFloorPlan)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    TPicture plan;
    plan.SetImage(image);
    QStringList field{QStringLiteral("旧")};
    History.CaptureExtras = [&] { return field; };
    History.RestoreExtras = [&](const QStringList &value) { field = value; };

    const TState before = StateOf(Graph);
    Step(
        "导入户型图",
        [&] {
            Graph.SetBackground(plan);
            Graph.SetBackgroundPath(QStringLiteral("plan.jpg"));
            Graph.SetLockNodes(true);
            field = {QStringLiteral("新")};
        },
        TGraphEditScope::Settings);
    Step(
        "清除所有图例", [this] { Graph.Clear(); }, TGraphEditScope::WholeDrawing);
    ASSERT_EQ(Graph.Objects().Count(), 0);

    History.Undo();
    EXPECT_EQ(StateOf(Graph), before);
    History.Undo();
    EXPECT_TRUE(Graph.Background().Empty());
    EXPECT_EQ(Graph.BackgroundPath(), QString());
    EXPECT_FALSE(Graph.LockNodes());
    EXPECT_EQ(field, QStringList{QStringLiteral("旧")});
    History.Redo();
    EXPECT_EQ(Graph.Background().Data(), plan.Data());
    EXPECT_EQ(Graph.BackgroundPath(), QStringLiteral("plan.jpg"));
    EXPECT_TRUE(Graph.LockNodes());
    EXPECT_EQ(field, QStringList{QStringLiteral("新")});
}

TEST_F(GraphHistoryTest, AStepCostsWhatItChangedNotTheDrawing)
{
    for (int i = 0; i < 3000; ++i) {
        TGraphNode *node = Node(10 * (i % 300), 60 * (i / 300) + 300);
        node->SetText(QStringLiteral("节点 %1").arg(i));
        node->SetSelected(false);
    }
    History.Clear();
    Select({b});
    Step("移动", [this] { b->SetLeft(b->Left() + 10); });
    ASSERT_EQ(History.StepCount(), 1);
    // b with its two links, before and after.
    EXPECT_LT(History.MemoryUsed(), 4096u);
}

TEST_F(GraphHistoryTest, TheOldestStepsGoWhenTheHistoryOutgrowsItsLimit)
{
    Select({a});
    Step("移动", [this] { a->SetLeft(10); });
    History.SetClean();
    const size_t one = History.MemoryUsed();
    History.SetMemoryLimit(one * 3 + one / 2);
    for (int i = 0; i < 10; ++i)
        Step("移动", [this, i] { a->SetLeft(20 + i); });
    EXPECT_LE(History.StepCount(), 4);
    EXPECT_GE(History.StepCount(), 3);
    while (History.CanUndo())
        History.Undo();
    EXPECT_FALSE(History.IsClean()); // the saved state was among the dropped
}

// --- The drawing's own actions ---

class GraphHistoryInputTest : public ShownGraph::ShownGraphTest {
protected:
    TGraphHistory History{&graph};
};

TEST_F(GraphHistoryInputTest, AWholeDragIsOneStepAndEachKeyOne)
{
    TGraphNode *a = AddNode(20, 20, 60, 60);
    TGraphNode *b = AddNode(200, 20, 240, 60);
    AddLink(a, b);
    History.Clear();
    const TState start = StateOf(graph);

    Press(QPoint(30, 30));
    Move(QPoint(40, 50));
    Move(QPoint(60, 90));
    Release(QPoint(60, 90));
    ASSERT_EQ(History.StepCount(), 1);
    EXPECT_EQ(History.UndoName(), QStringLiteral("移动"));
    const TState dragged = StateOf(graph);

    // A click without a move is no step.
    Press(QPoint(50, 90));
    Release(QPoint(50, 90));
    EXPECT_EQ(History.StepCount(), 1);

    graph.setFocus();
    QTest::keyClick(&graph, Qt::Key_Right);
    QTest::keyClick(&graph, Qt::Key_Delete);
    ASSERT_EQ(History.StepCount(), 3);
    EXPECT_EQ(History.UndoName(), QStringLiteral("删除"));
    EXPECT_EQ(graph.Objects().Count(), 1);

    History.Undo();
    History.Undo();
    EXPECT_EQ(StateOf(graph), dragged);
    History.Undo();
    // Back where it was, with the node selected as the press left it.
    EXPECT_EQ(graph.SaveToBytes(), start.Bytes);
    EXPECT_EQ(graph.SelectedCount(), 1);
}

} // namespace
