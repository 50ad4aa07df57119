// The symbol palettes beside the drawings and the symbol details window.

#include "WiringMain.h"

#include "GraphControl.h"
#include "GraphNode.h"
#include "GraphPicture.h"
#include "NavBar.h"
#include "SymbolGroups.h"
#include "ViewHint.h"
#include "WorkspaceGraph.h"
#include "iconstore.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {

// Ends the change batches of both palettes however filling ends.
class TPaletteBatch {
public:
    TPaletteBatch(TNavBar *guard, TNavBar *wiring) : FGuard(guard), FWiring(wiring)
    {
        FGuard->BeginUpdate();
        FWiring->BeginUpdate();
    }
    ~TPaletteBatch()
    {
        FGuard->EndUpdate();
        FWiring->EndUpdate();
    }
    TPaletteBatch(const TPaletteBatch &) = delete;
    TPaletteBatch &operator=(const TPaletteBatch &) = delete;

private:
    TNavBar *FGuard;
    TNavBar *FWiring;
};

} // namespace

QString TFrmMain::LibraryPicturePath(const char *folder, const QString &name) const
{
    // Library pictures are named with either separator, on every path that
    // reads them: palettes, drops and details alike.
    return AppPath + QStringLiteral("iconstore/") + QLatin1String(folder) + u'/' +
           QString(name).replace(u'\\', u'/');
}

void TFrmMain::SetUpPalettes()
{
    ImageListSmallNav = std::make_unique<TNavImageList>();
    for (const char16_t *caption : {u"家用电器", u"灯", u"开关", u"插座", u"弱电系列"})
        navBarWiring->AddGroup(QString::fromUtf16(caption));
    for (const char16_t *caption : {u"断路器配置方案", u"断路器", u"辅助元件"})
        navBarGuard->AddGroup(QString::fromUtf16(caption));
    const struct {
        const char16_t *caption;
        int tag;
        int picture;
    } tools[] = {{u"水平电线", 10000, 0}, {u"垂直电线", 20000, 2}, {u"文字", 50000, 3}};
    for (const auto &tool : tools) {
        TNavBarItem *item = navBarGuard->AddItem();
        item->Caption = QString::fromUtf16(tool.caption);
        item->Tag = tool.tag;
        item->SmallImageIndex = tool.picture;
        navBarGuard->LinkItem(navBarGuard->Groups(2), item);
    }
    // Only the distribution-box palette can be rearranged by its designer.
    navBarGuard->SetRearrangeable(true);
    for (TNavBar *bar : {navBarWiring, navBarGuard}) {
        bar->SetImages(ImageListSmallNav.get());
        bar->OnLinkPress = [this](TNavBar *sender, TNavBarItem *link) {
            navBarWiringLinkPress(sender, link);
        };
        bar->OnDragOver = [this](TNavBar *sender, QDragMoveEvent *event, bool &accept) {
            navBarWiringDragOver(sender, event, accept);
        };
        bar->OnDragDrop = [this](TNavBar *sender, QDropEvent *event) {
            navBarWiringDragDrop(sender, event);
        };
    }

    FrmHint = new TFrmHint(this);
}

void TFrmMain::ConnectHints()
{
    timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer"));
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, [this] { timerTimer(); });

    // Another handler of the pointer event stays in place and runs first.
    for (TGraphControl *graph : {gcWiring, gcGuard}) {
        auto previousMove = graph->OnMouseMove;
        graph->OnMouseMove = [this, previousMove](TGraphControl *sender, QMouseEvent *event) {
            if (previousMove)
                previousMove(sender, event);
            gcWiringMouseMove(sender, event->position().toPoint());
        };
        // Deleting, clearing and loading all pass here.
        static_cast<TWorkspaceGraph *>(graph)->OnObjectGone = [this](TGraphControl *,
                                                                     TGraphObject *object) {
            if (object == HintNode) {
                CloseHint(); // it described what is gone
                HintNode = nullptr;
            }
        };
    }
}

std::unique_ptr<QImage> TFrmMain::PictureToBitmap(const TPicture &picture)
{
    if (picture.Empty())
        return nullptr;
    if (picture.GetFormat() == TPicture::Bitmap)
        return std::make_unique<QImage>(picture.Image());
    auto bitmap = std::make_unique<QImage>(picture.Width(), picture.Height(),
                                           QImage::Format_RGB32);
    bitmap->fill(Qt::white);
    QPainter painter(bitmap.get());
    picture.Draw(painter, QRect(0, 0, picture.Width(), picture.Height()));
    return bitmap;
}

void TFrmMain::FillPalettes()
{
    TPaletteBatch batch(navBarGuard, navBarWiring);
    for (int g = 0; g < navBarWiring->GroupCount(); ++g)
        navBarWiring->ClearLinks(navBarWiring->Groups(g));
    navBarGuard->ClearLinks(navBarGuard->Groups(0));
    navBarGuard->ClearLinks(navBarGuard->Groups(1));

    QAction *select = Action(QStringLiteral("actObjSelect"));
    for (int i = 0; i < IconStore->IconCount(); ++i) {
        const IXMLIconType *icon = IconStore->Icon(i);
        TPicture picture;
        picture.LoadFromFile(LibraryPicturePath("20", icon->SmallImage()));
        std::unique_ptr<QImage> bmp = PictureToBitmap(picture);
        QImage small;
        if (bmp) {
            {
                QPainter painter(bmp.get());
                picture.Draw(painter, QRect(0, 0, TNavImageList::Size, TNavImageList::Size));
            }
            small = bmp->copy(0, 0, TNavImageList::Size, TNavImageList::Size);
        }
        const int index = ImageListSmallNav->Add(small);

        const bool wiring = icon->System() == SymbolGroups::WiringSystem();
        TNavBar *bar = wiring ? navBarWiring : navBarGuard;
        TNavBarItem *item = bar->AddItem();
        item->Action = select;
        item->Caption = icon->Caption();
        item->Hint = icon->Comment();
        item->SmallImageIndex = index;
        item->Tag = i;
        item->OnClick = [this](TNavBarItem *sender) { actObjSelectExecute(sender); };

        const TSymbolGroup group = SymbolGroups::Of(icon->System(), icon->Type());
        if (group.IsValid() && group.index < bar->GroupCount())
            bar->LinkItem(bar->Groups(group.index), item);
    }
}

TNavBarItem *TFrmMain::AddSchemeItem(const QString &caption, const QString &fileName, int tag,
                                     int pictureIndex)
{
    TNavBarItem *item = navBarGuard->AddItem();
    item->Caption = caption;
    item->Hint = fileName;
    item->Tag = tag;
    item->SmallImageIndex = pictureIndex;
    navBarGuard->LinkItem(navBarGuard->Groups(0), item);
    return item;
}

void TFrmMain::ClearSchemeItems()
{
    navBarGuard->ClearLinks(navBarGuard->Groups(0));
}

void TFrmMain::actObjSelectExecute(TNavBarItem *sender)
{
    PaletteTag = sender->Tag;
    DropPending = true;
}

void TFrmMain::navBarWiringLinkPress(TNavBar *, TNavBarItem *link)
{
    PaletteTag = link->Tag;
    DropPending = true;
    if (link->Tag > 60000)
        SchemeFileName = link->Hint;
}

void TFrmMain::navBarWiringDragOver(TNavBar *, QDragMoveEvent *, bool &accept)
{
    accept = DropPending;
}

void TFrmMain::navBarWiringDragDrop(TNavBar *, QDropEvent *)
{
    // A drop on a palette places nothing.
}

void TFrmMain::StopHintTimer()
{
    HintArmed = false;
    HintNode = nullptr;
    timer->stop();
}

void TFrmMain::CloseHint()
{
    HintArmed = false;
    if (timer)
        timer->stop();
    if (FrmHint && FrmHint->isVisible())
        FrmHint->hide();
}

void TFrmMain::gcWiringMouseMove(TGraphControl *sender, const QPoint &clientPoint)
{
    // Without a current drawing, the one under the pointer is searched.
    TGraphControl *graph = ActiveGraph ? ActiveGraph : sender;
    if (!graph)
        return;
    const QPoint point = graph->ClientToGraph(clientPoint);
    TGraphObject *object = graph->FindObjectAt(point.x(), point.y());
    if (!object) {
        CloseHint();
        return;
    }
    if (HintArmed)
        return;
    auto *node = dynamic_cast<TGraphNode *>(object);
    if (!node)
        return;
    if (PaletteTag >= 9999) {
        StopHintTimer();
        return;
    }
    HintArmed = true;
    timer->start();
    HintNode = node;
}

void TFrmMain::timerTimer()
{
    if (!HintArmed || !HintNode || HintNode->Tag() < 0 || HintNode->Tag() > 9998 || !IconStore) {
        timer->stop();
        return;
    }
    try {
        const IXMLIconType *icon = IconStore->Icon(HintNode->Tag());
        FrmHint->Memo->setPlainText(icon->Comment());
        TPicture picture;
        picture.LoadFromFile(LibraryPicturePath("150", icon->LargeImage()));
        FrmHint->Image->setPixmap(QPixmap::fromImage(picture.Image()));
    } catch (const std::exception &error) {
        // Reported once, not at every tick.
        timer->stop();
        ShowError(QString::fromStdString(error.what()));
        return;
    }
    // The node's own diagram, which is the current one whenever the pointer
    // can reach it.
    TGraphControl *owner = HintNode->Owner();
    const QPoint corner =
        owner->viewport()->mapToGlobal(owner->GraphToClient(HintNode->Left(), HintNode->Top()));
    QPoint topLeft(corner.x() + HintNode->Width(), corner.y() + HintNode->Height());
    KeepHintOnScreen(topLeft);
    FrmHint->move(topLeft);
    FrmHint->show();
}

void TFrmMain::KeepHintOnScreen(QPoint &topLeft) const
{
    // Beside a symbol near the screen's edge the window would be cut off;
    // it moves back just enough to be seen whole.
    const QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen && HintNode && HintNode->Owner())
        screen = HintNode->Owner()->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = FrmHint->frameGeometry().size();
    topLeft.setX(std::clamp(topLeft.x(), area.left(),
                            std::max(area.left(), area.right() + 1 - size.width())));
    topLeft.setY(std::clamp(topLeft.y(), area.top(),
                            std::max(area.top(), area.bottom() + 1 - size.height())));
}
