// The dump's JSON lines, written directly, are byte for byte what
// QJsonDocument writes for the same object.

#include "DiagramJson.h"
#include "DiagramJsonWriter.h"
#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "PolygonalNode.h"
#include "RectangularNode.h"

#include <QImage>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

TEST(DiagramJsonTest, LinesMatchQtsJsonWriter)
{
    TGraphControl graph;
    TGraphUpdateGuard batch(&graph);
    const QString texts[] = {
        QStringLiteral("K1"),
        QStringLiteral("五孔插座"),
        QString(),
        QStringLiteral("quote \" backslash \\ slash / tab \t line\r\n bell \x07 del \x7f"),
        QString(QChar(0xD800)) + QStringLiteral("lone") + QChar(0xDC00),
        QStringLiteral("😀 pair, € and ÿ"),
    };
    std::vector<TGraphNode *> nodes;
    for (const QString &text : texts) {
        TGraphNode *node = graph.InsertNode(TRect(-5, 3, 60, 70), &TIconNode::Class);
        node->SetText(text);
        node->SetIconCaption(text);
        node->SetIconComment(text + text);
        nodes.push_back(node);
    }
    TGraphNode *odd = graph.InsertNode(TRect(100, 100, 180, 150), &TTriangularNode::Class);
    odd->Font().SetName(QStringLiteral("宋体"));
    odd->Font().SetStyle(fsBold | fsStrikeOut);
    odd->Font().SetCharset(77);
    odd->Font().SetColor(0x123456);
    odd->Brush().SetStyle(bsCross);
    odd->Pen().SetMode(pmXor);
    odd->Pen().SetWidth(3);
    odd->SetAlignment(taRightJustify);
    odd->SetTag(-7);
    odd->SetVisible(false);
    odd->SetDegree(90);
    odd->SetIsLeftRightMirror(true);
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    TPicture bitmap;
    bitmap.SetImage(picture);
    odd->SetBackground(bitmap);
    TGraphLink *link = graph.LinkNodes(nodes[0], odd);
    link->SetKind(lkBidirected);
    link->SetArrowSize(7);
    link->SetText(texts[3]);
    graph.LinkNodes(nodes[1], nodes[2])->Pen().SetColor(TColor(0xFF000000 + 13));
    // A node identifier that differs from the node's own.
    graph.LinkNodes(nodes[3], nodes[4])->SetToNodeID(9999);

    ASSERT_GT(graph.Objects().Count(), 8);
    // One writer for all, as the dump uses it: nodes and links in turn.
    TDiagramJsonWriter writer;
    graph.Objects().ForEach([&](TGraphObject *object) {
        QByteArray line("x");
        writer.Append(line, *object);
        EXPECT_EQ(line,
                  "x" + QJsonDocument(DiagramObjectToJson(*object)).toJson(QJsonDocument::Compact))
            << object->ClassType()->Name << " " << object->ID();
    });
}

} // namespace
