// One paint of a 1,200 x 800 view over a 4,000 x 3,000 JPEG floor plan with
// symbols and links, at zoom 100 and 400: what every mouse move during a
// drag costs.

#include "BenchDrawing.h"
#include "GraphControl.h"
#include "GraphExport.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "JpegCodec.h"
#include "RectangularNode.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void BM_PaintView(benchmark::State &state, BenchDrawing::TSymbolPicture kind)
{
    static const QByteArray plan = BenchDrawing::FloorPlanJpeg();
    TGraphControl graph;
    graph.Background().LoadFromData(TPicture::Jpeg, plan);
    BenchDrawing::FillSymbols(graph, int(state.range(0)), kind);
    graph.resize(1200, 800);
    graph.show();
    QApplication::processEvents();
    graph.SetZoom(int(state.range(1)));
    graph.HorzScrollBar().SetPosition(graph.HorzScrollBar().MaxPosition() / 2);
    graph.VertScrollBar().SetPosition(graph.VertScrollBar().MaxPosition() / 2);
    graph.viewport()->repaint();
    if (state.range(0) == 2000 && state.range(1) == 100)
        graph.viewport()->grab().save(kind == BenchDrawing::TSymbolPicture::Bitmap
                                          ? QStringLiteral("paint-bench.png")
                                          : QStringLiteral("paint-bench-metafile.png"));
    for (auto _ : state)
        graph.viewport()->repaint();
    state.counters["objects"] = graph.Objects().Count();
}

BENCHMARK_CAPTURE(BM_PaintView, bitmap, BenchDrawing::TSymbolPicture::Bitmap)
    ->ArgsProduct({{200, 2000, 20000}, {100, 400}})
    ->ArgNames({"objects", "zoom"})
    ->Unit(benchmark::kMillisecond);
// The symbols as the bundled library draws them: metafiles.
BENCHMARK_CAPTURE(BM_PaintView, metafile, BenchDrawing::TSymbolPicture::Metafile)
    ->ArgsProduct({{2000, 20000}, {100, 400}})
    ->ArgNames({"objects", "zoom"})
    ->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The drawing of 2,000 symbols and links over the floor plan written as a
// metafile, as the export command and the report do.
void BM_SaveAsMetafile(benchmark::State &state, const char *extension)
{
    static const QByteArray plan = BenchDrawing::FloorPlanJpeg();
    TGraphControl graph;
    graph.Background().LoadFromData(TPicture::Jpeg, plan);
    BenchDrawing::FillSymbols(graph, 2000);
    const QString file = QDir::temp().filePath(QStringLiteral("varneth-bench.") +
                                               QLatin1String(extension));
    for (auto _ : state)
        graph.SaveAsMetafile(file);
    state.counters["bytes"] = double(QFileInfo(file).size());
    QFile::remove(file);
}

BENCHMARK_CAPTURE(BM_SaveAsMetafile, emf, "emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAsMetafile, wmf, "wmf")->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The 2,000-object drawing exported as a PNG picture of its 4,000 x 3,000
// floor plan, as varneth-tool's export does: drawing and encoding. The
// drawing is also left as "export-bench-KIND.wir" so the tool and a
// third-party SVG renderer can be timed on the same picture.
void BM_ExportPng(benchmark::State &state, BenchDrawing::TSymbolPicture kind)
{
    static const QByteArray plan = BenchDrawing::FloorPlanJpeg();
    TGraphControl graph;
    graph.Background().LoadFromData(TPicture::Jpeg, plan);
    BenchDrawing::FillSymbols(graph, 2000, kind);
    graph.SaveToFile(kind == BenchDrawing::TSymbolPicture::Bitmap
                         ? QStringLiteral("export-bench-bitmap.wir")
                         : QStringLiteral("export-bench-metafile.wir"));
    const QString file = QDir::temp().filePath(QStringLiteral("varneth-bench.png"));
    for (auto _ : state)
        GraphExport::SavePng(graph, 100, file);
    state.counters["bytes"] = double(QFileInfo(file).size());
    QFile::remove(file);
}

BENCHMARK_CAPTURE(BM_ExportPng, bitmap, BenchDrawing::TSymbolPicture::Bitmap)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportPng, metafile, BenchDrawing::TSymbolPicture::Metafile)
    ->Unit(benchmark::kMillisecond);

} // namespace
