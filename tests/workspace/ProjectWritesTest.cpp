#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "GraphNode.h"
#include "RectangularNode.h"

// What a project writes is checked before it is written: a floor plan that
// does not load, and text that code page 936 cannot hold, never reach the
// files, and a floor plan gone bad never locks the project out.

namespace {

class ProjectWritesTest : public WorkspaceTest {
protected:
    QString Broken() const { return App + QStringLiteral("background/broken.jpg"); }
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        WriteBytes(Broken(), "\xFF\xD8\xFF not really a JPEG");
    }
    // The bytes of every file below the program folder.
    std::map<QString, QByteArray> Files() const
    {
        std::map<QString, QByteArray> files;
        for (const QString &entry : TreeOf(App))
            files[entry] = ReadBytes(App + entry);
        return files;
    }
};

TEST_F(ProjectWritesTest, AFloorPlanThatDoesNotLoadIsRefusedBeforeAnythingIsWritten)
{
    Start();
    const std::map<QString, QByteArray> empty = Files();

    // Creating on page 0.
    FillPage0(QStringLiteral("坏图"), Broken());
    Window->btnCreateFile->click();
    EXPECT_TRUE(Dialogs.Only().Text.contains(Broken())) << Dialogs.Only().Text.toStdString();
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_EQ(Files(), empty) << "no folder left behind";

    // Creating through the dialog.
    Dialogs.Clear();
    EXPECT_FALSE(CreateThroughDialog(
        [&](TFrmCustomer &d) { FillDialog(d, QStringLiteral("坏图"), Broken()); }));
    EXPECT_TRUE(Dialogs.Only().Text.contains(Broken()));
    EXPECT_EQ(Files(), empty);

    // Importing into an open project, and saving one whose field names it.
    Dialogs.Clear();
    const QString ini = MakeProject(QStringLiteral("好图"));
    Open(ini);
    Window->PageControl->setCurrentIndex(1);
    const std::map<QString, QByteArray> saved = Files();
    Dialogs.Pictures = {Broken()};
    Act("actEditImport")->trigger();
    EXPECT_EQ(Dialogs.Only().Icon, IUserDialogs::Error);
    EXPECT_TRUE(Dialogs.Only().Text.contains(Broken()));
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan()) << "the field keeps the good one";
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan.jpg"));
    EXPECT_FALSE(Window->Modified);
    EXPECT_EQ(Files(), saved);

    Dialogs.Clear();
    Window->EdtBackgroundPath->setText(Broken());
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Only().Text.contains(Broken()));
    EXPECT_TRUE(Window->Modified);
    EXPECT_EQ(Files(), saved);
    EXPECT_EQ(Window->gcWiring->Background().GraphicClassName(), QStringLiteral("TJPEGImage"));

    // The project still saves and opens once a good floor plan is chosen.
    Dialogs.Clear();
    Window->EdtBackgroundPath->setText(Plan2());
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    CloseProject();
    Open(ini);
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan2());
}

// A settings file may still name a floor plan that no longer loads (written
// by hand, or the picture damaged later): the project opens without it.
TEST_F(ProjectWritesTest, AProjectWhoseFloorPlanDoesNotLoadOpensWithoutItAndSaysWhich)
{
    Start();
    const QString ini = MakeProject(QStringLiteral("手改"));
    TIniFile(ini).WriteString(QStringLiteral("customer"), QStringLiteral("BackgroundPath"),
                              QStringLiteral("broken.jpg"));
    Open(ini);
    ASSERT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Dialogs.Only().Icon, IUserDialogs::Warning);
    EXPECT_TRUE(Dialogs.Only().Text.contains(Broken())) << Dialogs.Only().Text.toStdString();
    EXPECT_TRUE(Window->EdtBackgroundPath->text().isEmpty());
    EXPECT_FALSE(Window->gcWiring->Background().HasGraphic())
        << "not the picture of the project created before";
    EXPECT_TRUE(Window->gcWiring->BackgroundPath().isEmpty());
}

// Opening records the floor plan, so that a later save compares the field
// with this project's floor plan, not with the one loaded before.
TEST_F(ProjectWritesTest, ASaveAfterOpeningLoadsTheFloorPlanTheFieldNames)
{
    Start();
    const QString first = MakeProject(QStringLiteral("甲"), Plan());
    MakeProject(QStringLiteral("乙"), Plan2()); // the last floor plan loaded
    Open(first);
    EXPECT_EQ(Window->gcWiring->BackgroundPath(), QStringLiteral("plan.jpg"));
    Window->EdtBackgroundPath->setText(Plan2());
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Window->gcWiring->Background().GraphicClassName(), QStringLiteral("TBitmap"))
        << "the drawing shows the floor plan the settings now name";
}

// Characters outside code page 936 would reach the files as "?": the
// designer is told which field or text holds them, and nothing is written.
TEST_F(ProjectWritesTest, TextThatCodePage936CannotHoldIsNamedAndNothingIsWritten)
{
    Start();
    const QString surrogate = QStringLiteral("张\U00020BB7");
    const std::map<QString, QByteArray> empty = Files();

    FillPage0(QStringLiteral("字符"), Plan());
    Window->EdtDesignerName->setText(surrogate);
    Window->btnCreateFile->click();
    EXPECT_TRUE(Dialogs.Only().Text.contains(QStringLiteral("设计师姓名")))
        << Dialogs.Only().Text.toStdString();
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_EQ(Files(), empty);

    Dialogs.Clear();
    EXPECT_FALSE(CreateThroughDialog([&](TFrmCustomer &d) {
        FillDialog(d, QStringLiteral("字符"), Plan());
        d.EdtProjectComment->setPlainText(QStringLiteral("好😀"));
    }));
    EXPECT_TRUE(Dialogs.Only().Text.contains(QStringLiteral("备注")));
    EXPECT_TRUE(Dialogs.Only().Text.contains(QStringLiteral("😀")));
    EXPECT_EQ(Files(), empty);

    Dialogs.Clear();
    const QString ini = MakeProject(QStringLiteral("字符"));
    Open(ini);
    const std::map<QString, QByteArray> saved = Files();
    const struct {
        const char *where;
        std::function<void(bool)> set; // true: the bad text, false: undo
    } cases[] = {
        {"客户姓名",
         [&](bool bad) { Window->EdtCustomerName->setText(bad ? surrogate : QString()); }},
        {"方案名称",
         [&](bool bad) {
             Window->EdtProjectName->setText(bad ? QStringLiteral("字符🏠")
                                                 : QStringLiteral("字符"));
         }},
        {"配电箱线路图中的文字",
         [&](bool bad) {
             if (bad)
                 Window->gcGuard->InsertNode(TRect(0, 0, 80, 30), &TTextNode::Class)
                     ->SetText(QStringLiteral("回路😀"));
             else
                 Window->gcGuard->Clear();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.where);
        Dialogs.Clear();
        c.set(true);
        Window->btnSaveFile->click();
        EXPECT_TRUE(Dialogs.Only().Text.contains(QString::fromUtf8(c.where)))
            << Dialogs.Only().Text.toStdString();
        EXPECT_TRUE(Window->Modified);
        EXPECT_EQ(Files(), saved);
        c.set(false);
    }
    Dialogs.Clear();
    Window->btnSaveFile->click();
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_FALSE(Window->Modified);
}

// The creation dialog's "..." starts in the floor-plan folder, as the import does.
TEST_F(ProjectWritesTest, CreationDialogChoosesTheFloorPlanInTheBackgroundFolder)
{
    Start();
    Dialogs.Pictures = {Plan2()};
    CreateThroughDialog([&](TFrmCustomer &d) {
        FillDialog(d, QStringLiteral("起点"), QString());
        d.SpeedButton1->click();
    });
    ASSERT_EQ(Dialogs.PictureStarts.size(), 1u);
    EXPECT_EQ(QDir::cleanPath(Dialogs.PictureStarts[0]),
              QDir::cleanPath(App + QStringLiteral("background")));
    EXPECT_EQ(Window->EdtBackgroundPath->text(), Plan2());
}

} // namespace
