#pragma once

#include "AppFolders.h"
#include "UserDialogs.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QWidget;
class TGraphControl;
class TGraphHistory;
class TRecoveryStore;
struct TRecoveredProject;
class TGraphNode;
class TGraphObject;
class IXMLIconType;
class TIconstore;
class TIniFile;
class TWorkspaceStatusBar;
class TFrmAbout;
class TFrmCustomer;
class TFrmDesignerProperties;
class TFrmSetProjectName;
class TFrmHelp;
class TFrmHint;
class TNavBar;
class TNavBarItem;
class TNavImageList;
class TPicture;
class TConfigList;
class TConfigListView;
class TReportPreview;
struct TReportInput;
class QPrinter;
class QDragMoveEvent;
class QDropEvent;
class QImage;
class QTimer;

// The main window: the whole workspace of a designer. It owns the two
// drawings, their palettes, the symbol library, the open project's
// settings file and the working state, and every command of the program.
class TFrmMain : public QMainWindow {
    Q_OBJECT

public:
    // What is ready when the constructor returns: everything, or what the
    // first page shows, the rest (the symbol palettes of the drawing pages,
    // the recommended schemes, the help and about windows) following right
    // after the window's first paint, or as soon as a drawing page or one of
    // those windows is shown, whichever comes first.
    enum class TStart { Complete, ShownPageFirst };

    // appPath is the folder of the data (library, floor plans, projects,
    // schemes); dialogs answers the message boxes and file dialogs (the
    // desktop's when none is given).
    explicit TFrmMain(const QString &appPath, IUserDialogs *dialogs = nullptr,
                      QWidget *parent = nullptr);
    // The same on data read from one folder and the designer's work kept in another.
    explicit TFrmMain(const TAppFolders &folders, IUserDialogs *dialogs = nullptr,
                      QWidget *parent = nullptr, TStart start = TStart::Complete);
    ~TFrmMain() override;

    // --- Working state ---
    bool HintArmed = false;
    TGraphNode *HintNode = nullptr;
    QString AppPath;  // the data read; ends in a separator
    QString UserPath; // projects and own schemes; AppPath unless installed
    std::unique_ptr<TIconstore> IconStore;
    TGraphControl *ActiveGraph = nullptr;
    int PaletteTag = -1;
    QString SchemeFileName;
    bool Modified = false;
    QString ProjectPath;
    std::unique_ptr<TIniFile> ProjectSettings;
    bool DropPending = false;
    bool ProjectOpen = false;
    // The configuration list, rebuilt whenever it is shown or printed.
    std::unique_ptr<TConfigList> ConfigItems;

    void SetProjectOpen(bool value);
    void SetModified(bool value);
    void ResetProject();
    // Opens the project whose settings file is given, with its drawing files
    // or, for a recovery, with empty drawings the caller then fills (the
    // project may never have been saved, so its drawing files may not exist).
    // On failure the error is reported, nothing stays half open, and the
    // result is false.
    enum class TDrawings { FromFiles, Empty };
    bool OpenProjectFile(const QString &fileName, TDrawings drawings = TDrawings::FromFiles);

    // --- Components (named as on the form) ---
    TGraphControl *gcWiring = nullptr;
    TGraphControl *gcGuard = nullptr;
    QTabWidget *PageControl = nullptr;
    TNavBar *navBarWiring = nullptr;
    TNavBar *navBarGuard = nullptr;
    // The configuration list's view, made when first needed: its header's
    // bold captions would otherwise load two more fonts before the first page.
    TConfigListView *ConfigListView();
    // The report's preview, made when first needed, as the list's view.
    TReportPreview *Preview();
    QLineEdit *EdtProjectName = nullptr;
    QLineEdit *EdtCustomerName = nullptr;
    QLineEdit *EdtCustomerPhone = nullptr;
    QLineEdit *EdtCustomerAddress = nullptr;
    QLineEdit *EdtCustomerEmail = nullptr;
    QLineEdit *EdtDesignerCompany = nullptr;
    QLineEdit *EdtDesignerName = nullptr;
    QLineEdit *EdtBackgroundPath = nullptr;
    QPlainTextEdit *EdtProjectComment = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QPushButton *btnOpenFile = nullptr;
    QPushButton *btnCreateFile = nullptr;
    QPushButton *btnSaveFile = nullptr;
    QPushButton *btnCloseFile = nullptr;
    QMenu *pmObj = nullptr;
    QMenu *pmBase = nullptr;
    // The windows only commands open: made with the window when it starts
    // complete, else right after the first page is up.
    TFrmCustomer *FrmCustomer = nullptr;
    TFrmAbout *FrmAbout = nullptr;
    TFrmHelp *FrmHelp = nullptr;
    // Every edit of the drawing area makes its own.
    TFrmDesignerProperties *FrmDesignerProperties = nullptr;
    TFrmSetProjectName *FrmSetProjectName = nullptr;

    // The command of that name ("actFileSave"); null when there is none.
    QAction *Action(const QString &name) const;
    const std::map<QString, QAction *> &Actions() const { return FActions; }
    IUserDialogs &Dialogs() { return *FDialogs; }

    // --- Project commands ---
    void btnCreateFileClick();
    void actFileCreateExecute();
    void actFileOpenExecute();
    // The save; false when it was refused or failed.
    bool actFileSaveExecute();
    void actFileSaveAsExecute();
    void btnCloseFileClick();
    void SpeedButton4Click();
    void actEditImportExecute();
    void actEditReImportExecute();
    void actDisplayBaseExecute();
    void actFileQuitExecute();

    // Where floor plans must lie: AppPath's "background", with a separator.
    QString FloorPlanFolder() const;
    // The floor-plan rule: the path lies directly in FloorPlanFolder().
    bool FloorPlanAccepted(const QString &path, bool ignoreCase) const;
    // The folder of a new project, refusing names that are no plain folder name.
    static QString SchemeNameProblem(const QString &name);
    // Whether a name can be a file or folder name as it stands, directly in a folder.
    static bool IsPlainFileName(const QString &name);
    // Why a project of that name and floor plan cannot be created, in the
    // words the user sees; empty when it can.
    QString CreationProblem(const QString &name, const QString &floorPlan, bool ignoreCase) const;
    // The project path of a scheme name.
    QString ProjectPathOf(const QString &name) const;

    // --- Property dialogs ---
    void actSetBaseExecute();
    void actSetPropExecute();

    // --- Placing symbols and editing ---
    // A drop at a control point of a drawing.
    void gcWiringDragDrop(TGraphControl *target, const QPoint &controlPoint);
    // Inserts the library symbol as a drop of the current palette item makes it.
    TGraphNode *InsertSymbolNode(TGraphControl *graph, const IXMLIconType *icon,
                                 const QPoint &dropPoint);
    // The same with the symbol's small picture already loaded.
    TGraphNode *InsertSymbolNode(TGraphControl *graph, const IXMLIconType *icon,
                                 const QPoint &dropPoint, const TPicture &picture);
    void gcWiringObjectInsert(TGraphControl *graph, TGraphObject *object);
    void pmObjPopup();
    // Symbols of the wiring palette stay square when resized.
    static void CanMoveResizeSymbol(const TGraphNode *node, int &newWidth, int &newHeight);

    // The recommended schemes: the ".prj" files of a folder, unsorted, and
    // their items in the first group of the distribution-box palette.
    static QStringList ListSchemeFiles(const QString &folder);
    // The schemes of the palette: the designer's own, then the bundled ones
    // not of the same name (one folder unless installed).
    QStringList SchemeFiles() const;
    // The file a listed scheme is read from: the designer's own first.
    QString SchemePath(const QString &fileName) const;
    void LoadRecommendedSchemes();
    // The palettes filled, the schemes listed, the windows only commands
    // open made, if not yet done.
    void FinishStart();
    void MakeCommandWindows();
    // "保存为推荐方案": the distribution-box drawing as a new scheme.
    void actSaveAsProjectExecute();
    // Why a recommended scheme cannot have that name; empty when it can.
    static QString TemplateNameProblem(const QString &name);

    // --- Configuration list and report ---
    // Rebuilds ConfigItems from both drawings.
    void BuildConfigList();
    // The configuration-list tab shown: the list rebuilt and shown.
    void TabSheet3Show();
    // "导出配置单": the list as CSV or workbook, by the chosen name.
    void actFileExportConfigExecute();
    static QString ConfigExportFilter();
    // What the report is made of: both drawings, the library and the
    // page-0 fields as they stand.
    TReportInput ReportInput();
    // The preview tab shown: page 1 shown first.
    void TabSheet4Show();
    // Page n of the preview rendered into its tab.
    void RenderPreviewPage(int n);
    void ClearPreview();
    // The main window's one printer, made when first needed.
    QPrinter &Printer();
    // Every page onto the printer; a failure aborts the job and throws.
    void PrintReport(QPrinter &printer);
    void actFilePrintExecute();
    void actFilePrintSetExecute();
    // "导出图片": the current drawing as a Windows metafile when the name
    // ends in ".wmf" (any case), an enhanced metafile otherwise.
    void actFileExportExecute();
    // "导出PDF": the whole report as an A4 PDF.
    void actFileExportPdfExecute();

    // --- Undo and redo ---
    // The history of a drawing of the window; null for any other control.
    TGraphHistory *HistoryOf(const TGraphControl *graph) const;
    // "撤销" and "重做" follow the current drawing's history.
    void UpdateUndoActions();
    // Takes back the current drawing's last step, or does the next again.
    void ReplayStep(bool undo);
    // Opening, creating and closing a project start both histories afresh.
    void ClearHistories();
    // The unsaved mark as the histories and the page-0 fields have it.
    void RefreshModified();

    // --- Crash recovery ---
    // Where recoveries are kept (the user's data folder by default).
    void SetRecoveryFolder(const QString &folder);
    void SetRecoveryInterval(int milliseconds);
    QString RecoveryFileOf(const QString &projectPath) const;
    // Keeps the open project's drawings and fields for recovery; false
    // (told once) when that fails or no project is open.
    bool KeepForRecovery();
    // The open project's recovery is no longer needed (saved, or closed).
    void DiscardRecovery();
    // At start: asks about each recovery a crash left, newest first, and
    // restores the first the designer accepts. True when one was restored.
    bool OfferRecovery();

    // --- Desktop conventions ---
    TWorkspaceStatusBar *Status() const;
    // Shows the open scheme, its unsaved mark and the current drawing's zoom.
    void UpdateStatus();
    // "移动": a left drag on the wiring drawing pans it while on.
    void SetPanTool(bool on);

    // The program's home page, opened by "浏览网站".
    static QString HomePage();
    // The settings file's section of the page-0 fields, and its floor-plan key.
    static inline const QString CustomerSection = QStringLiteral("customer");
    static inline const QString FloorPlanKey = QStringLiteral("BackgroundPath");

    // The file of a library picture ("20" or "150"); names hold either separator.
    QString LibraryPicturePath(const char *folder, const QString &name) const;

    // --- Symbol palettes and details ---
    // Pictures of both palettes' items: six built-in ones, then the library's.
    std::unique_ptr<TNavImageList> ImageListSmallNav;
    TFrmHint *FrmHint = nullptr;
    QTimer *timer = nullptr; // the details timer
    void FillPalettes();
    // A new bitmap of the picture; null for an empty picture.
    static std::unique_ptr<QImage> PictureToBitmap(const TPicture &picture);
    void actObjSelectExecute(TNavBarItem *sender);
    void navBarWiringLinkPress(TNavBar *sender, TNavBarItem *link);
    void navBarWiringDragOver(TNavBar *sender, QDragMoveEvent *event, bool &accept);
    void navBarWiringDragDrop(TNavBar *sender, QDropEvent *event);
    // The pointer at a client point of a drawing.
    void gcWiringMouseMove(TGraphControl *sender, const QPoint &clientPoint);
    void timerTimer();
    // Idle details: not armed, timer stopped, the window closed if shown.
    void CloseHint();
    // A recommended scheme in group 0 of navBarGuard; the hint is its file name.
    TNavBarItem *AddSchemeItem(const QString &caption, const QString &fileName, int tag,
                               int pictureIndex = 4);
    void ClearSchemeItems();
    // The scheme item of navBarGuard whose file name is given; null when none.
    TNavBarItem *SchemeItemOf(const QString &fileName) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    // At the first show the recommended schemes are listed.
    void showEvent(QShowEvent *event) override;

private:
    TConfigListView *lvConfig = nullptr;      // see ConfigListView()
    TReportPreview *PageControlSub = nullptr; // see Preview()
    QWidget *FConfigPage = nullptr;
    QWidget *FPreviewPage = nullptr;
    // A page of PageControl whose content is made when first needed.
    QWidget *AddLaterPage(const QString &name, const QString &caption, int margin);
    void FormCreate();
    void BuildPages();
    void BuildProjectPage(QWidget *page);
    QWidget *BuildDiagramPage(QWidget *palette, TGraphControl *graph);
    void BuildActions();
    void BuildMenusAndToolbar();
    void SetUpDiagrams();
    void ConnectCommands();
    QAction *AddAction(const QString &name, const QString &caption, const QString &hint,
                       const QString &iconName, bool checkable, bool checked);
    // Runs a command, reporting any error it raises in a message box.
    void Run(const std::function<void()> &command);
    void ShowError(const QString &message);
    void Tell(const QString &text, IUserDialogs::TIcon icon = IUserDialogs::Information);
    bool OfferSave();
    void FillProjectFields(const QString &floorPlan);
    QString FloorPlanOf(const QString &settingsValue) const;
    bool CopyProjectFile(const QString &from, const QString &to);
    void ConnectDiagramEvents();
    void ConnectEditingCommands();
    void DropSymbol(TGraphControl *graph, const QPoint &dropPoint);
    void DropTool(TGraphControl *graph, const QPoint &dropPoint);
    void ApplyRecommendedScheme();
    void DeleteSelection(TGraphControl *graph);
    // The drawing of the page shown; null on the other pages.
    TGraphControl *GraphOfShownPage() const;
    void PageShown(int index);
    // The floor-plan picture of a project, loaded and checked before anything
    // is written; false (with a message naming the file) when it does not load.
    bool LoadFloorPlanPicture(const QString &path, TPicture &picture);
    void ShowFloorPlan(TGraphControl *graph, const TPicture &picture, const QString &path);
    // The field or text of a project that code page 936 cannot hold, told
    // to the designer; false when there is one.
    bool ProjectTextsFit();
    using TLabelledTexts = std::vector<std::pair<QString, QString>>;
    bool TextsFit(const TLabelledTexts &fields);
    // The creation dialog's checks and its settings file; the new path, or
    // empty when a check failed (having told the designer why).
    QString CreateFromDialog(TFrmCustomer &dialog);
    void KeepHintOnScreen(QPoint &topLeft) const;
    // A check command that found no drawing to act on keeps its tick.
    static void RevertCheck(QAction *action);

    // The palettes' groups, tools and the details window; at start, or once
    // the first page is up when that is shown first.
    void SetUpPalettes();
    // The details shown while the pointer rests on a symbol of a drawing.
    void ConnectHints();
    void SetUpDesktop();
    void SetUpHistory();
    void SetUpRecovery();
    bool RestoreRecovery(const TRecoveredProject &project);
    std::vector<QLineEdit *> ProjectFields() const;
    // A change no history can take back (a page-0 field edited, a project
    // made whose drawings are not on disk yet).
    void MarkUnrecordedChange();
    void SetUpShortcuts();
    // Stops the details without closing the window and forgets HintNode.
    void StopHintTimer();

    TWorkspaceStatusBar *StatusBar = nullptr;
    bool FSchemesListed = false;
    TStart FStart;
    bool FPalettesPending = false; // filled by FinishStart
    bool FPlacingSymbol = false; // a drop is inserting a symbol it has the picture of
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<IUserDialogs> FOwnDialogs;
    IUserDialogs *FDialogs;
    std::map<QString, QAction *> FActions;
    std::vector<std::unique_ptr<TGraphHistory>> FHistories;
    bool FUnrecordedChanges = false;
    std::unique_ptr<TRecoveryStore> FRecovery;
    QTimer *FRecoveryTimer = nullptr;
    bool FRecoveryFailureTold = false;
};
