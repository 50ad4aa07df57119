#include "ReportOutput.h"

#include "GraphMath.h"
#include "MetafileCanvas.h"
#include "Report.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>
#include <functional>

namespace ReportOutput {

namespace {

constexpr int PreviewWidth = 800;

QString Native(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// Maps page units onto a device of the given resolution.
void ScaleToDevice(QPainter &painter, double dpi)
{
    const double scale = dpi / TReport::UnitsPerInch;
    painter.scale(scale, scale);
}

// Draws every page onto a paginated device; newPage starts the next page
// and says whether it could.
void DrawAllPages(TReport &report, QPainter &painter, const QRect &pageRect,
                  const std::function<bool()> &newPage)
{
    report.Layout(painter, pageRect, TReport::PrintFontUnits);
    for (int page = 1; page <= report.PageCount(); ++page) {
        if (page > 1 && !newPage())
            throw EReportError(QStringLiteral("无法开始新的一页，打印已取消。"));
        report.DrawPage(painter, page, TDrawMode::Printer);
    }
}

// The printable page of a paginated device in page units, less the inset.
QRect InsetPage(const QSizeF &pixels, double dpi)
{
    const int w = int(std::floor(pixels.width() * TReport::UnitsPerInch / dpi));
    const int h = int(std::floor(pixels.height() * TReport::UnitsPerInch / dpi));
    const int inset = TReport::PrintInset;
    return QRect(inset, inset, std::max(w - 2 * inset, 1), std::max(h - 2 * inset, 1));
}

} // namespace

QSize PreviewPage(QPrinter *printer)
{
    // Without a printer to ask, the fallback page; a PDF "printer" is no printer.
    if (!printer || printer->outputFormat() != QPrinter::NativeFormat ||
        QPrinterInfo::availablePrinters().isEmpty())
        return TReport::FallbackPage;
    const QRectF pixels = printer->pageRect(QPrinter::DevicePixel);
    const double dpi = printer->resolution();
    if (pixels.width() < 1 || pixels.height() < 1 || dpi <= 0) return TReport::FallbackPage;
    return QSize(int(std::floor(pixels.width() * TReport::UnitsPerInch / dpi)),
                 int(std::floor(pixels.height() * TReport::UnitsPerInch / dpi)));
}

QSize PreviewImageSize(const QSize &page)
{
    const int hundredths =
        GraphMath::RoundHalfEven(100.0 * page.height() / std::max(page.width(), 1));
    return QSize(PreviewWidth, PreviewWidth * hundredths / 100);
}

QImage RenderPreviewPage(TReport &report, const QSize &page, int n)
{
    const QSize size = PreviewImageSize(page);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // The whole page, stretched over the whole image.
    painter.scale(double(size.width()) / page.width(), double(size.height()) / page.height());
    report.Layout(painter, QRect(QPoint(0, 0), page), TReport::PreviewFontUnits);
    report.DrawPage(painter, n, TDrawMode::Preview);
    return image;
}

int PreviewPageCount(TReport &report, const QSize &page)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    const QSize size = PreviewImageSize(page);
    painter.scale(double(size.width()) / page.width(), double(size.height()) / page.height());
    report.Layout(painter, QRect(QPoint(0, 0), page), TReport::PreviewFontUnits);
    return report.PageCount();
}

void Print(TReport &report, QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw EReportError(QStringLiteral("打印机无法开始打印：%1").arg(printer.printerName()));
    try {
        ScaleToDevice(painter, printer.resolution());
        const QRect page =
            InsetPage(printer.pageRect(QPrinter::DevicePixel).size(), printer.resolution());
        DrawAllPages(report, painter, page, [&printer] { return printer.newPage(); });
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        throw EReportError(QStringLiteral("打印失败：%1").arg(printer.printerName()));
}

void WritePdf(TReport &report, const QString &fileName)
{
    QSaveFile file(fileName);
    const QString cannot = QStringLiteral("Cannot create file \"%1\".").arg(Native(fileName));
    if (!file.open(QIODevice::WriteOnly)) throw EReportError(cannot + u' ' + file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(TReport::UnitsPerInch);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(QStringLiteral("配置单"));
        pdf.setCreator(QStringLiteral("Varneth电气线路设计系统"));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            file.cancelWriting();
            throw EReportError(cannot);
        }
        const QRect page = InsetPage(pdf.pageLayout().fullRectPixels(TReport::UnitsPerInch).size(),
                                     TReport::UnitsPerInch);
        try {
            DrawAllPages(report, painter, page, [&pdf] { return pdf.newPage(); });
        } catch (...) {
            painter.end();
            file.cancelWriting();
            throw;
        }
        painter.end();
    }
    if (!file.commit()) throw EReportError(cannot + u' ' + file.errorString());
}

void WritePage(TReport &report, const QSize &page, int n, const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    const QString cannot = QStringLiteral("Cannot create file \"%1\".").arg(Native(fileName));
    const QRect pageRect(QPoint(0, 0), page);
    if (extension == u"png") {
        if (!RenderPreviewPage(report, page, n).save(fileName, "PNG")) throw EReportError(cannot);
    } else if (extension == u"emf" || extension == u"wmf") {
        TMetafile metafile(page.width(), page.height());
        {
            QPainter painter(metafile.Device());
            report.Layout(painter, pageRect, TReport::PreviewFontUnits);
            report.DrawPage(painter, n, TDrawMode::Printer);
        }
        metafile.SaveToFile(fileName);
    } else if (extension == u"svg") {
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            throw EReportError(cannot + u' ' + file.errorString());
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(page);
            svg.setViewBox(pageRect);
            svg.setResolution(TReport::UnitsPerInch);
            QPainter painter(&svg);
            report.Layout(painter, pageRect, TReport::PreviewFontUnits);
            report.DrawPage(painter, n, TDrawMode::Printer);
        }
        if (!file.commit()) throw EReportError(cannot + u' ' + file.errorString());
    } else {
        throw EReportError(QStringLiteral("Unknown report file extension (.%1)").arg(extension));
    }
}

} // namespace ReportOutput
