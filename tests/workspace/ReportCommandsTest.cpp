#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "GraphNode.h"
#include "RectangularNode.h"
#include "ReportOutput.h"
#include "ReportPreview.h"

#include <QLabel>
#include <QMenuBar>
#include <QPrinter>

namespace {

class ReportCommandsTest : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        Start();
        CreateOnPage0(QStringLiteral("report"));
    }
    // count products of their own, each a socket.
    void AddProducts(int count)
    {
        for (int i = 0; i < count; ++i) {
            TGraphNode *node = Window->gcWiring->InsertNode(TRect(0, 0, 40, 40), &TIconNode::Class);
            node->SetIconCaption(QStringLiteral("产品%1").arg(i));
            node->SetIconType(QStringLiteral("插座"));
        }
    }
    QSize Shown(int page) const
    {
        const QLabel *image = Window->Preview()->ImagePage(page);
        return image && !image->pixmap().isNull() ? image->pixmap().size() : QSize();
    }
    static int PdfPages(const QByteArray &pdf)
    {
        return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                   pdf.count("/Type /Page "));
    }
};

TEST_F(ReportCommandsTest, ThePreviewShowsPageOneFirstAndIsClearedWithTheProject)
{
    TReportPreview *preview = Window->Preview();
    ASSERT_EQ(preview->count(), 3);
    EXPECT_EQ(preview->tabText(0), QStringLiteral("第一页"));
    EXPECT_EQ(preview->tabPosition(), QTabWidget::South);

    // The printer's page, or the fallback page (800 x 1152) on a machine without one.
    const QSize page =
        ReportOutput::PreviewImageSize(ReportOutput::PreviewPage(&Window->Printer()));
    EXPECT_EQ(page.width(), 800);
    Window->PageControl->setCurrentIndex(4);
    EXPECT_EQ(preview->currentIndex(), 0);
    EXPECT_EQ(Shown(1), page);
    EXPECT_EQ(Shown(2), QSize()) << "rendered only when shown";
    preview->setCurrentIndex(2);
    EXPECT_EQ(Shown(3), page);
    Window->PageControl->setCurrentIndex(0);
    Window->PageControl->setCurrentIndex(4);
    EXPECT_EQ(preview->currentIndex(), 0) << "page 1 first on every showing";

    // A long list gives more pages, each with its tab.
    AddProducts(150);
    Window->PageControl->setCurrentIndex(0);
    Window->PageControl->setCurrentIndex(4);
    ASSERT_GT(preview->count(), 4);
    EXPECT_EQ(preview->tabText(3), QStringLiteral("第四页"));
    preview->setCurrentIndex(preview->count() - 1);
    EXPECT_EQ(Shown(preview->count()), page);

    CloseProject(IUserDialogs::No);
    Dialogs.Clear();
    EXPECT_EQ(preview->count(), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(Shown(page), QSize()) << "the previous customer's pages are gone";
    preview->setCurrentIndex(1);
    EXPECT_EQ(Shown(2), QSize()) << "nothing is rendered without a project";
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
}

using PreviewPageTest = WorkspaceTest;

TEST_F(PreviewPageTest, IsMadeWhenFirstShownWithItsPageTabsEvenWithoutAProject)
{
    Start();
    EXPECT_EQ(Window->findChild<TReportPreview *>(), nullptr) << "not before it is shown";
    Window->PageControl->setCurrentIndex(4);
    const auto *preview = Window->findChild<TReportPreview *>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview, Window->Preview());
    EXPECT_EQ(preview->count(), 3);
    EXPECT_TRUE(Window->PageControl->currentWidget()->isAncestorOf(preview));
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
}

TEST_F(ReportCommandsTest, PrintsEveryPageAndReportsAJobThatCannotStart)
{
    const QString pdf = Dir.path() + QStringLiteral("/printed.pdf");
    const auto toFile = [](const QString &file) {
        return [file](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            return true;
        };
    };
    Dialogs.PrinterAnswers = {toFile(pdf), [](QPrinter &) { return false; },
                              toFile(Dir.path() + QStringLiteral("/missing/printed.pdf"))};
    Act("actFilePrint")->trigger();
    EXPECT_EQ(PdfPages(ReadBytes(pdf)), 3);
    QFile::remove(pdf);
    Act("actFilePrint")->trigger(); // cancelled
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(Dialogs.Messages.empty());
    Act("actFilePrint")->trigger();
    ASSERT_EQ(Dialogs.Only().Icon, IUserDialogs::Error) << "the failed job is reported";

    // Print setup works on the same printer.
    Dialogs.Clear();
    QPrinter *seen = nullptr;
    Dialogs.PrinterAnswers = {[&seen](QPrinter &printer) {
        seen = &printer;
        return true;
    }};
    Act("actFilePrintSet")->trigger();
    EXPECT_EQ(seen, &Window->Printer());
}

TEST_F(ReportCommandsTest, ExportsTheDrawingByTheNamesExtensionAndTheReportAsPdf)
{
    const QList<QAction *> file = Window->menuBar()->actions().first()->menu()->actions();
    EXPECT_EQ(file.indexOf(Act("actFileExportPdf")), file.indexOf(Act("actFileExportConfig")) + 1);
    EXPECT_EQ(Act("actFileExportPdf")->text(), QStringLiteral("导出PDF"));

    Window->PageControl->setCurrentIndex(2);
    Window->gcGuard->InsertNode(TRect(0, 0, 60, 30));
    const QString wmf = Dir.path() + QStringLiteral("/guard.WMF");
    const QString bmp = Dir.path() + QStringLiteral("/guard.bmp");
    const QString bare = Dir.path() + QStringLiteral("/guard");
    Dialogs.Files = {wmf, bmp, bare};
    for (int i = 0; i < 3; ++i)
        Act("actFileExport")->trigger();
    EXPECT_TRUE(ReadBytes(wmf).startsWith("\xD7\xCD\xC6\x9A")) << "a placeable Windows metafile";
    EXPECT_EQ(ReadBytes(bmp).mid(40, 4), QByteArray(" EMF")) << "an enhanced metafile";
    EXPECT_EQ(ReadBytes(bare + QStringLiteral(".emf")).mid(40, 4), QByteArray(" EMF"));

    const QString pdf = Dir.path() + QStringLiteral("/report");
    Dialogs.Files = {pdf};
    Act("actFileExportPdf")->trigger();
    EXPECT_EQ(PdfPages(ReadBytes(pdf + QStringLiteral(".pdf"))), 3);
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
}

} // namespace
