#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "NavBar.h"
#include "RectangularNode.h"
#include "WiringSetProjectName.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// "保存为推荐方案" on a project whose distribution-box drawing holds one label.
class SchemeSavingTest : public WorkspaceTest {
protected:
    QString Folder;

    void SetUp() override
    {
        WorkspaceTest::SetUp();
        Folder = App + QStringLiteral("templates/");
        QDir(App).mkpath(QStringLiteral("templates"));
        Start();
        Window->show(); // lists the schemes already there
        CreateOnPage0(QStringLiteral("方案库"));
        Window->PageControl->setCurrentIndex(2);
        Window->gcGuard->InsertNode(TRect(0, 0, 100, 40), &TTextNode::Class)
            ->SetText(QStringLiteral("照明回路"));
    }

    // Types name into the name dialog and presses "确定" (or "取消").
    void SaveAsScheme(const QString &name, bool ok = true)
    {
        TFrmSetProjectName *dialog = Window->FrmSetProjectName;
        QTimer::singleShot(0, dialog, [=] {
            dialog->edtProjectName->setText(name);
            (ok ? dialog->btnOK : dialog->btnCancel)->click();
        });
        Act("actSaveAsProject")->trigger();
    }
    std::vector<TNavBarItem *> SchemeItems() const
    {
        return Window->navBarGuard->Groups(0)->Links();
    }
};

TEST_F(SchemeSavingTest, OfferedInTheFileAndBackgroundMenusWhileTheDistributionBoxIsCurrent)
{
    QAction *command = Act("actSaveAsProject");
    EXPECT_EQ(command->text(), QStringLiteral("保存为推荐方案"));
    EXPECT_TRUE(Window->pmBase->actions().contains(command));
    QMenu *file = Window->menuBar()->actions()[0]->menu();
    EXPECT_EQ(file->title(), QStringLiteral("文件"));
    EXPECT_TRUE(file->actions().contains(command));
    const struct {
        int page;
        bool visible;
    } steps[] = {{2, true}, {3, true}, {1, false}, {0, false}, {2, true}};
    for (const auto &step : steps) {
        Window->PageControl->setCurrentIndex(step.page);
        EXPECT_EQ(command->isVisible(), step.visible) << "page " << step.page;
    }
}

TEST_F(SchemeSavingTest, SavesTheDrawingAndListsItOnce)
{
    SaveAsScheme(QStringLiteral("三室两厅"));
    ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
    const QString file = Folder + QStringLiteral("三室两厅.prj");
    int objects = 0;
    ASSERT_TRUE(LoadsAsDiagram(file, &objects));
    EXPECT_EQ(objects, 1);
    ASSERT_EQ(SchemeItems().size(), 1u);
    const TNavBarItem *item = SchemeItems()[0];
    EXPECT_EQ(item->Caption, QStringLiteral("三室两厅"));
    EXPECT_EQ(item->Hint, QStringLiteral("三室两厅.prj"));
    EXPECT_EQ(item->Tag, 65000);
    EXPECT_EQ(Window->FrmSetProjectName->edtProjectName->text(), QStringLiteral("三室两厅"))
        << "the dialog keeps the last name";

    // Saving under that name again asks first; No keeps the file.
    Window->gcGuard->InsertNode(TRect(0, 100, 100, 140), &TTextNode::Class);
    const QByteArray saved = ReadBytes(file);
    Dialogs.Answers = {IUserDialogs::No};
    SaveAsScheme(QStringLiteral("三室两厅"));
    EXPECT_TRUE(Dialogs.Only().Text.contains(QStringLiteral("三室两厅")));
    EXPECT_EQ(ReadBytes(file), saved);

    // Yes replaces it, and the palette still lists it once.
    Dialogs.Clear();
    Dialogs.Answers = {IUserDialogs::Yes};
    SaveAsScheme(QStringLiteral("三室两厅"));
    EXPECT_TRUE(LoadsAsDiagram(file, &objects));
    EXPECT_EQ(objects, 2);
    EXPECT_EQ(SchemeItems().size(), 1u);

    // The saved scheme is applied like any other.
    Window->navBarGuard->PressItem(SchemeItems()[0]);
    Window->gcGuard->Clear();
    Dialogs.Answers = {IUserDialogs::Yes};
    Window->gcWiringDragDrop(Window->gcGuard, QPoint(10, 10));
    EXPECT_EQ(Window->gcGuard->Objects().Count(), 2);
}

TEST_F(SchemeSavingTest, AFileListedAtStartUpIsReplacedOnlyWhenConfirmedAndNotListedTwice)
{
    WriteBytes(Folder + QStringLiteral("一室一厅.prj"), "old");
    Window->LoadRecommendedSchemes();
    ASSERT_EQ(SchemeItems().size(), 1u);
    Dialogs.Answers = {IUserDialogs::Yes};
    SaveAsScheme(QStringLiteral("一室一厅"));
    EXPECT_TRUE(LoadsAsDiagram(Folder + QStringLiteral("一室一厅.prj")));
    ASSERT_EQ(SchemeItems().size(), 1u);
    EXPECT_EQ(SchemeItems()[0]->Tag, 60001);
}

TEST_F(SchemeSavingTest, RefusedNamesAndFailedWritesLeaveNoFileAndNoItem)
{
    const struct {
        QString name;
        const char *message;
    } cases[] = {
        {QString(), "推荐方案名称不能为空！"},     {QStringLiteral("a/b"), "推荐方案名称"},
        {QStringLiteral(".."), "推荐方案名称"},    {QStringLiteral("..\\上级"), "推荐方案名称"},
        {QStringLiteral("冒:号"), "推荐方案名称"}, {QStringLiteral("问?号"), "推荐方案名称"},
        {QStringLiteral("尾点."), "推荐方案名称"},
    };
    const QStringList before = TreeOf(App);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        Dialogs.Clear();
        SaveAsScheme(c.name);
        EXPECT_TRUE(Dialogs.Only().Text.contains(QString::fromUtf8(c.message)))
            << Dialogs.Only().Text.toStdString();
        EXPECT_EQ(TreeOf(App), before);
        EXPECT_TRUE(SchemeItems().empty());
    }

    // Cancelling writes nothing either.
    Dialogs.Clear();
    SaveAsScheme(QStringLiteral("取消的"), false);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(TreeOf(App), before);

    // A write that fails is reported, and nothing is listed.
    QDir(Folder).removeRecursively();
    WriteBytes(App + QStringLiteral("templates"), "a file where the folder should be");
    SaveAsScheme(QStringLiteral("写不了"));
    EXPECT_EQ(Dialogs.Only().Icon, IUserDialogs::Error);
    EXPECT_TRUE(SchemeItems().empty());
}

} // namespace
