// The report of a 2,000-symbol wiring drawing over a 4,000 x 3,000 JPEG
// floor plan: each preview page, the whole PDF; and, beside page 1, the
// wiring drawing made into a bitmap at its own size first, as the preview
// once did.

#include "BenchDrawing.h"
#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "JpegCodec.h"
#include "MetafileCanvas.h"
#include "RectangularNode.h"
#include "Report.h"
#include "ReportOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// 2,000 objects as drops make them: symbol, companion 80 lower, link.
struct TBenchReport {
    TGraphControl Wiring;
    TGraphControl Guard;
    TReportInput Input;

    TBenchReport()
    {
        Wiring.Background().LoadFromData(TPicture::Jpeg, BenchDrawing::FloorPlanJpeg());
        BenchDrawing::FillSymbols(Wiring, 2000);
        int i = 0;
        for (TGraphObject *object : Wiring.Objects().Snapshot())
            if (!object->IsLink())
                object->SetIconCaption(QStringLiteral("插座%1").arg(i++ % 40));
        Guard.InsertNode(TRect(0, 0, 800, 400));
        Input = {&Wiring, &Guard, nullptr, QDir::tempPath() + u'/', {}};
        Input.Scheme.ProjectName = QStringLiteral("基准");
    }
};

TBenchReport &Bench()
{
    static TBenchReport bench;
    return bench;
}

void BM_PreviewPage(benchmark::State &state)
{
    TReport report(Bench().Input);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ReportOutput::RenderPreviewPage(report, TReport::FallbackPage, int(state.range(0))));
}
BENCHMARK(BM_PreviewPage)->DenseRange(1, 3)->ArgName("page")->Unit(benchmark::kMillisecond);

// Page 1's drawing as a bitmap of the drawing's own size, stretched into
// the square: what rasterising at the size shown saves.
void BM_PreviewWiringAtOwnSize(benchmark::State &state)
{
    const QRect square(50, 1500, 600, 600);
    for (auto _ : state) {
        QImage page(800, 1152, QImage::Format_RGB32);
        page.fill(Qt::white);
        const std::unique_ptr<TMetafile> picture = Bench().Wiring.GetAsMetafile();
        QImage bitmap(picture->Width(), picture->Height(), QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        {
            QPainter canvas(&bitmap);
            picture->Draw(canvas, QRectF(bitmap.rect()));
        }
        QPainter painter(&page);
        painter.drawImage(square, bitmap);
    }
}
BENCHMARK(BM_PreviewWiringAtOwnSize)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State &state)
{
    TReport report(Bench().Input);
    const QString file = QDir::temp().filePath(QStringLiteral("varneth-bench-report.pdf"));
    for (auto _ : state)
        ReportOutput::WritePdf(report, file);
    state.counters["bytes"] = double(QFileInfo(file).size());
    QFile::remove(file);
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);

} // namespace
