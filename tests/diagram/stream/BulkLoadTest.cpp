// A load indexes its objects at once and a clear drops them at once; both
// must leave the diagram as adding and removing the objects one by one
// does. The index is checked against answers worked out by walking the
// objects.

#include "EllipticNode.h"
#include "GraphText.h"
#include "PolygonalNode.h"
#include "StreamTestSupport.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace StreamTest;

namespace {

QByteArray Stream(int count, const QByteArray &records)
{
    return Bytes().Signature().Int32(count).Raw(records);
}

std::vector<TGraphObject *> ObjectsOf(const TGraphControl &graph)
{
    return graph.Objects().Snapshot();
}

std::set<TGraphLink *> LinksWhere(const TGraphControl &graph,
                                  const std::function<bool(TGraphLink *)> &match)
{
    std::set<TGraphLink *> links;
    for (TGraphObject *object : ObjectsOf(graph))
        if (object->IsLink() && match(static_cast<TGraphLink *>(object)))
            links.insert(static_cast<TGraphLink *>(object));
    return links;
}

int WalkedMaxEdge(const TGraphControl &graph, bool right, bool withHidden)
{
    int largest = 0;
    bool any = false;
    for (TGraphObject *object : ObjectsOf(graph)) {
        if (object->IsLink() || object->State() != osNone || (!withHidden && !object->Visible()))
            continue;
        const auto *node = static_cast<TGraphNode *>(object);
        const int edge = right ? node->Left() + node->Width() : node->Top() + node->Height();
        largest = any ? std::max(largest, edge) : edge;
        any = true;
    }
    return largest;
}

// Every question the index answers, answered by a walk over the objects.
void ExpectIndexMatchesObjects(const TGraphControl &graph)
{
    const std::vector<TGraphObject *> objects = ObjectsOf(graph);
    std::set<uint32_t> used;
    for (TGraphObject *object : objects)
        used.insert(object->ID());
    for (TGraphObject *object : objects) {
        TGraphObject *topmost = nullptr;
        for (TGraphObject *other : objects)
            if (other->ID() == object->ID())
                topmost = other;
        EXPECT_EQ(graph.ObjectByID(object->ID()), topmost) << "ID " << object->ID();
        for (uint32_t start : {object->ID(), object->ID() + 1}) {
            uint32_t unused = start;
            while (used.count(unused))
                ++unused;
            EXPECT_EQ(graph.UnusedID(start), unused) << "from " << start;
        }
        const std::vector<TGraphLink *> referring = graph.Index().LinksReferring(object);
        EXPECT_EQ(std::set<TGraphLink *>(referring.begin(), referring.end()),
                  LinksWhere(graph,
                             [object](TGraphLink *link) {
                                 return link->FromNodeID() == object->ID() ||
                                        link->ToNodeID() == object->ID() ||
                                        link->FromNode() == object || link->ToNode() == object;
                             }))
            << "links referring to " << object->ID();
        if (!object->IsLink()) {
            const auto *node = static_cast<TGraphNode *>(object);
            const std::vector<TGraphLink *> &links = graph.Index().LinksOf(node);
            EXPECT_EQ(std::set<TGraphLink *>(links.begin(), links.end()),
                      LinksWhere(graph,
                                 [node](TGraphLink *link) {
                                     return link->FromNode() == node || link->ToNode() == node;
                                 }))
                << "links of " << node->ID();
        }
    }
    for (bool withHidden : {false, true}) {
        EXPECT_EQ(graph.Index().MaxRight(withHidden), WalkedMaxEdge(graph, true, withHidden));
        EXPECT_EQ(graph.Index().MaxBottom(withHidden), WalkedMaxEdge(graph, false, withHidden));
    }
}

// A diagram made by hand, object by object: node kinds that place their
// text differently, hidden nodes, negative and shared edges, Chinese text,
// nodes with several links and a node without any.
void FillByHand(TGraphControl &graph)
{
    TGraphUpdateGuard batch(&graph);
    const struct {
        TGraphObjectClassRef cls;
        TRect bounds;
        const char16_t *text;
        bool visible;
    } nodes[] = {
        {&TRectangularNode::Class, TRect(0, 0, 80, 40), u"客厅插座 K1", true},
        {&TTriangularNode::Class, TRect(-151, -77, -30, 20), u"三角 a long label that wraps", true},
        {&TEllipticNode::Class, TRect(200, 10, 280, 90), u"E", false},
        {&TTextNode::Class, TRect(200, 150, 280, 170), u"文字", true},
        {&TIconNode::Class, TRect(-40, 300, 0, 340), u"B01", true},
        {&TRhomboidalNode::Class, TRect(305, -21, 390, 40), u"", true},
        {&TRectangularNode::Class, TRect(400, 400, 480, 440), u"alone", false},
    };
    std::vector<TGraphNode *> made;
    for (const auto &n : nodes) {
        TGraphNode *node = graph.InsertNode(n.bounds, n.cls);
        node->SetIsCodeNode(n.cls == &TIconNode::Class);
        node->SetText(QString::fromUtf16(n.text));
        node->SetVisible(n.visible);
        made.push_back(node);
    }
    const std::pair<int, int> links[] = {{0, 1}, {1, 2}, {0, 2}, {3, 0}, {4, 5}, {5, 1}};
    for (const auto &[from, to] : links)
        graph.LinkNodes(made[from], made[to])->SetText(QStringLiteral("线 %1").arg(from));
    graph.SelectedObjects().Clear();
}

QImage Painted(TGraphControl &graph)
{
    QImage image(700, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    graph.DrawDiagram(painter, TRect(-200, -100, 500, 500));
    return image;
}

TEST(BulkLoadTest, LoadedDiagramAnswersAsTheOneBuiltObjectByObject)
{
    TGraphControl built;
    FillByHand(built);
    ExpectIndexMatchesObjects(built);
    const QByteArray file = built.SaveToBytes();

    TGraphControl loaded;
    loaded.LoadFromBytes(file);
    ExpectIndexMatchesObjects(loaded);
    ASSERT_EQ(loaded.Objects().Count(), built.Objects().Count());
    for (int i = 0; i < built.Objects().Count(); ++i) {
        TGraphObject *a = built.Objects()[i];
        TGraphObject *b = loaded.Objects()[i];
        EXPECT_EQ(a->GetBoundsRect(), b->GetBoundsRect()) << i;
        if (!a->IsLink()) {
            EXPECT_EQ(static_cast<TGraphNode *>(a)->TextRect(),
                      static_cast<TGraphNode *>(b)->TextRect())
                << i;
        }
    }
    for (int y = -100; y < 500; y += 7)
        for (int x = -200; x < 500; x += 7) {
            TGraphObject *a = built.FindObjectAt(x, y);
            TGraphObject *b = loaded.FindObjectAt(x, y);
            ASSERT_EQ(a ? a->ZOrder() : -1, b ? b->ZOrder() : -1) << x << ", " << y;
        }
    EXPECT_EQ(Painted(loaded), Painted(built));
}

// After a load the index must follow edits exactly as for any diagram.
TEST(BulkLoadTest, IndexFollowsEditsAfterALoad)
{
    TGraphControl built;
    FillByHand(built);
    TGraphControl graph;
    graph.LoadFromBytes(built.SaveToBytes());
    const auto node = [&](int index) { return static_cast<TGraphNode *>(graph.Objects()[index]); };
    node(0)->SetBounds(500, 500, 90, 45);
    ExpectIndexMatchesObjects(graph);
    node(2)->SetVisible(true);
    node(6)->SetVisible(true);
    ExpectIndexMatchesObjects(graph);
    node(1)->ConvertTo(&TRectangularNode::Class);
    ExpectIndexMatchesObjects(graph);
    node(1)->Free(); // takes its links along
    ExpectIndexMatchesObjects(graph);
    EXPECT_EQ(graph.Objects().Count(), 9);
    // A paste into a diagram that is not empty goes object by object.
    ReadBlock(graph, [&] {
        QByteArray block;
        TValueWriter writer(block);
        built.WriteObjects(writer, false);
        return block;
    }());
    ExpectIndexMatchesObjects(graph);
    graph.SaveToBytes();
    ExpectIndexMatchesObjects(graph); // writing leaves the content extent alone
}

// Streams whose links resolve in unusual ways: to missing nodes, twice
// between the same nodes, to identifiers that several objects carry.
TEST(BulkLoadTest, IndexMatchesAfterLoadsThatDropAndRejoinLinks)
{
    const auto node = [](int id, int left) {
        return Bytes().NodeRecord("TRectangularNode", id, left, 10, 50, 30);
    };
    const QByteArray streams[] = {
        Stream(5, Bytes()
                      .Raw(node(1, 0))
                      .Raw(node(2, 100))
                      .Raw(Bytes().LinkRecord(3, 1, 2))
                      .Raw(Bytes().LinkRecord(4, 2, 1))
                      .Raw(Bytes().LinkRecord(5, 1, 9))),
        Stream(5, Bytes()
                      .Raw(node(7, 0))
                      .Raw(node(7, 100))
                      .Raw(node(2, 200))
                      .Raw(Bytes().LinkRecord(3, 7, 2))
                      .Raw(Bytes().LinkRecord(3, 3, 2))),
        Stream(3, Bytes().Raw(node(0, 0)).Raw(node(0, 50)).Raw(Bytes().LinkRecord(0, 0, 0))),
    };
    for (const QByteArray &stream : streams) {
        TGraphControl graph;
        graph.LoadFromBytes(stream);
        ExpectIndexMatchesObjects(graph);
        TGraphControl merged;
        merged.InsertNode(TRect(0, 0, 10, 10));
        TValueReader reader(stream, 4);
        merged.ReadObjects(reader);
        // The same objects join either way, only numbered after the one there.
        EXPECT_EQ(merged.Objects().Count(), graph.Objects().Count() + 1);
        ExpectIndexMatchesObjects(merged);
    }
}

// Lays every text out at once, as before texts were laid out when needed.
void LayOutNow(TGraphControl &graph)
{
    for (TGraphObject *object : ObjectsOf(graph))
        if (!object->IsLink())
            static_cast<TGraphNode *>(object)->TextRect();
}

// Text laid out when first needed lands where text laid out at every change
// does: after moves (also across zero, where halving rounds the other
// way), a code flag set without a new layout, resizes and font changes.
TEST(BulkLoadTest, TextLaidOutWhenNeededMatchesTextLaidOutAtEveryChange)
{
    TGraphControl eager, lazy;
    FillByHand(eager);
    FillByHand(lazy);
    const std::function<void(TGraphNode *)> edits[] = {
        [](TGraphNode *n) {
            n->SetBounds(n->Left() - 133, n->Top() - 51, n->Width(), n->Height());
        },
        [](TGraphNode *n) { n->SetIsCodeNode(!n->IsCodeNode()); },
        [](TGraphNode *n) { n->SetBounds(n->Left() + 7, n->Top() + 3, n->Width(), n->Height()); },
        [](TGraphNode *n) { n->SetText(n->Text() + QStringLiteral(" 更多的文字")); },
        [](TGraphNode *n) { n->SetBounds(n->Left() + 1, n->Top() + 1, n->Width(), n->Height()); },
        [](TGraphNode *n) { n->SetIsCodeNode(!n->IsCodeNode()); },
        [](TGraphNode *n) { n->SetBounds(n->Left(), n->Top(), n->Width() + 11, n->Height()); },
        [](TGraphNode *n) { n->Font().SetSize(14); },
        [](TGraphNode *n) { n->SetAlignment(taRightJustify); },
        [](TGraphNode *n) { n->SetBounds(n->Left() + 99, n->Top() - 1, n->Width(), n->Height()); },
        [](TGraphNode *n) { n->SetMargin(3); },
    };
    for (const auto &edit : edits) {
        for (TGraphControl *graph : {&eager, &lazy})
            for (TGraphObject *object : ObjectsOf(*graph))
                if (!object->IsLink())
                    edit(static_cast<TGraphNode *>(object));
        LayOutNow(eager);
    }
    for (int i = 0; i < eager.Objects().Count(); ++i)
        if (!eager.Objects()[i]->IsLink()) {
            EXPECT_EQ(static_cast<TGraphNode *>(lazy.Objects()[i])->TextRect(),
                      static_cast<TGraphNode *>(eager.Objects()[i])->TextRect())
                << i;
        }
    EXPECT_EQ(Painted(lazy), Painted(eager));
    EXPECT_EQ(lazy.SaveToBytes(), eager.SaveToBytes());
}

// Reports every object once, while it is still whole.
class TRemovalRecorder : public TGraphControl {
public:
    std::vector<TGraphObject *> Inserted;
    std::vector<TGraphObject *> Removed;
    std::vector<QString> RemovedClasses;

    void DoObjectInsert(TGraphObject *object) override
    {
        Inserted.push_back(object);
        TGraphControl::DoObjectInsert(object);
    }
    void DoObjectRemove(TGraphObject *object) override
    {
        Removed.push_back(object);
        RemovedClasses.push_back(object->ClassType()->ClassName());
        TGraphControl::DoObjectRemove(object);
    }
    void ExpectEveryInsertedObjectRemovedOnce()
    {
        EXPECT_EQ(std::multiset<TGraphObject *>(Removed.begin(), Removed.end()),
                  std::multiset<TGraphObject *>(Inserted.begin(), Inserted.end()));
    }
};

TEST(BulkLoadTest, ClearLoadAndFailedLoadReportEveryObjectOnce)
{
    TGraphControl source;
    FillByHand(source);
    const QByteArray file = source.SaveToBytes();
    const std::function<void(TRemovalRecorder &)> ways[] = {
        [](TRemovalRecorder &graph) { graph.Clear(); },
        [&](TRemovalRecorder &graph) { graph.LoadFromBytes(file); },
        [&](TRemovalRecorder &graph) {
            // Fails in the last record, after its object joined the diagram.
            QByteArray broken = file;
            broken.chop(2);
            EXPECT_THROW(graph.LoadFromBytes(broken), EStreamError);
            EXPECT_EQ(graph.Objects().Count(), 0);
            EXPECT_EQ(graph.UnusedID(1), 1u);
            EXPECT_EQ(graph.Index().MaxRight(true), 0);
        },
    };
    for (const auto &way : ways) {
        TRemovalRecorder graph;
        graph.LoadFromBytes(file);
        graph.Objects()[3]->SetSelected(true);
        graph.Objects()[8]->SetSelected(true);
        way(graph);
        graph.Clear();
        graph.ExpectEveryInsertedObjectRemovedOnce();
        EXPECT_EQ(graph.SelectedObjects().Count(), 0);
        EXPECT_EQ(graph.RemovedClasses.size(), graph.Removed.size());
        ExpectIndexMatchesObjects(graph);
    }
}

// A reader and a writer convert a text once and reuse it for its repeats;
// every repeat must come out as if it stood alone.
TEST(BulkLoadTest, RepeatedTextsReadAndWriteAsEachAlone)
{
    const QString texts[] = {
        QStringLiteral("K1"),       QStringLiteral("五孔插座"),
        QStringLiteral("插座 😀"),   QString(),
        QString(300, QChar(u'长')), QStringLiteral("B01"),
        QStringLiteral("Ω and €"),  QString(300, QChar(u'x')),
    };
    TGraphControl graph;
    {
        TGraphUpdateGuard batch(&graph);
        for (int i = 0; i < 40; ++i) {
            TGraphNode *node = graph.InsertNode(TRect(i * 30, 0, i * 30 + 20, 20));
            node->SetText(texts[i % std::size(texts)]);
            node->SetIconCaption(texts[(i + 3) % std::size(texts)]);
        }
    }
    QByteArray expected = Bytes().Signature().Int32(graph.Objects().Count());
    for (TGraphObject *object : ObjectsOf(graph))
        expected += RecordOf(graph, object); // each with a writer of its own
    const QByteArray file = graph.SaveToBytes();
    ASSERT_EQ(file, expected);

    TGraphControl loaded;
    loaded.LoadFromBytes(file);
    ASSERT_EQ(loaded.Objects().Count(), 40);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(loaded.Objects()[i]->Text(), GraphText::Narrow(texts[i % std::size(texts)])) << i;
        EXPECT_EQ(loaded.Objects()[i]->IconCaption(),
                  GraphText::Narrow(texts[(i + 3) % std::size(texts)]))
            << i;
    }
}

// Symbols repeat a few pictures: each is decoded once per read and shared,
// while every node still reads and writes its own bytes.
TEST(BulkLoadTest, RepeatedPicturesAreDecodedOnceAndWrittenAsEachAlone)
{
    QImage red(8, 6, QImage::Format_RGB32), blue(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    TGraphControl graph;
    {
        TGraphUpdateGuard batch(&graph);
        for (int i = 0; i < 30; ++i) {
            TGraphNode *node = graph.InsertNode(TRect(i * 30, 0, i * 30 + 20, 20));
            if (i % 3 == 0)
                node->Background().SetImage(red);
            else if (i % 3 == 1)
                node->Background().SetImage(blue);
        }
    }
    const QByteArray file = graph.SaveToBytes();

    for (const bool pasted : {false, true}) {
        TGraphControl loaded;
        if (pasted) {
            loaded.InsertNode(TRect(0, 100, 20, 120));
            graph.CopyToClipboard(false);
            ASSERT_TRUE(loaded.PasteFromClipboard());
        } else {
            loaded.LoadFromBytes(file);
        }
        const int first = pasted ? 1 : 0;
        ASSERT_EQ(loaded.Objects().Count(), first + 30);
        const auto picture = [&](int i) -> const TPicture & {
            return static_cast<TGraphNode *>(loaded.Objects()[first + i])->Background();
        };
        for (int i = 0; i < 30; ++i) {
            const TPicture &original = static_cast<TGraphNode *>(graph.Objects()[i])->Background();
            EXPECT_EQ(picture(i).StreamData(), original.StreamData()) << i;
            EXPECT_EQ(picture(i).Image(), original.Image()) << i;
            if (i >= 3) {
                EXPECT_EQ(picture(i).Image().cacheKey(), picture(i - 3).Image().cacheKey())
                    << "decoded once: " << i;
            }
        }
        EXPECT_NE(picture(0).Image().cacheKey(), picture(1).Image().cacheKey());
    }
}

// A file is written in pieces; together they are the bytes SaveToBytes makes.
TEST(BulkLoadTest, SaveToFileWritesWhatSaveToBytesMakes)
{
    TGraphControl graph;
    {
        TGraphUpdateGuard batch(&graph);
        for (int i = 0; i < 12000; ++i) {
            TGraphNode *node = graph.InsertNode(TRect(i % 100 * 30, i / 100 * 30, 0, 0));
            node->SetText(QStringLiteral("节点 %1").arg(i));
        }
    }
    const QByteArray bytes = graph.SaveToBytes();
    ASSERT_GT(bytes.size(), 1 << 20); // more than one piece
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("big.wir"));
    graph.SaveToFile(name);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == bytes);
}

} // namespace
