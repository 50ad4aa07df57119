// The undo history on a large drawing: what recording a one-symbol move
// costs, what taking it back costs, and the memory a long history holds.
// Both must follow what the step changed, not the size of the drawing.

#include "BenchDrawing.h"

#include "GraphControl.h"
#include "GraphHistory.h"
#include "GraphNode.h"

#include <benchmark/benchmark.h>

namespace {

struct THistoryDrawing {
    explicit THistoryDrawing(int objects)
    {
        BenchDrawing::FillSymbols(Graph, objects);
        History.Clear();
        Node = static_cast<TGraphNode *>(Graph.Objects()[Graph.Objects().Count() / 2]);
        while (Node->IsLink())
            Node = static_cast<TGraphNode *>(Graph.Objects()[Graph.Objects().IndexOf(Node) + 1]);
        Graph.SelectedObjects().Clear();
        Node->SetSelected(true);
    }
    void Move(int dx)
    {
        const TGraphHistoryStep step(&History, QStringLiteral("移动"));
        Node->SetLeft(Node->Left() + dx);
    }

    TGraphControl Graph;
    TGraphHistory History{&Graph};
    TGraphNode *Node = nullptr;
};

void BM_HistoryRecordMove(benchmark::State &state)
{
    THistoryDrawing drawing(int(state.range(0)));
    int dx = 10;
    for (auto _ : state) {
        drawing.Move(dx);
        dx = -dx;
    }
    state.counters["step_bytes"] =
        double(drawing.History.MemoryUsed()) / double(std::max(drawing.History.StepCount(), 1));
}
BENCHMARK(BM_HistoryRecordMove)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_HistoryUndoMove(benchmark::State &state)
{
    THistoryDrawing drawing(int(state.range(0)));
    drawing.Move(10);
    for (auto _ : state) {
        drawing.History.Undo();
        drawing.History.Redo();
    }
    state.counters["replays"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariant);
}
BENCHMARK(BM_HistoryUndoMove)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A history of a thousand moves, one after another on different symbols.
void BM_HistoryThousandSteps(benchmark::State &state)
{
    THistoryDrawing drawing(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        drawing.History.Clear();
        state.ResumeTiming();
        int n = 0;
        for (int i = 0; n < 1000; ++i) {
            TGraphObject *object =
                drawing.Graph.Objects()[(i * 97) % drawing.Graph.Objects().Count()];
            if (object->IsLink())
                continue;
            drawing.Graph.SelectedObjects().Clear();
            object->SetSelected(true);
            drawing.Node = static_cast<TGraphNode *>(object);
            drawing.Move(10);
            ++n;
        }
    }
    state.counters["history_MB"] = double(drawing.History.MemoryUsed()) / (1 << 20);
    state.counters["steps"] = drawing.History.StepCount();
}
BENCHMARK(BM_HistoryThousandSteps)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
