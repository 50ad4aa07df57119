// The desktop conventions of the main window: standard shortcuts, the
// status bar, panning and fitting the drawing to the window.
#include "WiringMain.h"

#include "WorkspaceGraph.h"
#include "WorkspaceStatusBar.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

TWorkspaceGraph *WorkspaceGraph(TGraphControl *graph)
{
    return static_cast<TWorkspaceGraph *>(graph);
}

} // namespace

void TFrmMain::SetUpDesktop()
{
    SetUpShortcuts();
    // "适合窗口" follows "原始大小" in the 显示 menu and is enabled with the others.
    QAction *fit = AddAction(QStringLiteral("actDisplayFit"), QStringLiteral("适合窗口"),
                             QStringLiteral("缩放到显示整个图"), QStringLiteral("zoom-fit-best"),
                             false, false);
    for (QAction *menu : menuBar()->actions())
        if (menu->text() == u"显示" && menu->menu())
            menu->menu()->addAction(fit);
    connect(fit, &QAction::triggered, this, [this] {
        Run([this] {
            if (ActiveGraph)
                WorkspaceGraph(ActiveGraph)->ZoomToFit();
        });
    });

    // A command without a hint of its own is named by its caption under the pointer.
    for (const auto &[name, action] : FActions)
        if (action->statusTip().isEmpty())
            action->setStatusTip(action->text());

    StatusBar = new TWorkspaceStatusBar(this);
    setStatusBar(StatusBar);
    for (TGraphControl *graph : {gcWiring, gcGuard})
        WorkspaceGraph(graph)->OnZoomChange = [this](TGraphControl *) { UpdateStatus(); };
    // Connected after the zoom commands themselves, so the new zoom is shown.
    for (const char *name : {"actDisplayZoonIn", "actDisplayZoomOut", "actDisplayZoom"})
        connect(Action(QLatin1String(name)), &QAction::triggered, this, [this] {
            if (ActiveGraph)
                WorkspaceGraph(ActiveGraph)->CheckZoom();
        });
    // The scheme's name is shown as typed.
    connect(EdtProjectName, &QLineEdit::textChanged, this, [this] { UpdateStatus(); });
}

void TFrmMain::SetUpShortcuts()
{
    const auto keys = [this](const char *name, const QList<QKeySequence> &sequences) {
        Action(QLatin1String(name))->setShortcuts(sequences);
    };
    keys("actFileCreate", {QKeySequence::New});
    keys("actFileOpen", {QKeySequence::Open});
    keys("actFileSave", {QKeySequence::Save});
    keys("actFilePrint", {QKeySequence::Print});
    keys("actEditSelAll", {QKeySequence::SelectAll});
    keys("actAboutHelp", {QKeySequence(Qt::Key_F1)});
    // Ctrl+= is Ctrl and the key of "+" unshifted; Ctrl++ where "+" has a key
    // of its own. The keypad's + and - remain the drawing's own zoom keys.
    keys("actDisplayZoonIn",
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    keys("actDisplayZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    // The hidden menu items of 创建文件 and 另存为 cannot show a key; the
    // command is reached through the toolbar, where its key works too.
}

TWorkspaceStatusBar *TFrmMain::Status() const
{
    return StatusBar;
}

void TFrmMain::UpdateStatus()
{
    if (!StatusBar)
        return;
    QString name;
    if (ProjectOpen) {
        name = EdtProjectName->text().trimmed();
        if (name.isEmpty())
            name = QFileInfo(ProjectPath).completeBaseName();
    }
    StatusBar->ShowScheme(name, ProjectOpen && Modified);
    StatusBar->ShowZoom(ProjectOpen && ActiveGraph ? ActiveGraph->Zoom() : 0);
}

void TFrmMain::SetPanTool(bool on)
{
    WorkspaceGraph(gcWiring)->SetPanWithLeft(on);
}
