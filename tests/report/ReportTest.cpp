#include "Report.h"
#include "MetafileCanvas.h"
#include "ReportOutput.h"
#include "ReportTestSupport.h"
#include "ReportTexts.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>

namespace {

using MetafileRecord::TOp;
using MetafileRecord::TOpKind;

// The recorded operations of one page, in page units (the recording
// device is scaled by dpi / 300 and read back divided by that).
struct TPage {
    std::vector<TOp> Ops;
    double Scale = 1;

    std::vector<const TOp *> Texts(const QString &text) const
    {
        std::vector<const TOp *> found;
        for (const TOp &op : Ops)
            if (op.Kind == TOpKind::Text && op.Text == text) found.push_back(&op);
        return found;
    }
    const TOp *Text(const QString &text) const
    {
        const auto found = Texts(text);
        EXPECT_EQ(found.size(), 1u) << text.toStdString();
        return found.empty() ? nullptr : found.front();
    }
    QPointF At(const QString &text) const // baseline origin in units
    {
        const TOp *op = Text(text);
        return op ? op->Origin / Scale : QPointF(-1, -1);
    }
    // The lowest baseline of any text but the footer, in units.
    double LowestText() const
    {
        double lowest = 0;
        for (const TOp &op : Ops)
            if (op.Kind == TOpKind::Text && !op.Text.startsWith(u"第 "))
                lowest = std::max(lowest, op.Origin.y() / Scale);
        return lowest;
    }
    int HorizontalLines() const
    {
        int lines = 0;
        for (const TOp &op : Ops)
            if (op.Kind == TOpKind::Polyline)
                for (const QPolygonF &line : op.Polygons)
                    lines += line.size() == 2 && line[0].y() == line[1].y();
        return lines;
    }
};

// Text runs that font fallback split (CJK from one face, digits from
// another) joined again where one continues the other on its baseline.
std::vector<TOp> Merged(const std::vector<TOp> &ops)
{
    std::vector<TOp> merged;
    double end = 0;
    for (const TOp &op : ops) {
        double width = 0;
        for (int advance : op.Advances)
            width += advance;
        TOp *last = merged.empty() ? nullptr : &merged.back();
        if (op.Kind == TOpKind::Text && last && last->Kind == TOpKind::Text &&
            std::abs(last->Origin.y() - op.Origin.y()) < 0.5 && std::abs(end - op.Origin.x()) < 2) {
            last->Text += op.Text;
        } else {
            merged.push_back(op);
        }
        if (op.Kind == TOpKind::Text) end = op.Origin.x() + width;
    }
    return merged;
}

class ReportTest : public ReportFixture {
protected:
    TSchemeData Scheme{QStringLiteral("张宅"), QStringLiteral("张三"),    QStringLiteral("010"),
                       QStringLiteral("北京"), QStringLiteral("z@e"),     QStringLiteral("瓦尼斯"),
                       QStringLiteral("李四"), QStringLiteral("备注一行")};
    const QSize Page{2330, 3358};

    TReport MakeReport() { return TReport({&Wiring, &Guard, Library.get(), App, Scheme}); }

    // Page n laid out on Page with the printer's font, recorded at dpi.
    TPage Record(TReport &report, int n, double dpi = 300,
                 TDrawMode mode = TDrawMode::Printer) const
    {
        const double scale = dpi / TReport::UnitsPerInch;
        TMetafile device(int(Page.width() * scale), int(Page.height() * scale));
        {
            QPainter painter(device.Device());
            painter.scale(scale, scale);
            report.Layout(painter, QRect(QPoint(0, 0), Page), TReport::PrintFontUnits);
            report.DrawPage(painter, n, mode);
        }
        return {Merged(device.Recording().Ops), scale};
    }
    void AddProducts(int count)
    {
        for (int i = 0; i < count; ++i)
            Symbol(Wiring, Socket, QStringLiteral("产品%1").arg(i), QStringLiteral("插座"),
                   QStringLiteral("B%1").arg(i), QStringLiteral("B01.bmp"));
    }
};

TEST_F(ReportTest, ASmallListGivesTheThreeSpecifiedPages)
{
    AddProducts(3);
    TReport report = MakeReport();
    const TPage page = Record(report, 2);
    ASSERT_EQ(report.PageCount(), 3);
    const int W = Page.width(), half = (W - 900) / 2, q = 150 + half;
    // Header row twice, items 0 and 1 in one row, item 2 alone in the next.
    EXPECT_EQ(page.Texts(QStringLiteral("产品名称")).size(), 2u);
    EXPECT_EQ(page.Texts(QStringLiteral("图例")).size(), 2u);
    EXPECT_NEAR(page.Texts(QStringLiteral("编号"))[0]->Origin.x(), 100 + 150, 0.5);
    EXPECT_NEAR(page.At(QStringLiteral("B0")).x(), 100 + 150, 0.5);
    EXPECT_NEAR(page.At(QStringLiteral("产品0")).x(), 100 + 350, 0.5);
    EXPECT_NEAR(page.At(QStringLiteral("B1")).x(), 100 + half + 400 + 150, 0.5);
    EXPECT_NEAR(page.At(QStringLiteral("B1")).y(), page.At(QStringLiteral("B0")).y(), 0.5);
    EXPECT_GT(page.At(QStringLiteral("B2")).y(), page.At(QStringLiteral("B0")).y());
    EXPECT_NEAR(page.At(QStringLiteral("B2")).x(), 100 + 150, 0.5);
    // Quantities at q in either half.
    const auto ones = page.Texts(QStringLiteral("1"));
    ASSERT_EQ(ones.size(), 3u);
    EXPECT_NEAR(ones[0]->Origin.x(), 100 + q, 0.5);
    EXPECT_NEAR(ones[1]->Origin.x(), 100 + half + 400 + q, 0.5);
    // The line under the title, one before each row, the closing line.
    EXPECT_EQ(page.HorizontalLines(), 4);
    EXPECT_EQ(page.Text(QStringLiteral("备注："))->Font.Weight, 700);
    EXPECT_EQ(page.Text(QStringLiteral("配置单"))->Font.Weight, 700);
    EXPECT_NE(page.Text(QStringLiteral("备注一行")), nullptr);
    EXPECT_NE(page.Text(ReportTexts::PageNumber(2, 3)), nullptr);
    EXPECT_EQ(ReportTexts::PageNumber(2, 4), QStringLiteral("第 2 页  共 4 页"));
}

TEST_F(ReportTest, ALongListGoesOnOnFurtherPagesWithItsHeaderAndNoProductIsLost)
{
    AddProducts(151);
    TReport report = MakeReport();
    Record(report, 1);
    const int pages = report.PageCount();
    ASSERT_GT(pages, 4);
    const double footer = Page.height() - 100;
    QMap<QString, int> drawn;
    for (int n = 1; n <= pages; ++n) {
        SCOPED_TRACE(n);
        const TPage page = Record(report, n);
        EXPECT_EQ(page.Texts(ReportTexts::PageNumber(n, pages)).size(), 1u) << "counts all pages";
        for (const TOp &op : page.Ops) {
            if (op.Kind == TOpKind::Text && op.Text.startsWith(u"产品") && op.Text != u"产品名称") {
                ++drawn[op.Text];
                EXPECT_LT(op.Origin.y(), footer) << op.Text.toStdString();
            }
            if (op.Kind == TOpKind::Image) {
                EXPECT_LE(op.Rect.bottom(), footer);
            }
        }
        if (n > 1 && n < pages - 1) {
            EXPECT_EQ(page.Texts(QStringLiteral("产品名称")).size(), 2u) << "header repeated";
        }
    }
    EXPECT_EQ(drawn.size(), 151);
    for (auto it = drawn.cbegin(); it != drawn.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    EXPECT_EQ(Record(report, pages).Texts(QStringLiteral("配电箱线路图")).size(), 1u);
}

TEST_F(ReportTest, ALongCommentGoesOnOnFurtherPages)
{
    QStringList lines;
    for (int i = 0; i < 120; ++i)
        lines << QStringLiteral("第%1行").arg(i);
    Scheme.ProjectComment = lines.join(u'\n');
    TReport report = MakeReport();
    Record(report, 1);
    const int pages = report.PageCount();
    ASSERT_GE(pages, 4);
    QStringList drawn;
    for (int n = 2; n < pages; ++n) {
        const TPage page = Record(report, n);
        EXPECT_LT(page.LowestText(), Page.height() - 100) << n;
        for (const TOp &op : page.Ops)
            if (op.Kind == TOpKind::Text && op.Text.startsWith(u"第") && op.Text.endsWith(u"行"))
                drawn << op.Text;
    }
    EXPECT_EQ(drawn, lines) << "every line once, in order";

    // A comment longer than its box but short enough for the page still
    // shows whole, below the specified box.
    Scheme.ProjectComment = lines.mid(0, 14).join(u'\n');
    TReport medium = MakeReport();
    const TPage page = Record(medium, 2);
    EXPECT_EQ(medium.PageCount(), 3);
    EXPECT_EQ(page.Texts(QStringLiteral("第13行")).size(), 1u);
}

TEST_F(ReportTest, TheLayoutIsTheSameInPageUnitsAtAnyResolution)
{
    AddProducts(5);
    TReport report = MakeReport();
    const TPage at300 = Record(report, 2, 300);
    const TPage at1200 = Record(report, 2, 1200);
    for (const char *text : {"配置单", "B0", "产品0", "B3", "产品4", "备注："}) {
        const QString t = QString::fromUtf8(text);
        EXPECT_NEAR(at1200.At(t).x(), at300.At(t).x(), 1.0) << text;
        EXPECT_NEAR(at1200.At(t).y(), at300.At(t).y(), 1.0) << text;
    }
    // The font is as many units high on every device.
    double reference = 0;
    for (const int dpi : {96, 72, 300, 600, 1200}) {
        QImage device(10, 10, QImage::Format_RGB32);
        device.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        device.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        QPainter painter(&device);
        TReport::SetFont(painter, TReport::PrintFontUnits, false);
        const double height = QFontMetricsF(painter.font(), &device).height();
        if (!reference) reference = height;
        EXPECT_NEAR(height, reference, reference * 0.02) << dpi;
        EXPECT_GT(height, TReport::PrintFontUnits * 0.9) << dpi;
    }
}

TEST_F(ReportTest, TheDrawingsFitTheirPlaces)
{
    // A tall distribution-box drawing: fitted into the height left, proportions kept.
    Guard.InsertNode(TRect(0, 0, 100, 2000), &TRectangularNode::Class);
    TReport report = MakeReport();
    Record(report, 3);
    QRect drawing = report.LastDrawingRect();
    EXPECT_LE(drawing.bottom(), Page.height() - 200);
    EXPECT_NEAR(double(drawing.width()) / drawing.height(), 100.0 / 2000, 0.01);
    EXPECT_EQ(drawing.left(), 50);

    // A wide one spans the width, half as high.
    Guard.Clear();
    Guard.InsertNode(TRect(0, 0, 2000, 1000), &TRectangularNode::Class);
    Record(report, 3);
    drawing = report.LastDrawingRect();
    EXPECT_EQ(drawing.width(), Page.width() - 100 - 50);
    EXPECT_EQ(drawing.height(), drawing.width() / 2);

    // The wiring drawing fills its square; far-away nodes do not make the
    // preview's bitmap larger than the square shown.
    Wiring.InsertNode(TRect(0, 0, 40, 40), &TRectangularNode::Class);
    Wiring.InsertNode(TRect(200000, 90000, 200040, 90040), &TRectangularNode::Class);
    const TPage page = Record(report, 1, 300, TDrawMode::Preview);
    drawing = report.LastDrawingRect();
    EXPECT_EQ(drawing.width(), drawing.height());
    int images = 0;
    for (const TOp &op : page.Ops)
        if (op.Kind == TOpKind::Image) {
            ++images;
            EXPECT_LE(op.Picture.width(), drawing.width() + 1);
            EXPECT_LE(op.Picture.height(), drawing.height() + 1);
        }
    EXPECT_EQ(images, 1);
}

TEST_F(ReportTest, EmptyDrawingsStillGiveEveryPage)
{
    TReport report = MakeReport();
    for (int n = 1; n <= 3; ++n) {
        const TPage page = Record(report, n);
        EXPECT_EQ(page.Texts(ReportTexts::PageNumber(n, 3)).size(), 1u);
        EXPECT_EQ(report.LastDrawingRect(), QRect());
    }
    EXPECT_EQ(Record(report, 2).HorizontalLines(), 2) << "title line and closing line";
    EXPECT_EQ(Record(report, 1).Text(QStringLiteral("电路设计图"))->Font.Weight, 700);
    EXPECT_TRUE(Record(report, 4).Ops.empty());
}

TEST_F(ReportTest, PreviewPagesAre800PixelsWideAndWriteNothingToDisk)
{
    EXPECT_EQ(ReportOutput::PreviewImageSize(QSize(2330, 3358)), QSize(800, 1152));
    EXPECT_EQ(ReportOutput::PreviewImageSize(QSize(4760, 6814)), QSize(800, 1144));
    Place(Wiring, Socket);
    Place(Guard, Breaker);
    const QStringList before = QDir(App).entryList(QDir::AllEntries | QDir::Hidden);
    TReport report = MakeReport();
    for (int n = 1; n <= 3; ++n) {
        const QImage image = ReportOutput::RenderPreviewPage(report, Page, n);
        EXPECT_EQ(image.size(), QSize(800, 1152));
        EXPECT_EQ(image.pixel(400, 600) | image.pixel(10, 10), qRgb(255, 255, 255)) << n;
    }
    EXPECT_EQ(QDir(App).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(ReportTexts::PageTabCaption(1), QStringLiteral("第一页"));
    EXPECT_EQ(ReportTexts::PageTabCaption(3), QStringLiteral("第三页"));
    EXPECT_EQ(ReportTexts::PageTabCaption(10), QStringLiteral("第十页"));
    EXPECT_EQ(ReportTexts::PageTabCaption(12), QStringLiteral("第十二页"));
    EXPECT_EQ(ReportTexts::PageTabCaption(20), QStringLiteral("第二十页"));
}

TEST_F(ReportTest, PdfHoldsEveryPageWithTextAndTheFloorPlanOnce)
{
    Wiring.Background().LoadFromData(TPicture::Bitmap,
                                     BitmapCodec::Encode24(Filled(qRgb(200, 220, 240), 333)));
    Place(Wiring, Socket);
    Place(Guard, Breaker);
    TReport report = MakeReport();
    const QString pdf = Dir.path() + QStringLiteral("/report.pdf");
    ReportOutput::WritePdf(report, pdf);
    const QByteArray bytes = ReadBytes(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              3);
    EXPECT_EQ(bytes.count("/Width 333"), 1) << "the floor plan embedded once";
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QProcess text;
    text.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    // Extractors space the text as they see fit.
    const QString extracted = QString::fromUtf8(text.readAllStandardOutput())
                                  .remove(QRegularExpression(QStringLiteral("\\s")));
    for (const char *expected : {"张宅", "选择开关、插座的要点", "五孔插座", "C16断路器",
                                 "第3页共3页", "插座回路一般选择16A/30mA的漏电保护断路器"})
        EXPECT_TRUE(extracted.contains(QString::fromUtf8(expected))) << expected;

    // A PDF that cannot be written leaves nothing behind.
    EXPECT_THROW(ReportOutput::WritePdf(report, Dir.path() + QStringLiteral("/no/report.pdf")),
                 EReportError);
}

} // namespace

namespace {

// A printer that makes files, never paper: the one VARNETH_TEST_PRINTER
// names, else a CUPS PDF printer of the machine.
QPrinterInfo FilePrinter()
{
    const QString named = qEnvironmentVariable("VARNETH_TEST_PRINTER");
    if (!named.isEmpty()) return QPrinterInfo::printerInfo(named);
    for (const QPrinterInfo &printer : QPrinterInfo::availablePrinters())
        if (printer.makeAndModel().contains(u"CUPS-PDF", Qt::CaseInsensitive)) return printer;
    return QPrinterInfo();
}

// The whole job goes to a real printer and nothing is reported.
TEST_F(ReportTest, PrintsOnASystemPrinter)
{
    const QPrinterInfo target = FilePrinter();
    if (target.isNull()) GTEST_SKIP() << "no CUPS PDF printer on this machine";
    Place(Wiring, Socket);
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("varneth report test"));
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    TReport report = MakeReport();
    EXPECT_NO_THROW(ReportOutput::Print(report, printer));
    EXPECT_EQ(report.PageCount(), 3);
    EXPECT_NE(printer.printerState(), QPrinter::Error);
}

} // namespace

namespace {

TEST(ReportOutputTest, WithoutAPrinterToAskThePreviewUsesTheFallbackPage)
{
    EXPECT_EQ(ReportOutput::PreviewPage(nullptr), TReport::FallbackPage);
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_EQ(ReportOutput::PreviewPage(&pdf), TReport::FallbackPage) << "a PDF file is no printer";
}

} // namespace
