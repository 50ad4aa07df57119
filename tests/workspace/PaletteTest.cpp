#include "WorkspaceTestSupport.h"

#include "GraphNode.h"
#include "NavBar.h"
#include "ViewHint.h"
#include "WiringAbout.h"
#include "iconstore.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolBox>
#include <QUrl>

namespace {

struct TIconEntry {
    const char16_t *caption;
    const char16_t *system;
    const char16_t *type;
};

const char16_t *const Wiring = u"电器线路";
const char16_t *const Box = u"配电箱线路";

// A library with one icon of every group, an icon of the wiring family
// with a distribution-box type, and two of the other family.
const TIconEntry SmallLibrary[] = {
    {u"电冰箱", Wiring, u"家用电器"},    // 0
    {u"吸顶灯", Wiring, u"灯"},          // 1
    {u"双控开关", Wiring, u"开关"},      // 2
    {u"错放方案", Wiring, u"推荐方案"},  // 3: in no group
    {u"漏电保护器", Box, u"漏电保护器"}, // 4
    {u"接线端子", Box, u"辅助元件"},     // 5
    {u"方案图标", Box, u"推荐方案"},     // 6
    {u"五孔插座", Wiring, u"插座"},      // 7
    {u"电话插座", Wiring, u"弱电系列"},  // 8
};

QString Comment(int i)
{
    return QStringLiteral("说明%1").arg(i);
}

// Small pictures are 40 × 40, left half one colour and right half another,
// so that scaling and cutting give different 20 × 20 pictures.
QColor LeftColour(int i)
{
    return QColor(20 * i, 200, 10);
}

class PaletteFixture : public WorkspaceTest {
protected:
    void WriteLibrary(const std::vector<TIconEntry> &icons)
    {
        QDir(App).mkpath(QStringLiteral("iconstore/20"));
        QDir(App).mkpath(QStringLiteral("iconstore/150"));
        QString xml = QStringLiteral("<iconstore>");
        for (size_t n = 0; n < icons.size(); ++n) {
            const int i = int(n);
            QImage small(40, 40, QImage::Format_RGB32);
            small.fill(Qt::blue);
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 20; ++x)
                    small.setPixelColor(x, y, LeftColour(i));
            WriteBytes(App + QStringLiteral("iconstore/20/s%1.bmp").arg(i),
                       BitmapCodec::Encode24(small));
            QImage large(200 + i, 100, QImage::Format_RGB32);
            large.fill(Qt::green);
            WriteBytes(App + QStringLiteral("iconstore/150/l%1.bmp").arg(i),
                       BitmapCodec::Encode24(large));
            xml +=
                QStringLiteral("<icon><caption>%1</caption><system>%2</system><type>%3</type>"
                               "<comment>%4</comment><smallimage>s%5.bmp</smallimage>"
                               "<largeimage>l%5.bmp</largeimage><ref/><code>C%5</code></icon>")
                    .arg(QString::fromUtf16(icons[n].caption), QString::fromUtf16(icons[n].system),
                         QString::fromUtf16(icons[n].type), Comment(i), QString::number(i));
        }
        xml += QStringLiteral("</iconstore>");
        WriteBytes(App + QStringLiteral("iconstore.xml"), xml.toUtf8());
    }
    void StartWith(const std::vector<TIconEntry> &icons)
    {
        WriteLibrary(icons);
        Start();
        ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    }
    void StartWithSmallLibrary()
    {
        StartWith(std::vector<TIconEntry>(std::begin(SmallLibrary), std::end(SmallLibrary)));
    }

    static QStringList Captions(const TNavBarGroup *group)
    {
        QStringList captions;
        for (const TNavBarItem *item : group->Links())
            captions << item->Caption;
        return captions;
    }
    TNavBarItem *Find(TNavBar *bar, const QString &caption) const
    {
        for (int i = 0; i < bar->ItemCount(); ++i)
            if (bar->Items(i)->Caption == caption)
                return bar->Items(i);
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }
};

// --- Filling ---

TEST_F(PaletteFixture, LibraryIconsGoIntoTheGroupsOfTheirFamilyAndType)
{
    StartWithSmallLibrary();
    TNavBar *wiring = Window->navBarWiring;
    TNavBar *guard = Window->navBarGuard;
    EXPECT_EQ(wiring->objectName(), QStringLiteral("navBarWiring"));
    EXPECT_EQ(guard->objectName(), QStringLiteral("navBarGuard"));

    const struct {
        TNavBar *bar;
        int group;
        const char16_t *caption;
        QStringList items;
    } groups[] = {
        {wiring, 0, u"家用电器", {QStringLiteral("电冰箱")}},
        {wiring, 1, u"灯", {QStringLiteral("吸顶灯")}},
        {wiring, 2, u"开关", {QStringLiteral("双控开关")}},
        {wiring, 3, u"插座", {QStringLiteral("五孔插座")}},
        {wiring, 4, u"弱电系列", {QStringLiteral("电话插座")}},
        {guard, 0, u"断路器配置方案", {QStringLiteral("方案图标")}},
        {guard, 1, u"断路器", {QStringLiteral("漏电保护器")}},
        {guard,
         2,
         u"辅助元件",
         {QStringLiteral("水平电线"), QStringLiteral("垂直电线"), QStringLiteral("文字"),
          QStringLiteral("接线端子")}},
    };
    EXPECT_EQ(wiring->GroupCount(), 5);
    EXPECT_EQ(guard->GroupCount(), 3);
    for (const auto &g : groups) {
        SCOPED_TRACE(QString::fromUtf16(g.caption).toStdString());
        ASSERT_LT(g.group, g.bar->GroupCount());
        EXPECT_EQ(g.bar->Groups(g.group)->Caption, QString::fromUtf16(g.caption));
        EXPECT_EQ(Captions(g.bar->Groups(g.group)), g.items);
        EXPECT_EQ(g.bar->GroupList(g.group)->count(), g.items.size()) << "shown as linked";
    }

    // Each library icon: its palette by family alone, Tag, hint and picture by index.
    EXPECT_EQ(Window->ImageListSmallNav->Count(), 6 + int(std::size(SmallLibrary)));
    for (int i = 0; i < int(std::size(SmallLibrary)); ++i) {
        SCOPED_TRACE(i);
        const bool inWiring = QStringView(SmallLibrary[i].system) == QStringView(Wiring);
        TNavBarItem *item =
            Find(inWiring ? wiring : guard, QString::fromUtf16(SmallLibrary[i].caption));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Tag, i);
        EXPECT_EQ(item->Hint, Comment(i));
        EXPECT_EQ(item->SmallImageIndex, 6 + i);
        EXPECT_EQ(item->Action, Window->Action(QStringLiteral("actObjSelect")));
        // Scaled to 20 × 20, not cut: both halves of the 40 × 40 picture remain.
        const QImage picture = Window->ImageListSmallNav->Image(item->SmallImageIndex);
        ASSERT_EQ(picture.size(), QSize(20, 20));
        EXPECT_EQ(picture.pixelColor(4, 10), LeftColour(i));
        EXPECT_EQ(picture.pixelColor(15, 10), QColor(Qt::blue));
    }
    // The wiring-family icon with a distribution-box type is an item of no group.
    TNavBarItem *stray = Find(wiring, QStringLiteral("错放方案"));
    for (int g = 0; g < wiring->GroupCount(); ++g)
        EXPECT_FALSE(Captions(wiring->Groups(g)).contains(QStringLiteral("错放方案")));
    ASSERT_NE(stray, nullptr);

    const struct {
        const char16_t *caption;
        int tag;
        int picture;
    } tools[] = {{u"水平电线", 10000, 0}, {u"垂直电线", 20000, 2}, {u"文字", 50000, 3}};
    for (const auto &tool : tools) {
        TNavBarItem *item = Find(guard, QString::fromUtf16(tool.caption));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Tag, tool.tag);
        EXPECT_EQ(item->SmallImageIndex, tool.picture);
        EXPECT_EQ(item->Action, nullptr) << "the tools have no command";
    }
}

TEST_F(PaletteFixture, OnlyWiringIconsLeaveTheToolsAloneInTheDistributionBoxPalette)
{
    StartWith({{u"电冰箱", Wiring, u"家用电器"}, {u"吸顶灯", Wiring, u"灯"}});
    TNavBar *guard = Window->navBarGuard;
    EXPECT_TRUE(guard->Groups(0)->Links().empty());
    EXPECT_TRUE(guard->Groups(1)->Links().empty());
    EXPECT_EQ(Captions(guard->Groups(2)),
              QStringList({QStringLiteral("水平电线"), QStringLiteral("垂直电线"),
                           QStringLiteral("文字")}));

    // Filling again does not duplicate anything, and keeps the tools.
    Window->FillPalettes();
    EXPECT_EQ(Captions(Window->navBarWiring->Groups(0)), QStringList({QStringLiteral("电冰箱")}));
    EXPECT_EQ(guard->Groups(2)->Links().size(), 3u);
}

TEST_F(PaletteFixture, MissingSmallPictureIsReportedAndStopsFilling)
{
    WriteLibrary({{u"电冰箱", Wiring, u"家用电器"},
                  {u"吸顶灯", Wiring, u"灯"},
                  {u"五孔插座", Wiring, u"插座"}});
    QFile::remove(App + QStringLiteral("iconstore/20/s1.bmp"));
    Start();
    const auto &message = Dialogs.Only();
    EXPECT_EQ(message.Icon, IUserDialogs::Error);
    EXPECT_TRUE(message.Text.contains(QStringLiteral("s1.bmp"))) << message.Text.toStdString();
    EXPECT_EQ(Captions(Window->navBarWiring->Groups(0)), QStringList({QStringLiteral("电冰箱")}));
    EXPECT_TRUE(Window->navBarWiring->Groups(3)->Links().empty());
    // The batch was ended: what was linked is shown.
    EXPECT_FALSE(Window->navBarWiring->Updating());
    EXPECT_FALSE(Window->navBarGuard->Updating());
    EXPECT_EQ(Window->navBarWiring->GroupList(0)->count(), 1);
}

TEST(PictureToBitmap, KeepsSizeAndPixelsOfEveryPictureForm)
{
    EXPECT_EQ(TFrmMain::PictureToBitmap(TPicture()), nullptr);

    QImage image(30, 12, QImage::Format_RGB32);
    image.fill(QColor(200, 10, 10));
    TPicture bitmap;
    bitmap.LoadFromData(TPicture::Bitmap, BitmapCodec::Encode24(image));
    TPicture jpeg;
    jpeg.LoadFromData(TPicture::Jpeg, JpegCodec::Encode(image));
    for (const TPicture *picture : {&bitmap, &jpeg}) {
        const std::unique_ptr<QImage> result = TFrmMain::PictureToBitmap(*picture);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->size(), QSize(30, 12));
        const QColor centre = result->pixelColor(15, 6);
        EXPECT_NEAR(centre.red(), 200, 8);
        EXPECT_NEAR(centre.green(), 10, 8);
    }
}

// --- Pressing ---

TEST_F(PaletteFixture, PressArmsTheDropAndSchemesRememberTheirFile)
{
    StartWithSmallLibrary();
    CreateOnPage0(QStringLiteral("按下"));
    TNavBar *wiring = Window->navBarWiring;
    TNavBar *guard = Window->navBarGuard;
    Window->AddSchemeItem(QStringLiteral("三居室"), QStringLiteral("三居室.gua"), 60003);
    Window->AddSchemeItem(QStringLiteral("新方案"), QStringLiteral("新方案.gua"), 65000);
    Window->AddSchemeItem(QStringLiteral("边界"), QStringLiteral("边界.gua"), 60000);
    EXPECT_EQ(
        Captions(guard->Groups(0)).mid(1),
        QStringList({QStringLiteral("三居室"), QStringLiteral("新方案"), QStringLiteral("边界")}));

    const struct {
        TNavBar *bar;
        const char16_t *caption;
        int tag;
        QString scheme; // SchemeFileName afterwards
    } presses[] = {
        {wiring, u"吸顶灯", 1, QString()},
        {guard, u"三居室", 60003, QStringLiteral("三居室.gua")},
        {guard, u"水平电线", 10000, QStringLiteral("三居室.gua")},
        {guard, u"新方案", 65000, QStringLiteral("新方案.gua")},
        {guard, u"边界", 60000, QStringLiteral("新方案.gua")},
        {guard, u"漏电保护器", 4, QStringLiteral("新方案.gua")},
    };
    for (const auto &p : presses) {
        SCOPED_TRACE(QString::fromUtf16(p.caption).toStdString());
        Window->DropPending = false;
        EXPECT_TRUE(p.bar->PressItem(Find(p.bar, QString::fromUtf16(p.caption))));
        EXPECT_EQ(Window->PaletteTag, p.tag);
        EXPECT_TRUE(Window->DropPending);
        EXPECT_EQ(Window->SchemeFileName, p.scheme);
    }

    // A click on a library item runs its command with the item.
    Window->DropPending = false;
    EXPECT_TRUE(wiring->ClickItem(Find(wiring, QStringLiteral("电冰箱"))));
    EXPECT_EQ(Window->PaletteTag, 0);
    EXPECT_TRUE(Window->DropPending);

    // A drag over a palette is accepted exactly while a drop is pending.
    for (const bool pending : {true, false}) {
        Window->DropPending = pending;
        bool accept = !pending;
        Window->navBarWiringDragOver(guard, nullptr, accept);
        EXPECT_EQ(accept, pending);
    }
}

// The mouse reaches the same press: shown palette, real events on the list.
TEST_F(PaletteFixture, MousePressOnAShownItem)
{
    StartWithSmallLibrary();
    CreateOnPage0(QStringLiteral("鼠标"));
    Window->show();
    Window->PageControl->setCurrentIndex(1);
    QListWidget *list = Window->navBarWiring->GroupList(1);
    Window->navBarWiring->findChild<QToolBox *>()->setCurrentWidget(list);
    QApplication::processEvents();
    ASSERT_EQ(list->count(), 1);
    const QPoint centre = list->visualItemRect(list->item(0)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, list->viewport()->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &event);
    }
    EXPECT_EQ(Window->PaletteTag, 1);
    EXPECT_TRUE(Window->DropPending);
}

TEST_F(PaletteFixture, LibraryItemsFollowTheirCommand)
{
    StartWithSmallLibrary();
    TNavBar *wiring = Window->navBarWiring;
    TNavBar *guard = Window->navBarGuard;
    const auto shownEnabled = [](TNavBar *bar, int group, int row) {
        return bool(bar->GroupList(group)->item(row)->flags() & Qt::ItemIsEnabled);
    };
    // Without a project: library items are shown disabled and cannot be pressed.
    EXPECT_FALSE(shownEnabled(wiring, 0, 0));
    EXPECT_FALSE(shownEnabled(guard, 2, 3));
    EXPECT_FALSE(wiring->PressItem(wiring->Groups(0)->Links()[0]));
    EXPECT_FALSE(wiring->ClickItem(wiring->Groups(0)->Links()[0]));
    EXPECT_EQ(Window->PaletteTag, -1);
    EXPECT_FALSE(Window->DropPending);

    CreateOnPage0(QStringLiteral("启用"));
    EXPECT_TRUE(shownEnabled(wiring, 0, 0));
    EXPECT_TRUE(shownEnabled(guard, 2, 3));
    EXPECT_TRUE(wiring->PressItem(wiring->Groups(0)->Links()[0]));
    EXPECT_EQ(Window->PaletteTag, 0);

    CloseProject();
    EXPECT_FALSE(shownEnabled(wiring, 0, 0));
}

TEST(NavBarDrag, CarriesTheTagOfTheItem)
{
    TNavBarItem item;
    item.Tag = 20000;
    std::unique_ptr<QMimeData> data(TNavBar::MimeDataFor(item));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("application/x-varneth-palette-item")));
    int tag = -1;
    EXPECT_TRUE(TNavBar::TagOf(data.get(), tag));
    EXPECT_EQ(tag, 20000);
    QMimeData other;
    other.setText(QStringLiteral("20000"));
    EXPECT_FALSE(TNavBar::TagOf(&other, tag));
}

// --- Rearranging the distribution-box palette ---

// Items and groups of the distribution-box palette move by dragging within
// it; a drop from anywhere else, and any drop on the wiring palette, does not.
TEST_F(PaletteFixture, TheDistributionBoxPaletteIsRearrangedByDraggingWithinIt)
{
    StartWithSmallLibrary();
    CreateOnPage0(QStringLiteral("排列"));
    Window->show();
    Window->PageControl->setCurrentIndex(2);
    TNavBar *guard = Window->navBarGuard;
    TNavBar *wiring = Window->navBarWiring;
    ASSERT_TRUE(guard->Rearrangeable());
    ASSERT_FALSE(wiring->Rearrangeable());
    TNavBarGroup *tools = guard->Groups(2);
    ASSERT_EQ(Captions(tools), QStringList({"水平电线", "垂直电线", "文字", "接线端子"}));
    TNavBarItem *text = Find(guard, QStringLiteral("文字"));

    // A drop is delivered to a group's list at a row.
    const auto dropOn = [](TNavBar *bar, int group, int row, QMimeData *data) {
        QListWidget *list = bar->GroupList(group);
        list->show();
        const QPoint at = row < list->count() ? list->visualItemRect(list->item(row)).center()
                                              : QPoint(5, list->height() - 2);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        bar->DropOnBar(&drop, list);
        delete data;
    };
    dropOn(guard, 2, 0, guard->DragDataFor(text));
    EXPECT_EQ(Captions(tools), QStringList({"文字", "水平电线", "垂直电线", "接线端子"}));
    EXPECT_EQ(text->Tag, 50000) << "the item keeps its Tag";
    dropOn(guard, 2, 2, guard->DragDataFor(text)); // down: before the item it lands on
    EXPECT_EQ(Captions(tools), QStringList({"水平电线", "文字", "垂直电线", "接线端子"}));

    // Into another group, at its end.
    dropOn(guard, 1, 99, guard->DragDataFor(text));
    EXPECT_EQ(guard->GroupOf(text), guard->Groups(1));
    EXPECT_EQ(Captions(tools), QStringList({"水平电线", "垂直电线", "接线端子"}));
    EXPECT_EQ(Captions(guard->Groups(1)).last(), QStringLiteral("文字"));
    EXPECT_TRUE(guard->PressItem(text));
    EXPECT_EQ(Window->PaletteTag, 50000);

    // A group moves as shown; Groups() keeps its indices.
    dropOn(guard, 0, 0, guard->DragDataFor(tools));
    EXPECT_EQ(guard->GroupPosition(tools), 0);
    EXPECT_EQ(guard->GroupPosition(guard->Groups(0)), 1);
    EXPECT_EQ(guard->Groups(2), tools);

    // From outside: an item of the wiring palette, plain text, a file.
    const QStringList before = Captions(guard->Groups(1));
    dropOn(guard, 1, 0, wiring->DragDataFor(wiring->Groups(0)->Links()[0]));
    auto *file = new QMimeData;
    file->setUrls({QUrl::fromLocalFile(Plan())});
    dropOn(guard, 1, 0, file);
    EXPECT_EQ(Captions(guard->Groups(1)), before);
    EXPECT_EQ(guard->GroupPosition(tools), 0);

    // The wiring palette lets nothing be rearranged.
    TNavBarItem *fridge = wiring->Groups(0)->Links().front();
    dropOn(wiring, 1, 0, wiring->DragDataFor(fridge));
    EXPECT_EQ(wiring->GroupOf(fridge), wiring->Groups(0));
}

// --- Details window ---

class HintTest : public PaletteFixture {
protected:
    TGraphControl *Graph = nullptr;
    TGraphNode *A = nullptr; // symbol 0
    TGraphNode *B = nullptr; // symbol 1, touching A on its right
    TGraphNode *Wire = nullptr;

    void SetUp() override
    {
        PaletteFixture::SetUp();
        StartWithSmallLibrary();
        CreateOnPage0(QStringLiteral("提示"));
        Graph = Window->gcWiring;
        Window->ActiveGraph = Graph;
        A = AddNode(100, 100, 40, 40, 0);
        B = AddNode(140, 100, 40, 40, 1);
        Wire = AddNode(100, 300, 100, 40, 10000);
        PressLibrary();
    }
    TGraphNode *AddNode(int left, int top, int width, int height, int tag)
    {
        // A symbol is pressed while inserting, as when dropping one.
        Window->PaletteTag = 0;
        TGraphNode *node = Graph->InsertNode(TRect(left, top, left + width, top + height));
        node->SetBounds(left, top, width, height);
        node->SetTag(tag);
        return node;
    }
    void PressLibrary()
    {
        TNavBar *bar = Window->navBarWiring;
        ASSERT_TRUE(bar->PressItem(bar->Groups(1)->Links()[0]));
    }
    // The pointer over the centre of a node, or over empty space.
    void MoveOver(const TGraphNode *node)
    {
        const QPoint graphPoint =
            node ? QPoint(node->Left() + node->Width() / 2, node->Top() + node->Height() / 2)
                 : QPoint(600, 600);
        Window->gcWiringMouseMove(Graph, Graph->GraphToClient(graphPoint));
    }
    bool Shown() const { return Window->FrmHint->isVisible(); }
    QString Shows() const { return Window->FrmHint->Memo->toPlainText(); }
};

TEST_F(HintTest, DetailsFollowThePointerRule)
{
    MoveOver(A);
    EXPECT_TRUE(Window->HintArmed);
    EXPECT_TRUE(Window->timer->isActive());
    EXPECT_EQ(Window->timer->interval(), 1000);
    EXPECT_EQ(Window->HintNode, A);
    EXPECT_FALSE(Shown()) << "only at the first tick";

    Window->timerTimer();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(Shows(), Comment(0));
    EXPECT_EQ(Window->FrmHint->Image->pixmap().size(), QSize(200, 100)) << "natural size";
    EXPECT_TRUE(Window->timer->isActive()) << "refreshed every second";

    // Straight onto the neighbour: still the first symbol.
    MoveOver(B);
    Window->timerTimer();
    EXPECT_EQ(Window->HintNode, A);
    EXPECT_EQ(Shows(), Comment(0));

    // Empty space closes; the next symbol is then described.
    MoveOver(nullptr);
    EXPECT_FALSE(Window->HintArmed);
    EXPECT_FALSE(Window->timer->isActive());
    EXPECT_FALSE(Shown());
    MoveOver(B);
    Window->timerTimer();
    EXPECT_EQ(Shows(), Comment(1));
    EXPECT_EQ(Window->FrmHint->Image->pixmap().size(), QSize(201, 100));

    // A wire piece arms, but its tick stops the timer and shows nothing new;
    // symbols reached from it show nothing until empty space is crossed.
    MoveOver(nullptr);
    MoveOver(Wire);
    EXPECT_TRUE(Window->HintArmed);
    Window->timerTimer();
    EXPECT_FALSE(Window->timer->isActive());
    EXPECT_TRUE(Window->HintArmed);
    EXPECT_FALSE(Shown());
    MoveOver(A);
    EXPECT_EQ(Window->HintNode, Wire);
    EXPECT_FALSE(Window->timer->isActive());
}

TEST_F(HintTest, NoDetailsAfterPressingATool)
{
    TNavBar *guard = Window->navBarGuard;
    for (const char16_t *tool : {u"水平电线", u"文字"}) {
        SCOPED_TRACE(QString::fromUtf16(tool).toStdString());
        ASSERT_TRUE(guard->PressItem(Find(guard, QString::fromUtf16(tool))));
        MoveOver(A);
        EXPECT_FALSE(Window->HintArmed);
        EXPECT_FALSE(Window->timer->isActive());
        EXPECT_EQ(Window->HintNode, nullptr);
        Window->timerTimer();
        EXPECT_FALSE(Shown());
    }
    PressLibrary();
    MoveOver(A);
    EXPECT_TRUE(Window->HintArmed);
}

TEST_F(HintTest, DetailsStopWhenTheNodeGoes)
{
    const struct {
        const char *name;
        std::function<void()> remove;
    } removals[] = {
        {"deleted", [this] { A->Free(); }},
        {"diagram cleared", [this] { Graph->Clear(); }},
        {"other diagram loaded",
         [this] {
             TGraphControl other;
             other.InsertNode(TRect(0, 0, 10, 10));
             Graph->LoadFromBytes(other.SaveToBytes());
         }},
    };
    bool first = true;
    for (const auto &r : removals) {
        SCOPED_TRACE(r.name);
        if (!first)
            A = AddNode(100, 100, 40, 40, 0);
        first = false;
        MoveOver(nullptr);
        MoveOver(A);
        Window->timerTimer();
        ASSERT_TRUE(Shown());
        r.remove();
        EXPECT_FALSE(Shown()) << "it described what is gone";
        Window->timerTimer(); // must not read the removed node
        EXPECT_FALSE(Window->timer->isActive());
        EXPECT_EQ(Window->HintNode, nullptr);
        EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    }
}

TEST_F(HintTest, WindowStandsAtTheNodesCornerPlusItsSizeInDiagramUnits)
{
    EXPECT_EQ(Window->FrmHint->size(), QSize(302, 152));
    EXPECT_EQ(Window->FrmHint->Image->size(), QSize(150, 150)) << "the whole library picture";
    EXPECT_TRUE(Window->FrmHint->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Window->FrmHint->windowFlags() & Qt::FramelessWindowHint);
    const struct {
        int zoom;
        QPoint graphPoint; // where the window's corner lands
    } cases[] = {
        {100, QPoint(140, 140)}, // the node's bottom-right corner
        {200, QPoint(120, 120)}, // the node's centre as drawn
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.zoom);
        Graph->SetZoom(c.zoom);
        MoveOver(nullptr);
        MoveOver(A);
        Window->timerTimer();
        EXPECT_EQ(Window->FrmHint->pos(),
                  Graph->viewport()->mapToGlobal(Graph->GraphToClient(c.graphPoint)));
    }
}

// The window never outlives the page or the project it describes.
TEST_F(HintTest, DetailsCloseWhenThePageChangesOrTheProjectCloses)
{
    const struct {
        const char *name;
        std::function<void()> leave;
    } cases[] = {
        {"another page", [this] { Window->PageControl->setCurrentIndex(0); }},
        {"project closed", [this] { CloseProject(IUserDialogs::No); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Window->PageControl->setCurrentIndex(1);
        MoveOver(nullptr);
        MoveOver(A);
        Window->timerTimer();
        ASSERT_TRUE(Shown());
        c.leave();
        EXPECT_FALSE(Shown());
        EXPECT_FALSE(Window->timer->isActive());
    }
}

// Beside a symbol at the screen's right or bottom edge the window moves
// back just enough to be seen whole.
TEST_F(HintTest, DetailsStayOnTheScreen)
{
    Window->show();
    Window->PageControl->setCurrentIndex(1);
    const QRect screen = Window->FrmHint->screen()->availableGeometry();
    const QPoint far = Graph->ClientToGraph(
        Graph->viewport()->mapFromGlobal(screen.bottomRight() - QPoint(10, 10)));
    A->SetBounds(far.x(), far.y(), 40, 40);
    MoveOver(nullptr);
    MoveOver(A);
    Window->timerTimer();
    ASSERT_TRUE(Shown());
    const QRect frame = Window->FrmHint->frameGeometry();
    EXPECT_TRUE(screen.contains(frame))
        << frame.x() << "," << frame.y() << " on " << screen.width() << "x" << screen.height();
    EXPECT_EQ(frame.right(), screen.right());
    EXPECT_EQ(frame.bottom(), screen.bottom());
}

// Mouse movement over a drawing reaches the pointer rule.
TEST_F(HintTest, HoverOverTheDrawingArms)
{
    Window->show();
    Window->PageControl->setCurrentIndex(1);
    Window->ActiveGraph = Graph;
    const QPoint client = Graph->GraphToClient(QPoint(120, 120));
    QMouseEvent move(QEvent::MouseMove, client, Graph->viewport()->mapToGlobal(client),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Graph->viewport(), &move);
    EXPECT_TRUE(Window->HintArmed);
    EXPECT_EQ(Window->HintNode, A);
}

} // namespace

// --- A start that shows the first page first ---

class ShownPageFirstTest : public PaletteFixture {
protected:
    void SetUp() override
    {
        PaletteFixture::SetUp();
        WriteLibrary(std::vector<TIconEntry>(std::begin(SmallLibrary), std::end(SmallLibrary)));
        QDir(App).mkpath(QStringLiteral("templates"));
        TGraphControl scheme;
        scheme.SaveToFile(App + QStringLiteral("templates/一室一厅.prj"));
        Window = std::make_unique<TFrmMain>(TAppFolders::Same(App), &Dialogs, nullptr,
                                            TFrmMain::TStart::ShownPageFirst);
    }
    // Every palette group's captions, of the window and of one started whole.
    static QStringList Palettes(TFrmMain &window)
    {
        QStringList all;
        for (TNavBar *bar : {window.navBarWiring, window.navBarGuard})
            for (int g = 0; g < bar->GroupCount(); ++g)
                all << Captions(bar->Groups(g)).join(u',');
        return all;
    }
    QStringList CompleteStart()
    {
        TScriptedDialogs dialogs;
        TFrmMain whole(App, &dialogs);
        whole.show();
        return Palettes(whole);
    }
};

TEST_F(ShownPageFirstTest, FillsThePalettesAndListsTheSchemesAfterTheFirstPaint)
{
    EXPECT_EQ(Window->navBarWiring->GroupCount(), 0) << "not yet";
    EXPECT_EQ(Window->FrmHelp, nullptr) << "not yet";
    EXPECT_EQ(Window->FrmCustomer, nullptr) << "not yet";
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(Palettes(*Window), CompleteStart());
    EXPECT_EQ(Captions(Window->navBarGuard->Groups(0)), QStringList({QStringLiteral("一室一厅")}));
    EXPECT_EQ(Window->ImageListSmallNav->Count(), 6 + int(std::size(SmallLibrary)));
    EXPECT_NE(Window->FrmHelp, nullptr);
    EXPECT_NE(Window->FrmAbout, nullptr);
    EXPECT_NE(Window->FrmCustomer, nullptr);
    EXPECT_NE(Window->FrmSetProjectName, nullptr);
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
}

// Qt keeps the face a family first resolved to, so "新宋体" must stand for the
// CJK serif face before the page area lays out its first text, not only once a
// drawing's font is first made.
TEST_F(ShownPageFirstTest, ThePageAreaIsInTheSerifFaceFromTheStart)
{
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    EXPECT_EQ(QFontInfo(Window->PageControl->font()).family(), QStringLiteral("Noto Serif CJK SC"));
    EXPECT_EQ(QFontInfo(Window->PageControl->font()).pixelSize(), 13);
}

TEST_F(ShownPageFirstTest, HelpAskedForBeforeThatIsShown)
{
    Window->Action(QStringLiteral("actAboutHelp"))->trigger();
    ASSERT_NE(Window->FrmHelp, nullptr);
    EXPECT_TRUE(Window->FrmHelp->isVisible());
    Window->FrmHelp->close();
}

TEST_F(ShownPageFirstTest, CreatingAProjectBeforeThatIsShownOpensTheDialog)
{
    QWidget *shown = nullptr;
    QTimer::singleShot(0, [&shown] {
        shown = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QDialog *>(shown))
            dialog->reject();
    });
    Window->Action(QStringLiteral("actFileCreate"))->trigger();
    ASSERT_NE(Window->FrmCustomer, nullptr);
    EXPECT_EQ(shown, Window->FrmCustomer);
}

TEST_F(ShownPageFirstTest, ADrawingPageShownBeforeThatHasItsPaletteAtOnceAndOnlyOnce)
{
    Window->PageControl->setCurrentIndex(2);
    const QStringList palettes = Palettes(*Window);
    EXPECT_EQ(palettes, CompleteStart());
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(Palettes(*Window), palettes);
    EXPECT_EQ(Window->ImageListSmallNav->Count(), 6 + int(std::size(SmallLibrary)));
}
