// The report of a 2,000-symbol wiring drawing over a 4,000 x 3,000 JPEG
// floor plan: each preview page, the whole PDF; and, beside page 1, the
// wiring drawing made into a bitmap at its own size first, as the preview
// once did.

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

QByteArray PlanJpeg()
{
    QImage plan(4000, 3000, QImage::Format_RGB32);
    plan.fill(Qt::white);
    QPainter painter(&plan);
    painter.setPen(QPen(Qt::black, 12));
    for (int x = 0; x < 4000; x += 400)
        painter.drawLine(x, 0, x, 3000);
    for (int y = 0; y < 3000; y += 300)
        painter.drawLine(0, y, 4000, y);
    painter.end();
    return JpegCodec::Encode(plan, 85);
}

// 2,000 objects as drops make them: symbol, companion 80 lower, link.
struct TBenchReport {
    TGraphControl Wiring;
    TGraphControl Guard;
    TReportInput Input;

    TBenchReport()
    {
        Wiring.Background().LoadFromData(TPicture::Jpeg, PlanJpeg());
        QImage symbol(20, 20, QImage::Format_RGB32);
        symbol.fill(Qt::white);
        TPicture picture;
        picture.SetImage(symbol);
        TGraphUpdateGuard batch(&Wiring);
        uint32_t seed = 12345;
        const auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return int((seed >> 8) % uint32_t(range));
        };
        const auto place = [&](int x, int y, int i) {
            TGraphNode *node = Wiring.InsertNode(TRect(x, y, x + 40, y + 40), &TIconNode::Class);
            node->SetBackground(picture);
            node->SetText(QStringLiteral("B%1").arg(i % 100, 2, 10, QChar(u'0')));
            node->SetIconCaption(QStringLiteral("插座%1").arg(i % 40));
            return node;
        };
        for (int i = 0; i < 2000 / 3; ++i) {
            const int x = next(3960), y = next(2880);
            Wiring.LinkNodes(place(x, y, i), place(x, y + 80, i + 1));
        }
        Wiring.SelectedObjects().Clear();
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
