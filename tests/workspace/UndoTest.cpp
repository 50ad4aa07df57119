// Undo and redo in the main window: a series of designer actions taken
// back and done again, compared with the drawing's bytes; the commands'
// captions and states; each drawing's own history; the unsaved mark; and
// the histories starting afresh with every project.

#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "GraphControl.h"
#include "GraphHistory.h"
#include "GraphNode.h"
#include "LineNode.h"
#include "RectangularNode.h"

#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <functional>

namespace {

class UndoTest : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        QDir(App).mkpath(QStringLiteral("templates"));
        WriteFourSymbolLibrary(App, Qt::white);
        Start();
        CreateOnPage0(QStringLiteral("undo"));
        ASSERT_TRUE(Window->actFileSaveExecute());
        Wiring = Show(1);
    }

    TGraphControl *Show(int page)
    {
        Window->PageControl->setCurrentIndex(page);
        return Window->ActiveGraph;
    }
    void Drop(TGraphControl *graph, int tag, QPoint at)
    {
        Window->PaletteTag = tag;
        Window->DropPending = true;
        Window->gcWiringDragDrop(graph, at);
    }
    void SelectOnly(TGraphObject *object)
    {
        Wiring->SelectedObjects().Clear();
        object->SetSelected(true);
    }
    TGraphNode *NodeAt(TGraphControl *graph, int index)
    {
        return static_cast<TGraphNode *>(graph->Objects()[index]);
    }

    TGraphControl *Wiring = nullptr;
};

TEST_F(UndoTest, ASeriesOfActionsGoesBackAndForthThroughEveryDrawing)
{
    struct Action {
        const char *step; // as the menu names it
        std::function<void()> act;
    };
    const std::vector<Action> actions = {
        {"放置", [&] { Drop(Wiring, 0, QPoint(57, 43)); }}, // lamp, switch and link
        {"放置", [&] { Drop(Wiring, 10000, QPoint(300, 200)); }},
        {"移动",
         [&] {
             SelectOnly(NodeAt(Wiring, 0));
             Wiring->setFocus();
             QTest::keyClick(Wiring, Qt::Key_Right);
         }},
        {"右旋转90度",
         [&] {
             SelectOnly(NodeAt(Wiring, 1));
             Act("actObjRight")->trigger();
         }},
        {"删除",
         [&] {
             SelectOnly(NodeAt(Wiring, 0)); // the lamp goes with its link
             Dialogs.Answers.push_back(IUserDialogs::Yes);
             Act("actEditDel")->trigger();
             Dialogs.Clear(); // the question asked
         }},
        {"锁定", [&] { Act("actEditLock")->trigger(); }},
    };
    std::vector<QByteArray> drawings{Wiring->SaveToBytes()};
    for (const Action &action : actions) {
        action.act();
        ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
        EXPECT_EQ(Act("actEditUndo")->text(),
                  QStringLiteral("撤销 ") + QString::fromUtf8(action.step));
        drawings.push_back(Wiring->SaveToBytes());
    }
    ASSERT_TRUE(Wiring->LockNodes());

    for (size_t i = actions.size(); i-- > 0;) {
        ASSERT_TRUE(Act("actEditUndo")->isEnabled()) << i;
        Act("actEditUndo")->trigger();
        EXPECT_EQ(Wiring->SaveToBytes(), drawings[i]) << "after undoing " << actions[i].step;
        EXPECT_EQ(Act("actEditRedo")->text(),
                  QStringLiteral("重做 ") + QString::fromUtf8(actions[i].step));
    }
    EXPECT_FALSE(Act("actEditUndo")->isEnabled());
    EXPECT_EQ(Act("actEditUndo")->text(), QStringLiteral("撤销"));
    EXPECT_FALSE(Act("actEditLock")->isChecked()) << "the tick follows the lock";
    EXPECT_FALSE(Window->Modified) << "back at the saved drawing";
    EXPECT_FALSE(SaveEnabled());

    for (size_t i = 1; i <= actions.size(); ++i) {
        Act("actEditRedo")->trigger();
        EXPECT_EQ(Wiring->SaveToBytes(), drawings[i]) << "after redoing " << actions[i - 1].step;
    }
    EXPECT_TRUE(Act("actEditLock")->isChecked());
    EXPECT_TRUE(Window->Modified);
    EXPECT_FALSE(Act("actEditRedo")->isEnabled());
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
}

TEST_F(UndoTest, EachDrawingHasItsOwnHistoryAndTheCommandsFollowThePageShown)
{
    Drop(Wiring, 2, QPoint(40, 40));
    TGraphControl *guard = Show(2);
    EXPECT_FALSE(Act("actEditUndo")->isEnabled()) << "nothing done on this drawing yet";
    Drop(guard, 3, QPoint(40, 40));
    Drop(guard, 50000, QPoint(200, 40));
    Act("actEditUndo")->trigger();
    Act("actEditUndo")->trigger();
    EXPECT_EQ(guard->Objects().Count(), 0);
    EXPECT_EQ(Wiring->Objects().Count(), 1) << "the wiring drawing keeps its symbol";
    EXPECT_TRUE(Window->Modified) << "the wiring drawing is still changed";
    Show(1);
    EXPECT_EQ(Act("actEditUndo")->text(), QStringLiteral("撤销 放置"));
    Act("actEditUndo")->trigger();
    EXPECT_FALSE(Window->Modified);
    // Other pages have no drawing of their own: the commands stay with the last.
    Show(0);
    EXPECT_TRUE(Act("actEditRedo")->isEnabled());
}

TEST_F(UndoTest, TheUnsavedMarkFollowsTheSavedStateAndFieldEditsKeepIt)
{
    Drop(Wiring, 2, QPoint(40, 40));
    ASSERT_TRUE(Window->actFileSaveExecute());
    Drop(Wiring, 2, QPoint(140, 40));
    EXPECT_TRUE(SaveEnabled());
    Act("actEditUndo")->trigger();
    EXPECT_FALSE(SaveEnabled()) << "back at what was saved";
    Act("actEditUndo")->trigger();
    EXPECT_TRUE(SaveEnabled()) << "before what was saved";
    Act("actEditRedo")->trigger();
    EXPECT_FALSE(SaveEnabled());

    Window->EdtCustomerName->setText(QStringLiteral("王五"));
    Act("actEditRedo")->trigger();
    Act("actEditUndo")->trigger();
    EXPECT_TRUE(SaveEnabled()) << "the typed name is not saved yet";
}

TEST_F(UndoTest, OpeningAndClosingStartTheHistoriesAfresh)
{
    Drop(Wiring, 2, QPoint(40, 40));
    ASSERT_TRUE(Window->actFileSaveExecute());
    ASSERT_TRUE(Act("actEditUndo")->isEnabled());
    CloseProject();
    EXPECT_FALSE(Act("actEditUndo")->isEnabled());
    Open(ProjectFile(QStringLiteral("undo")));
    ASSERT_TRUE(Window->ProjectOpen);
    Show(1);
    EXPECT_FALSE(Act("actEditUndo")->isEnabled());
    EXPECT_EQ(Window->HistoryOf(Window->gcWiring)->StepCount(), 0);
    EXPECT_EQ(Window->HistoryOf(Window->gcGuard)->StepCount(), 0);
}

TEST_F(UndoTest, FloorPlansAndSchemesAreStepsWithTheirField)
{
    const QString field = Window->EdtBackgroundPath->text();
    const QByteArray plan = Wiring->Background().Data();
    Dialogs.Pictures.push_back(Plan2());
    Act("actEditImport")->trigger();
    ASSERT_EQ(Window->EdtBackgroundPath->text(), Plan2());
    EXPECT_EQ(Act("actEditUndo")->text(), QStringLiteral("撤销 导入户型图"));
    Act("actEditUndo")->trigger();
    EXPECT_EQ(Window->EdtBackgroundPath->text(), field);
    EXPECT_EQ(Wiring->Background().Data(), plan);
    EXPECT_EQ(Key(ProjectFile(QStringLiteral("undo")), "customer", "BackgroundPath"),
              QStringLiteral("plan.jpg"));
    EXPECT_FALSE(SaveEnabled());

    {
        TGraphControl scheme;
        scheme.InsertNode(TRect(0, 0, 100, 40), &TTextNode::Class)->SetText(QStringLiteral("照明"));
        scheme.SaveToFile(App + QStringLiteral("templates/一室一厅.prj"));
    }
    TGraphControl *guard = Show(2);
    Drop(guard, 3, QPoint(40, 40));
    const QByteArray before = guard->SaveToBytes();
    Window->SchemeFileName = QStringLiteral("一室一厅.prj");
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    Drop(guard, 60001, QPoint(0, 0));
    ASSERT_EQ(guard->Objects()[0]->Text(), QStringLiteral("照明"));
    EXPECT_EQ(Act("actEditUndo")->text(), QStringLiteral("撤销 应用推荐方案"));
    Act("actEditUndo")->trigger();
    EXPECT_EQ(guard->SaveToBytes(), before);
}

} // namespace
