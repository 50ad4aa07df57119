// Crash recovery: the open project's unsaved drawings and fields kept in
// the recovery folder, offered at the next start with the scheme's name
// and time, restored as unsaved, kept when declined, removed by a save or
// a clean close; and for real: a program killed with SIGKILL in the middle
// of editing, whose work comes back at the next start.

#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "GraphControl.h"
#include "RecoveryStore.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

const char *const ChildVariable = "VARNETH_RECOVERY_TEST_CHILD";

class RecoveryTest : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        WriteFourSymbolLibrary(App, Qt::white);
        StartHere();
        Project = MakeProject(QStringLiteral("recovery"));
    }
    void StartHere()
    {
        Start();
        Window->SetRecoveryFolder(Folder());
    }
    QString Folder() const { return App + QStringLiteral("recovery"); }
    QString Kept() const { return TRecoveryStore(Folder()).FileOf(Project); }
    void Drop(int tag, QPoint at)
    {
        Window->PageControl->setCurrentIndex(1);
        Window->PaletteTag = tag;
        Window->DropPending = true;
        Window->gcWiringDragDrop(Window->gcWiring, at);
    }
    // Edits the open project: a lamp with its switch, and a typed name.
    void Edit()
    {
        Drop(0, QPoint(60, 60));
        Window->EdtCustomerName->setText(QStringLiteral("赵六"));
    }
    // A drawing as loading it gives it back (loading renumbers identifiers).
    static QByteArray AsLoaded(const QByteArray &drawing)
    {
        TGraphControl graph;
        graph.LoadFromBytes(drawing);
        return graph.SaveToBytes();
    }
    // A window gone without closing, as a crash leaves it.
    void Crash() { Window.reset(); }

    QString Project;
};

TEST_F(RecoveryTest, WorkKeptBeforeACrashComesBackUnsavedAtTheNextStart)
{
    Open(Project);
    Edit();
    ASSERT_TRUE(Window->KeepForRecovery());
    const QByteArray drawing = Window->gcWiring->SaveToBytes();
    Crash();
    ASSERT_TRUE(QFileInfo(Kept()).isFile())
        << "never in the project folder: " << Kept().toStdString();
    EXPECT_FALSE(Kept().startsWith(QFileInfo(Project).absolutePath()));

    StartHere();
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    ASSERT_TRUE(Window->OfferRecovery());
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    const QString question = Dialogs.Messages[0].Text;
    EXPECT_TRUE(question.contains(QStringLiteral("recovery"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    EXPECT_TRUE(Window->ProjectOpen);
    EXPECT_EQ(Window->gcWiring->SaveToBytes(), AsLoaded(drawing));
    EXPECT_EQ(Window->EdtCustomerName->text(), QStringLiteral("赵六"));
    EXPECT_TRUE(Window->Modified);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_TRUE(QFileInfo(Kept()).isFile()) << "kept until saved";

    ASSERT_TRUE(Window->actFileSaveExecute());
    EXPECT_FALSE(QFileInfo(Kept()).exists()) << "a save removes it";
    EXPECT_TRUE(LoadsAsDiagram(ProjectFile(QStringLiteral("recovery"), ".wir")));
}

TEST_F(RecoveryTest, AProjectNeverSavedComesBackToo)
{
    ASSERT_TRUE(CreateThroughDialog(
        [&](TFrmCustomer &dialog) { FillDialog(dialog, QStringLiteral("fresh"), Plan()); }));
    const QString drawingFile = ProjectFile(QStringLiteral("fresh"), ".wir");
    ASSERT_FALSE(QFileInfo::exists(drawingFile)) << "its drawings are not on disk yet";
    Edit();
    ASSERT_TRUE(Window->KeepForRecovery());
    const QByteArray drawing = Window->gcWiring->SaveToBytes();
    Crash();

    StartHere();
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    ASSERT_TRUE(Window->OfferRecovery()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Window->ProjectPath, ProjectFile(QStringLiteral("fresh")));
    EXPECT_EQ(Window->gcWiring->SaveToBytes(), AsLoaded(drawing));
    EXPECT_EQ(Window->EdtCustomerName->text(), QStringLiteral("赵六"));
    EXPECT_TRUE(Window->Modified);
    EXPECT_EQ(Dialogs.Messages.size(), 1u) << Dialogs.Texts().join(u" | ").toStdString();
    ASSERT_TRUE(Window->actFileSaveExecute());
    EXPECT_TRUE(LoadsAsDiagram(drawingFile));
}

TEST_F(RecoveryTest, DeclinedRecoveriesStayUntilTheNextSaveAndACleanCloseRemovesThem)
{
    Open(Project);
    Edit();
    ASSERT_TRUE(Window->KeepForRecovery());
    Crash();

    StartHere();
    Dialogs.Answers.push_back(IUserDialogs::No);
    EXPECT_FALSE(Window->OfferRecovery());
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_TRUE(QFileInfo(Kept()).isFile()) << "declining keeps it";

    // A clean close of that project, without saving, removes it.
    Open(Project);
    Edit();
    ASSERT_TRUE(Window->KeepForRecovery());
    CloseProject(IUserDialogs::No); // not saved
    EXPECT_FALSE(QFileInfo(Kept()).exists());
    Dialogs.Clear();
    EXPECT_FALSE(Window->OfferRecovery());
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(RecoveryTest, OnlyUnsavedWorkIsKeptAndAProjectGoneIsTold)
{
    Window->SetRecoveryInterval(20);
    Open(Project);
    QTest::qWait(100);
    EXPECT_FALSE(QFileInfo(Kept()).exists()) << "nothing unsaved";
    Edit();
    EXPECT_TRUE(QTest::qWaitFor([this] { return QFileInfo(Kept()).isFile(); }, 5000))
        << "kept by the timer";
    Crash();

    QFile::remove(Project);
    StartHere();
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    EXPECT_FALSE(Window->OfferRecovery());
    ASSERT_EQ(Dialogs.Messages.size(), 2u);
    EXPECT_TRUE(Dialogs.Messages[1].Text.contains(Project))
        << Dialogs.Messages[1].Text.toStdString();
    EXPECT_FALSE(Window->ProjectOpen);
    EXPECT_TRUE(QFileInfo(Kept()).isFile());
}

TEST_F(RecoveryTest, AProgramKilledWhileEditingGetsItsWorkBack)
{
    // The editing program is this test binary again, running the test below.
    Window.reset();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ChildVariable), App);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.EditsUntilKilled")});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray said;
    while (!said.contains("EDITED") && child.state() == QProcess::Running)
        if (child.waitForReadyRead(60000))
            said += child.readAllStandardOutput();
    ASSERT_TRUE(said.contains("EDITED")) << said.toStdString();
    child.kill(); // SIGKILL: no clean-up of any kind
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    StartHere();
    Dialogs.Answers.push_back(IUserDialogs::Yes);
    ASSERT_TRUE(Window->OfferRecovery()) << Dialogs.Texts().join(u" | ").toStdString();
    EXPECT_EQ(Window->gcWiring->SaveToBytes(),
              AsLoaded(ReadBytes(App + QStringLiteral("edited.wir"))));
    EXPECT_EQ(Window->EdtCustomerName->text(), QStringLiteral("赵六"));
    EXPECT_TRUE(Window->Modified);
}

// Run only as the child of the test above: opens the project, edits it,
// waits for the two-minute keeping (shortened) to have kept the edits,
// says so and goes on running until it is killed.
TEST(RecoveryChild, EditsUntilKilled)
{
    const QString app = qEnvironmentVariable(ChildVariable);
    if (app.isEmpty())
        GTEST_SKIP() << "run by AProgramKilledWhileEditingGetsItsWorkBack";
    TScriptedDialogs dialogs;
    TFrmMain window(app, &dialogs);
    window.SetRecoveryFolder(app + QStringLiteral("recovery"));
    window.SetRecoveryInterval(50);
    const QString project = app + QStringLiteral("projects/recovery/recovery.ini");
    ASSERT_TRUE(window.OpenProjectFile(project));
    window.PageControl->setCurrentIndex(1);
    window.PaletteTag = 0;
    window.DropPending = true;
    window.gcWiringDragDrop(window.gcWiring, QPoint(60, 60));
    window.EdtCustomerName->setText(QStringLiteral("赵六"));
    WriteBytes(app + QStringLiteral("edited.wir"), window.gcWiring->SaveToBytes());
    const QString kept = window.RecoveryFileOf(project);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(kept).isFile(); }, 30000));
    QTest::qWait(200); // kept at least once more, after the file appeared
    std::printf("EDITED\n");
    std::fflush(stdout);
    for (;;)
        QTest::qWait(100);
}

} // namespace
