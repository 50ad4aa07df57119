#include "BenchDrawing.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "JpegCodec.h"
#include "MetafileCanvas.h"
#include "RectangularNode.h"

#include <QPainter>

namespace BenchDrawing {

QByteArray FloorPlanJpeg()
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

namespace {

void SetSymbolPicture(TPicture &picture, TSymbolPicture kind)
{
    if (kind == TSymbolPicture::Bitmap) {
        QImage symbol(20, 20, QImage::Format_RGB32);
        symbol.fill(Qt::white);
        QPainter painter(&symbol);
        painter.drawEllipse(2, 2, 16, 16);
        painter.end();
        picture.SetImage(symbol);
        return;
    }
    TMetafile symbol(20, 20, 100);
    {
        QPainter painter(symbol.Device());
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(2, 2, 16, 16));
        painter.drawLine(QPointF(4.5, 10), QPointF(15.5, 10));
    }
    picture.LoadFromData(TPicture::Metafile, symbol.EmfBytes());
}

} // namespace

void FillSymbols(TGraphControl &graph, int objects, TSymbolPicture kind)
{
    TPicture picture;
    SetSymbolPicture(picture, kind);
    TGraphUpdateGuard batch(&graph);
    // As a drop places them: an appliance, its switch 80 units lower, and
    // the link between them, spread about evenly over the floor plan.
    const auto place = [&](int x, int y, int i) {
        TGraphNode *node = graph.InsertNode(TRect(x, y, x + 40, y + 40), &TIconNode::Class);
        node->SetBackground(picture);
        node->SetIsCodeNode(true);
        node->SetMargin(3);
        node->Font().SetSize(10);
        node->Font().SetStyle(fsBold);
        node->Font().SetColor(clBlue);
        node->SetText(QStringLiteral("B%1").arg(i % 100, 2, 10, QChar(u'0')));
        return node;
    };
    uint32_t seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(range));
    };
    for (int i = 0; i < objects / 3; ++i) {
        const int x = next(3960), y = next(2880);
        graph.LinkNodes(place(x, y, i), place(x, y + 80, i + 1));
    }
    graph.SelectedObjects().Clear();
}

void FillMixed(TGraphControl &graph, int objects)
{
    TGraphUpdateGuard batch(&graph);
    std::vector<TGraphNode *> nodes;
    for (int i = 0; i < objects / 2; ++i) {
        const int x = (i % 300) * 60, y = (i / 300) * 60;
        if (i % 2 == 0) {
            TGraphNode *node = graph.InsertNode(TRect(x, y, x + 40, y + 40), &TIconNode::Class);
            node->SetIsCodeNode(true);
            node->SetText(QStringLiteral("B%1").arg(i % 100, 2, 10, QChar(u'0')));
            node->SetIconCaption(QStringLiteral("五孔插座"));
            node->SetIconSystem(QStringLiteral("强电"));
            node->SetIconType(QStringLiteral("插座"));
            node->SetIconSmallImagePath(QStringLiteral("iconstore\\20\\B01.bmp"));
            node->SetIconLargeImagePath(QStringLiteral("iconstore\\150\\B01.jpg"));
            nodes.push_back(node);
        } else {
            TGraphNode *node = graph.InsertNode(TRect(x, y, x + 50, y + 20), &TTextNode::Class);
            node->SetText(i % 4 == 1 ? QStringLiteral("客厅插座%1").arg(i)
                                     : QStringLiteral("Socket %1").arg(i));
            nodes.push_back(node);
        }
    }
    for (size_t i = 0; i + 1 < nodes.size() && graph.Objects().Count() < objects; ++i)
        graph.LinkNodes(nodes[i], nodes[i + 1]);
    graph.SelectedObjects().Clear();
}

} // namespace BenchDrawing
