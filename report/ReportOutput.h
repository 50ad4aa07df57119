#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <stdexcept>

class QPrinter;
class TReport;

// A report that could not be printed or written; the message says why and
// names the file where there is one.
class EReportError : public std::runtime_error {
public:
    explicit EReportError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// The report put on the screen, on paper and into files.
namespace ReportOutput {

// The page of the preview in page units: the printer's printable page, or
// the fallback page when there is no printer to ask (printer may be null).
QSize PreviewPage(QPrinter *printer);
// 800 pixels wide, as high as the page's proportions (rounded to hundredths) say.
QSize PreviewImageSize(const QSize &page);
// Page n (1-based) as the preview shows it.
QImage RenderPreviewPage(TReport &report, const QSize &page, int n);
// How many pages the report has on the preview's page.
int PreviewPageCount(TReport &report, const QSize &page);

// The whole report on a printer: every page, 10-point font, the page inset
// by 70 units. A job that cannot start or fails on the way is aborted and
// reported by EReportError.
void Print(TReport &report, QPrinter &printer);
// The whole report as an A4 PDF, as the printer would print it, with
// vector drawings and text; the file is written completely or not at all.
void WritePdf(TReport &report, const QString &fileName);
// Page n as a file, by the name's extension: ".png" as the preview renders
// it, ".emf", ".wmf" or ".svg" as a vector page of the preview's page size.
void WritePage(TReport &report, const QSize &page, int n, const QString &fileName);

} // namespace ReportOutput
