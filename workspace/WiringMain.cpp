#include "WiringMain.h"

#include "AfterFirstPaint.h"
#include "CommandIcons.h"
#include "ConfigList.h"
#include "ConfigListView.h"
#include "GraphControl.h"
#include "GraphHistory.h"
#include "IniFile.h"
#include "NavBar.h"
#include "RecoveryStore.h"
#include "ReportPreview.h"
#include "ViewHint.h"
#include "WiringAbout.h"
#include "WiringCustomer.h"
#include "WiringDesignProp.h"
#include "WiringSetProjectName.h"
#include "WorkspaceGraph.h"
#include "iconstore.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The toolbar's commands, in order; "-" separates groups.
const QStringList ToolbarCommands({"actFileCreate",
                                   "actFileOpen",
                                   "actFileSave",
                                   "actFileSaveAs",
                                   "actFilePrint",
                                   "actFileQuit",
                                   "-",
                                   "actEditCut",
                                   "actEditCopy",
                                   "actEditPaste",
                                   "actEditDel",
                                   "actEditLock",
                                   "actEditSelAll",
                                   "-",
                                   "actDisplayZoomOut",
                                   "actDisplayZoonIn",
                                   "actDisplayMove",
                                   "-",
                                   "actEditFront",
                                   "actEditBack",
                                   "actEditLink",
                                   "-",
                                   "actAboutHelp",
                                   "-",
                                   "actEditUndo",
                                   "actEditRedo"});

} // namespace

QString TFrmMain::HomePage()
{
    return QStringLiteral("https://varneth.example/");
}

TFrmMain::TFrmMain(const QString &appPath, IUserDialogs *dialogs, QWidget *parent)
    : TFrmMain(TAppFolders{QDir::cleanPath(appPath) + u'/', QDir::cleanPath(appPath) + u'/'},
               dialogs, parent)
{
}

TFrmMain::TFrmMain(const TAppFolders &folders, IUserDialogs *dialogs, QWidget *parent, TStart start)
    : QMainWindow(parent), AppPath(folders.Data), UserPath(folders.User), FStart(start),
      FDialogs(dialogs)
{
    if (!FDialogs) {
        FOwnDialogs = std::make_unique<TDesktopDialogs>();
        FDialogs = FOwnDialogs.get();
    }
    setObjectName(QStringLiteral("FrmMain"));
    BuildActions();
    BuildPages();
    BuildMenusAndToolbar();
    SetUpDiagrams();
    ConnectCommands();
    ConnectDiagramEvents();
    ConnectEditingCommands();
    if (FStart == TStart::Complete) {
        MakeCommandWindows();
        SetUpPalettes();
    } else {
        TAfterFirstPaint::Run(*this, [this] { FinishStart(); });
    }
    ConnectHints();
    SetUpDesktop();
    SetUpHistory();
    SetUpRecovery();
    FormCreate();
}

TFrmMain::~TFrmMain() = default;

QAction *TFrmMain::Action(const QString &name) const
{
    const auto it = FActions.find(name);
    return it == FActions.end() ? nullptr : it->second;
}

// --- Start-up ---

void TFrmMain::MakeCommandWindows()
{
    if (FrmCustomer)
        return;
    FrmCustomer = new TFrmCustomer(
        this,
        [this](TFrmCustomer &dialog) {
            QString created;
            Run([&] { created = CreateFromDialog(dialog); });
            return created;
        },
        [this](const QString &start) { return FDialogs->OpenPicture(this, start); },
        FloorPlanFolder());
    FrmDesignerProperties = new TFrmDesignerProperties(this, *FDialogs);
    FrmSetProjectName = new TFrmSetProjectName(this);
    FrmHelp = new TFrmHelp(this);
}

void TFrmMain::FormCreate()
{
    if (!FrmAbout && FStart == TStart::Complete)
        FrmAbout = new TFrmAbout(this);
    setWindowTitle(IUserDialogs::ApplicationTitle() + QStringLiteral(" V1.0"));
    PageControl->setCurrentIndex(0);
    PaletteTag = -1;
    DropPending = false;
    ActiveGraph = gcWiring;
    try {
        // Read here, not on a thread of its own: the library takes about a
        // millisecond to read, less than starting a thread costs.
        IconStore = std::make_unique<TIconstore>(AppPath + QStringLiteral("iconstore.xml"));
    } catch (const std::exception &error) {
        // The window still works on drawings, without a library.
        ShowError(QString::fromStdString(error.what()));
    }
    ConfigItems = std::make_unique<TConfigList>(IconStore.get(), AppPath);
    if (IconStore && FStart == TStart::Complete)
        Run([this] { FillPalettes(); });
    else if (IconStore)
        FPalettesPending = true;
    SetProjectOpen(false);
    ResetProject();
}

void TFrmMain::SetUpDiagrams()
{
    gcWiring->SetGridSize(10);
    gcWiring->SetShowGrid(false);
    gcWiring->SetMinNodeSize(20);
    gcWiring->SetZoomMin(20);
    gcWiring->SetZoomMax(500);
    gcWiring->SetZoomStep(10);
    gcWiring->HorzScrollBar().SetTracking(true);
    gcWiring->VertScrollBar().SetTracking(true);
    for (TGraphControl *graph : {gcWiring, gcGuard}) {
        graph->SetObjectPopupMenu(pmObj);
        graph->SetPopupMenu(pmBase);
        graph->OnGraphChange = [this](TGraphControl *) { SetModified(true); };
    }
}

void TFrmMain::BuildPages()
{
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setFont(TFont::WindowFont(13));
    gcWiring = new TWorkspaceGraph;
    gcWiring->setObjectName(QStringLiteral("gcWiring"));
    gcGuard = new TWorkspaceGraph;
    gcGuard->setObjectName(QStringLiteral("gcGuard"));
    navBarWiring = new TNavBar;
    navBarWiring->setObjectName(QStringLiteral("navBarWiring"));
    navBarGuard = new TNavBar;
    navBarGuard->setObjectName(QStringLiteral("navBarGuard"));

    // The fields are made inside the page that is already in the tab widget,
    // so each lays out its text once, in the page's font, not first in the
    // application's and again when it moves into the page.
    auto *projectPage = new QWidget;
    projectPage->setObjectName(QStringLiteral("TabSheet5"));
    PageControl->addTab(projectPage, QStringLiteral("方案配置"));
    BuildProjectPage(projectPage);
    PageControl->addTab(BuildDiagramPage(navBarWiring, gcWiring), QStringLiteral("电气线路设计图"));
    PageControl->addTab(BuildDiagramPage(navBarGuard, gcGuard), QStringLiteral("配电箱线路图"));

    FConfigPage = AddLaterPage(QStringLiteral("TabSheet3"), QStringLiteral("配置单"), 10);
    FPreviewPage = AddLaterPage(QStringLiteral("TabSheet4"), QStringLiteral("输出预览"), 0);

    connect(PageControl, &QTabWidget::currentChanged, this,
            [this](int index) { PageShown(index); });
    setCentralWidget(PageControl);
}

QWidget *TFrmMain::AddLaterPage(const QString &name, const QString &caption, int margin)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    new QVBoxLayout(page);
    page->layout()->setContentsMargins(margin, margin, margin, margin);
    PageControl->addTab(page, caption);
    return page;
}

TConfigListView *TFrmMain::ConfigListView()
{
    if (!lvConfig) {
        lvConfig = new TConfigListView;
        lvConfig->setContextMenuPolicy(Qt::ActionsContextMenu);
        lvConfig->addAction(Action(QStringLiteral("actFileExportConfig")));
        FConfigPage->layout()->addWidget(lvConfig);
    }
    return lvConfig;
}

TGraphControl *TFrmMain::GraphOfShownPage() const
{
    switch (PageControl->currentIndex()) {
    case 1:
        return gcWiring;
    case 2:
        return gcGuard;
    default:
        return nullptr;
    }
}

void TFrmMain::PageShown(int index)
{
    // TabSheet1Show and TabSheet2Show; the other pages keep the drawing
    // shown last as the one that commands act on.
    if (TGraphControl *graph = GraphOfShownPage())
        ActiveGraph = graph;
    if (FStart == TStart::ShownPageFirst && GraphOfShownPage())
        FinishStart(); // its palette is about to be seen
    // The details describe a symbol of the page just left.
    CloseHint();
    Action(QStringLiteral("actSaveAsProject"))->setVisible(ActiveGraph == gcGuard);
    UpdateStatus();
    UpdateUndoActions();
    if (index == 3)
        Run([this] { TabSheet3Show(); });
    else if (index == 4)
        Run([this] { TabSheet4Show(); });
}

void TFrmMain::BuildProjectPage(QWidget *page)
{
    // Every field is made in the box it stays in, in Tab order.
    auto *box = new QWidget(page);
    box->setMaximumWidth(760);
    auto *form = new QFormLayout;
    const auto edit = [&](QLineEdit *&field, const char *name) {
        field = new QLineEdit(box);
        field->setObjectName(QLatin1String(name));
        connect(field, &QLineEdit::textChanged, this, [this] { MarkUnrecordedChange(); });
        return field;
    };
    const auto pair = [&](QWidget *a, const QString &label, QWidget *b) {
        auto *row = new QHBoxLayout;
        row->addWidget(a);
        row->addWidget(new QLabel(label, box));
        row->addWidget(b);
        return row;
    };
    form->addRow(QStringLiteral("方案名称："), edit(EdtProjectName, "EdtProjectName"));
    // Made one by one: the order of a call's arguments is not the Tab order.
    edit(EdtCustomerName, "EdtCustomerName");
    edit(EdtCustomerPhone, "EdtCustomerPhone");
    form->addRow(QStringLiteral("客户姓名："),
                 pair(EdtCustomerName, QStringLiteral("客户电话："), EdtCustomerPhone));
    edit(EdtCustomerAddress, "EdtCustomerAddress");
    edit(EdtCustomerEmail, "EdtCustomerEmail");
    form->addRow(QStringLiteral("客户地址："),
                 pair(EdtCustomerAddress, QStringLiteral("客户EMail："), EdtCustomerEmail));
    edit(EdtDesignerCompany, "EdtDesignerCompany");
    edit(EdtDesignerName, "EdtDesignerName");
    form->addRow(QStringLiteral("设计师公司："),
                 pair(EdtDesignerCompany, QStringLiteral("设计师姓名："), EdtDesignerName));
    auto *background = new QHBoxLayout;
    background->addWidget(edit(EdtBackgroundPath, "EdtBackgroundPath"));
    SpeedButton4 = new QToolButton(box);
    SpeedButton4->setObjectName(QStringLiteral("SpeedButton4"));
    SpeedButton4->setText(QStringLiteral("..."));
    background->addWidget(SpeedButton4);
    form->addRow(QStringLiteral("浏览户型图："), background);
    EdtProjectComment = new QPlainTextEdit(box);
    EdtProjectComment->setObjectName(QStringLiteral("EdtProjectComment"));
    connect(EdtProjectComment, &QPlainTextEdit::textChanged, this, [this] { MarkUnrecordedChange(); });
    form->addRow(QStringLiteral("备   注："), EdtProjectComment);

    const auto button = [box](QPushButton *&b, const QString &caption, const char *name) {
        b = new QPushButton(caption, box);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button(btnOpenFile, QStringLiteral("打开文件"), "btnOpenFile"));
    buttons->addWidget(button(btnCreateFile, QStringLiteral("创建文件"), "btnCreateFile"));
    buttons->addWidget(button(btnSaveFile, QStringLiteral("保存文件"), "btnSaveFile"));
    buttons->addWidget(button(btnCloseFile, QStringLiteral("关闭文件"), "btnCloseFile"));
    buttons->addStretch();
    // Enter presses "创建文件", Esc "关闭文件", while the page has the focus.
    btnCreateFile->setDefault(true);
    auto *enter = new QShortcut(QKeySequence(Qt::Key_Return), page, nullptr, nullptr,
                                Qt::WidgetWithChildrenShortcut);
    connect(enter, &QShortcut::activated, btnCreateFile, &QPushButton::animateClick);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), page, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, btnCloseFile, &QPushButton::animateClick);

    auto *layout = new QVBoxLayout(page);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(form);
    boxLayout->addLayout(buttons);
    auto *centred = new QHBoxLayout;
    centred->addStretch();
    centred->addWidget(box, 1);
    centred->addStretch();
    layout->addLayout(centred);
    layout->addStretch();
}

QWidget *TFrmMain::BuildDiagramPage(QWidget *palette, TGraphControl *graph)
{
    auto *splitter = new QSplitter(Qt::Horizontal);
    palette->setMinimumWidth(100);
    splitter->addWidget(palette);
    splitter->addWidget(graph);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});
    return splitter;
}

TReportPreview *TFrmMain::Preview()
{
    if (!PageControlSub) {
        PageControlSub = new TReportPreview;
        connect(PageControlSub, &QTabWidget::currentChanged, this,
                [this](int index) { Run([this, index] { RenderPreviewPage(index + 1); }); });
        FPreviewPage->layout()->addWidget(PageControlSub);
    }
    return PageControlSub;
}

// --- Commands ---

QAction *TFrmMain::AddAction(const QString &name, const QString &caption, const QString &hint,
                             const QString &iconName, bool checkable, bool checked)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    action->setStatusTip(hint);
    // The toolbar is in the first window; the menus open later.
    const QSize ahead = ToolbarCommands.contains(name) ? iconSize() * devicePixelRatioF() : QSize();
    action->setIcon(CommandIcons::Icon(iconName, ahead));
    action->setCheckable(checkable);
    action->setChecked(checked);
    FActions[name] = action;
    return action;
}

void TFrmMain::BuildActions()
{
    struct Command {
        const char *name;
        const char16_t *caption;
        const char16_t *hint;
        const char *icon;
        bool checkable;
        bool checked;
    };
    static const Command commands[] = {
        {"actFileCreate", u"创建文件", u"创建文件", "document-new", false, false},
        {"actFileOpen", u"打开文件", u"打开文件", "document-open", false, false},
        {"actFileSave", u"保存文件", u"保存文件", "document-save", false, false},
        {"actFileSaveAs", u"另存为", u"文件另存为...", "document-save-as", false, false},
        {"actFileExport", u"导出图片", u"导出为图片", "image-x-generic", false, false},
        {"actFileExportConfig", u"导出配置单", u"导出配置单", "x-office-spreadsheet", false, false},
        {"actFileExportPdf", u"导出PDF", u"导出PDF", "application-pdf", false, false},
        {"actFilePrintSet", u"打印设置...", u"打印设置", "document-page-setup", false, false},
        {"actFilePrint", u"打印", u"打印文件", "document-print", false, false},
        {"actFileQuit", u"退出", u"退出", "application-exit", false, false},
        {"actEditCut", u"剪切", u"剪切", "edit-cut", false, false},
        {"actEditCopy", u"复制", u"复制", "edit-copy", false, false},
        {"actEditPaste", u"粘贴", u"粘贴", "edit-paste", false, false},
        {"actEditDel", u"删除", u"删除", "edit-delete", false, false},
        {"actEditLock", u"锁定", u"锁定图标", "changes-prevent", true, false},
        {"actEditSelAll", u"选择所有", u"选择所有", "edit-select-all", false, false},
        {"actEditFront", u"置前", u"将选中的图标置前", "go-top", false, false},
        {"actEditBack", u"置后", u"将选中的图标置后", "go-bottom", false, false},
        {"actEditLink", u"连接", u"连接图标", "insert-link", false, false},
        {"actEditImport", u"导入户型图", u"", "insert-image", false, false},
        {"actEditReImport", u"重新导入户型图", u"", "", false, false},
        {"actEditClear", u"清除所有图例", u"清除图标", "edit-clear-all", false, false},
        {"actDisplayBase", u"显示户型图", u"", "", true, true},
        {"actDisplayAll", u"显示所有图例", u"", "", true, true},
        {"actDisplayGrid", u"显示网格", u"", "", true, false},
        {"actDisplayZoonIn", u"放大", u"放大", "zoom-in", false, false},
        {"actDisplayZoomOut", u"缩小", u"缩小", "zoom-out", false, false},
        {"actDisplayZoom", u"原始大小", u"", "zoom-original", false, false},
        {"actDisplayMove", u"", u"移动", "hand", true, false},
        {"actObjRight", u"右旋转90度", u"", "object-rotate-right", false, false},
        {"actObjLeft", u"左旋转90度", u"", "object-rotate-left", false, false},
        {"actObjRound", u"旋转180度", u"", "", false, false},
        {"actObjH", u"水平翻转", u"", "object-flip-horizontal", false, false},
        {"actObjV", u"垂直翻转", u"", "object-flip-vertical", false, false},
        {"actSetBase", u"绘制区设置", u"", "", false, false},
        {"actSetProp", u"属性设置", u"", "", false, false},
        {"actObjSelect", u"", u"", "", false, false},
        {"actSaveAsProject", u"保存为推荐方案", u"", "", false, false},
        {"actAboutMe", u"关于本软件", u"", "help-about", false, false},
        {"actAboutWebsite", u"浏览网站", u"", "", false, false},
        {"actAboutHelp", u"帮助", u"帮助", "help-browser", false, false},
        {"actEditUndo", u"撤销", u"撤销", "edit-undo", false, false},
        {"actEditRedo", u"重做", u"重做", "edit-redo", false, false},
    };
    for (const Command &c : commands)
        AddAction(QLatin1String(c.name), QString::fromUtf16(c.caption),
                  QString::fromUtf16(c.hint), QLatin1String(c.icon), c.checkable, c.checked);
    Action(QStringLiteral("actSaveAsProject"))->setVisible(false);
}

void TFrmMain::BuildMenusAndToolbar()
{
    const auto fill = [this](QWidget *target, const QStringList &names) {
        for (const QString &name : names) {
            if (name == u"-") {
                auto *separator = new QAction(target);
                separator->setSeparator(true);
                target->addAction(separator);
            } else {
                target->addAction(Action(name));
            }
        }
    };
    // The two commands whose menu items are hidden keep them, invisible.
    const auto hiddenItem = [this](QMenu *menu, const QString &name) {
        auto *item = new QAction(Action(name)->text(), menu);
        item->setVisible(false);
        connect(item, &QAction::triggered, Action(name), &QAction::trigger);
        menu->addAction(item);
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件"));
    hiddenItem(file, QStringLiteral("actFileCreate"));
    fill(file, {"actFileOpen", "actFileSave"});
    hiddenItem(file, QStringLiteral("actFileSaveAs"));
    fill(file, {"actSaveAsProject", "-", "actFileExport", "actFileExportConfig",
                "actFileExportPdf", "-", "actFilePrintSet", "actFilePrint", "-", "actFileQuit"});
    fill(menuBar()->addMenu(QStringLiteral("编辑")),
         {"actEditCut", "actEditCopy", "actEditPaste", "actEditDel", "-", "actEditFront",
          "actEditBack", "-", "actEditSelAll", "actEditLock", "-", "actEditImport",
          "actEditReImport", "actEditClear", "-", "actEditUndo", "actEditRedo"});
    fill(menuBar()->addMenu(QStringLiteral("显示")),
         {"actDisplayBase", "actDisplayAll", "actDisplayGrid", "-", "actDisplayZoonIn",
          "actDisplayZoomOut", "actDisplayZoom"});
    fill(menuBar()->addMenu(QStringLiteral("选项")), {"actSetBase"});
    fill(menuBar()->addMenu(QStringLiteral("关于")),
         {"actAboutMe", "actAboutWebsite", "-", "actAboutHelp"});

    QToolBar *tools = addToolBar(QStringLiteral("工具栏"));
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tools->setMovable(false);
    fill(tools, ToolbarCommands);

    pmObj = new QMenu(this);
    pmObj->setObjectName(QStringLiteral("pmObj"));
    fill(pmObj, {"actEditCut", "actEditCopy", "actEditPaste", "actEditDel", "-", "actEditFront",
                 "actEditBack", "-", "actObjRight", "actObjLeft", "actObjRound", "-", "actObjH",
                 "actObjV", "-", "actSetProp"});
    pmBase = new QMenu(this);
    pmBase->setObjectName(QStringLiteral("pmBase"));
    fill(pmBase, {"actDisplayBase", "actDisplayGrid", "actDisplayAll", "-", "actEditPaste", "-",
                  "actEditSelAll", "-", "actSetBase", "actSaveAsProject"});
}

void TFrmMain::ConnectCommands()
{
    const auto on = [this](const char *name, std::function<void()> command) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this,
                [this, command] { Run(command); });
    };
    on("actFileCreate", [this] { actFileCreateExecute(); });
    on("actFileOpen", [this] { actFileOpenExecute(); });
    on("actFileSave", [this] { actFileSaveExecute(); });
    on("actFileSaveAs", [this] { actFileSaveAsExecute(); });
    on("actFileQuit", [this] { actFileQuitExecute(); });
    on("actFileExportConfig", [this] { actFileExportConfigExecute(); });
    on("actFileExportPdf", [this] { actFileExportPdfExecute(); });
    on("actFileExport", [this] { actFileExportExecute(); });
    on("actFilePrint", [this] { actFilePrintExecute(); });
    on("actFilePrintSet", [this] { actFilePrintSetExecute(); });
    on("actEditImport", [this] { actEditImportExecute(); });
    on("actEditReImport", [this] { actEditReImportExecute(); });
    on("actDisplayBase", [this] {
        if (!ActiveGraph) // no drawing to show it on: the tick stays as it was
            return RevertCheck(Action(QStringLiteral("actDisplayBase")));
        actDisplayBaseExecute();
    });
    on("actSetBase", [this] { actSetBaseExecute(); });
    on("actSetProp", [this] { actSetPropExecute(); });
    on("actSaveAsProject", [this] { actSaveAsProjectExecute(); });
    on("actAboutMe", [this] {
        FinishStart();
        FrmAbout->exec();
    });
    on("actAboutHelp", [this] {
        FinishStart();
        FrmHelp->show();
    });
    on("actAboutWebsite", [] { QDesktopServices::openUrl(QUrl(HomePage())); });
    connect(btnCreateFile, &QPushButton::clicked, this, [this] { Run([this] { btnCreateFileClick(); }); });
    connect(btnCloseFile, &QPushButton::clicked, this, [this] { Run([this] { btnCloseFileClick(); }); });
    connect(btnOpenFile, &QPushButton::clicked, Action(QStringLiteral("actFileOpen")),
            &QAction::trigger);
    connect(btnSaveFile, &QPushButton::clicked, Action(QStringLiteral("actFileSave")),
            &QAction::trigger);
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { Run([this] { SpeedButton4Click(); }); });
}

void TFrmMain::Run(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &error) {
        ShowError(QString::fromStdString(error.what()));
    }
}

void TFrmMain::ShowError(const QString &message)
{
    FDialogs->Tell(this, message, IUserDialogs::Error);
}

void TFrmMain::Tell(const QString &text, IUserDialogs::TIcon icon)
{
    FDialogs->Tell(this, text, icon);
}

// --- Working state ---

void TFrmMain::SetProjectOpen(bool value)
{
    ProjectOpen = value;
    btnCreateFile->setEnabled(!value);
    btnOpenFile->setEnabled(!value);
    btnSaveFile->setEnabled(value);
    btnCloseFile->setEnabled(value);
    for (const auto &[name, action] : FActions)
        action->setEnabled(value);
    Action(QStringLiteral("actFileOpen"))->setEnabled(!value);
    Action(QStringLiteral("actFileCreate"))->setEnabled(!value);
    for (const char *name : {"actFileQuit", "actAboutMe", "actAboutHelp", "actAboutWebsite"})
        Action(QLatin1String(name))->setEnabled(true);
    for (int page = 1; page <= 4; ++page)
        PageControl->widget(page)->setEnabled(value);
    UpdateStatus();
    UpdateUndoActions();
}

void TFrmMain::SetModified(bool value)
{
    if (!ProjectOpen)
        return;
    if (!value) {
        // The project as it stands is saved (or its changes are dropped).
        FUnrecordedChanges = false;
        for (const auto &history : FHistories)
            history->SetClean();
    }
    Modified = value;
    Action(QStringLiteral("actFileSave"))->setEnabled(value);
    btnSaveFile->setEnabled(value); // the button follows its command
    UpdateStatus();
}

void TFrmMain::RevertCheck(QAction *action)
{
    const QSignalBlocker quiet(action);
    action->setChecked(!action->isChecked());
}

void TFrmMain::ResetProject()
{
    // Commands act on the drawing shown, if any, and never on none while a
    // drawing page is on screen.
    ActiveGraph = GraphOfShownPage();
    Action(QStringLiteral("actSaveAsProject"))->setVisible(ActiveGraph == gcGuard);
    CloseHint();
    ProjectPath.clear();
    if (lvConfig)
        lvConfig->clear();
    ClearPreview();
    ProjectSettings.reset();
    for (QLineEdit *field : {EdtProjectName, EdtBackgroundPath, EdtCustomerName, EdtCustomerPhone,
                             EdtCustomerAddress, EdtCustomerEmail, EdtDesignerCompany,
                             EdtDesignerName})
        field->clear();
    EdtProjectComment->clear();
    gcWiring->Clear();
    gcGuard->Clear();
    // The next project must not show this one's floor plan.
    for (TGraphControl *graph : {gcWiring, gcGuard})
        ShowFloorPlan(graph, TPicture(), QString());
    ClearHistories();
    UpdateStatus();
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    if (Modified &&
        FDialogs->Ask(this, QStringLiteral("文件已被修改，是否要直接退出而不保存文件？"),
                      IUserDialogs::Information, IUserDialogs::No) != IUserDialogs::Yes) {
        event->ignore();
        return;
    }
    DiscardRecovery(); // a clean close
    event->accept();
}

void TFrmMain::actFileQuitExecute()
{
    close();
}
