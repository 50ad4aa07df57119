#include "WorkspaceTestSupport.h"

#include "WiringAbout.h"

#include <QSet>

namespace {

// Commands that stay usable without a project.
const QSet<QString> AlwaysEnabled = {"actFileQuit", "actAboutMe", "actAboutHelp",
                                     "actAboutWebsite"};
const QSet<QString> OnlyWithoutProject = {"actFileCreate", "actFileOpen"};
// Placed nowhere: the command is hidden, which also keeps it from running.
const QString Unplaced = QStringLiteral("actSaveAsProject");

using MainWindowTest = WorkspaceTest;

TEST_F(MainWindowTest, StartsOnPage0WithOnlyCreateAndOpen)
{
    Start();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Varneth电气线路设计系统 V1.0"));
    EXPECT_EQ(Window->PageControl->currentIndex(), 0);
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_FALSE(Window->Modified);
    EXPECT_EQ(Window->PaletteTag, -1);
    EXPECT_FALSE(Window->DropPending);
    EXPECT_TRUE(Window->ProjectPath.isEmpty());
    EXPECT_EQ(Window->ProjectSettings, nullptr);
    ASSERT_NE(Window->IconStore, nullptr);

    for (const auto &[name, action] : Window->Actions())
        EXPECT_EQ(action->isEnabled(), AlwaysEnabled.contains(name) || OnlyWithoutProject.contains(name))
            << name.toStdString();
    EXPECT_TRUE(Window->btnCreateFile->isEnabled());
    EXPECT_TRUE(Window->btnOpenFile->isEnabled());
    EXPECT_FALSE(Window->btnSaveFile->isEnabled());
    EXPECT_FALSE(Window->btnCloseFile->isEnabled());
    EXPECT_TRUE(Window->PageControl->widget(0)->isEnabled());
    for (int page = 1; page <= 4; ++page)
        EXPECT_FALSE(Window->PageControl->widget(page)->isEnabled()) << "page " << page;
    EXPECT_TRUE(Window->EdtProjectName->isEnabled());
    EXPECT_TRUE(Window->SpeedButton4->isEnabled());
    EXPECT_TRUE(Act("actDisplayBase")->isChecked());
    EXPECT_TRUE(Act("actDisplayAll")->isChecked());
    EXPECT_FALSE(Act("actDisplayGrid")->isChecked());

    // Typing on page 0 without a project changes nothing.
    FillPage0(QStringLiteral("未创建"), Plan());
    EXPECT_FALSE(Window->Modified);
    EXPECT_FALSE(SaveEnabled());
    // Nor does pressing "保存文件" or "关闭文件" while they are disabled.
    Window->btnSaveFile->click();
    Window->btnCloseFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(TreeOf(App + QStringLiteral("projects")), QStringList());
}

// Tab walks the scheme's fields as they read, left to right and down, then the
// page's buttons, in the page font.
TEST_F(MainWindowTest, TabVisitsTheSchemeFieldsInReadingOrder)
{
    Start();
    const QStringList reading = {"EdtProjectName",     "EdtCustomerName",   "EdtCustomerPhone",
                                 "EdtCustomerAddress", "EdtCustomerEmail",  "EdtDesignerCompany",
                                 "EdtDesignerName",    "EdtBackgroundPath", "SpeedButton4",
                                 "EdtProjectComment",  "btnOpenFile",       "btnCreateFile",
                                 "btnSaveFile",        "btnCloseFile"};
    QStringList visited;
    QWidget *w = Window->EdtProjectName;
    do {
        if (reading.contains(w->objectName()))
            visited << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Window->EdtProjectName);
    EXPECT_EQ(visited, reading);
    for (QWidget *field : {static_cast<QWidget *>(Window->EdtCustomerPhone),
                           static_cast<QWidget *>(Window->EdtProjectComment)})
        EXPECT_EQ(QFontInfo(field->font()).family(), QStringLiteral("Noto Serif CJK SC"));
}

TEST_F(MainWindowTest, DiagramSettings)
{
    Start();
    EXPECT_EQ(Window->gcWiring->GridSize(), 10);
    EXPECT_EQ(Window->gcGuard->GridSize(), 10);
    EXPECT_FALSE(Window->gcWiring->ShowGrid());
    EXPECT_FALSE(Window->gcGuard->ShowGrid());
}

// A library that cannot be used is reported once at start-up; the window
// still starts without a project, ready to create or open one.
TEST_F(MainWindowTest, BrokenLibraryIsReportedAtStartUp)
{
    const struct {
        const char *name;
        const char *content; // null: no file
    } cases[] = {
        {"missing", nullptr},
        {"not well-formed", "<iconstore><icon></iconstore>"},
        {"other root", "<library/>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(App + QStringLiteral("iconstore.xml"));
        if (c.content)
            WriteBytes(App + QStringLiteral("iconstore.xml"), c.content);
        Dialogs.Clear();
        Start();
        const auto &message = Dialogs.Only();
        EXPECT_FALSE(message.Question);
        EXPECT_EQ(message.Icon, IUserDialogs::Error);
        EXPECT_TRUE(message.Text.contains(QStringLiteral("iconstore.xml"))) << message.Text.toStdString();
        EXPECT_EQ(Window->PageControl->currentIndex(), 0);
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_TRUE(Act("actFileCreate")->isEnabled());
        EXPECT_TRUE(Act("actFileOpen")->isEnabled());
        EXPECT_FALSE(SaveEnabled());

        // Projects can still be made.
        Dialogs.Clear();
        CreateOnPage0(QString::fromUtf8(c.name).replace(u' ', u'_'));
        Window.reset();
    }
}

TEST_F(MainWindowTest, OpeningEnablesEverythingButCreateAndOpenAndSaveWaitsForAChange)
{
    Start();
    const QString project = MakeProject(QStringLiteral("打开"));
    const struct {
        const char *name;
        std::function<void(TFrmMain &)> change;
    } changes[] = {
        {"project name typed", [](TFrmMain &w) { w.EdtProjectName->setText(QStringLiteral("改名")); }},
        {"floor-plan field typed", [](TFrmMain &w) { w.EdtBackgroundPath->setText(QString()); }},
        {"e-mail typed", [](TFrmMain &w) { w.EdtCustomerEmail->insert(QStringLiteral("x")); }},
        {"comment typed", [](TFrmMain &w) { w.EdtProjectComment->appendPlainText(QStringLiteral("补充")); }},
        {"wiring node", [](TFrmMain &w) { w.gcWiring->InsertNode(TRect(10, 10, 50, 50)); }},
        {"distribution-box node", [](TFrmMain &w) { w.gcGuard->InsertNode(TRect(10, 10, 50, 50)); }},
    };
    for (const auto &c : changes) {
        SCOPED_TRACE(c.name);
        Open(project);
        ASSERT_TRUE(Window->ProjectOpen);
        EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
        for (const auto &[name, action] : Window->Actions())
            // Undo and redo wait for a step, as saving waits for a change.
            EXPECT_EQ(action->isEnabled(), !OnlyWithoutProject.contains(name) &&
                                               name != u"actFileSave" && name != Unplaced &&
                                               name != u"actEditUndo" && name != u"actEditRedo")
                << name.toStdString();
        EXPECT_FALSE(Window->btnCreateFile->isEnabled());
        EXPECT_FALSE(Window->btnOpenFile->isEnabled());
        EXPECT_TRUE(Window->btnCloseFile->isEnabled());
        for (int page = 1; page <= 4; ++page)
            EXPECT_TRUE(Window->PageControl->widget(page)->isEnabled()) << "page " << page;
        EXPECT_FALSE(Window->Modified);
        EXPECT_FALSE(SaveEnabled());

        c.change(*Window);
        EXPECT_TRUE(Window->Modified);
        EXPECT_TRUE(SaveEnabled());
        CloseProject(IUserDialogs::No);
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_FALSE(Window->Modified);
        EXPECT_FALSE(SaveEnabled());
        Dialogs.Clear();
    }
    EXPECT_TRUE(Dialogs.FileFilters.front().contains(QStringLiteral("*.ini")));
}

TEST_F(MainWindowTest, ClosingTheWindowAsksOnlyWithUnsavedChanges)
{
    Start();
    const QString project = MakeProject(QStringLiteral("退出"));
    const QByteArray settingsBefore = ReadBytes(project);

    // Not modified: no question.
    Open(project);
    EXPECT_TRUE(Window->close());
    EXPECT_TRUE(Dialogs.Messages.empty());

    // Modified, "No": the window and the project stay.
    Window.reset();
    Start();
    Open(project);
    Window->EdtCustomerName->setText(QStringLiteral("未保存"));
    Dialogs.Answers = {IUserDialogs::No};
    EXPECT_FALSE(Window->close());
    const auto &question = Dialogs.Only();
    EXPECT_TRUE(question.Question);
    EXPECT_EQ(question.Text, QStringLiteral("文件已被修改，是否要直接退出而不保存文件？"));
    EXPECT_EQ(question.Icon, IUserDialogs::Information);
    EXPECT_EQ(question.Default, IUserDialogs::No);
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_TRUE(Window->Modified);

    // "退出" goes through the same question; "Yes" closes without writing.
    Dialogs.Clear();
    Dialogs.Answers = {IUserDialogs::Yes};
    Window->show();
    ASSERT_TRUE(Window->isVisible());
    Act("actFileQuit")->trigger();
    EXPECT_EQ(Dialogs.Only().Text, QStringLiteral("文件已被修改，是否要直接退出而不保存文件？"));
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(ReadBytes(project), settingsBefore);
}

// ActiveGraph follows the diagram pages and keeps the last one on the
// other pages; commands that need a diagram do nothing without one.
TEST_F(MainWindowTest, ActiveGraphFollowsTheDiagramPages)
{
    Start();
    EXPECT_EQ(Window->ActiveGraph, nullptr);
    const QString project = MakeProject(QStringLiteral("页面"));
    Window->PageControl->setCurrentIndex(0);
    EXPECT_EQ(Window->ActiveGraph, Window->gcWiring) << "page 0 keeps the drawing shown last";

    // Started on page 0, no drawing has been shown: the drawing commands do
    // nothing, and their ticks do not pretend otherwise.
    Window.reset();
    Start();
    Open(project);
    EXPECT_EQ(Window->ActiveGraph, nullptr);
    for (const char *command :
         {"actDisplayBase", "actDisplayGrid", "actDisplayAll", "actEditLock"}) {
        const bool ticked = Act(command)->isChecked();
        Act(command)->trigger(); // must not fail
        EXPECT_EQ(Act(command)->isChecked(), ticked) << command;
    }
    Act("actEditReImport")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty());

    TGraphControl *wiring = Window->gcWiring;
    TGraphControl *guard = Window->gcGuard;
    const struct {
        int page;
        TGraphControl *expected;
    } steps[] = {{1, wiring}, {2, guard}, {3, guard}, {4, guard}, {0, guard},
                 {1, wiring}, {3, wiring}, {4, wiring}, {2, guard}, {0, guard}};
    for (const auto &step : steps) {
        Window->PageControl->setCurrentIndex(step.page);
        EXPECT_EQ(Window->ActiveGraph, step.expected) << "page " << step.page;
    }
}

TEST_F(MainWindowTest, DisplayBaseHidesAndShowsTheFloorPlanOfTheActiveDiagram)
{
    Start();
    CreateOnPage0(QStringLiteral("显示"));
    ASSERT_EQ(Window->ActiveGraph, Window->gcWiring);
    ASSERT_TRUE(Window->gcWiring->Background().HasGraphic());

    Act("actDisplayBase")->trigger();
    EXPECT_FALSE(Act("actDisplayBase")->isChecked());
    EXPECT_FALSE(Window->gcWiring->ShowBackground());
    EXPECT_TRUE(Window->gcGuard->ShowBackground());
    EXPECT_TRUE(Window->gcWiring->Background().HasGraphic()) << "the picture stays";
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan.jpg"));
    Act("actDisplayBase")->trigger();
    EXPECT_TRUE(Window->gcWiring->ShowBackground());

    // On the distribution-box page, and still after moving to the list.
    Window->PageControl->setCurrentIndex(2);
    Window->PageControl->setCurrentIndex(3);
    Act("actDisplayBase")->trigger();
    EXPECT_FALSE(Window->gcGuard->ShowBackground());
    EXPECT_TRUE(Window->gcWiring->ShowBackground());
    EXPECT_FALSE(Window->Modified) << "showing or hiding is no change of the project";
}

} // namespace

// Opening, closing and "另存为" while a drawing page is on screen leave that
// drawing the one the commands act on.
TEST_F(MainWindowTest, TheCurrentDrawingIsThePageShownAcrossOpenCloseAndSaveAs)
{
    Start();
    const QString project = MakeProject(QStringLiteral("跟随"));
    for (const int page : {1, 2}) {
        SCOPED_TRACE(page);
        Window->PageControl->setCurrentIndex(page);
        Open(project);
        TGraphControl *shown = page == 1 ? Window->gcWiring : Window->gcGuard;
        ASSERT_EQ(Window->ActiveGraph, shown);
        const int zoom = shown->Zoom();
        Act("actDisplayZoonIn")->trigger();
        EXPECT_GT(shown->Zoom(), zoom);
        Act("actDisplayGrid")->trigger();
        EXPECT_TRUE(shown->ShowGrid());
        Act("actDisplayGrid")->trigger();

        Dialogs.Files = {App + QStringLiteral("copy%1").arg(page)};
        Act("actFileSaveAs")->trigger();
        ASSERT_TRUE(Window->ProjectOpen);
        EXPECT_EQ(Window->ActiveGraph, shown) << "after 另存为";
        CloseProject(IUserDialogs::No);
        EXPECT_EQ(Window->ActiveGraph, shown) << "after 关闭文件";
    }
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
}

// The help tells where the tools are: wire pieces and text come from the
// distribution-box palette only.
TEST(HelpText, PutsTheWireAndTextToolsWhereTheyAre)
{
    const QString help = TFrmHelp::HelpText();
    const qsizetype wiring = help.indexOf(QStringLiteral("<b>电气线路设计图</b>"));
    const qsizetype box = help.indexOf(QStringLiteral("<b>配电箱线路图</b>"));
    ASSERT_GE(wiring, 0);
    ASSERT_GT(box, wiring);
    const QString wiringPart = help.mid(wiring, box - wiring);
    const QString boxPart = help.mid(box, help.indexOf(QStringLiteral("</p>"), box) - box);
    for (const QString &tool :
         {QStringLiteral("水平电线"), QStringLiteral("垂直电线"), QStringLiteral("“文字”")}) {
        EXPECT_FALSE(wiringPart.contains(tool)) << tool.toStdString();
        EXPECT_TRUE(boxPart.contains(tool)) << tool.toStdString();
    }
}
