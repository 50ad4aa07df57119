#include "WiringMain.h"

#include "GraphControl.h"
#include "GraphHistory.h"
#include "GraphLink.h"
#include "GraphMath.h"
#include "GraphNode.h"
#include "GraphText.h"
#include "LineNode.h"
#include "NavBar.h"
#include "NodePictureTurning.h"
#include "RectangularNode.h"
#include "iconstore.h"

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <optional>

// Placing symbols, wire pieces and text by drag and drop, and the editing
// commands, shared by both drawings.

namespace {

const QString WiringSystem = QStringLiteral("电器线路");
const QString BreakerType = QStringLiteral("漏电保护器");

// The nodes of a selection, in selection order.
std::vector<TGraphNode *> SelectedNodes(TGraphControl *graph)
{
    std::vector<TGraphNode *> nodes;
    graph->SelectedObjects().ForEach([&](TGraphObject *object) {
        if (!object->IsLink())
            nodes.push_back(static_cast<TGraphNode *>(object));
    });
    return nodes;
}

} // namespace

void TFrmMain::ConnectDiagramEvents()
{
    for (TGraphControl *graph : {gcWiring, gcGuard}) {
        graph->OnError = [this](TGraphControl *, const QString &message) { ShowError(message); };
        // Only a palette item is placed: files and text dragged in from
        // other programs are refused even while an item is armed.
        graph->OnDragOver = [this](TGraphControl *, QDragMoveEvent *event) {
            int tag = 0;
            if (DropPending && TNavBar::TagOf(event->mimeData(), tag))
                event->acceptProposedAction();
            else
                event->ignore();
        };
        graph->OnDragDrop = [this](TGraphControl *target, QDropEvent *event) {
            int tag = 0;
            if (!TNavBar::TagOf(event->mimeData(), tag)) {
                event->ignore();
                return;
            }
            event->acceptProposedAction();
            Run([&] { gcWiringDragDrop(target, event->position().toPoint()); });
        };
        graph->OnObjectInsert = [this](TGraphControl *target, TGraphObject *object) {
            Run([&] { gcWiringObjectInsert(target, object); });
        };
        graph->OnObjectSelect = [this](TGraphControl *, TGraphObject *object) {
            if (!object->IsLink())
                HintNode = static_cast<TGraphNode *>(object);
        };
        graph->OnObjectContextPopup = [this](TGraphControl *, TGraphObject *, const QPoint &,
                                             bool &) { CloseHint(); };
        // The command itself, not its action: the object menu of the wiring
        // drawing hides "属性设置" (which disables a hidden action), yet
        // its labels have properties.
        graph->OnObjectDblClick = [this](TGraphControl *, TGraphObject *) {
            if (ProjectOpen)
                Run([this] { actSetPropExecute(); });
        };
        graph->OnCanMoveResizeNode = [](TGraphControl *, TGraphNode *node, int &, int &,
                                        int &newWidth, int &newHeight, bool &canMove,
                                        bool &canResize) {
            CanMoveResizeSymbol(node, newWidth, newHeight);
            canMove = true;
            canResize = true;
        };
    }
    connect(pmObj, &QMenu::aboutToShow, this, [this] { pmObjPopup(); });
}

void TFrmMain::CanMoveResizeSymbol(const TGraphNode *node, int &newWidth, int &newHeight)
{
    // Symbols of the wiring palette stay square; a breaker keeps its shape.
    if (node->IconSystem() != WiringSystem)
        return;
    if (newWidth != newHeight)
        newHeight = newWidth;
    else if (node->IconType() == BreakerType && node->Width() != 0)
        newHeight = GraphMath::MulDiv(node->Height(), newWidth, node->Width());
}

// --- Dropping ---

void TFrmMain::gcWiringDragDrop(TGraphControl *target, const QPoint &controlPoint)
{
    TGraphControl *graph = ActiveGraph ? ActiveGraph : target;
    const int grid = graph->GridSize();
    const QPoint dropPoint =
        graph->ClientToGraph(grid * (controlPoint.x() / grid), grid * (controlPoint.y() / grid));
    if (!DropPending)
        return;
    if (PaletteTag > 60000)
        return ApplyRecommendedScheme();
    // A drop, with the companion symbol and its link, is one step.
    const TGraphEdit edit(graph, QStringLiteral("放置"));
    if (PaletteTag >= 0 && PaletteTag <= 9998)
        DropSymbol(graph, dropPoint);
    else if (PaletteTag >= 9999 && PaletteTag < 60000)
        DropTool(graph, dropPoint);
}

namespace {

// Back in select mode however a drop ends.
class TEditModeAtEnd {
public:
    explicit TEditModeAtEnd(TGraphControl *graph) : FGraph(graph) {}
    ~TEditModeAtEnd() { FGraph->SetCommandMode(cmEdit); }
    TEditModeAtEnd(const TEditModeAtEnd &) = delete;
    TEditModeAtEnd &operator=(const TEditModeAtEnd &) = delete;

private:
    TGraphControl *FGraph;
};

} // namespace

void TFrmMain::DropSymbol(TGraphControl *graph, const QPoint &dropPoint)
{
    if (!IconStore)
        return;
    const IXMLIconType *icon = IconStore->Icon(PaletteTag);
    // An appliance or a lamp brings the switch or socket it is used with.
    int companion = -1;
    if (icon->Type() == QStringLiteral("家用电器") || icon->Type() == QStringLiteral("灯"))
        companion = IconStore->IndexOfCaption(icon->Ref());
    // Both pictures load before anything is placed: a picture that fails
    // is reported once and leaves the drawing as it was.
    TPicture picture1, picture2;
    picture1.LoadFromFile(LibraryPicturePath("20", icon->SmallImage()));
    if (companion >= 0)
        picture2.LoadFromFile(LibraryPicturePath("20", IconStore->Icon(companion)->SmallImage()));

    TEditModeAtEnd editMode(graph);
    TGraphNode *node1 = InsertSymbolNode(graph, icon, dropPoint, picture1);
    if (companion < 0)
        return;
    PaletteTag = companion;
    TGraphNode *node2 = InsertSymbolNode(graph, IconStore->Icon(companion), dropPoint, picture2);
    node2->SetTop(node2->Top() + 80);
    graph->SetCommandMode(cmLinkNodes);
    graph->LinkNodes(node1, node2, graph->NewLinkClass());
    graph->SetCommandMode(cmEdit);
}

TGraphNode *TFrmMain::InsertSymbolNode(TGraphControl *graph, const IXMLIconType *icon,
                                       const QPoint &dropPoint)
{
    TPicture picture;
    picture.LoadFromFile(LibraryPicturePath("20", icon->SmallImage()));
    TEditModeAtEnd editMode(graph);
    return InsertSymbolNode(graph, icon, dropPoint, picture);
}

TGraphNode *TFrmMain::InsertSymbolNode(TGraphControl *graph, const IXMLIconType *icon,
                                       const QPoint &dropPoint, const TPicture &picture)
{
    graph->SetNewNodeClass(&TIconNode::Class);
    graph->SetCommandMode(cmInsertNode);
    // The insert event leaves the picture to this drop, which has it.
    TGraphNode *node = nullptr;
    {
        const QScopedValueRollback<bool> placing(FPlacingSymbol, true);
        node = graph->InsertNode(nullptr);
    }
    node->SetBackground(picture);
    node->SetWidth(icon->Type() == BreakerType ? 100 : 40);
    node->SetHeight(40);
    node->SetTag(PaletteTag);
    node->SetLeft(dropPoint.x());
    node->SetTop(dropPoint.y());
    node->SetIsCodeNode(true);
    node->SetText(GraphText::Narrow(icon->Code()));
    TFont font;
    font.Assign(node->Font());
    font.SetSize(10);
    font.SetStyle(fsBold);
    font.SetColor(0x00FF0000);
    node->SetFont(font);
    node->SetAlignment(taCenter);
    node->SetMargin(3);
    graph->SetCommandMode(cmEdit);
    DropPending = false;
    node->SetIconCaption(GraphText::Narrow(icon->Caption()));
    node->SetIconSystem(GraphText::Narrow(icon->System()));
    node->SetIconType(GraphText::Narrow(icon->Type()));
    node->SetIconComment(GraphText::Narrow(icon->Comment()));
    node->SetIconSmallImagePath(GraphText::Narrow(icon->SmallImage()));
    node->SetIconLargeImagePath(GraphText::Narrow(icon->LargeImage()));
    return node;
}

void TFrmMain::DropTool(TGraphControl *graph, const QPoint &dropPoint)
{
    TGraphObjectClassRef cls = nullptr;
    int width = 100, height = 40;
    if (PaletteTag == 10000) {
        cls = &THLineNode::Class;
    } else if (PaletteTag == 20000) {
        cls = &TVLineNode::Class;
        width = 40;
        height = 100;
    } else if (PaletteTag == 50000) {
        cls = &TTextNode::Class;
    } else {
        return;
    }
    graph->SetNewNodeClass(cls);
    graph->SetCommandMode(cmInsertNode);
    TGraphNode *node = graph->InsertNode(nullptr);
    node->SetWidth(width);
    node->SetHeight(height);
    node->SetTag(PaletteTag);
    node->SetLeft(dropPoint.x());
    node->SetTop(dropPoint.y());
    graph->SetCommandMode(cmEdit);
    DropPending = false;
}

void TFrmMain::gcWiringObjectInsert(TGraphControl *, TGraphObject *object)
{
    if (object->IsLink() || object->IsKindOf(&THLineNode::Class) ||
        object->IsKindOf(&TTextNode::Class))
        return;
    auto *node = static_cast<TGraphNode *>(object);
    if (!FPlacingSymbol && IconStore && PaletteTag >= 0 && PaletteTag < IconStore->IconCount()) {
        TPicture picture;
        picture.LoadFromFile(LibraryPicturePath("20", IconStore->Icon(PaletteTag)->SmallImage()));
        node->SetBackground(picture);
    }
    node->SetWidth(40);
    node->SetHeight(40);
    node->SetTag(PaletteTag);
    DropPending = false;
}

void TFrmMain::ApplyRecommendedScheme()
{
    if (FDialogs->Ask(this, QStringLiteral("你确定要使用该推荐方案吗？"),
                      IUserDialogs::Information, IUserDialogs::No) != IUserDialogs::Yes)
        return;
    // Risky: what is unsaved is kept for recovery first.
    if (Modified)
        KeepForRecovery();
    const TGraphHistoryStep step(HistoryOf(gcGuard), QStringLiteral("应用推荐方案"),
                                 TGraphEditScope::WholeDrawing);
    gcGuard->Clear();
    gcGuard->LoadFromFile(SchemePath(SchemeFileName));
}

// --- The object menu ---

void TFrmMain::pmObjPopup()
{
    const QStringList turning = {"actObjRight", "actObjLeft", "actObjRound", "actObjH", "actObjV"};
    const auto show = [this](const QString &name, bool visible) {
        Action(name)->setVisible(visible);
    };
    if (ActiveGraph == gcGuard) {
        for (const QString &name : turning)
            show(name, false);
        show(QStringLiteral("actSetProp"), false);
        const bool allSymbols = gcGuard->SelectedCount(&TIconNode::Class) ==
                                gcGuard->SelectedCount();
        if (allSymbols) {
            show(QStringLiteral("actObjH"), true);
            show(QStringLiteral("actObjV"), true);
        } else {
            show(QStringLiteral("actSetProp"), true);
        }
        return;
    }
    show(QStringLiteral("actSetProp"), false);
    for (const QString &name : turning)
        show(name, true);
}

// --- Editing commands ---

void TFrmMain::ConnectEditingCommands()
{
    // A command that changes the drawing is one undo step, named by its caption.
    const auto on = [this](const char *name, std::function<void(TGraphControl *)> command,
                           std::optional<TGraphEditScope> step = std::nullopt) {
        QAction *action = Action(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, command, action, step] {
            if (!ActiveGraph) {
                if (action->isCheckable())
                    RevertCheck(action); // nothing was shown or hidden
                return;
            }
            Run([&] {
                const TGraphHistoryStep recorded(step ? HistoryOf(ActiveGraph) : nullptr,
                                                 action->text(),
                                                 step.value_or(TGraphEditScope::Objects));
                command(ActiveGraph);
            });
        });
    };
    const auto objects = TGraphEditScope::Objects;
    const auto batch = [](TGraphControl *graph, const std::function<void()> &work) {
        TGraphUpdateGuard guard(graph);
        work();
    };
    const auto checked = [this](const char *name) {
        return Action(QLatin1String(name))->isChecked();
    };
    on("actEditCopy", [](TGraphControl *g) { g->CopyToClipboard(); });
    on("actEditCut", [this](TGraphControl *g) {
        g->CopyToClipboard();
        DeleteSelection(g);
        SetModified(true);
    }, objects);
    on("actEditPaste", [this](TGraphControl *g) {
        g->PasteFromClipboard();
        SetModified(true);
    }, objects);
    on("actEditDel", [this](TGraphControl *g) { DeleteSelection(g); }, objects);
    on("actEditSelAll", [batch](TGraphControl *g) {
        batch(g, [g] {
            for (TGraphObject *object : g->Objects().Snapshot())
                object->SetSelected(true);
        });
    });
    const auto reorder = [batch](TGraphControl *g, bool front) {
        batch(g, [g, front] {
            const std::vector<TGraphObject *> selected = g->SelectedObjects().Snapshot();
            for (auto it = selected.rbegin(); it != selected.rend(); ++it)
                front ? (*it)->BringToFront() : (*it)->SendToBack();
        });
    };
    on("actEditFront", [reorder](TGraphControl *g) { reorder(g, true); }, objects);
    on("actEditBack", [reorder](TGraphControl *g) { reorder(g, false); }, objects);
    on("actEditLock", [checked](TGraphControl *g) { g->SetLockNodes(checked("actEditLock")); },
       TGraphEditScope::Settings);
    on("actEditLink", [](TGraphControl *g) { g->SetCommandMode(cmLinkNodes); });
    on("actEditClear", [this](TGraphControl *g) {
        if (FDialogs->Ask(this, QStringLiteral("你确定要清除所有图例吗？"),
                          IUserDialogs::Information, IUserDialogs::No) != IUserDialogs::Yes)
            return;
        g->Clear();
        SetModified(true);
    }, TGraphEditScope::WholeDrawing);
    on("actDisplayAll", [batch, checked](TGraphControl *g) {
        const bool visible = checked("actDisplayAll");
        batch(g, [g, visible] {
            for (TGraphObject *object : g->Objects().Snapshot())
                object->SetVisible(visible);
        });
    }, TGraphEditScope::WholeDrawing);
    on("actDisplayGrid", [checked](TGraphControl *g) { g->SetShowGrid(checked("actDisplayGrid")); });
    on("actDisplayZoonIn", [](TGraphControl *g) { g->SetZoom(g->Zoom() + g->ZoomStep()); });
    on("actDisplayZoomOut", [](TGraphControl *g) {
        g->SetZoom(std::max(g->Zoom() - g->ZoomStep(), g->ZoomMin()));
    });
    on("actDisplayZoom", [](TGraphControl *g) { g->SetZoom(100); });
    const auto turn = [](TGraphControl *g, const std::function<void(TGraphNode &)> &what) {
        for (TGraphNode *node : SelectedNodes(g))
            what(*node);
    };
    on("actObjRight", [turn](TGraphControl *g) {
        turn(g, [](TGraphNode &n) { NodePictureTurning::Rotate(n, 270); });
    }, objects);
    on("actObjLeft", [turn](TGraphControl *g) {
        turn(g, [](TGraphNode &n) { NodePictureTurning::Rotate(n, 90); });
    }, objects);
    on("actObjRound", [turn](TGraphControl *g) {
        turn(g, [](TGraphNode &n) { NodePictureTurning::Rotate(n, 180); });
    }, objects);
    on("actObjH", [turn](TGraphControl *g) { turn(g, NodePictureTurning::MirrorLeftRight); },
       objects);
    on("actObjV", [turn](TGraphControl *g) { turn(g, NodePictureTurning::MirrorTopBottom); },
       objects);
    connect(Action(QStringLiteral("actDisplayMove")), &QAction::toggled, this,
            [this](bool on) { SetPanTool(on); });
}

void TFrmMain::DeleteSelection(TGraphControl *graph)
{
    // Asked even when nothing is selected; Yes then only marks the change.
    if (FDialogs->Ask(this, QStringLiteral("你确定要删除选中的图例吗？"),
                      IUserDialogs::Information, IUserDialogs::Yes) != IUserDialogs::Yes)
        return;
    {
        TGraphUpdateGuard batch(graph);
        while (!graph->SelectedObjects().IsEmpty())
            graph->SelectedObjects().Last()->Free();
    }
    SetModified(true);
}
