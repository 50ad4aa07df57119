// The configuration list: building it from drawings of 2,000 and 20,000
// symbols (40 products) and of 20,000 symbols that are all different
// products, beside the grouping that searches the list from its first item
// for every symbol; and exporting a 500-row list as CSV and as a workbook.

#include "BitmapCodec.h"
#include "ConfigExport.h"
#include "ConfigList.h"
#include "GraphControl.h"
#include "GraphNode.h"
#include "RectangularNode.h"
#include "iconstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A data folder with a library of one socket and its large picture.
class TBenchData {
public:
    TBenchData()
    {
        App = Dir.path() + u'/';
        QDir(App).mkpath(QStringLiteral("iconstore/150"));
        QImage picture(150, 150, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        Write(App + QStringLiteral("iconstore/150/B01.bmp"), BitmapCodec::Encode24(picture));
        Write(App + QStringLiteral("iconstore.xml"),
              QStringLiteral("<iconstore><icon><caption>五孔插座</caption><system>电器线路</system>"
                             "<type>插座</type><largeimage>B01.bmp</largeimage><code>B01</code>"
                             "</icon></iconstore>")
                  .toUtf8());
        Library = std::make_unique<TIconstore>(App + QStringLiteral("iconstore.xml"));
    }
    static void Write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    QTemporaryDir Dir;
    QString App;
    std::unique_ptr<TIconstore> Library;
};

TBenchData &Data()
{
    static TBenchData data;
    return data;
}

// symbols sockets with captions from a set of the given size.
void FillSymbols(TGraphControl &graph, int symbols, int products)
{
    TGraphUpdateGuard batch(&graph);
    for (int i = 0; i < symbols; ++i) {
        TGraphNode *node = graph.InsertNode(
            TRect(i % 200 * 20, i / 200 * 20, i % 200 * 20 + 20, i / 200 * 20 + 20),
            &TIconNode::Class);
        node->SetTag(0);
        node->SetIconCaption(QStringLiteral("五孔插座 %1").arg(i % products));
        node->SetIconLargeImagePath(QStringLiteral("B01.bmp"));
        node->SetText(QStringLiteral("B01"));
    }
    graph.SelectedObjects().Clear();
}

void BM_BuildConfigList(benchmark::State &state)
{
    TGraphControl wiring, guard;
    FillSymbols(wiring, int(state.range(0)), int(state.range(1)));
    TConfigList list(Data().Library.get(), Data().App);
    for (auto _ : state)
        list.BuildConfigList(wiring, guard);
    state.counters["rows"] = list.Count();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same list grouped by searching the rows from the first for every
// symbol: what the hash saves.
void BM_BuildConfigListLinearSearch(benchmark::State &state)
{
    TGraphControl wiring, guard;
    FillSymbols(wiring, int(state.range(0)), int(state.range(1)));
    TConfigList list(Data().Library.get(), Data().App);
    std::vector<TConfigItem> rows;
    for (auto _ : state) {
        rows.clear();
        for (const TGraphControl *graph : {&wiring, &guard})
            graph->Objects().ForEach([&](const TGraphObject *object) {
                if (!list.IsListedObject(*object)) return;
                for (TConfigItem &row : rows)
                    if (row.Caption == object->IconCaption()) {
                        ++row.Quantity;
                        return;
                    }
                rows.push_back({QImage(), object->IconLargeImagePath(), object->IconCaption(), 1,
                                object->Text()});
            });
    }
    state.counters["rows"] = double(rows.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_BuildConfigList)
    ->Args({2000, 40})
    ->Args({20000, 40})
    ->Args({20000, 20000})
    ->ArgNames({"symbols", "products"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildConfigListLinearSearch)
    ->Args({2000, 40})
    ->Args({20000, 40})
    ->Args({20000, 20000})
    ->ArgNames({"symbols", "products"})
    ->Unit(benchmark::kMillisecond);

void BM_ExportConfigList(benchmark::State &state, const char *extension)
{
    TGraphControl wiring, guard;
    FillSymbols(wiring, 1000, 500);
    TConfigList list(Data().Library.get(), Data().App);
    list.BuildConfigList(wiring, guard);
    const QString file = Data().App + QStringLiteral("list.") + QLatin1String(extension);
    for (auto _ : state)
        ConfigExport::Write(list.Items(), file);
    state.counters["rows"] = list.Count();
    state.counters["bytes"] = double(QFileInfo(file).size());
}

BENCHMARK_CAPTURE(BM_ExportConfigList, csv, "csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportConfigList, xlsx, "xlsx")->Unit(benchmark::kMillisecond);

} // namespace
