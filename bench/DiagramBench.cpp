// Costs of the diagram document's operations as diagrams grow: each should
// grow about tenfold from 10,000 to 100,000 objects, not a hundredfold.

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "RectangularNode.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int Columns = 300;

TRect CellBounds(int i)
{
    const int x = (i % Columns) * 30, y = (i / Columns) * 30;
    return TRect(x, y, x + 20, y + 20);
}

std::vector<TGraphNode *> InsertNodes(TGraphControl &graph, int count)
{
    std::vector<TGraphNode *> nodes;
    nodes.reserve(count);
    for (int i = 0; i < count; ++i)
        nodes.push_back(graph.InsertNode(CellBounds(i), &TRectangularNode::Class));
    return nodes;
}

void LinkPairs(TGraphControl &graph, const std::vector<TGraphNode *> &nodes)
{
    for (size_t i = 0; i + 1 < nodes.size(); i += 2)
        graph.LinkNodes(nodes[i], nodes[i + 1]);
}

void BM_InsertNodes(benchmark::State &state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto graph = std::make_unique<TGraphControl>();
        state.ResumeTiming();
        InsertNodes(*graph, n);
        state.PauseTiming();
        graph.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_LinkHalfAsManyPairs(benchmark::State &state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto graph = std::make_unique<TGraphControl>();
        const auto nodes = InsertNodes(*graph, n);
        state.ResumeTiming();
        LinkPairs(*graph, nodes);
        state.PauseTiming();
        graph.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (n / 2));
}

void BM_MoveNodeWithThousandLinks(benchmark::State &state)
{
    const int n = int(state.range(0));
    TGraphControl graph;
    const auto nodes = InsertNodes(graph, n);
    TGraphNode *hub = nodes[n / 2];
    for (int i = 0; i < 1000; ++i)
        graph.LinkNodes(hub, nodes[(i * 7919) % n == n / 2 ? 0 : (i * 7919) % n]);
    int step = 1;
    for (auto _ : state) {
        hub->SetLeft(hub->Left() + step);
        step = -step;
    }
    state.counters["links"] = double(graph.Index().LinksOf(hub).size());
}

void BM_DeleteEveryNode(benchmark::State &state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto graph = std::make_unique<TGraphControl>();
        const auto nodes = InsertNodes(*graph, n);
        LinkPairs(*graph, nodes);
        {
            TGraphUpdateGuard batch(graph.get());
            graph->SelectedObjects().Clear();
            for (TGraphNode *node : nodes)
                node->SetSelected(true);
        }
        state.ResumeTiming();
        // As the Delete key does: the selected objects go one by one.
        while (!graph->SelectedObjects().IsEmpty())
            graph->SelectedObjects().First()->Free();
        state.PauseTiming();
        if (!graph->Objects().IsEmpty())
            state.SkipWithError("links survived their nodes");
        graph.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (n + n / 2));
}

void BM_FindObjectAt(benchmark::State &state)
{
    const int n = int(state.range(0));
    TGraphControl graph;
    InsertNodes(graph, n);
    // A point between the cells: every object is asked.
    for (auto _ : state)
        benchmark::DoNotOptimize(graph.FindObjectAt(25, 25));
}

void Sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_InsertNodes)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_LinkHalfAsManyPairs)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_MoveNodeWithThousandLinks)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteEveryNode)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_FindObjectAt)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

} // namespace
