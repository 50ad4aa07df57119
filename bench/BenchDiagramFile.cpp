#include "BenchDrawing.h"
#include "GraphControl.h"

#include <QApplication>
#include <QTextStream>

// Writes the loading and saving benchmarks' diagram to a file, for timing
// the command-line tool on it: bench_diagram_file OBJECTS OUT
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    bool ok = false;
    const int objects = args.size() == 2 ? args[0].toInt(&ok) : 0;
    if (!ok || objects < 0) {
        QTextStream(stderr) << "usage: bench_diagram_file OBJECTS OUT\n";
        return 2;
    }
    try {
        TGraphControl graph;
        BenchDrawing::FillMixed(graph, objects);
        graph.SaveToFile(args[1]);
    } catch (const std::exception &error) {
        QTextStream(stderr) << error.what() << '\n';
        return 1;
    }
    return 0;
}
