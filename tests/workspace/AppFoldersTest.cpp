#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "AppFolders.h"
#include "NavBar.h"
#include "RectangularNode.h"
#include "WiringSetProjectName.h"

#include <QDirIterator>

namespace {

// The choice of folders: where the library lies decides between the
// program's own folder and an installation's.
TEST(AppFoldersTest, ChoosesTheNamedFolderThenTheProgramsThenTheInstalledData)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + u'/';
    for (const char *folder : {"build/", "share/"}) {
        QDir(root).mkpath(QLatin1String(folder));
        WriteBytes(root + QLatin1String(folder) + QStringLiteral("iconstore.xml"), "<iconstore/>");
    }
    QDir(root).mkpath(QStringLiteral("bin"));
    const QString build = root + QStringLiteral("build/"), bin = root + QStringLiteral("bin/"),
                  share = root + QStringLiteral("share/"), user = root + QStringLiteral("user/"),
                  none = root + QStringLiteral("none/");
    const struct {
        const char *what;
        QString named, program, installed, userFolder;
        QString data, writable;
    } cases[] = {
        {"a build tree", "", build, share, user, build, build},
        {"installed", "", bin, share, user, share, user},
        {"--appdir wins over an installation", root + QStringLiteral("mine"), bin, share, user,
         root + QStringLiteral("mine/"), root + QStringLiteral("mine/")},
        {"a relative or unclean name is made whole", root + QStringLiteral("x/../mine/"), bin,
         share, user, root + QStringLiteral("mine/"), root + QStringLiteral("mine/")},
        {"no library anywhere: the program's folder tells it", "", bin, none, user, bin, bin},
        {"no user folder to be had", "", bin, share, "", bin, bin},
    };
    for (const auto &c : cases) {
        const TAppFolders folders =
            TAppFolders::Choose(c.named, c.program, c.installed, c.userFolder);
        EXPECT_EQ(folders.Data, c.data) << c.what;
        EXPECT_EQ(folders.User, c.writable) << c.what;
        EXPECT_EQ(folders.Split(), c.data != c.writable) << c.what;
    }
}

TEST(AppFoldersTest, MakesTheUserFoldersOnlyWhenSplitAndNamesOneItCannotMake)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + u'/';
    EXPECT_EQ(TAppFolders::Same(root + QStringLiteral("one")).MakeUserFolders(), QString());
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("one/projects")))
        << "a program folder is used as it is";

    const TAppFolders installed{root + QStringLiteral("data/"), root + QStringLiteral("a/b/")};
    EXPECT_EQ(installed.MakeUserFolders(), QString());
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("a/b/projects")).isDir());
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("a/b/templates")).isDir());
    EXPECT_EQ(installed.MakeUserFolders(), QString()) << "the next start finds them";

    WriteBytes(root + QStringLiteral("file"), "x");
    const TAppFolders blocked{root + QStringLiteral("data/"), root + QStringLiteral("file/")};
    EXPECT_EQ(blocked.MakeUserFolders(), root + QStringLiteral("file/projects"));
}

// An installed program: the library, floor plans and bundled schemes are
// read from a data folder that nothing writes to; projects and the
// designer's own schemes go to the user's folder.
class InstalledWindowTest : public WorkspaceTest {
protected:
    QTemporaryDir Home;
    QString User;

    void SetUp() override
    {
        WorkspaceTest::SetUp();
        ASSERT_TRUE(Home.isValid());
        User = Home.path() + QStringLiteral("/.local/share/varneth/");
        QDir(App).mkpath(QStringLiteral("templates"));
        ASSERT_EQ(TAppFolders({App, User}).MakeUserFolders(), QString());
        Scheme(App + QStringLiteral("templates/bundled.prj"), 1);
        Scheme(App + QStringLiteral("templates/shared.prj"), 2);
        Scheme(User + QStringLiteral("templates/shared.prj"), 3);
        Scheme(User + QStringLiteral("templates/own.prj"), 4);
        DataBefore = Listing(App);
        Window = std::make_unique<TFrmMain>(TAppFolders{App, User}, &Dialogs);
        Window->show();
    }

    QStringList DataBefore;

    // A scheme file holding n labels.
    static void Scheme(const QString &path, int n)
    {
        TGraphControl graph;
        for (int i = 0; i < n; ++i)
            graph.InsertNode(TRect(0, 50 * i, 100, 50 * i + 40), &TTextNode::Class);
        graph.SaveToFile(path);
    }
    static QStringList Listing(const QString &folder)
    {
        QStringList files;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file(it.next());
            files << file.filePath() +
                         (file.isDir() ? QString() : u' ' + QString::number(file.size()));
        }
        files.sort();
        return files;
    }
    QStringList SchemeHints() const
    {
        QStringList hints;
        for (const TNavBarItem *item : Window->navBarGuard->Groups(0)->Links())
            hints << item->Hint;
        return hints;
    }
    int Applied(const QString &fileName)
    {
        for (TNavBarItem *item : Window->navBarGuard->Groups(0)->Links())
            if (item->Hint == fileName)
                Window->navBarGuard->PressItem(item);
        Dialogs.Answers = {IUserDialogs::Yes};
        Window->gcWiringDragDrop(Window->gcGuard, QPoint(10, 10));
        return Window->gcGuard->Objects().Count();
    }
};

TEST_F(InstalledWindowTest, ListsOwnSchemesBeforeTheBundledOnesAndReadsEachFromItsFolder)
{
    const QStringList hints = SchemeHints();
    ASSERT_EQ(hints.size(), 3) << hints.join(u' ').toStdString();
    EXPECT_EQ(hints.last(), QStringLiteral("bundled.prj")) << "the user's own come first";
    EXPECT_EQ(hints.count(QStringLiteral("shared.prj")), 1);
    for (const TNavBarItem *item : Window->navBarGuard->Groups(0)->Links())
        EXPECT_EQ(item->Tag, 60001 + hints.indexOf(item->Hint));
    EXPECT_EQ(Applied(QStringLiteral("bundled.prj")), 1);
    EXPECT_EQ(Applied(QStringLiteral("shared.prj")), 3) << "the user's copy hides the bundled one";
    EXPECT_EQ(Applied(QStringLiteral("own.prj")), 4);
}

TEST_F(InstalledWindowTest, KeepsProjectsAndSavedSchemesInTheUserFolderOnly)
{
    CreateOnPage0(QStringLiteral("新居"));
    const QString base = User + QStringLiteral("projects/新居/新居");
    for (const char *extension : {".ini", ".wir", ".gua"})
        EXPECT_TRUE(QFileInfo::exists(base + QLatin1String(extension))) << extension;
    EXPECT_EQ(Window->ProjectPath, base + QStringLiteral(".ini"));

    // Saving as a scheme that the installation bundles asks first, then
    // writes the user's copy, which is listed once and used from then on.
    Window->PageControl->setCurrentIndex(2);
    Window->gcGuard->Clear();
    for (int i = 0; i < 5; ++i)
        Window->gcGuard->InsertNode(TRect(0, 50 * i, 100, 50 * i + 40), &TTextNode::Class);
    TFrmSetProjectName *dialog = Window->FrmSetProjectName;
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->edtProjectName->setText(QStringLiteral("bundled"));
        dialog->btnOK->click();
    });
    Dialogs.Answers = {IUserDialogs::Yes};
    Window->Action(QStringLiteral("actSaveAsProject"))->trigger();
    EXPECT_TRUE(Dialogs.Only().Question) << "it would hide the bundled scheme";
    EXPECT_TRUE(LoadsAsDiagram(User + QStringLiteral("templates/bundled.prj")));
    EXPECT_EQ(SchemeHints().count(QStringLiteral("bundled.prj")), 1);
    Dialogs.Clear();
    Window->gcGuard->Clear();
    EXPECT_EQ(Applied(QStringLiteral("bundled.prj")), 5);

    EXPECT_EQ(Listing(App), DataBefore) << "nothing is written to the installed data";
}

} // namespace
