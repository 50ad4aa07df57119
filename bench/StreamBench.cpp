// Saving and loading diagrams: throughput in bytes and objects per second,
// for diagrams of half nodes (with Latin and Chinese text) and half links,
// and for a symbol diagram whose nodes each carry a 20 x 20 bitmap; and what
// varneth-tool does with a diagram file: resave (load and save) and dump
// (load and write every object as a line of JSON).

#include "BenchDrawing.h"
#include "DiagramJsonWriter.h"
#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "RectangularNode.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void FillTextDiagram(TGraphControl &graph, int objects)
{
    TGraphUpdateGuard batch(&graph);
    std::vector<TGraphNode *> nodes;
    for (int i = 0; i < objects / 2; ++i) {
        const int x = (i % 300) * 30, y = (i / 300) * 30;
        TGraphNode *node = graph.InsertNode(TRect(x, y, x + 20, y + 20), &TTextNode::Class);
        node->SetText(i % 2 ? QStringLiteral("插座%1").arg(i) : QStringLiteral("K%1").arg(i));
        nodes.push_back(node);
    }
    for (size_t i = 0; i + 1 < nodes.size() && graph.Objects().Count() < objects; ++i)
        graph.LinkNodes(nodes[i], nodes[i + 1]);
}

void FillSymbolDiagram(TGraphControl &graph, int symbols)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int i = 0; i < 20; ++i)
        picture.setPixel(i, i, qRgb(0, 0, 255));
    TPicture bitmap;
    bitmap.SetImage(picture);
    TGraphUpdateGuard batch(&graph);
    for (int i = 0; i < symbols; ++i) {
        const int x = (i % 40) * 30, y = (i / 40) * 30;
        TGraphNode *node = graph.InsertNode(TRect(x, y, x + 20, y + 20), &TIconNode::Class);
        node->SetBackground(bitmap);
        node->SetIsCodeNode(true);
        node->SetText(QStringLiteral("B%1").arg(i % 100, 2, 10, QChar(u'0')));
        node->SetIconCaption(QStringLiteral("五孔插座"));
    }
}

void Report(benchmark::State &state, qint64 bytes, int objects)
{
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * objects);
}

void BM_Save(benchmark::State &state, void (*fill)(TGraphControl &, int))
{
    TGraphControl graph;
    fill(graph, int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = graph.SaveToBytes().size();
    Report(state, bytes, graph.Objects().Count());
}

void BM_Load(benchmark::State &state, void (*fill)(TGraphControl &, int))
{
    QByteArray file;
    int objects = 0;
    {
        TGraphControl graph;
        fill(graph, int(state.range(0)));
        file = graph.SaveToBytes();
        objects = graph.Objects().Count();
    }
    TGraphControl graph;
    for (auto _ : state)
        graph.LoadFromBytes(file);
    if (graph.Objects().Count() != objects)
        state.SkipWithError("the loaded diagram differs");
    Report(state, file.size(), objects);
}

QByteArray MixedFile(int objects)
{
    TGraphControl graph;
    BenchDrawing::FillMixed(graph, objects);
    return graph.SaveToBytes();
}

// A diagram control made and destroyed in each iteration, as by the tool.
void BM_Resave(benchmark::State &state)
{
    const QByteArray file = MixedFile(int(state.range(0)));
    int objects = 0;
    for (auto _ : state) {
        TGraphControl graph;
        graph.LoadFromBytes(file);
        benchmark::DoNotOptimize(graph.SaveToBytes());
        objects = graph.Objects().Count();
    }
    Report(state, file.size(), objects);
}

void BM_Dump(benchmark::State &state)
{
    const QByteArray file = MixedFile(int(state.range(0)));
    int objects = 0;
    for (auto _ : state) {
        TGraphControl graph;
        graph.LoadFromBytes(file);
        QByteArray lines;
        TDiagramJsonWriter json;
        // As the tool does: out in pieces of a megabyte.
        graph.Objects().ForEach([&](TGraphObject *object) {
            json.Append(lines, *object);
            lines += '\n';
            if (lines.size() >= 1 << 20)
                lines.truncate(0);
        });
        benchmark::DoNotOptimize(lines);
        objects = graph.Objects().Count();
    }
    Report(state, file.size(), objects);
}

BENCHMARK_CAPTURE(BM_Save, text, FillTextDiagram)
    ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, text, FillTextDiagram)
    ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, symbols, FillSymbolDiagram)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, symbols, FillSymbolDiagram)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, mixed, BenchDrawing::FillMixed)
    ->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, mixed, BenchDrawing::FillMixed)
    ->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resave)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dump)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
