#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "RectangularNode.h"
#include "WorkspaceGraph.h"
#include "WorkspaceStatusBar.h"
#include "WorkspaceStyle.h"

#include <QAction>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QTextLayout>
#include <QWheelEvent>

namespace {

using DesktopConventionsTest = WorkspaceTest;

TEST_F(DesktopConventionsTest, StandardShortcutsAreOnTheirCommands)
{
    Start();
    const struct {
        const char *action;
        const char *keys;
    } cases[] = {
        {"actFileCreate", "Ctrl+N"},    {"actFileOpen", "Ctrl+O"},       {"actFileSave", "Ctrl+S"},
        {"actFilePrint", "Ctrl+P"},     {"actEditSelAll", "Ctrl+A"},     {"actAboutHelp", "F1"},
        {"actDisplayZoonIn", "Ctrl+="}, {"actDisplayZoomOut", "Ctrl+-"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Act(c.action)->shortcut().toString(QKeySequence::PortableText),
                  QLatin1String(c.keys))
            << c.action;
    // A key bound twice would fire neither command.
    QSet<QString> seen;
    for (const auto &[name, action] : Window->Actions())
        for (const QKeySequence &keys : action->shortcuts()) {
            const QString text = keys.toString(QKeySequence::PortableText);
            EXPECT_FALSE(seen.contains(text)) << text.toStdString();
            seen << text;
        }
}

// The faces a caption is drawn in, as the menus lay it out.
QStringList FacesOf(const QString &caption, const QFont &font)
{
    QTextLayout layout(caption, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun &run : layout.glyphRuns())
        faces << run.rawFont().familyName();
    return faces;
}

TEST(InterfaceFontTest, ChineseCaptionsTakeTheSimplifiedChineseForms)
{
    const QFont font = TWorkspaceStyle::InterfaceFont();
    EXPECT_EQ(FacesOf(QStringLiteral("浏览户型图"), font), QStringList{"Noto Sans CJK SC"});
    EXPECT_EQ(FacesOf(QStringLiteral("Varneth电气线路设计系统 V1.0"), font),
              QStringList{"Noto Sans CJK SC"})
        << "Latin and Chinese in one face";
    EXPECT_EQ(font.pointSizeF(), QApplication::font().pointSizeF());
}

TEST_F(DesktopConventionsTest, FitToWindowFollowsOriginalSizeInTheDisplayMenu)
{
    Start();
    QMenu *display = nullptr;
    for (QAction *menu : Window->menuBar()->actions())
        if (menu->text() == u"显示")
            display = menu->menu();
    ASSERT_NE(display, nullptr);
    QStringList items;
    for (QAction *item : display->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items, QStringList({"显示户型图", "显示所有图例", "显示网格", "-", "放大", "缩小",
                                  "原始大小", "适合窗口"}));
    EXPECT_FALSE(Act("actDisplayFit")->isEnabled()) << "no drawing without a project";
    CreateOnPage0(QStringLiteral("fit"));
    EXPECT_TRUE(Act("actDisplayFit")->isEnabled());
}

// The drawing's own zoom keys are not taken by the window's shortcuts,
// while Ctrl and the main keyboard's minus reach the command.
TEST_F(DesktopConventionsTest, TheDrawingKeepsItsKeypadZoomKeys)
{
    Start();
    const auto overridden = [this](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::ShortcutOverride, key, modifiers);
        event.ignore();
        QApplication::sendEvent(Window->gcWiring, &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(overridden(Qt::Key_Minus, Qt::KeypadModifier | Qt::ControlModifier));
    EXPECT_TRUE(overridden(Qt::Key_Plus, Qt::KeypadModifier));
    EXPECT_FALSE(overridden(Qt::Key_Minus, Qt::ControlModifier));
    EXPECT_FALSE(overridden(Qt::Key_A, Qt::ControlModifier));
}

TEST_F(DesktopConventionsTest, StatusBarShowsSchemeUnsavedMarkAndZoom)
{
    Start();
    TWorkspaceStatusBar *status = Window->Status();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->SchemeText(), QStringLiteral("未打开方案"));
    EXPECT_EQ(status->ModifiedText(), QString());
    EXPECT_EQ(status->ZoomText(), QString());

    CreateOnPage0(QStringLiteral("客厅方案"));
    EXPECT_EQ(status->SchemeText(), QStringLiteral("方案：客厅方案"));
    EXPECT_EQ(status->ModifiedText(), QString());
    EXPECT_EQ(status->ZoomText(), QStringLiteral("缩放：100%"));

    Window->EdtCustomerPhone->setText(QStringLiteral("13900000000"));
    EXPECT_EQ(status->ModifiedText(), QStringLiteral("已修改"));
    Act("actDisplayZoonIn")->trigger();
    EXPECT_EQ(status->ZoomText(), QStringLiteral("缩放：110%"));
    // Each drawing has its own zoom; the bar shows the current one.
    Window->PageControl->setCurrentIndex(2);
    EXPECT_EQ(status->ZoomText(), QStringLiteral("缩放：100%"));
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Window->gcGuard->viewport(), &wheel);
    EXPECT_EQ(status->ZoomText(), QStringLiteral("缩放：75%"));

    Act("actFileSave")->trigger();
    EXPECT_EQ(status->ModifiedText(), QString());
    CloseProject();
    EXPECT_EQ(status->SchemeText(), QStringLiteral("未打开方案"));
}

// A shown drawing of 2000 x 1500 units in a 300 x 200 view, with a node
// at the top left whose press would otherwise select and drag it.
class PanningTest : public ::testing::Test {
protected:
    TWorkspaceGraph Graph;
    TGraphNode *Node = nullptr;

    void SetUp() override
    {
        Graph.resize(300, 200);
        Node = Graph.InsertNode(TRect(20, 20, 80, 80), &TRectangularNode::Class);
        Graph.InsertNode(TRect(1900, 1400, 2000, 1500), &TRectangularNode::Class);
        Graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Graph));
        Graph.SelectedObjects().Clear();
    }
    QPoint Scroll() const
    {
        return QPoint(Graph.HorzScrollBar().Position(), Graph.VertScrollBar().Position());
    }
    void Drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QWidget *view = Graph.viewport();
        const auto send = [view](QEvent::Type type, QPoint at, Qt::MouseButton which,
                                 Qt::MouseButtons held) {
            QMouseEvent event(type, at, view->mapToGlobal(at), which, held, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        };
        send(QEvent::MouseButtonPress, from, button, button);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
        send(QEvent::MouseMove, to, Qt::NoButton, button);
        send(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    }
};

TEST_F(PanningTest, MiddleDragPansAtAnyTime)
{
    Graph.HorzScrollBar().SetPosition(100);
    Graph.VertScrollBar().SetPosition(100);
    Drag(Qt::MiddleButton, QPoint(150, 150), QPoint(110, 90));
    EXPECT_EQ(Scroll(), QPoint(140, 160));
    // Dragged past the start, the view stops at the drawing's edge.
    Drag(Qt::MiddleButton, QPoint(10, 10), QPoint(290, 190));
    EXPECT_EQ(Scroll(), QPoint(0, 0));
    EXPECT_EQ(Node->Left(), 20);
    EXPECT_TRUE(Graph.SelectedObjects().IsEmpty());
    EXPECT_FALSE(Graph.Panning());
}

TEST_F(PanningTest, LeftDragPansOnlyWithThePanTool)
{
    const QPoint onNode = Graph.GraphToClient(QPoint(50, 50));
    Graph.SetPanWithLeft(true);
    Drag(Qt::LeftButton, onNode, onNode - QPoint(60, 30));
    EXPECT_EQ(Scroll(), QPoint(60, 30));
    EXPECT_EQ(Node->Left(), 20) << "the pan tool moves the view, not the symbol";
    EXPECT_TRUE(Graph.SelectedObjects().IsEmpty());

    Graph.SetPanWithLeft(false);
    const QPoint again = Graph.GraphToClient(QPoint(50, 50));
    Drag(Qt::LeftButton, again, again + QPoint(40, 0));
    EXPECT_EQ(Scroll(), QPoint(60, 30));
    EXPECT_EQ(Node->Left(), 60) << "without it a left drag moves the symbol";
}

TEST_F(PanningTest, FitShowsTheWholeDrawingFromItsTopLeft)
{
    Graph.SetZoom(300);
    Graph.HorzScrollBar().SetPosition(500);
    int reported = 0;
    Graph.OnZoomChange = [&](TGraphControl *) { ++reported; };
    ASSERT_TRUE(Graph.ZoomToFit());
    const TRect bounds = Graph.GraphBounds(false);
    const QPoint topLeft = Graph.GraphToClient(QPoint(bounds.Left, bounds.Top));
    const QPoint bottomRight = Graph.GraphToClient(QPoint(bounds.Right, bounds.Bottom));
    EXPECT_LT(Graph.Zoom(), 20);
    EXPECT_GE(topLeft.x(), 0);
    EXPECT_GE(topLeft.y(), 0);
    EXPECT_LE(topLeft.x(), 5) << "the view starts at the drawing's left edge";
    EXPECT_LE(bottomRight.x(), Graph.ClientSize().width());
    EXPECT_LE(bottomRight.y(), Graph.ClientSize().height());
    EXPECT_EQ(reported, 1);

    TWorkspaceGraph empty;
    EXPECT_FALSE(empty.ZoomToFit()) << "nothing to show leaves the zoom alone";
    EXPECT_EQ(empty.Zoom(), 100);
}

TEST_F(DesktopConventionsTest, ThePanToolActsOnTheWiringDrawing)
{
    Start();
    CreateOnPage0(QStringLiteral("pan"));
    auto *wiring = static_cast<TWorkspaceGraph *>(Window->gcWiring);
    Act("actDisplayMove")->setChecked(true);
    EXPECT_TRUE(wiring->PanWithLeft());
    EXPECT_FALSE(static_cast<TWorkspaceGraph *>(Window->gcGuard)->PanWithLeft());
    Act("actDisplayMove")->setChecked(false);
    EXPECT_FALSE(wiring->PanWithLeft());
}

} // namespace
