// Fuzz target: a clipboard block of any bytes under our format name pastes
// whole or not at all. A failed paste leaves the diagram exactly as it was;
// a successful one adds objects that copy, paste and save again.

#include "FuzzSupport.h"
#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "RectangularNode.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::StartApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TGraphControl graph;
    TGraphNode *first = graph.InsertNode(TRect(0, 0, 40, 40), &TRectangularNode::Class);
    TGraphNode *second = graph.InsertNode(TRect(100, 0, 140, 40), &TRectangularNode::Class);
    graph.LinkNodes(first, second);
    graph.SelectedObjects().Clear();
    first->SetSelected(true);
    const QByteArray before = graph.SaveToBytes();

    auto *mime = new QMimeData;
    mime->setData(TGraphControl::ClipboardMimeType(),
                  QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QGuiApplication::clipboard()->setMimeData(mime);
    try {
        graph.PasteFromClipboard();
    } catch (const std::exception &) {
        if (graph.SaveToBytes() != before || graph.SelectedObjects().Count() != 1 ||
            !first->Selected() || graph.UpdateCount() != 0)
            std::abort(); // a failed paste left something behind
        return 0;
    }
    try {
        graph.CopyToClipboard(false);
        graph.PasteFromClipboard();
        TGraphControl again;
        again.LoadFromBytes(graph.SaveToBytes());
    } catch (const std::exception &) {
    }
    return 0;
}
