// Loading and merging diagram streams: identifier renumbering, link
// resolution, failures and hostile input, files, and the clipboard.

#include "StreamTestSupport.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

using namespace StreamTest;

namespace {

std::vector<uint32_t> IDs(const TGraphControl &graph)
{
    std::vector<uint32_t> ids;
    for (TGraphObject *object : graph.Objects().Snapshot())
        ids.push_back(object->ID());
    return ids;
}

TGraphLink *LinkAt(TGraphControl &graph, int index)
{
    TGraphObject *object = graph.Objects()[index];
    return object->IsLink() ? static_cast<TGraphLink *>(object) : nullptr;
}

int LinkCount(const TGraphControl &graph)
{
    int links = 0;
    for (TGraphObject *object : graph.Objects().Snapshot())
        links += object->IsLink() ? 1 : 0;
    return links;
}

QByteArray Node(int id, int left = 10, const QByteArray &common = {})
{
    return Bytes().NodeRecord("TRectangularNode", id, left, 10, 50, 30, common);
}

QByteArray Link(int id, int fromID, int toID, const char *text = nullptr)
{
    return Bytes().LinkRecord(id, fromID, toID, text ? Bytes().Prop("G.Text").Str(text) : Bytes());
}

// A diagram; AddLinkedPair gives it two linked nodes with identifiers 1, 2, 3.
class StreamLoadTest : public ::testing::Test {
protected:
    void AddLinkedPair()
    {
        first = graph.InsertNode(TRect(0, 0, 40, 40), &TRectangularNode::Class);
        second = graph.InsertNode(TRect(100, 0, 140, 40), &TRectangularNode::Class);
        link = graph.LinkNodes(first, second);
        ASSERT_NE(link, nullptr);
        ASSERT_EQ(IDs(graph), (std::vector<uint32_t>{1, 2, 3}));
        // A new link is selected; start from no selection.
        graph.SelectedObjects().Clear();
    }

    TGraphControl graph;
    TGraphNode *first = nullptr;
    TGraphNode *second = nullptr;
    TGraphLink *link = nullptr;
};

// --- Whole diagrams ---

TEST_F(StreamLoadTest, WorkedExampleLoadsRenumberedAndLinked)
{
    graph.SetGraphModified(true);
    QByteArray bytes = WorkedExample(1, 2, 3);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    graph.LoadFromStream(buffer);

    ASSERT_EQ(graph.Objects().Count(), 3);
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{2, 3, 4}));
    auto *a = static_cast<TGraphNode *>(graph.Objects()[0]);
    auto *b = static_cast<TGraphNode *>(graph.Objects()[1]);
    EXPECT_EQ(a->ClassType(), &TRectangularNode::Class);
    EXPECT_EQ(a->Text(), "A");
    EXPECT_EQ(b->Text(), "B");
    EXPECT_EQ((std::array{a->Left(), a->Top(), a->Width(), a->Height()}),
              (std::array{10, 10, 50, 30}));
    EXPECT_EQ((std::array{b->Left(), b->Top(), b->Width(), b->Height()}),
              (std::array{100, 10, 50, 30}));
    TGraphLink *l = LinkAt(graph, 2);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->FromNode(), a);
    EXPECT_EQ(l->ToNode(), b);
    EXPECT_EQ(l->Pen().Color(), clRed);
    for (TGraphObject *object : graph.Objects().Snapshot()) {
        EXPECT_EQ(object->StoredID(), 0u);
        EXPECT_EQ(object->State(), osNone);
    }
    EXPECT_FALSE(graph.GraphModified());
    EXPECT_EQ(graph.UpdateCount(), 0);

    EXPECT_EQ(Hex(graph.SaveToBytes()), Hex(WorkedExample(2, 3, 4)));
}

TEST_F(StreamLoadTest, LoadClearsTheDiagramFirst)
{
    AddLinkedPair();
    graph.InsertNode(TRect(0, 100, 40, 140), &TRectangularNode::Class);
    graph.LoadFromBytes(WorkedExample(1, 2, 3));
    // Renumbered as in an empty diagram: nothing of before is left.
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{2, 3, 4}));
}

TEST_F(StreamLoadTest, EmptyStreamLeavesAnEmptyDiagram)
{
    AddLinkedPair();
    graph.SetGraphModified(true);
    graph.LoadFromBytes(Bytes().Raw({0x30, 0x2E, 0x47, 0x53, 0, 0, 0, 0}));
    EXPECT_EQ(graph.Objects().Count(), 0);
    EXPECT_EQ(graph.SelectedObjects().Count(), 0);
    EXPECT_FALSE(graph.GraphModified());
    // A negative count reads no records either.
    AddLinkedPair();
    graph.LoadFromBytes(Bytes().Signature().Int32(-1).Raw(Node(10)));
    EXPECT_EQ(graph.Objects().Count(), 0);
}

// Identifiers need not run from 1, and a link may come before its nodes.
TEST_F(StreamLoadTest, LinksFollowTheirNodesWhateverTheIdentifiersAndOrder)
{
    graph.LoadFromBytes(
        Bytes().Signature().Int32(3).Raw(Link(7, 200, 100)).Raw(Node(100)).Raw(Node(200, 80)));
    ASSERT_EQ(graph.Objects().Count(), 3);
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{7, 100, 200}));
    TGraphLink *l = LinkAt(graph, 0);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->FromNode(), graph.Objects()[2]);
    EXPECT_EQ(l->ToNode(), graph.Objects()[1]);
}

// Merging into a diagram that has objects: a read object takes the
// smallest free identifier not below its stored one, its own identifier
// from construction counting as taken.
TEST_F(StreamLoadTest, ReadObjectsRenumbersAgainstExistingObjects)
{
    AddLinkedPair();
    ReadBlock(graph, Bytes().Int32(3).Raw(Node(1)).Raw(Node(2, 80)).Raw(Link(3, 1, 2)));
    ASSERT_EQ(graph.Objects().Count(), 6);
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{1, 2, 3, 5, 6, 7}));
    TGraphLink *l = LinkAt(graph, 5);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->FromNode(), graph.Objects()[3]);
    EXPECT_EQ(l->ToNode(), graph.Objects()[4]);
    // The link that was there still joins its own nodes.
    EXPECT_EQ(link->FromNode(), first);
    EXPECT_EQ(link->ToNode(), second);
    EXPECT_FALSE(graph.ObjectEventsSuppressed());
    EXPECT_EQ(graph.UpdateCount(), 0);
}

// A link whose nodes were not in the block is looked up among all
// objects: in the diagram it came from, it duplicates the link that
// still joins them and is dropped; elsewhere it joins whatever carries
// the identifiers.
TEST_F(StreamLoadTest, LinkWithoutItsNodesJoinsWhateverCarriesTheIdentifiers)
{
    AddLinkedPair();
    const QByteArray block = Bytes().Int32(1).Raw(Link(3, 1, 2));
    ReadBlock(graph, block);
    EXPECT_EQ(graph.Objects().Count(), 3);

    TGraphControl other;
    TGraphNode *x = other.InsertNode(TRect(0, 0, 40, 40), &TRectangularNode::Class);
    TGraphNode *y = other.InsertNode(TRect(100, 0, 140, 40), &TRectangularNode::Class);
    ReadBlock(other, block);
    ASSERT_EQ(other.Objects().Count(), 3);
    TGraphLink *l = LinkAt(other, 2);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->FromNode(), x);
    EXPECT_EQ(l->ToNode(), y);
}

// Two nodes read with the same stored identifier: the later one keeps
// the next free identifier, and a link naming it joins the later one.
TEST_F(StreamLoadTest, DuplicateStoredIdentifierResolvesToTheLaterNode)
{
    graph.LoadFromBytes(Bytes()
                            .Signature()
                            .Int32(4)
                            .Raw(Node(5))
                            .Raw(Node(5, 100))
                            .Raw(Node(9, 200))
                            .Raw(Link(20, 5, 9)));
    ASSERT_EQ(graph.Objects().Count(), 4);
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{5, 6, 9, 20}));
    TGraphLink *l = LinkAt(graph, 3);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->FromNode(), graph.Objects()[1]);
    EXPECT_EQ(l->ToNode(), graph.Objects()[2]);
}

// The carrier's class name is not checked and its component name is taken.
TEST_F(StreamLoadTest, CarrierNamesInTheBlockHeadAreAccepted)
{
    Bytes record;
    record.Record("TRectangularNode").Raw("TPF0").Short("TSomethingElse").Short("Node1");
    record.Prop("ID").Int8(10).Prop("G.Text").Str("x").BlockEnd();
    graph.LoadFromBytes(Bytes().Signature().Int32(1).Raw(record));
    ASSERT_EQ(graph.Objects().Count(), 1);
    EXPECT_EQ(graph.Objects()[0]->Text(), "x");
}

// A load is one batch: one change report at its end, no insert or select
// events for the objects read.
TEST_F(StreamLoadTest, LoadReportsOnceAndRaisesNoObjectEvents)
{
    AddLinkedPair();
    int changes = 0, inserts = 0, selects = 0, removes = 0;
    graph.OnGraphChange = [&](TGraphControl *) { ++changes; };
    graph.OnObjectInsert = [&](TGraphControl *, TGraphObject *) { ++inserts; };
    graph.OnObjectSelect = [&](TGraphControl *, TGraphObject *) { ++selects; };
    graph.OnObjectRemove = [&](TGraphControl *, TGraphObject *) { ++removes; };
    graph.LoadFromBytes(WorkedExample(1, 2, 3));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(inserts, 0);
    EXPECT_EQ(selects, 0);
    EXPECT_EQ(removes, 0);
    EXPECT_FALSE(graph.GraphModified());
}

// --- Links that cannot be joined ---

struct LinkSetCase {
    const char *Name;
    std::vector<QByteArray> Links; // read after nodes 10 and 11
    int LinksLeft;
    const char *Survivor; // text of the link that is left
};

void PrintTo(const LinkSetCase &c, std::ostream *os)
{
    *os << c.Name;
}

class StreamLinkResolutionTest : public ::testing::TestWithParam<LinkSetCase> {};

TEST_P(StreamLinkResolutionTest, DropsLinksThatCannotJoin)
{
    const LinkSetCase &c = GetParam();
    TGraphControl graph;
    Bytes bytes;
    bytes.Signature().Int32(2 + int(c.Links.size())).Raw(Node(10)).Raw(Node(11, 100));
    for (const QByteArray &record : c.Links)
        bytes.Raw(record);
    ASSERT_NO_THROW(graph.LoadFromBytes(bytes));
    EXPECT_EQ(graph.Objects().Count(), 2 + c.LinksLeft);
    EXPECT_EQ(LinkCount(graph), c.LinksLeft);
    if (c.Survivor) {
        TGraphLink *l = LinkAt(graph, graph.Objects().Count() - 1);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->Text(), c.Survivor);
        EXPECT_NE(l->FromNode(), nullptr);
        EXPECT_NE(l->ToNode(), nullptr);
    }
    for (TGraphObject *object : graph.Objects().Snapshot())
        EXPECT_EQ(object->StoredID(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Links, StreamLinkResolutionTest,
    ::testing::Values(
        LinkSetCase{
            "DuplicateSameDirection", {Link(20, 10, 11, "old"), Link(21, 10, 11, "new")}, 1, "new"},
        LinkSetCase{
            "DuplicateReversed", {Link(20, 10, 11, "old"), Link(21, 11, 10, "new")}, 1, "new"},
        LinkSetCase{"ThreeBetweenTheSameNodes",
                    {Link(20, 10, 11, "a"), Link(21, 11, 10, "b"), Link(22, 10, 11, "c")},
                    1,
                    "c"},
        LinkSetCase{"OneDangling", {Link(20, 50, 51)}, 0, nullptr},
        LinkSetCase{"TwoDangling", {Link(20, 50, 51), Link(21, 52, 53)}, 0, nullptr},
        LinkSetCase{"OneEndMissing", {Link(20, 10, 51)}, 0, nullptr},
        LinkSetCase{"BothEndsOnOneNode", {Link(20, 10, 10)}, 0, nullptr},
        LinkSetCase{
            "DanglingBesideAGoodOne", {Link(20, 50, 51), Link(21, 10, 11, "good")}, 1, "good"}),
    [](const auto &info) { return std::string(info.param.Name); });

// --- Failures ---

struct FailureCase {
    const char *Name;
    QByteArray Bytes;
    const char *Message;
    bool SignatureError; // EGraphStreamError rather than a plain stream error
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.Name;
}

QByteArray Stream(int count, const QByteArray &records)
{
    return Bytes().Signature().Int32(count).Raw(records);
}

// A node record up to its ID; callers add properties and, when they want
// them, the end bytes.
QByteArray NodeHead(int id = 10)
{
    return Bytes().Record("TRectangularNode").BlockHead().Prop("ID").Int8(id);
}

QByteArray Picture(const QByteArray &payload)
{
    return Bytes().Raw(NodeHead()).Prop("G.Background.Data").Binary(payload).BlockEnd();
}

const QByteArray Good = Node(10);

std::vector<FailureCase> FailureCases()
{
    const QByteArray example = WorkedExample(1, 2, 3);
    return {
        {"OtherSignature", Bytes().Raw("0.GX").Int32(0), "Invalid stream content", true},
        {"OtherSignatureOnly", QByteArray("ABCD"), "Invalid stream content", true},
        {"SignatureCutShort", QByteArray("0.G"), "Stream read error", false},
        {"BlockWithoutTPF0",
         Stream(1, Bytes().Record("TRectangularNode").Raw("TPF1").Short("TGraphStreamableObject")),
         "Invalid stream format", false},
        {"UnknownClass", Stream(2, Bytes().Raw(Good).Record("TFoo")), "Class TFoo not found",
         false},
        {"UnknownProperty", Stream(1, Bytes().Raw(NodeHead()).Prop("G.Foo").Int8(1).BlockEnd()),
         "Error reading TGraphStreamableObject.G.Foo: Property Foo does not exist", false},
        {"UnknownTopLevelProperty", Stream(1, Bytes().Raw(NodeHead()).Prop("Foo").Int8(1)),
         "Error reading TGraphStreamableObject.Foo: Property Foo does not exist", false},
        {"LinkPropertyOnANode", Stream(1, Bytes().Raw(NodeHead()).Prop("G.FromNode").Int8(1)),
         "Error reading TGraphStreamableObject.G.FromNode: Property FromNode does not exist",
         false},
        {"TextWithIntegerTag", Stream(1, Bytes().Raw(NodeHead()).Prop("G.Text").Int8(5)),
         "Error reading TGraphStreamableObject.G.Text: Invalid property value", false},
        {"BitmapWithoutBM", Stream(1, Picture(Bytes().Short("TBitmap").Int32(4).Raw("XXXX"))),
         "Bitmap image is not valid", false},
        {"CountCutShort", Bytes().Signature().Raw({0x01, 0x00}), "Stream read error", false},
        {"RecordNameCutShort", example.left(8 + 4 + 5), "Stream read error", false},
        {"BlockCutShort", example.left(8 + 4 + 17 + 20), "Stream read error", false},
        {"LastEndByteMissing", example.left(example.size() - 1), "Stream read error", false},
        {"FewerRecordsThanCounted", Stream(4, example.mid(8)), "Stream read error", false},
        // Hostile counts and lengths end as soon as the bytes run out.
        {"HugeObjectCount", Stream(2000000000, Good), "Stream read error", false},
        {"HugeClassNameLength", Stream(1, Bytes().Int32(0x7FFFFFFF).Raw("TRectangularNode")),
         "Stream read error", false},
        {"ShortStringPastTheEnd",
         Stream(1, Bytes().Raw(NodeHead()).Prop("G.Text").Raw({0x06, 0xC8}).Raw("abc")),
         "Stream read error", false},
        {"LongStringPastTheEnd",
         Stream(1, Bytes().Raw(NodeHead()).Prop("G.Text").Raw({0x0C}).Int32(0x7FFFFFFF)),
         "Stream read error", false},
        {"Utf8StringPastTheEnd",
         Stream(1, Bytes().Raw(NodeHead()).Prop("G.Text").Raw({0x14}).Int32(0xFFFFFFFF)),
         "Stream read error", false},
        {"WideStringPastTheEnd",
         Stream(1, Bytes().Raw(NodeHead()).Prop("G.Text").Raw({0x12}).Int32(0x7FFFFFFF).Raw("ab")),
         "Stream read error", false},
        {"WideStringCountWraps",
         Stream(1, Bytes().Raw(NodeHead()).Prop("G.Text").Raw({0x12}).Int32(0x80000001)),
         "Stream read error", false},
        {"BinaryPastTheEnd",
         Stream(1, Bytes()
                       .Raw(NodeHead())
                       .Prop("G.Background.Data")
                       .Raw({0x0A})
                       .Int32(0xFFFFFFFF)
                       .Short("TBitmap")),
         "Stream read error", false},
        {"BitmapLengthPastTheEnd", Stream(1, Picture(Bytes().Short("TBitmap").Int32(0xFFFFFFFF))),
         "Stream read error", false},
        {"JpegLengthPastTheEnd",
         Stream(1, Picture(Bytes().Short("TJPEGImage").Int32(0x7FFFFFFF).Raw("\xFF\xD8"))),
         "Stream read error", false},
        {"SetMemberPastTheEnd",
         Stream(1, Bytes().Raw(NodeHead()).Prop("G.Font.Style").Raw({0x0B, 0x40}).Raw("fs")),
         "Stream read error", false},
        {"PropertyNamePastTheEnd", Stream(1, Bytes().Raw(NodeHead()).Raw({0xFF}).Raw("G.Te")),
         "Stream read error", false},
    };
}

class StreamFailureTest : public ::testing::TestWithParam<FailureCase> {};

// Through LoadFromBytes: the diagram is cleared first, a failure leaves it
// empty (nothing read before the failure stays), and the batch and flags are
// restored.
TEST_P(StreamFailureTest, LoadFailsWithTheMessage)
{
    const FailureCase &c = GetParam();
    TGraphControl graph;
    graph.InsertNode(TRect(0, 0, 40, 40), &TRectangularNode::Class);
    graph.InsertNode(TRect(100, 0, 140, 40), &TRectangularNode::Class);
    graph.SetGraphModified(true);
    try {
        graph.LoadFromBytes(c.Bytes);
        FAIL() << "no error";
    } catch (const EStreamError &e) {
        EXPECT_EQ(e.Message().toStdString(), c.Message);
        EXPECT_EQ(dynamic_cast<const EGraphStreamError *>(&e) != nullptr, c.SignatureError);
    }
    EXPECT_EQ(graph.Objects().Count(), 0);
    EXPECT_EQ(graph.UpdateCount(), 0);
    EXPECT_FALSE(graph.ObjectEventsSuppressed());
    EXPECT_FALSE(graph.GraphModified());
    for (TGraphObject *object : graph.Objects().Snapshot())
        EXPECT_EQ(object->State(), osNone);
}

// Through LoadFromStream, the file reading path.
TEST_P(StreamFailureTest, LoadFromStreamFailsTheSameWay)
{
    const FailureCase &c = GetParam();
    TGraphControl graph;
    QByteArray bytes = c.Bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        graph.LoadFromStream(buffer);
        FAIL() << "no error";
    } catch (const EStreamError &e) {
        EXPECT_EQ(e.Message().toStdString(), c.Message);
    }
    EXPECT_EQ(graph.Objects().Count(), 0);
    EXPECT_EQ(graph.UpdateCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Streams, StreamFailureTest, ::testing::ValuesIn(FailureCases()),
                         [](const auto &info) { return std::string(info.param.Name); });

// Values whose tag does not suit their field.
class StreamInvalidValueTest
    : public ::testing::TestWithParam<std::pair<const char *, QByteArray>> {};

TEST_P(StreamInvalidValueTest, NamesThePropertyAndTheReason)
{
    const auto &[path, value] = GetParam();
    TGraphControl graph;
    try {
        graph.LoadFromBytes(Stream(1, Bytes().Raw(NodeHead()).Prop(path).Raw(value).BlockEnd()));
        FAIL() << "no error";
    } catch (const EStreamError &e) {
        EXPECT_EQ(e.Message().toStdString(), std::string("Error reading TGraphStreamableObject.") +
                                                 path + ": Invalid property value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tags, StreamInvalidValueTest,
    ::testing::Values(
        std::pair<const char *, QByteArray>{"G.Left", Bytes().Str("10")},
        std::pair<const char *, QByteArray>{"G.Tag", Bytes().True()},
        std::pair<const char *, QByteArray>{"G.Visible", Bytes().Int8(0)},
        std::pair<const char *, QByteArray>{"G.Visible", Bytes().Ident("Yes")},
        std::pair<const char *, QByteArray>{"G.Brush.Color", Bytes().Ident("clFoo")},
        std::pair<const char *, QByteArray>{"G.Brush.Color", Bytes().Str("clRed")},
        std::pair<const char *, QByteArray>{"G.Brush.Style", Bytes().Ident("bsFoo")},
        std::pair<const char *, QByteArray>{"G.Brush.Style", Bytes().Int8(1)},
        std::pair<const char *, QByteArray>{"G.Pen.Mode", Bytes().Ident("psDash")},
        std::pair<const char *, QByteArray>{"G.Font.Charset", Bytes().Ident("FOO_CHARSET")},
        std::pair<const char *, QByteArray>{"G.Font.Style", Bytes().Ident("fsBold")},
        std::pair<const char *, QByteArray>{"G.Font.Style", Bytes().Set({"fsFoo"})},
        std::pair<const char *, QByteArray>{"G.Background.Data", Bytes().Str("TBitmap")},
        std::pair<const char *, QByteArray>{"G.Text", Bytes().Binary("A")}));

// A failure in a later record takes back what was read before it: no
// half-read objects, no links without their nodes.
TEST_F(StreamLoadTest, FailureInALaterRecordLeavesAnEmptyDiagram)
{
    AddLinkedPair();
    const QByteArray bytes = Stream(4, Bytes()
                                           .Raw(Node(1, 10, Bytes().Prop("G.Text").Str("A")))
                                           .Raw(Node(2, 100))
                                           .Raw(Link(3, 1, 2))
                                           .Raw(NodeHead(4))
                                           .Prop("G.Text")
                                           .Str("half")
                                           .Prop("G.Foo")
                                           .Int8(0));
    int removes = 0;
    graph.OnObjectRemove = [&](TGraphControl *, TGraphObject *) { ++removes; };
    EXPECT_THROW(graph.LoadFromBytes(bytes), EStreamError);
    EXPECT_EQ(graph.Objects().Count(), 0);
    EXPECT_EQ(graph.SelectedObjects().Count(), 0);
    EXPECT_EQ(removes, 0);
    EXPECT_EQ(graph.UpdateCount(), 0);
    EXPECT_FALSE(graph.GraphModified());
    // The identifiers taken by the half-read objects are free again.
    TGraphControl fresh;
    fresh.LoadFromBytes(WorkedExample(1, 2, 3));
    graph.LoadFromBytes(WorkedExample(1, 2, 3));
    EXPECT_EQ(IDs(graph), IDs(fresh));
}

// ReadObjects alone (the clipboard path) restores the batch and the
// event suppression after a failure, and keeps exactly what was there.
TEST_F(StreamLoadTest, ReadObjectsFailureRestoresTheControl)
{
    AddLinkedPair();
    EXPECT_THROW(ReadBlock(graph, Bytes().Int32(2).Raw(Node(1)).Record("TFoo")), EStreamError);
    EXPECT_EQ(graph.Objects().Count(), 3);
    EXPECT_EQ(graph.UpdateCount(), 0);
    EXPECT_FALSE(graph.ObjectEventsSuppressed());
    EXPECT_EQ(link->FromNode(), first);
}

// --- Files ---

class StreamFileTest : public StreamLoadTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char *name) const { return dir.filePath(name); }
    static QByteArray Contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(StreamFileTest, SaveReplacesTheWholeFileAndLoadReadsIt)
{
    const QString path = Path("plan.wir");
    // A longer old file must not leave a tail behind.
    Write(path, QByteArray(500, 'x'));
    graph.LoadFromBytes(WorkedExample(1, 2, 3));
    graph.SetGraphModified(true);
    graph.SaveToFile(path);
    EXPECT_EQ(Hex(Contents(path)), Hex(WorkedExample(2, 3, 4)));
    EXPECT_FALSE(graph.GraphModified());

    TGraphControl other;
    other.LoadFromFile(path);
    EXPECT_EQ(IDs(other), (std::vector<uint32_t>{2, 3, 4}));
    EXPECT_EQ(LinkAt(other, 2)->FromNode(), other.Objects()[0]);
}

TEST_F(StreamFileTest, SaveOntoADirectoryFailsAndLeavesItAlone)
{
    const QString path = Path("taken.wir");
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.wir"));
    Write(path + "/inside.txt", "keep");
    AddLinkedPair();
    EXPECT_THROW(graph.SaveToFile(path), std::exception);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(Contents(path + "/inside.txt"), "keep");
}

TEST_F(StreamFileTest, SaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const QString folder = Path("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString path = folder + "/plan.wir";
    const QByteArray old = WorkedExample(1, 2, 3);
    Write(path, old);
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    struct Unlock {
        QString folder;
        ~Unlock()
        {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        }
    } unlock{folder};
    if (access(folder.toLocal8Bit().constData(), W_OK) == 0)
        GTEST_SKIP() << "permissions are not enforced for this user";
    AddLinkedPair();
    graph.SetGraphModified(true);
    EXPECT_THROW(graph.SaveToFile(path), std::exception);
    EXPECT_EQ(Hex(Contents(path)), Hex(old));
    EXPECT_TRUE(graph.GraphModified());
}

TEST_F(StreamFileTest, LoadOfAMissingFileFailsAndKeepsTheDiagram)
{
    AddLinkedPair();
    EXPECT_THROW(graph.LoadFromFile(Path("missing.wir")), std::exception);
    EXPECT_EQ(graph.Objects().Count(), 3);
}

// --- Clipboard ---

class StreamClipboardTest : public StreamLoadTest {
protected:
    void SetUp() override
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        auto *probe = new QMimeData;
        probe->setData(TGraphControl::ClipboardMimeType(), "probe");
        clipboard->setMimeData(probe);
        const QMimeData *back = clipboard->mimeData();
        if (!back || back->data(TGraphControl::ClipboardMimeType()) != "probe")
            GTEST_SKIP() << "no working clipboard on this platform";
        clipboard->clear();
    }
    static QByteArray ClipboardBlock()
    {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        return data ? data->data(TGraphControl::ClipboardMimeType()) : QByteArray();
    }
    static void PutBlock(const QByteArray &block)
    {
        auto *data = new QMimeData;
        data->setData(TGraphControl::ClipboardMimeType(), block);
        QGuiApplication::clipboard()->setMimeData(data);
    }
    void SelectAll()
    {
        for (TGraphObject *object : graph.Objects().Snapshot())
            object->SetSelected(true);
    }
};

TEST_F(StreamClipboardTest, CopyWithNothingSelectedPutsAnEmptyBlock)
{
    AddLinkedPair();
    QGuiApplication::clipboard()->setText("other content");
    graph.CopyToClipboard(true);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(TGraphControl::ClipboardMimeType()));
    EXPECT_EQ(Hex(ClipboardBlock()), Hex(Bytes().Int32(0)));
    // The clipboard was emptied before the block went on it.
    EXPECT_FALSE(data->hasText());

    first->SetSelected(true);
    link->SetSelected(true);
    EXPECT_TRUE(graph.PasteFromClipboard());
    EXPECT_EQ(graph.SelectedObjects().Count(), 0);
    EXPECT_FALSE(first->Selected());
    EXPECT_EQ(graph.Objects().Count(), 3);
}

TEST_F(StreamClipboardTest, CopyWritesTheSelectionAsABlockWithoutSignature)
{
    graph.LoadFromBytes(WorkedExample(1, 2, 3));
    ASSERT_EQ(IDs(graph), (std::vector<uint32_t>{2, 3, 4}));
    SelectAll();
    graph.CopyToClipboard(true);
    EXPECT_EQ(Hex(ClipboardBlock()), Hex(WorkedExample(2, 3, 4).mid(4)));

    // Everything, whatever is selected.
    graph.SelectedObjects().Clear();
    graph.CopyToClipboard(false);
    EXPECT_EQ(Hex(ClipboardBlock()), Hex(WorkedExample(2, 3, 4).mid(4)));

    graph.Objects()[1]->SetSelected(true);
    graph.CopyToClipboard(true);
    EXPECT_EQ(Hex(ClipboardBlock()),
              Hex(Bytes().Int32(1).Raw(Node(3, 100, Bytes().Prop("G.Text").Str("B")))));
}

TEST_F(StreamClipboardTest, PastingTheSameBlockTwiceMakesFreshCopies)
{
    AddLinkedPair();
    SelectAll();
    graph.CopyToClipboard(true);

    ASSERT_TRUE(graph.PasteFromClipboard());
    ASSERT_TRUE(graph.PasteFromClipboard());
    ASSERT_EQ(graph.Objects().Count(), 9);
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{1, 2, 3, 5, 6, 7, 8, 9, 10}));
    for (int copy : {3, 6}) {
        TGraphLink *l = LinkAt(graph, copy + 2);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->FromNode(), graph.Objects()[copy]);
        EXPECT_EQ(l->ToNode(), graph.Objects()[copy + 1]);
        // Pasted objects keep the coordinates they were copied with.
        EXPECT_EQ(static_cast<TGraphNode *>(graph.Objects()[copy + 1])->Left(), 100);
    }
    EXPECT_EQ(link->FromNode(), first);
    EXPECT_EQ(link->ToNode(), second);

    // The second paste's objects are the selection, the last one read first.
    ASSERT_EQ(graph.SelectedObjects().Count(), 3);
    EXPECT_EQ(graph.SelectedObjects()[0], graph.Objects()[8]);
    EXPECT_EQ(graph.SelectedObjects()[1], graph.Objects()[7]);
    EXPECT_EQ(graph.SelectedObjects()[2], graph.Objects()[6]);
    EXPECT_EQ(graph.UpdateCount(), 0);
}

// A paste is one batch; the deselection and the selection of the pasted
// objects raise OnObjectSelect, reading them raises no insert events.
TEST_F(StreamClipboardTest, PasteSelectsThePastedObjectsInOneBatch)
{
    AddLinkedPair();
    SelectAll();
    graph.CopyToClipboard(true);
    graph.SelectedObjects().Clear();
    first->SetSelected(true);
    int changes = 0, inserts = 0;
    std::vector<std::pair<TGraphObject *, bool>> selects;
    graph.OnGraphChange = [&](TGraphControl *) { ++changes; };
    graph.OnObjectInsert = [&](TGraphControl *, TGraphObject *) { ++inserts; };
    graph.OnObjectSelect = [&](TGraphControl *, TGraphObject *object) {
        selects.emplace_back(object, object->Selected());
    };
    ASSERT_TRUE(graph.PasteFromClipboard());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(inserts, 0);
    const std::vector<std::pair<TGraphObject *, bool>> expected = {{first, false},
                                                                   {graph.Objects()[5], true},
                                                                   {graph.Objects()[4], true},
                                                                   {graph.Objects()[3], true}};
    EXPECT_EQ(selects, expected);
    EXPECT_TRUE(graph.GraphModified());
}

TEST_F(StreamClipboardTest, PasteIgnoresBytesAfterTheLastRecord)
{
    PutBlock(Bytes().Int32(1).Raw(Node(10)).Raw("trailing bytes"));
    ASSERT_TRUE(graph.PasteFromClipboard());
    ASSERT_EQ(graph.Objects().Count(), 1);
    EXPECT_EQ(graph.Objects()[0]->ID(), 10u);
    EXPECT_TRUE(graph.Objects()[0]->Selected());
}

TEST_F(StreamClipboardTest, PasteWithoutTheFormatReturnsFalse)
{
    AddLinkedPair();
    first->SetSelected(true);
    QGuiApplication::clipboard()->setText("just text");
    EXPECT_FALSE(graph.PasteFromClipboard());
    EXPECT_EQ(graph.Objects().Count(), 3);
    EXPECT_TRUE(first->Selected());
}

// A block that fails part way adds nothing, keeps the selection and reports
// no change; the error passes on to the caller.
TEST_F(StreamClipboardTest, FailedPasteLeavesTheDiagramAsItWas)
{
    AddLinkedPair();
    first->SetSelected(true);
    graph.SetGraphModified(false);
    int changes = 0;
    graph.OnGraphChange = [&](TGraphControl *) { ++changes; };
    PutBlock(Bytes().Int32(3).Raw(Node(10)).Raw(Link(11, 10, 1)).Record("TFoo"));
    try {
        graph.PasteFromClipboard();
        FAIL() << "no error";
    } catch (const EStreamError &e) {
        EXPECT_EQ(e.Message(), "Class TFoo not found");
    }
    EXPECT_EQ(graph.Objects().Count(), 3);
    EXPECT_EQ(IDs(graph), (std::vector<uint32_t>{1, 2, 3}));
    ASSERT_EQ(graph.SelectedObjects().Count(), 1);
    EXPECT_EQ(graph.SelectedObjects()[0], first);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(graph.GraphModified());
    EXPECT_EQ(graph.UpdateCount(), 0);
    EXPECT_FALSE(graph.ObjectEventsSuppressed());
}

} // namespace
