#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "LineNode.h"
#include "NavBar.h"
#include "RectangularNode.h"

#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

namespace {

// A project open on a small library: a lamp that brings its switch, a
// socket, and a breaker of the distribution box.
class PlacingTest : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        QDir(App).mkpath(QStringLiteral("templates"));
        WriteFourSymbolLibrary(App, Qt::white);
        Start();
        CreateOnPage0(QStringLiteral("placing"));
    }

    TGraphControl *Show(int page)
    {
        Window->PageControl->setCurrentIndex(page);
        return Window->ActiveGraph;
    }
    void Drop(TGraphControl *graph, int tag, QPoint at = QPoint(57, 43))
    {
        Window->PaletteTag = tag;
        Window->DropPending = true;
        Window->gcWiringDragDrop(graph, at);
    }
    static TGraphNode *Node(TGraphControl *graph, int index)
    {
        return static_cast<TGraphNode *>(graph->Objects()[index]);
    }
};

TEST_F(PlacingTest, ALampBringsItsSwitchEightyUnitsLowerAndLinksThem)
{
    TGraphControl *graph = Show(1);
    Drop(graph, 0);
    ASSERT_EQ(graph->Objects().Count(), 3);
    TGraphNode *lamp = Node(graph, 0);
    TGraphNode *light = Node(graph, 1);
    auto *link = static_cast<TGraphLink *>(graph->Objects()[2]);
    EXPECT_EQ(lamp->GetBoundsRect(), TRect(50, 40, 90, 80));
    EXPECT_EQ(light->GetBoundsRect(), TRect(50, 120, 90, 160));
    EXPECT_EQ(link->FromNode(), lamp);
    EXPECT_EQ(link->ToNode(), light);
    EXPECT_TRUE(link->Selected());
    EXPECT_EQ(graph->SelectedCount(), 1);
    EXPECT_EQ(Window->PaletteTag, 1) << "the companion's index";
    EXPECT_FALSE(Window->DropPending);
    EXPECT_EQ(graph->CommandMode(), cmEdit);
    // Each node as the library gives it.
    EXPECT_EQ(lamp->Tag(), 0);
    EXPECT_EQ(light->Tag(), 1);
    EXPECT_EQ(lamp->Text(), QStringLiteral("F01"));
    EXPECT_TRUE(lamp->IsCodeNode());
    EXPECT_EQ(lamp->Margin(), 3);
    EXPECT_EQ(lamp->Font().Size(), 10);
    EXPECT_EQ(lamp->Font().Style(), fsBold);
    EXPECT_EQ(lamp->Font().Color(), TColor(0x00FF0000));
    EXPECT_FALSE(lamp->ParentFont());
    EXPECT_EQ(lamp->IconCaption(), QStringLiteral("吸顶灯"));
    EXPECT_EQ(lamp->IconSystem(), QStringLiteral("电器线路"));
    EXPECT_EQ(lamp->IconType(), QStringLiteral("灯"));
    EXPECT_EQ(lamp->IconSmallImagePath(), QStringLiteral("F01.bmp"));
    EXPECT_EQ(lamp->Background().GraphicClassName(), QStringLiteral("TBitmap"));
    EXPECT_TRUE(Window->Modified);
}

TEST_F(PlacingTest, SymbolSizesAndDropPoints)
{
    const struct {
        int page;
        int tag;
        int zoom;
        TRect bounds;
    } cases[] = {
        {1, 2, 100, TRect(50, 40, 90, 80)},  // a socket: 40 x 40
        {1, 2, 200, TRect(25, 20, 65, 60)},  // the snapped control point, at 200 %
        {2, 3, 100, TRect(50, 40, 150, 80)}, // a breaker: 100 x 40
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        TGraphControl *graph = Show(c.page);
        graph->Clear();
        graph->SetZoom(c.zoom);
        Drop(graph, c.tag);
        ASSERT_EQ(graph->Objects().Count(), 1);
        EXPECT_EQ(Node(graph, 0)->GetBoundsRect(), c.bounds);
    }
}

TEST_F(PlacingTest, ToolsPlaceWirePiecesAndTextOnce)
{
    TGraphControl *graph = Show(2);
    const struct {
        int tag;
        TGraphObjectClassRef cls;
        int width, height;
    } cases[] = {{10000, &THLineNode::Class, 100, 40},
                 {20000, &TVLineNode::Class, 40, 100},
                 {50000, &TTextNode::Class, 100, 40}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        graph->Clear();
        Drop(graph, c.tag);
        ASSERT_EQ(graph->Objects().Count(), 1);
        TGraphNode *node = Node(graph, 0);
        EXPECT_EQ(node->ClassType(), c.cls);
        EXPECT_EQ(node->GetBoundsRect(), TRect(50, 40, 50 + c.width, 40 + c.height));
        EXPECT_EQ(node->Tag(), c.tag);
        EXPECT_FALSE(Window->DropPending);
        // A second drop needs a new press.
        Window->gcWiringDragDrop(graph, QPoint(200, 200));
        EXPECT_EQ(graph->Objects().Count(), 1);
    }
}

TEST_F(PlacingTest, WiringSymbolsStaySquareWirePiecesDoNot)
{
    TGraphControl *graph = Show(1);
    Drop(graph, 2);
    TGraphNode *socket = Node(graph, 0);
    socket->SetWidth(60);
    EXPECT_EQ(socket->Width(), 60);
    EXPECT_EQ(socket->Height(), 60);
    Drop(graph, 10000);
    TGraphNode *wire = Node(graph, 1);
    wire->SetBounds(wire->Left(), wire->Top(), 150, 25);
    EXPECT_EQ(wire->Width(), 150);
    EXPECT_EQ(wire->Height(), 25);
}

// A clipboard block that does not read, pasted with the drawing's own
// Ctrl+V, reaches the designer as an error message; the drawing is unchanged
// and the project not marked modified.
TEST_F(PlacingTest, ABadClipboardBlockIsReportedNotFatal)
{
    TGraphControl *graph = Show(1);
    Drop(graph, 2);
    Window->actFileSaveExecute();
    ASSERT_FALSE(SaveEnabled());
    auto *block = new QMimeData;
    block->setData(TGraphControl::ClipboardMimeType(), QByteArray("\x05\x00\x00\x00junk", 8));
    QGuiApplication::clipboard()->setMimeData(block);
    if (!QGuiApplication::clipboard()->mimeData()->hasFormat(TGraphControl::ClipboardMimeType()))
        GTEST_SKIP() << "no working clipboard on this platform";
    Dialogs.Clear();
    QTest::keyClick(graph, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Dialogs.Only().Text, "Stream read error");
    EXPECT_EQ(Dialogs.Only().Icon, IUserDialogs::Error);
    EXPECT_EQ(graph->Objects().Count(), 1);
    EXPECT_FALSE(SaveEnabled());
}

TEST_F(PlacingTest, DeleteAsksEvenWithNothingSelected)
{
    TGraphControl *graph = Show(1);
    Drop(graph, 2);
    graph->SelectedObjects().Clear();
    Window->SetModified(false);
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    Act("actEditDel")->trigger();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].Text, QStringLiteral("你确定要删除选中的图例吗？"));
    EXPECT_EQ(graph->Objects().Count(), 1);
    EXPECT_TRUE(Window->Modified);

    graph->Objects()[0]->SetSelected(true);
    Dialogs.Answers.push_back(IUserDialogs::No);
    Act("actEditDel")->trigger();
    EXPECT_EQ(graph->Objects().Count(), 1) << "No changes nothing";
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    Act("actEditDel")->trigger();
    EXPECT_EQ(graph->Objects().Count(), 0);
}

TEST_F(PlacingTest, ZoomingOutTheDistributionBoxStopsAtItsMinimum)
{
    TGraphControl *graph = Show(2);
    std::vector<int> zooms;
    for (int i = 0; i < 5; ++i) {
        Act("actDisplayZoomOut")->trigger();
        zooms.push_back(graph->Zoom());
    }
    EXPECT_EQ(zooms, std::vector<int>({75, 50, 25, 10, 10}));
    Act("actDisplayZoom")->trigger();
    EXPECT_EQ(graph->Zoom(), 100);
}

TEST_F(PlacingTest, TheObjectMenuOfTheDistributionBoxFollowsTheSelection)
{
    TGraphControl *graph = Show(2);
    Drop(graph, 3, QPoint(10, 10));
    Drop(graph, 3, QPoint(10, 100));
    Drop(graph, 10000, QPoint(200, 10));
    const auto visible = [this](const char *name) { return Act(name)->isVisible(); };
    graph->SelectedObjects().Clear();
    graph->Objects()[0]->SetSelected(true);
    graph->Objects()[1]->SetSelected(true);
    Window->pmObjPopup();
    EXPECT_TRUE(visible("actObjH") && visible("actObjV"));
    EXPECT_FALSE(visible("actObjRight") || visible("actObjLeft") || visible("actObjRound"));
    EXPECT_FALSE(visible("actSetProp"));

    graph->SelectedObjects().Clear();
    graph->Objects()[2]->SetSelected(true);
    Window->pmObjPopup();
    EXPECT_TRUE(visible("actSetProp"));
    EXPECT_FALSE(visible("actObjH") || visible("actObjV") || visible("actObjRight"));

    Show(1);
    Window->pmObjPopup();
    EXPECT_FALSE(visible("actSetProp"));
    EXPECT_TRUE(visible("actObjRight") && visible("actObjH"));
}

// A drop whose picture does not load is reported once and places nothing,
// not even the lamp whose switch's picture is the one missing.
TEST_F(PlacingTest, ADropWhosePictureFailsIsReportedOnceAndLeavesTheDrawingInSelectMode)
{
    TGraphControl *graph = Show(1);
    const struct {
        const char *name;
        const char *missing;
        int tag;
    } cases[] = {{"the symbol's picture", "B01", 2}, {"the companion's picture", "A01", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString picture = App + QStringLiteral("iconstore/20/%1.bmp").arg(c.missing);
        const QByteArray bytes = ReadBytes(picture);
        QFile::remove(picture);
        Dialogs.Clear();
        // As the drawing receives it, with the item's drag data.
        Window->PaletteTag = c.tag;
        Window->DropPending = true;
        TNavBarItem item;
        item.Tag = c.tag;
        std::unique_ptr<QMimeData> data(TNavBar::MimeDataFor(item));
        QDropEvent drop(QPointF(57, 43), Qt::CopyAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
        graph->OnDragDrop(graph, &drop);
        EXPECT_TRUE(Dialogs.Only().Text.contains(QLatin1String(c.missing)))
            << Dialogs.Only().Text.toStdString();
        EXPECT_EQ(graph->Objects().Count(), 0);
        EXPECT_EQ(graph->CommandMode(), cmEdit);
        WriteBytes(picture, bytes);
    }
}

// Library pictures named with "\" load on a drop as in the palettes.
TEST_F(PlacingTest, PictureNamesWithBackslashesWorkOnADrop)
{
    QDir(App).mkpath(QStringLiteral("iconstore/20/sub"));
    QFile::copy(App + QStringLiteral("iconstore/20/B01.bmp"),
                App + QStringLiteral("iconstore/20/sub/B09.bmp"));
    QString xml = QString::fromUtf8(ReadBytes(App + QStringLiteral("iconstore.xml")));
    xml.replace(QStringLiteral("<smallimage>B01.bmp</smallimage>"),
                QStringLiteral("<smallimage>sub\\B09.bmp</smallimage>"));
    WriteBytes(App + QStringLiteral("iconstore.xml"), xml.toUtf8());
    CloseProject();
    Window.reset();
    Dialogs.Clear();
    Start();
    ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    CreateOnPage0(QStringLiteral("反斜杠"));
    TGraphControl *graph = Show(1);
    Drop(graph, 2);
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    ASSERT_EQ(graph->Objects().Count(), 1);
    EXPECT_TRUE(Node(graph, 0)->Background().HasGraphic());
}

// While an item is armed only a palette item's drag is accepted; a file
// dragged in from a file manager places nothing.
TEST_F(PlacingTest, OnlyPaletteDragsAreAcceptedByTheDrawings)
{
    TGraphControl *graph = Show(2);
    Window->PaletteTag = 10000;
    Window->DropPending = true;
    auto *file = new QMimeData;
    file->setUrls({QUrl::fromLocalFile(Plan())});
    TNavBarItem item;
    item.Tag = 10000;
    const struct {
        const char *name;
        std::unique_ptr<QMimeData> data;
        bool accepted;
    } cases[] = {
        {"a file", std::unique_ptr<QMimeData>(file), false},
        {"a palette item", std::unique_ptr<QMimeData>(TNavBar::MimeDataFor(item)), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDragMoveEvent over(QPoint(60, 60), Qt::CopyAction, c.data.get(), Qt::LeftButton,
                            Qt::NoModifier);
        over.ignore();
        graph->OnDragOver(graph, &over);
        EXPECT_EQ(over.isAccepted(), c.accepted);
        QDropEvent drop(QPointF(60, 60), Qt::CopyAction, c.data.get(), Qt::LeftButton,
                        Qt::NoModifier);
        graph->OnDragDrop(graph, &drop);
        EXPECT_EQ(graph->Objects().Count(), c.accepted ? 1 : 0);
    }
}

TEST_F(PlacingTest, ARecommendedSchemeReplacesTheDistributionBoxWhenConfirmed)
{
    {
        TGraphControl scheme;
        scheme.InsertNode(TRect(0, 0, 100, 40), &TTextNode::Class)->SetText(QStringLiteral("照明"));
        scheme.SaveToFile(App + QStringLiteral("templates/一室一厅.prj"));
    }
    TGraphControl *guard = Show(2);
    Drop(guard, 10000);
    Window->SchemeFileName = QStringLiteral("一室一厅.prj");
    Dialogs.Answers.push_back(IUserDialogs::No);
    Drop(guard, 60001);
    EXPECT_EQ(guard->Objects().Count(), 1) << "No keeps the drawing";
    for (int i = 0; i < 2; ++i) {
        Dialogs.Answers.push_back(IUserDialogs::Yes);
        Drop(Window->gcWiring, 60001); // whichever drawing it lands on
    }
    ASSERT_EQ(guard->Objects().Count(), 1) << "cleared before each load";
    EXPECT_EQ(guard->Objects()[0]->Text(), QStringLiteral("照明"));
    EXPECT_TRUE(Window->DropPending) << "a scheme drop leaves the pending drop";
}

} // namespace

namespace {

TEST_F(PlacingTest, RecommendedSchemesAreListedByExactExtension)
{
    const QString folder = App + QStringLiteral("templates/");
    WriteBytes(folder + QStringLiteral("一室一厅.prj"), "0.GS");
    WriteBytes(folder + QStringLiteral("readme.txt"), "x");
    WriteBytes(folder + QStringLiteral("两室一厅.PRJ"), "0.GS");
    WriteBytes(folder + QStringLiteral(".隐藏.prj"), "0.GS");
    QDir(folder).mkdir(QStringLiteral("folder.prj"));
    const QStringList listed = TFrmMain::ListSchemeFiles(folder);
    EXPECT_TRUE(listed.contains(QStringLiteral("两室一厅.PRJ"))) << "the pattern ignores case";
    EXPECT_TRUE(listed.contains(QStringLiteral(".隐藏.prj"))) << "hidden files count";
    EXPECT_FALSE(listed.contains(QStringLiteral("readme.txt")));
    EXPECT_FALSE(listed.contains(QStringLiteral("folder.prj")));

    Window->LoadRecommendedSchemes();
    Window->LoadRecommendedSchemes(); // again: the group is rebuilt, not doubled
    QStringList captions;
    for (const TNavBarItem *item : Window->navBarGuard->Groups(0)->Links()) {
        captions << item->Caption;
        // The tag is the file's place in the listing, skipped entries included.
        EXPECT_EQ(item->Tag, 60001 + listed.indexOf(item->Hint)) << item->Hint.toStdString();
    }
    captions.sort();
    EXPECT_EQ(captions, QStringList({QStringLiteral(".隐藏"), QStringLiteral("一室一厅")}));
}

} // namespace
