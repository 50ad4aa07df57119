// The configuration list and the report of the main window.

#include "WiringMain.h"

#include "ConfigExport.h"
#include "ConfigList.h"
#include "ConfigListView.h"
#include "GraphControl.h"
#include "Report.h"
#include "ReportOutput.h"
#include "ReportPreview.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTabWidget>

void TFrmMain::BuildConfigList()
{
    ConfigItems->BuildConfigList(*gcWiring, *gcGuard);
}

void TFrmMain::TabSheet3Show()
{
    BuildConfigList();
    ConfigListView()->Fill(ConfigItems->Items());
}

QString TFrmMain::ConfigExportFilter()
{
    return QStringLiteral("CSV (*.csv);;Excel 工作簿 (*.xlsx)");
}

void TFrmMain::actFileExportConfigExecute()
{
    QString name = FDialogs->SaveFile(this, ConfigExportFilter(), QString());
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".csv");
    BuildConfigList();
    ConfigExport::Write(ConfigItems->Items(), name);
}

// --- Report ---

TReportInput TFrmMain::ReportInput()
{
    TReportInput input;
    input.Wiring = gcWiring;
    input.Guard = gcGuard;
    input.Library = IconStore.get();
    input.AppPath = AppPath;
    input.Scheme = {EdtProjectName->text(),   EdtCustomerName->text(),
                    EdtCustomerPhone->text(), EdtCustomerAddress->text(),
                    EdtCustomerEmail->text(), EdtDesignerCompany->text(),
                    EdtDesignerName->text(),  EdtProjectComment->toPlainText()};
    return input;
}

QPrinter &TFrmMain::Printer()
{
    if (!FPrinter) FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *FPrinter;
}

void TFrmMain::TabSheet4Show()
{
    TReportPreview *preview = Preview(); // its page tabs show even without a project
    if (!ProjectOpen) return;
    TReport report(ReportInput());
    preview->SetPageCount(
        ReportOutput::PreviewPageCount(report, ReportOutput::PreviewPage(&Printer())));
    if (preview->currentIndex() == 0)
        RenderPreviewPage(1);
    else
        preview->setCurrentIndex(0); // renders page 1
}

void TFrmMain::RenderPreviewPage(int n)
{
    if (!ProjectOpen) return;
    TReport report(ReportInput());
    Preview()->SetPageImage(
        n, ReportOutput::RenderPreviewPage(report, ReportOutput::PreviewPage(&Printer()), n));
}

void TFrmMain::ClearPreview()
{
    if (PageControlSub)
        PageControlSub->Clear(); // nothing shown yet otherwise
}

void TFrmMain::PrintReport(QPrinter &printer)
{
    TReport report(ReportInput());
    ReportOutput::Print(report, printer);
}

void TFrmMain::actFilePrintExecute()
{
    if (FDialogs->Print(this, Printer())) PrintReport(Printer());
}

void TFrmMain::actFilePrintSetExecute()
{
    FDialogs->PageSetup(this, Printer());
}

void TFrmMain::actFileExportExecute()
{
    QString name = FDialogs->SaveFile(
        this, QStringLiteral("Metafiles (*.wmf);;Enhanced Metafiles (*.emf)"), QString());
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".emf");
    // Before a drawing page was shown, the drawing of the page in view.
    TGraphControl *graph = ActiveGraph;
    if (!graph) graph = PageControl->currentIndex() == 2 ? gcGuard : gcWiring;
    graph->SaveAsMetafile(name);
}

void TFrmMain::actFileExportPdfExecute()
{
    QString name = FDialogs->SaveFile(this, QStringLiteral("PDF (*.pdf)"), QString());
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".pdf");
    TReport report(ReportInput());
    ReportOutput::WritePdf(report, name);
}
