#include "WorkspaceTestSupport.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

using ProjectFilesTest = WorkspaceTest;

const QStringList CustomerKeys = {"ProjectName",     "CustomerName",   "CustomerPhone",
                                  "CustomerAddress", "CustomerEmail",  "DesignerCompany",
                                  "DesignerName",    "BackgroundPath", "ProjectComment"};

// --- Creating on page 0 ---

TEST_F(ProjectFilesTest, CreateOnPage0RefusesWithTheFirstFailingCheck)
{
    Start();
    // A floor plan under a folder named like background/ but in capitals,
    // one in a folder beside it, and one a level too deep.
    QDir(App).mkpath(QStringLiteral("elsewhere"));
    QDir(App).mkpath(QStringLiteral("background/sub"));
    const QString outside = App + QStringLiteral("elsewhere/plan.jpg");
    const QString deeper = App + QStringLiteral("background/sub/plan.jpg");
    QFile::copy(Plan(), outside);
    QFile::copy(Plan(), deeper);
    QDir(App).mkpath(QStringLiteral("projects/已有"));
    WriteBytes(ProjectFile(QStringLiteral("已有")), "[customer]\r\nProjectName=已有\r\n");

    const struct {
        const char *name;
        QString scheme;
        QString floorPlan;
        QString message;
    } cases[] = {
        {"empty name", QString(), Plan(), QStringLiteral("方案名称不允许为空！")},
        {"empty name and floor plan", QString(), QString(), QStringLiteral("方案名称不允许为空！")},
        {"empty floor plan", QStringLiteral("甲"), QString(), QStringLiteral("请设置户型图！")},
        {"missing floor plan", QStringLiteral("甲"), App + QStringLiteral("background/none.jpg"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"missing file outside", QStringLiteral("甲"), App + QStringLiteral("elsewhere/none.jpg"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"outside background", QStringLiteral("甲"), outside, FloorPlanRuleMessage},
        {"below background", QStringLiteral("甲"), deeper, FloorPlanRuleMessage},
        {"relative name", QStringLiteral("甲"), QStringLiteral("plan.jpg"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"the folder itself", QStringLiteral("甲"), App + QStringLiteral("background"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"the folder with a slash", QStringLiteral("甲"), App + QStringLiteral("background/"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"a folder inside", QStringLiteral("甲"), App + QStringLiteral("background/sub"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"existing project", QStringLiteral("已有"), Plan(),
         QStringLiteral("该方案已经存在，请使用不同的方案名称！")},
    };
    const QStringList before = TreeOf(App);
    const QByteArray existing = ReadBytes(ProjectFile(QStringLiteral("已有")));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Dialogs.Clear();
        Window->PageControl->setCurrentIndex(0);
        Window->ActiveGraph = nullptr;
        FillPage0(c.scheme, c.floorPlan);
        Window->btnCreateFile->click();
        EXPECT_EQ(Dialogs.Only().Text, c.message);
        EXPECT_FALSE(Dialogs.Only().Question);
        EXPECT_EQ(Window->PageControl->currentIndex(), 1) << "page 1 is shown before the checks";
        EXPECT_EQ(Window->ActiveGraph, Window->gcWiring);
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_TRUE(Window->ProjectPath.isEmpty());
        EXPECT_FALSE(SaveEnabled());
        EXPECT_TRUE(Window->btnCreateFile->isEnabled());
        EXPECT_EQ(TreeOf(App), before) << "a refused creation writes nothing";
    }
    EXPECT_EQ(ReadBytes(ProjectFile(QStringLiteral("已有"))), existing);
}

// The name becomes a folder under projects/: names that would reach
// anywhere else, or that no folder can carry, are refused.
TEST_F(ProjectFilesTest, SchemeNamesThatAreNoFolderNameAreRefused)
{
    Start();
    const QStringList names = {"a/b", "../逃出", "..",    "a\\b", "..\\x",
                               "c:d", "星*号",   "问?号", "/abs", "."};
    const QStringList before = TreeOf(App);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        Dialogs.Clear();
        FillPage0(name, Plan());
        Window->btnCreateFile->click();
        const auto &message = Dialogs.Only();
        EXPECT_TRUE(message.Text.contains(QStringLiteral("方案名称")))
            << message.Text.toStdString();
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_EQ(TreeOf(App), before);

        Dialogs.Clear();
        EXPECT_FALSE(CreateThroughDialog([&](TFrmCustomer &d) { FillDialog(d, name, Plan()); }));
        EXPECT_TRUE(Dialogs.Only().Text.contains(QStringLiteral("方案名称")));
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_EQ(TreeOf(App), before);
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/abs")));
}

TEST_F(ProjectFilesTest, CreateOnPage0WritesTheProjectAndShowsTheFloorPlan)
{
    Start();
    CreateOnPage0(QStringLiteral("新方案"));
    const QString ini = ProjectFile("新方案");
    EXPECT_EQ(Window->ProjectPath, ini);
    EXPECT_EQ(
        TreeOf(App + QStringLiteral("projects")),
        QStringList({"新方案", "新方案/新方案.gua", "新方案/新方案.ini", "新方案/新方案.wir"}));
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile("新方案", ".wir")));
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile("新方案", ".gua")));
    EXPECT_FALSE(Window->Modified);
    EXPECT_FALSE(SaveEnabled());
    EXPECT_TRUE(Window->btnCloseFile->isEnabled());
    EXPECT_FALSE(Window->btnCreateFile->isEnabled());
    EXPECT_EQ(Window->PageControl->currentIndex(), 1);
    EXPECT_EQ(Window->ActiveGraph, Window->gcWiring);
    EXPECT_TRUE(Window->gcWiring->Background().HasGraphic());
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan.jpg"));

    EXPECT_EQ(Entries(ini),
              QStringList({"project/WiringPath=" + ProjectFile("新方案", ".wir"),
                           "project/GuardPath=" + ProjectFile("新方案", ".gua"),
                           "customer/ProjectName=新方案", "customer/BackgroundPath=plan.jpg",
                           "customer/CustomerName=张三", "customer/CustomerPhone=010-12345678",
                           "customer/CustomerAddress=北京市海淀区中关村大街1号",
                           "customer/CustomerEmail=zhang@example.cn",
                           "customer/DesignerCompany=瓦尼斯电气", "customer/DesignerName=李四",
                           "customer/ProjectComment=厨房插座加密"}));
}

// The folder test ignores letter case on page 0 (and at save and import).
TEST_F(ProjectFilesTest, FloorPlanFolderDifferingInCaseIsAcceptedOnPage0)
{
    QDir(App).mkpath(QStringLiteral("BackGround"));
    const QString plan = App + QStringLiteral("BackGround/plan.jpg");
    QFile::copy(Plan(), plan);
    Start();
    CreateOnPage0(QStringLiteral("大小写"), plan);
    EXPECT_TRUE(Window->gcWiring->Background().HasGraphic());
    EXPECT_EQ(Key(ProjectFile("大小写"), "customer", "BackgroundPath"), QStringLiteral("plan.jpg"));
}

// Every project created on page 0 records its floor plan, also when the
// drawing still shows the same picture from the project before.
TEST_F(ProjectFilesTest, EveryCreatedProjectRecordsItsFloorPlan)
{
    Start();
    MakeProject(QStringLiteral("第一"));
    CreateOnPage0(QStringLiteral("第二"));
    EXPECT_EQ(Key(ProjectFile("第二"), "customer", "BackgroundPath"), QStringLiteral("plan.jpg"));
    CloseProject();
    Open(ProjectFile("第二"));
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan());
}

TEST_F(ProjectFilesTest, CreateWithoutProjectsFolderReportsTheWriteError)
{
    QDir(App).rmdir(QStringLiteral("projects"));
    Start();
    FillPage0(QStringLiteral("无目录"), Plan());
    Window->btnCreateFile->click();
    const auto &message = Dialogs.Only();
    EXPECT_EQ(message.Icon, IUserDialogs::Error);
    EXPECT_TRUE(message.Text.contains(QStringLiteral("无目录.ini"))) << message.Text.toStdString();
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_TRUE(Window->ProjectPath.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(App + QStringLiteral("projects")));
    EXPECT_TRUE(Window->btnCreateFile->isEnabled());
}

// --- Creating through the dialog ---

TEST_F(ProjectFilesTest, CreateDialogRefusesWhatItsChecksFind)
{
    QDir(App).mkpath(QStringLiteral("BACKGROUND"));
    const QString capitals = App + QStringLiteral("BACKGROUND/plan.jpg");
    QFile::copy(Plan(), capitals);
    QDir(App).mkpath(QStringLiteral("projects/已有"));
    WriteBytes(ProjectFile(QStringLiteral("已有")), "[customer]\r\nProjectName=已有\r\n");
    Start();
    const struct {
        const char *name;
        QString scheme;
        QString floorPlan;
        QString message;
    } cases[] = {
        {"empty name", QString(), Plan(), QStringLiteral("方案名称不允许为空！")},
        {"empty floor plan", QStringLiteral("乙"), QString(), QStringLiteral("请设置户型图！")},
        {"missing floor plan", QStringLiteral("乙"), App + QStringLiteral("background/none.jpg"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"folder in other letter case", QStringLiteral("乙"), capitals, FloorPlanRuleMessage},
        {"the folder with a slash", QStringLiteral("乙"), App + QStringLiteral("background/"),
         QStringLiteral("户型图文件不存在，请重新设置！")},
        {"existing project", QStringLiteral("已有"), Plan(),
         QStringLiteral("该方案已经存在，请使用不同的方案名称！")},
    };
    const QStringList before = TreeOf(App);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Dialogs.Clear();
        EXPECT_FALSE(CreateThroughDialog([&](TFrmCustomer &d) {
            FillDialog(d, c.scheme, c.floorPlan);
        })) << "a failed check leaves the dialog open";
        EXPECT_EQ(Dialogs.Only().Text, c.message);
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_EQ(TreeOf(App), before);
    }

    // Cancelled: nothing happens.
    Dialogs.Clear();
    QTimer::singleShot(0, Window->FrmCustomer, [this] { Window->FrmCustomer->reject(); });
    Act("actFileCreate")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_EQ(TreeOf(App), before);
}

TEST_F(ProjectFilesTest, CreateDialogWritesTheSettingsAndLeavesTheProjectModified)
{
    Start();
    ASSERT_TRUE(CreateThroughDialog(
        [&](TFrmCustomer &d) { FillDialog(d, QStringLiteral("对话框"), Plan2()); }));
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    const QString ini = ProjectFile("对话框");
    EXPECT_EQ(TreeOf(App + QStringLiteral("projects")),
              QStringList({"对话框", "对话框/对话框.ini"}))
        << "no diagram file yet";
    const TIniFile settings(ini);
    EXPECT_EQ(settings.Sections(), QStringList({"customer"}));
    EXPECT_EQ(settings.Keys(QStringLiteral("customer")), CustomerKeys);
    EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QStringLiteral("plan2.bmp"));
    EXPECT_EQ(Key(ini, "customer", "ProjectComment"), QStringLiteral("第一行\n第二行"));

    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->ProjectPath, ini);
    EXPECT_TRUE(Window->Modified);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_EQ(Window->EdtProjectName->text(), QStringLiteral("对话框"));
    EXPECT_EQ(Window->EdtCustomerName->text(), QStringLiteral("王五"));
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan2());
    EXPECT_EQ(Window->EdtProjectComment->toPlainText(), QStringLiteral("第一行\n第二行"));
    EXPECT_TRUE(Window->gcWiring->Background().HasGraphic());
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan2.bmp"));

    // Closing asks whether to save; "Yes" writes the drawings.
    CloseProject(IUserDialogs::Yes);
    const auto &question = Dialogs.Only();
    EXPECT_TRUE(question.Question);
    EXPECT_EQ(question.Text, QStringLiteral("该文件尚未保存，你是否要保存该文件？"));
    EXPECT_EQ(question.Icon, IUserDialogs::Warning);
    EXPECT_EQ(question.Default, IUserDialogs::Yes);
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile("对话框", ".wir")));
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile("对话框", ".gua")));
}

// --- Opening ---

TEST_F(ProjectFilesTest, OpenFillsTheFieldsFromTheSettings)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("填写"), Plan2());
    {
        Window->gcWiring->SetBackgroundPath(QStringLiteral("recorded.jpg"));
    }
    Open(ini);
    ASSERT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->ProjectPath, ini);
    const struct {
        QLineEdit *field;
        const char *expected;
    } fields[] = {
        {Window->EdtProjectName, "填写"},
        {Window->EdtCustomerName, "张三"},
        {Window->EdtCustomerPhone, "010-12345678"},
        {Window->EdtCustomerAddress, "北京市海淀区中关村大街1号"},
        {Window->EdtCustomerEmail, "zhang@example.cn"},
        {Window->EdtDesignerCompany, "瓦尼斯电气"},
        {Window->EdtDesignerName, "李四"},
    };
    for (const auto &f : fields)
        EXPECT_EQ(f.field->text(), QString::fromUtf8(f.expected))
            << f.field->objectName().toStdString();
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan2());
    EXPECT_EQ(Window->EdtProjectComment->toPlainText(), QStringLiteral("厨房插座加密"));
    EXPECT_TRUE(Window->gcWiring->Background().HasGraphic());
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan2.bmp"))
        << "opening records the floor plan the next save compares with";
}

TEST_F(ProjectFilesTest, OpenWithAMissingOrDamagedDiagramFileOpensNothing)
{
    Start();
    const QString good = MakeProject(QStringLiteral("完好"));
    const struct {
        const char *name;
        const char *extension;
        bool remove;
        QByteArray content;
    } cases[] = {
        {"wiring missing", ".wir", true, {}},
        {"wiring damaged", ".wir", false, QByteArray("not a diagram at all")},
        {"wiring empty", ".wir", false, QByteArray()},
        {"distribution box missing", ".gua", true, {}},
        {"distribution box damaged", ".gua", false, QByteArray("TPF0garbage")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name).replace(u' ', u'_');
        MakeProject(name);
        const QString broken = ProjectFile(name, c.extension);
        if (c.remove)
            QFile::remove(broken);
        else
            WriteBytes(broken, c.content);

        Open(ProjectFile(name));
        const auto &message = Dialogs.Only();
        EXPECT_EQ(message.Icon, IUserDialogs::Error);
        EXPECT_TRUE(message.Text.contains(broken)) << message.Text.toStdString();
        EXPECT_FALSE(Window->ProjectOpen);
        EXPECT_FALSE(Window->Modified);
        EXPECT_TRUE(Window->ProjectPath.isEmpty());
        EXPECT_EQ(Window->ProjectSettings, nullptr);
        EXPECT_TRUE(Window->EdtProjectName->text().isEmpty());
        EXPECT_TRUE(Window->gcWiring->Objects().IsEmpty());
        EXPECT_TRUE(Act("actFileCreate")->isEnabled());
        EXPECT_TRUE(Act("actFileOpen")->isEnabled());
        EXPECT_FALSE(SaveEnabled());
        EXPECT_FALSE(Window->PageControl->widget(1)->isEnabled());

        // The window is still usable.
        Dialogs.Clear();
        Open(good);
        EXPECT_TRUE(Window->ProjectOpen);
        EXPECT_TRUE(Dialogs.Messages.empty());
        CloseProject();
        Dialogs.Clear();
    }
}

TEST_F(ProjectFilesTest, ProjectWhoseFloorPlanWasDeletedSavesOnlyAfterANewOneIsChosen)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("丢失"), Plan2());
    QFile::remove(Plan2());
    Open(ini);
    ASSERT_TRUE(Window->ProjectOpen);
    EXPECT_TRUE(Dialogs.Only().Text.contains(Plan2())) << "the designer learns which file is gone";
    EXPECT_TRUE(Window->EdtBackgroundPath->text().isEmpty());
    EXPECT_FALSE(Window->gcWiring->Background().HasGraphic())
        << "not the floor plan of the project before";
    Dialogs.Clear();

    Window->EdtCustomerName->setText(QStringLiteral("改过"));
    const QByteArray settings = ReadBytes(ini);
    const QByteArray wiring = ReadBytes(ProjectFile("丢失", ".wir"));
    Window->btnSaveFile->click();
    EXPECT_EQ(Dialogs.Only().Text, FloorPlanRuleMessage);
    EXPECT_TRUE(Window->Modified);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_EQ(ReadBytes(ini), settings);
    EXPECT_EQ(ReadBytes(ProjectFile("丢失", ".wir")), wiring);

    // The folder alone is no floor plan.
    Dialogs.Clear();
    Window->EdtBackgroundPath->setText(App + QStringLiteral("background/"));
    Window->btnSaveFile->click();
    EXPECT_EQ(Dialogs.Only().Text, FloorPlanRuleMessage);
    EXPECT_EQ(ReadBytes(ini), settings);

    // The "..." button chooses a new one, starting at the field's text.
    Dialogs.Clear();
    Dialogs.Pictures = {Plan()};
    Window->SpeedButton4->click();
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan());
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_FALSE(Window->Modified);
    EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QStringLiteral("plan.jpg"));
    EXPECT_EQ(Key(ini, "customer", "CustomerName"), QStringLiteral("改过"));

    // The button starts at the field's file; cancelling keeps the field.
    Dialogs.Pictures = {QString()};
    Window->SpeedButton4->click();
    EXPECT_EQ(Dialogs.PictureStarts.back(), Plan());
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan());
    EXPECT_FALSE(Window->Modified);
    // An empty field starts in the floor-plan folder.
    Window->EdtBackgroundPath->clear();
    Dialogs.Pictures = {QString()};
    Window->SpeedButton4->click();
    EXPECT_EQ(QDir::cleanPath(Dialogs.PictureStarts.back()),
              QDir::cleanPath(App + QStringLiteral("background")));
    Window->EdtBackgroundPath->setText(Plan());
    Window->SetModified(false);
    CloseProject();
    Open(ini);
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan());
}

// --- Saving ---

TEST_F(ProjectFilesTest, SaveWritesEveryKeyAndRenamingChangesOnlyProjectName)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("原名"));
    Open(ini);
    Window->gcWiring->InsertNode(TRect(20, 20, 60, 60));
    Window->gcGuard->InsertNode(TRect(20, 20, 60, 60));
    Window->gcGuard->InsertNode(TRect(80, 20, 120, 60));
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_FALSE(Window->Modified);
    EXPECT_FALSE(SaveEnabled());
    int wiringObjects = 0, guardObjects = 0;
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile("原名", ".wir"), &wiringObjects));
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile("原名", ".gua"), &guardObjects));
    EXPECT_EQ(wiringObjects, 1);
    EXPECT_EQ(guardObjects, 2);
    const QStringList before = Entries(ini);
    const QStringList tree = TreeOf(App + QStringLiteral("projects"));

    Window->EdtProjectName->setText(QStringLiteral("新名字"));
    EXPECT_TRUE(SaveEnabled());
    Window->btnSaveFile->click();
    QStringList expected = before;
    expected.replaceInStrings(QStringLiteral("customer/ProjectName=原名"),
                              QStringLiteral("customer/ProjectName=新名字"));
    EXPECT_EQ(Entries(ini), expected);
    EXPECT_EQ(TreeOf(App + QStringLiteral("projects")), tree)
        << "folder and files keep their names";
    EXPECT_EQ(Window->ProjectPath, ini);
}

// A save that cannot write one of the files names it, leaves the project
// modified, and leaves every file readable.
TEST_F(ProjectFilesTest, FailedSaveNamesTheFileAndKeepsTheChanges)
{
    Start();
    for (const char *extension : {".ini", ".wir", ".gua"}) {
        SCOPED_TRACE(extension);
        const QString name = QStringLiteral("失败") + QLatin1String(extension).mid(1);
        const QString ini = MakeProject(name);
        Open(ini);
        Window->gcWiring->InsertNode(TRect(20, 20, 60, 60));
        Window->EdtCustomerName->setText(QStringLiteral("新客户"));
        const QString blocked = ProjectFile(name, extension);
        // A folder in the way of the file.
        ASSERT_TRUE(QFile::remove(blocked));
        ASSERT_TRUE(QDir().mkdir(blocked));

        Window->btnSaveFile->click();
        const auto &message = Dialogs.Only();
        EXPECT_EQ(message.Icon, IUserDialogs::Error);
        EXPECT_TRUE(message.Text.contains(blocked)) << message.Text.toStdString();
        EXPECT_TRUE(Window->Modified);
        EXPECT_TRUE(SaveEnabled());
        EXPECT_TRUE(Window->ProjectOpen);
        EXPECT_TRUE(QFileInfo(blocked).isDir());
        for (const char *other : {".wir", ".gua"}) {
            if (QLatin1String(other) != QLatin1String(extension)) {
                EXPECT_TRUE(LoadsAsDiagram(ProjectFile(name, other))) << other;
            }
        }
        if (QLatin1String(extension) != QLatin1String(".ini")) {
            EXPECT_EQ(Key(ini, "customer", "ProjectName"), name);
        }

        // Out of the way, the next save succeeds.
        QDir().rmdir(blocked);
        Dialogs.Clear();
        Window->btnSaveFile->click();
        EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
        EXPECT_FALSE(Window->Modified);
        EXPECT_EQ(Key(ini, "customer", "CustomerName"), QStringLiteral("新客户"));
        int objects = 0;
        EXPECT_TRUE(LoadsAsDiagram(ProjectFile(name, ".wir"), &objects));
        EXPECT_EQ(objects, 1);
        CloseProject();
        Dialogs.Clear();
    }
}

// --- Closing ---

TEST_F(ProjectFilesTest, CloseOffersToSave)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("关闭"));
    const struct {
        const char *name;
        std::optional<IUserDialogs::TButton> answer; // none: not modified
        bool breakFloorPlan;
        bool saved;
        bool closed;
    } cases[] = {
        {"not modified", std::nullopt, false, false, true},
        {"Yes saves", IUserDialogs::Yes, false, true, true},
        {"No drops the changes", IUserDialogs::No, false, false, true},
        {"Yes but the save is refused", IUserDialogs::Yes, true, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Open(ini);
        const QByteArray before = ReadBytes(ini);
        if (c.answer) {
            Window->EdtDesignerName->setText(QString::fromUtf8(c.name));
            if (c.breakFloorPlan)
                Window->EdtBackgroundPath->setText(QStringLiteral("/tmp/plan.jpg"));
        }
        CloseProject(c.answer);
        EXPECT_EQ(Dialogs.Messages.size(), c.answer ? (c.breakFloorPlan ? 2u : 1u) : 0u)
            << Dialogs.Texts().join(u" | ").toStdString();
        if (c.breakFloorPlan) {
            EXPECT_EQ(Dialogs.Messages.back().Text, FloorPlanRuleMessage);
        }
        EXPECT_EQ(Key(ini, "customer", "DesignerName") == QString::fromUtf8(c.name), c.saved);
        if (!c.saved) {
            EXPECT_EQ(ReadBytes(ini), before);
        }
        EXPECT_EQ(Window->ProjectOpen, !c.closed);
        if (c.closed) {
            EXPECT_FALSE(Window->Modified);
            EXPECT_FALSE(SaveEnabled());
            EXPECT_TRUE(Window->ProjectPath.isEmpty());
            EXPECT_EQ(Window->ProjectSettings, nullptr);
            EXPECT_EQ(Window->ActiveGraph, Window->gcWiring) << "the drawing page shown";
            EXPECT_TRUE(Window->EdtProjectName->text().isEmpty());
            EXPECT_TRUE(Window->EdtProjectComment->toPlainText().isEmpty());
            EXPECT_TRUE(Act("actFileOpen")->isEnabled());
        } else {
            EXPECT_TRUE(Window->Modified);
            EXPECT_EQ(Window->ProjectPath, ini);
            CloseProject(IUserDialogs::No);
        }
        Dialogs.Clear();
    }
}

TEST_F(ProjectFilesTest, CloseKeepsTheProjectWhenTheSaveFails)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("写不了"));
    Open(ini);
    Window->gcGuard->InsertNode(TRect(0, 0, 40, 40));
    const QString guard = ProjectFile("写不了", ".gua");
    QFile::remove(guard);
    QDir().mkdir(guard);
    CloseProject(IUserDialogs::Yes);
    ASSERT_EQ(Dialogs.Messages.size(), 2u);
    EXPECT_TRUE(Dialogs.Messages[1].Text.contains(guard));
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_TRUE(Window->Modified);
    EXPECT_EQ(Window->gcGuard->Objects().Count(), 1) << "the drawing is not lost";
}

// --- Save as ---

TEST_F(ProjectFilesTest, SaveAsCopiesTheSavedProjectIntoANewFolderAndOpensIt)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("旧"));
    Open(ini);
    Window->gcWiring->InsertNode(TRect(0, 0, 40, 40));
    Window->btnSaveFile->click();
    Window->EdtCustomerName->setText(QStringLiteral("不保存的改动"));
    QDir(App).mkpath(QStringLiteral("D"));

    Dialogs.Answers = {IUserDialogs::No};
    Dialogs.Files = {App + QStringLiteral("D/new")};
    Act("actFileSaveAs")->trigger();
    ASSERT_EQ(Dialogs.Messages.size(), 1u) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Dialogs.Messages[0].Text, QStringLiteral("该文件尚未保存，你是否要保存该文件？"));
    const QString copy = App + QStringLiteral("D/new/new.ini");
    EXPECT_EQ(TreeOf(App + QStringLiteral("D")),
              QStringList({"new", "new/new.gua", "new/new.ini", "new/new.wir"}));
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_FALSE(Window->Modified);
    EXPECT_FALSE(SaveEnabled());
    EXPECT_EQ(Window->ProjectPath, copy);
    EXPECT_EQ(Window->ActiveGraph, Window->gcWiring) << "the drawing page shown";
    EXPECT_EQ(Window->EdtProjectName->text(), QStringLiteral("旧"));
    EXPECT_EQ(Window->EdtCustomerName->text(), QStringLiteral("张三"))
        << "unsaved changes are lost";
    EXPECT_EQ(Key(copy, "customer", "ProjectName"), QStringLiteral("旧"));
    EXPECT_EQ(Key(copy, "project", "WiringPath"), ProjectFile("旧", ".wir"));
    EXPECT_EQ(Window->gcWiring->Objects().Count(), 1);
    EXPECT_EQ(ReadBytes(App + QStringLiteral("D/new/new.wir")),
              ReadBytes(ProjectFile("旧", ".wir")));

    // The copy saves into its own files.
    Window->EdtCustomerName->setText(QStringLiteral("新客户"));
    Window->btnSaveFile->click();
    EXPECT_EQ(Key(copy, "project", "WiringPath"), App + QStringLiteral("D/new/new.wir"));
    EXPECT_EQ(Key(copy, "customer", "CustomerName"), QStringLiteral("新客户"));
    EXPECT_EQ(Key(ini, "customer", "CustomerName"), QStringLiteral("张三"));
}

// Choosing the project's own folder copies nothing over itself.
TEST_F(ProjectFilesTest, SaveAsOntoItselfKeepsItsFiles)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("自己"));
    Open(ini);
    Window->gcWiring->InsertNode(TRect(0, 0, 40, 40));
    Window->btnSaveFile->click();
    const QByteArray wiring = ReadBytes(ProjectFile("自己", ".wir"));
    const QByteArray settings = ReadBytes(ini);
    Dialogs.Files = {App + QStringLiteral("projects/自己")};
    Act("actFileSaveAs")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->ProjectPath, ini);
    EXPECT_EQ(ReadBytes(ProjectFile("自己", ".wir")), wiring);
    EXPECT_EQ(ReadBytes(ini), settings);
    EXPECT_EQ(Window->gcWiring->Objects().Count(), 1);
}

TEST_F(ProjectFilesTest, SaveAsCancelledOrFailingKeepsTheProjectOpen)
{
    Start();
    // Cancelled save dialog.
    const QString ini = MakeProject(QStringLiteral("留下"));
    Open(ini);
    Dialogs.Files = {QString()};
    Act("actFileSaveAs")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->ProjectPath, ini);
    CloseProject();

    // A project made through the dialog has no drawings on disk until its
    // first save; declining that save leaves nothing to copy.
    ASSERT_TRUE(CreateThroughDialog(
        [&](TFrmCustomer &d) { FillDialog(d, QStringLiteral("未存"), Plan()); }));
    Dialogs.Clear();
    Dialogs.Answers = {IUserDialogs::No};
    Dialogs.Files = {App + QStringLiteral("副本")};
    Act("actFileSaveAs")->trigger();
    ASSERT_EQ(Dialogs.Messages.size(), 2u) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Dialogs.Messages[1].Icon, IUserDialogs::Error);
    EXPECT_TRUE(Dialogs.Messages[1].Text.contains(ProjectFile("未存", ".wir")))
        << Dialogs.Messages[1].Text.toStdString();
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_TRUE(Window->Modified);
    EXPECT_EQ(Window->ProjectPath, ProjectFile("未存"));
    EXPECT_EQ(Window->EdtProjectName->text(), QStringLiteral("未存"));
}

// --- Floor-plan commands ---

TEST_F(ProjectFilesTest, ImportWritesTheFloorPlanAtOnce)
{
    QDir(App).mkpath(QStringLiteral("BACKGROUND"));
    QFile::copy(Plan2(), App + QStringLiteral("BACKGROUND/upper.bmp"));
    QDir(App).mkpath(QStringLiteral("elsewhere"));
    QFile::copy(Plan2(), App + QStringLiteral("elsewhere/plan2.bmp"));
    Start();
    const QString ini = MakeProject(QStringLiteral("导入"));
    Open(ini);
    Window->PageControl->setCurrentIndex(1);
    Window->PageControl->setCurrentIndex(2);
    Window->PageControl->setCurrentIndex(1);
    ASSERT_EQ(Window->ActiveGraph, Window->gcWiring);

    // Refused outside background/; the file and field stay.
    Dialogs.Pictures = {App + QStringLiteral("elsewhere/plan2.bmp")};
    Act("actEditImport")->trigger();
    EXPECT_EQ(Dialogs.Only().Text, FloorPlanRuleMessage);
    EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QStringLiteral("plan.jpg"));
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan());
    EXPECT_FALSE(Window->Modified);

    // Cancelled: nothing.
    Dialogs.Clear();
    Dialogs.Pictures = {QString()};
    Act("actEditImport")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_FALSE(Window->Modified);

    // Accepted, also with the folder in other letter case.
    const QString upper = App + QStringLiteral("BACKGROUND/upper.bmp");
    for (const QString &picture : {Plan2(), upper}) {
        SCOPED_TRACE(picture.toStdString());
        Dialogs.Pictures = {picture};
        Act("actEditImport")->trigger();
        EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
        EXPECT_EQ(Window->EdtBackgroundPath->text(), picture);
        EXPECT_EQ(Window->gcWiring->BackgroundPath(), QFileInfo(picture).fileName());
        EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QFileInfo(picture).fileName())
            << "written before any save";
        EXPECT_TRUE(Window->Modified);
        EXPECT_TRUE(SaveEnabled());
    }
    // Closing without saving keeps the imported name.
    CloseProject(IUserDialogs::No);
    EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QStringLiteral("upper.bmp"));
}

TEST_F(ProjectFilesTest, ImportOnTheDistributionBoxPageReachesTheWiringAtTheNextSave)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("配电"));
    Open(ini);
    Window->PageControl->setCurrentIndex(2);
    ASSERT_EQ(Window->ActiveGraph, Window->gcGuard);
    const QString wiringRecorded = Window->gcWiring->BackgroundPath();
    Dialogs.Pictures = {Plan2()};
    Act("actEditImport")->trigger();
    EXPECT_TRUE(Window->gcGuard->Background().HasGraphic());
    EXPECT_EQ(Window->gcGuard->BackgroundPath(), QStringLiteral("plan2.bmp"));
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), wiringRecorded);
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan2.bmp"));
    EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QStringLiteral("plan2.bmp"));
}

TEST_F(ProjectFilesTest, ReImportReloadsTheRecordedFloorPlan)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("重新"));
    Open(ini);
    Window->PageControl->setCurrentIndex(2);
    ASSERT_EQ(Window->ActiveGraph, Window->gcGuard);
    ASSERT_FALSE(Window->gcGuard->Background().HasGraphic());

    Act("actEditReImport")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_TRUE(Window->gcGuard->Background().HasGraphic());
    EXPECT_EQ(Window->gcGuard->BackgroundPath(), QStringLiteral("plan.jpg"));
    EXPECT_TRUE(Window->Modified);
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan()) << "the field is not changed";
    const QByteArray settings = ReadBytes(ini);

    // The file is gone.
    QFile::remove(Plan());
    Act("actEditReImport")->trigger();
    EXPECT_EQ(Dialogs.Only().Text,
              QStringLiteral("该文件不存在，请重新选择户型图，户型图必须存放在程序主目录的 "
                             "background 子目录下！"));
    EXPECT_EQ(ReadBytes(ini), settings) << "re-import never writes";

    // No floor plan recorded at all: re-import runs the import.
    Dialogs.Clear();
    Window->ProjectSettings->WriteString(QStringLiteral("customer"),
                                         QStringLiteral("BackgroundPath"), QString());
    Dialogs.Pictures = {Plan2()};
    Act("actEditReImport")->trigger();
    EXPECT_TRUE(Dialogs.Pictures.empty()) << "the picture dialog was shown";
    EXPECT_EQ(Key(ini, "customer", "BackgroundPath"), QStringLiteral("plan2.bmp"));
}

// --- The settings file on disk ---

TEST_F(ProjectFilesTest, HandWrittenGbkSettingsOpenAndSavesStayGbk)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("编码"));
    const QString plan = App + QStringLiteral("background/三居室.bmp");
    QFile::copy(Plan2(), plan);
    const QString text = QStringLiteral(
        "[customer]\r\nProjectName=手写方案\r\nCustomerName=欧阳娜娜\r\nCustomerPhone=021-6666\r\n"
        "CustomerAddress=广州市天河区体育西路\r\nCustomerEmail=a@b.cn\r\n"
        "DesignerCompany=华南设计院\r\nDesignerName=陈工\r\n"
        "BackgroundPath=C:\\Program Files\\Varneth\\background\\三居室.bmp\r\n"
        "ProjectComment=客厅需要三个插座\r\n");
    WriteBytes(ini, QStringEncoder("GBK").encode(text));

    Open(ini);
    ASSERT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->EdtProjectName->text(), QStringLiteral("手写方案"));
    EXPECT_EQ(Window->EdtCustomerName->text(), QStringLiteral("欧阳娜娜"));
    EXPECT_EQ(Window->EdtCustomerAddress->text(), QStringLiteral("广州市天河区体育西路"));
    EXPECT_EQ(Window->EdtDesignerCompany->text(), QStringLiteral("华南设计院"));
    EXPECT_EQ(Window->EdtDesignerName->text(), QStringLiteral("陈工"));
    EXPECT_EQ(Window->EdtProjectComment->toPlainText(), QStringLiteral("客厅需要三个插座"));
    EXPECT_EQ(Window->EdtBackgroundPath->text(), plan) << "the folder part is ignored";

    // Re-import reads the same key the same way.
    Window->PageControl->setCurrentIndex(2);
    Act("actEditReImport")->trigger();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Window->gcGuard->BackgroundPath(), QStringLiteral("三居室.bmp"));
    Dialogs.Clear();

    Window->EdtCustomerName->setText(QStringLiteral("诸葛亮"));
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    const QByteArray bytes = ReadBytes(ini);
    QStringDecoder gbk("GBK");
    const QString decoded = gbk.decode(bytes);
    EXPECT_FALSE(gbk.hasError());
    for (const char *value : {"诸葛亮", "手写方案", "广州市天河区体育西路", "华南设计院"}) {
        EXPECT_TRUE(
            bytes.contains(QByteArray(QStringEncoder("GBK").encode(QString::fromUtf8(value)))))
            << value;
        EXPECT_FALSE(bytes.contains(QByteArray(value))) << value << " written as UTF-8";
        EXPECT_TRUE(decoded.contains(QString::fromUtf8(value))) << value;
    }
}

TEST_F(ProjectFilesTest, FieldValuesComeBackAsTyped)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("原样"));
    const struct {
        const char *name;
        QString comment;
        QString address;
    } cases[] = {
        {"multi-line comment", QStringLiteral("第一行\n  第二行缩进\n\n最后一行 "),
         QStringLiteral("地址")},
        {"quotes and backslashes", QStringLiteral("\"引号\"\n\\n 不是换行"),
         QStringLiteral("\"C:\\家\\\"")},
        {"blanks around", QStringLiteral("  前后空格  "), QStringLiteral("  前后  ")},
        {"longer than 2047", QString(2100, QChar(u'备')) + QStringLiteral("\n尾"),
         QString(2500, QChar(u'址'))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Open(ini);
        Window->EdtProjectComment->setPlainText(c.comment);
        Window->EdtCustomerAddress->setText(c.address);
        Window->btnSaveFile->click();
        EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
        CloseProject();
        Open(ini);
        EXPECT_EQ(Window->EdtProjectComment->toPlainText(), c.comment);
        EXPECT_EQ(Window->EdtCustomerAddress->text(), c.address);
        EXPECT_FALSE(Window->Modified);
        CloseProject();
        Dialogs.Clear();
    }
}

} // namespace
