// The bytes of the diagram stream: what the writer produces for every
// property and value kind, checked against bytes spelled out by hand, and
// that the reader takes those same bytes back.

#include "StreamTestSupport.h"

#include "BitmapCodec.h"
#include "EllipticNode.h"
#include "LineNode.h"
#include "PolygonalNode.h"
#include "RoundRectangularNode.h"

#include <QBuffer>
#include <climits>
#include <functional>
#include <gtest/gtest.h>

using namespace StreamTest;

namespace {

// --- Whole diagrams ---

TEST(StreamFormatDiagramTest, EmptyDiagramIsSignatureAndZeroCount)
{
    TGraphControl graph;
    graph.SetGraphModified(true);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    graph.SaveToStream(buffer);
    EXPECT_EQ(Hex(buffer.data()), Hex(Bytes().Raw({0x30, 0x2E, 0x47, 0x53, 0, 0, 0, 0})));
    EXPECT_FALSE(graph.GraphModified());
}

TEST(StreamFormatDiagramTest, WorkedExampleIsWrittenByteForByte)
{
    TGraphControl graph;
    TGraphNode *a = graph.InsertNode(TRect(10, 10, 60, 40), &TRectangularNode::Class);
    TGraphNode *b = graph.InsertNode(TRect(100, 10, 150, 40), &TRectangularNode::Class);
    a->SetText("A");
    b->SetText("B");
    TGraphLink *link = graph.LinkNodes(a, b);
    ASSERT_NE(link, nullptr);
    ASSERT_EQ(a->ID(), 1u);
    ASSERT_EQ(b->ID(), 2u);
    ASSERT_EQ(link->ID(), 3u);
    graph.SetGraphModified(true);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    graph.SaveToStream(buffer);
    EXPECT_EQ(Hex(buffer.data()), Hex(WorkedExample(1, 2, 3)));
    EXPECT_FALSE(graph.GraphModified());
    // Writing leaves the objects live.
    for (TGraphObject *object : graph.Objects().Snapshot())
        EXPECT_EQ(object->State(), osNone);
}

// The worked example's records, spelled out completely once, so that the
// builder's structure helpers are themselves checked against the table.
TEST(StreamFormatDiagramTest, WorkedExampleBytesMatchTheTable)
{
    QByteArray expected;
    const auto add = [&](std::initializer_list<int> bytes) {
        for (int b : bytes)
            expected.append(char(b));
    };
    const auto text = [&](const char *s) { expected.append(s); };
    const auto head = [&] {
        add({0x54, 0x50, 0x46, 0x30, 0x16});
        text("TGraphStreamableObject");
        add({0x00});
    };
    const auto node = [&](int id, char label, int left) {
        add({0x11, 0, 0, 0});
        text("TRectangularNode");
        add({0x00});
        head();
        add({0x02}), text("ID"), add({0x02, id});
        add({0x06}), text("G.Text"), add({0x06, 0x01, label});
        add({0x06}), text("G.Left"), add({0x02, left});
        add({0x05}), text("G.Top"), add({0x02, 0x0A});
        add({0x07}), text("G.Width"), add({0x02, 0x32});
        add({0x08}), text("G.Height"), add({0x02, 0x1E});
        add({0x00, 0x00});
    };
    add({0x30, 0x2E, 0x47, 0x53, 0x03, 0, 0, 0});
    node(1, 'A', 0x0A);
    node(2, 'B', 0x64);
    add({0x0B, 0, 0, 0});
    text("TGraphLink");
    add({0x00});
    head();
    add({0x02}), text("ID"), add({0x02, 0x03});
    add({0x0B}), text("G.Pen.Color"), add({0x07, 0x05}), text("clRed");
    add({0x0A}), text("G.FromNode"), add({0x02, 0x01});
    add({0x08}), text("G.ToNode"), add({0x02, 0x02});
    add({0x00, 0x00});
    EXPECT_EQ(Hex(WorkedExample(1, 2, 3)), Hex(expected));
}

// --- Single properties, both directions ---

// A property case: what to change on a fresh object, and the bytes that
// must appear between "ID" and the bounds ("common") and after the bounds
// of a node or before the link's node references ("tail").
struct PropertyCase {
    const char *Name;
    bool Link;
    std::function<void(TGraphObject &)> Apply;
    QByteArray Common;
    QByteArray Tail;
    // Whether reading the bytes gives the same object back (an omitted
    // property reads as a new object's value, which may differ).
    bool ReadBack = true;
};

void PrintTo(const PropertyCase &c, std::ostream *os)
{
    *os << c.Name;
}

TGraphNode &AsNode(TGraphObject &o)
{
    return static_cast<TGraphNode &>(o);
}
TGraphLink &AsLink(TGraphObject &o)
{
    return static_cast<TGraphLink &>(o);
}

constexpr int NodeID = 10, OtherNodeID = 11, LinkID = 12;

// Identifiers that survive reading into an empty diagram unchanged (a
// node read with identifier 1 becomes 2, since its own identifier from
// construction counts as taken).
QByteArray ExpectedRecord(const PropertyCase &c)
{
    if (!c.Link)
        return Bytes().NodeRecord("TRectangularNode", NodeID, 10, 20, 50, 30, c.Common, c.Tail);
    return Bytes()
        .Record("TGraphLink")
        .BlockHead()
        .Prop("ID")
        .Int8(LinkID)
        .Raw(c.Common)
        .Raw(c.Tail)
        .Prop("G.FromNode")
        .Int8(NodeID)
        .Prop("G.ToNode")
        .Int8(OtherNodeID)
        .BlockEnd();
}

QByteArray PlainNodeRecord(int id, int left)
{
    return Bytes().NodeRecord("TRectangularNode", id, left, 20, 50, 30);
}

class StreamPropertyWriteTest : public ::testing::TestWithParam<PropertyCase> {};
class StreamPropertyReadTest : public ::testing::TestWithParam<PropertyCase> {};

template <typename Case, size_t N> std::vector<Case> Readable(const Case (&cases)[N])
{
    std::vector<Case> readable;
    for (const Case &c : cases)
        if (c.ReadBack) readable.push_back(c);
    return readable;
}

TEST_P(StreamPropertyWriteTest, WritesExactBytes)
{
    const PropertyCase &c = GetParam();
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(10, 20, 60, 50), &TRectangularNode::Class);
    node->SetID(NodeID);
    TGraphObject *object = node;
    if (c.Link) {
        TGraphNode *other = graph.InsertNode(TRect(100, 20, 150, 50), &TRectangularNode::Class);
        other->SetID(OtherNodeID);
        TGraphLink *link = graph.LinkNodes(node, other);
        ASSERT_NE(link, nullptr);
        link->SetID(LinkID);
        object = link;
    }
    c.Apply(*object);
    EXPECT_EQ(Hex(RecordOf(graph, object)), Hex(ExpectedRecord(c)));
}

TEST_P(StreamPropertyReadTest, ReadsBackToTheSameBytes)
{
    const PropertyCase &c = GetParam();
    TGraphControl graph;
    Bytes block;
    if (c.Link)
        block.Int32(3).Raw(PlainNodeRecord(NodeID, 10)).Raw(PlainNodeRecord(OtherNodeID, 100));
    else
        block.Int32(1);
    block.Raw(ExpectedRecord(c));
    ReadBlock(graph, block);
    ASSERT_EQ(graph.Objects().Count(), c.Link ? 3 : 1);
    TGraphObject *object = graph.Objects().Last();
    EXPECT_EQ(object->StoredID(), 0u);
    EXPECT_EQ(Hex(RecordOf(graph, object)), Hex(ExpectedRecord(c)));
}

// A fresh builder, short for the tables below.
Bytes P()
{
    return Bytes();
}

const PropertyCase PropertyCases[] = {
    // A node at its defaults: ID and the four bounds, nothing else.
    {"NodeAtDefaults", false, [](TGraphObject &) {}, {}, {}},
    {"TextK1",
     false,
     [](TGraphObject &o) { o.SetText("K1"); },
     P().Prop("G.Text").Raw({0x06, 0x02, 0x4B, 0x31}),
     {}},
    {"BrushColorName",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(clRed); },
     P().Prop("G.Brush.Color").Ident("clRed"),
     {}},
    {"BrushColorBlack",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(clBlack); },
     P().Prop("G.Brush.Color").Ident("clBlack"),
     {}},
    {"BrushColorMedGray",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0xA4A0A0); },
     P().Prop("G.Brush.Color").Ident("clMedGray"),
     {}},
    {"BrushColorNone",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0x1FFFFFFF); },
     P().Prop("G.Brush.Color").Ident("clNone"),
     {}},
    {"BrushColorDefault",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0x20000000); },
     P().Prop("G.Brush.Color").Ident("clDefault"),
     {}},
    {"BrushColorSystemFirst",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0xFF000000); },
     P().Prop("G.Brush.Color").Ident("clScrollBar"),
     {}},
    {"BrushColorBtnFace",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0xFF00000F); },
     P().Prop("G.Brush.Color").Ident("clBtnFace"),
     {}},
    {"BrushColorSystemLast",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0xFF00001E); },
     P().Prop("G.Brush.Color").Ident("clMenuBar"),
     {}},
    // System colour 25 has no name: a four-byte integer.
    {"BrushColorSystemUnnamed",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0xFF000019); },
     P().Prop("G.Brush.Color").Raw({0x04, 0x19, 0x00, 0x00, 0xFF}),
     {}},
    {"BrushColorPlainRgb",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0x123456); },
     P().Prop("G.Brush.Color").Raw({0x04, 0x56, 0x34, 0x12, 0x00}),
     {}},
    {"BrushColorSmallByte",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0x000005); },
     P().Prop("G.Brush.Color").Raw({0x02, 0x05}),
     {}},
    {"BrushColorSmallWord",
     false,
     [](TGraphObject &o) { o.Brush().SetColor(0x0000AB); },
     P().Prop("G.Brush.Color").Raw({0x03, 0xAB, 0x00}),
     {}},
    {"BrushStyleClear",
     false,
     [](TGraphObject &o) { o.Brush().SetStyle(bsClear); },
     P().Prop("G.Brush.Style").Ident("bsClear"),
     {}},
    {"BrushStyleDiagCross",
     false,
     [](TGraphObject &o) { o.Brush().SetStyle(bsDiagCross); },
     P().Prop("G.Brush.Style").Ident("bsDiagCross"),
     {}},
    {"PenColorWhite",
     false,
     [](TGraphObject &o) { o.Pen().SetColor(clWhite); },
     P().Prop("G.Pen.Color").Ident("clWhite"),
     {}},
    {"PenModeBlack",
     false,
     [](TGraphObject &o) { o.Pen().SetMode(pmBlack); },
     P().Prop("G.Pen.Mode").Ident("pmBlack"),
     {}},
    {"PenModeNotXor",
     false,
     [](TGraphObject &o) { o.Pen().SetMode(pmNotXor); },
     P().Prop("G.Pen.Mode").Ident("pmNotXor"),
     {}},
    {"PenStyleDash",
     false,
     [](TGraphObject &o) { o.Pen().SetStyle(psDash); },
     P().Prop("G.Pen.Style").Ident("psDash"),
     {}},
    {"PenStyleInsideFrame",
     false,
     [](TGraphObject &o) { o.Pen().SetStyle(psInsideFrame); },
     P().Prop("G.Pen.Style").Ident("psInsideFrame"),
     {}},
    {"PenWidth3",
     false,
     [](TGraphObject &o) { o.Pen().SetWidth(3); },
     P().Prop("G.Pen.Width").Raw({0x02, 0x03}),
     {}},
    {"Hidden",
     false,
     [](TGraphObject &o) { o.SetVisible(false); },
     P().Prop("G.Visible").Raw({0x08}),
     {}},
    {"IconFieldsInOrder",
     false,
     [](TGraphObject &o) {
         // Set in reverse, written in their fixed order.
         o.SetIconComment("c");
         o.SetIconLargeImagePath("l.jpg");
         o.SetIconSmallImagePath("s.bmp");
         o.SetIconType("t");
         o.SetIconSystem("y");
         o.SetIconCaption("cap");
     },
     P().Prop("G.IconCaption")
         .Str("cap")
         .Prop("G.IconSystem")
         .Str("y")
         .Prop("G.IconType")
         .Str("t")
         .Prop("G.IconSmallImagePath")
         .Str("s.bmp")
         .Prop("G.IconLargeImagePath")
         .Str("l.jpg")
         .Prop("G.IconComment")
         .Str("c"),
     {}},
    {"CommonFieldsInOrder",
     false,
     [](TGraphObject &o) {
         o.SetTag(7);
         o.SetVisible(false);
         o.Pen().SetWidth(2);
         o.Pen().SetStyle(psDot);
         o.Pen().SetMode(pmXor);
         o.Pen().SetColor(clNavy);
         o.Brush().SetStyle(bsCross);
         o.Brush().SetColor(clYellow);
         o.SetText("T");
         o.SetIconCaption("C");
     },
     P().Prop("G.Text")
         .Str("T")
         .Prop("G.Brush.Color")
         .Ident("clYellow")
         .Prop("G.Brush.Style")
         .Ident("bsCross")
         .Prop("G.Pen.Color")
         .Ident("clNavy")
         .Prop("G.Pen.Mode")
         .Ident("pmXor")
         .Prop("G.Pen.Style")
         .Ident("psDot")
         .Prop("G.Pen.Width")
         .Int8(2)
         .Prop("G.Visible")
         .False()
         .Prop("G.Tag")
         .Int8(7)
         .Prop("G.IconCaption")
         .Str("C"),
     {}},
    {"AlignmentLeft",
     false,
     [](TGraphObject &o) { AsNode(o).SetAlignment(taLeftJustify); },
     {},
     P().Prop("G.Alignment").Ident("taLeftJustify")},
    {"AlignmentRight",
     false,
     [](TGraphObject &o) { AsNode(o).SetAlignment(taRightJustify); },
     {},
     P().Prop("G.Alignment").Ident("taRightJustify")},
    {"CodeNode",
     false,
     [](TGraphObject &o) { AsNode(o).SetIsCodeNode(true); },
     {},
     P().Prop("G.IsCodeNode").Raw({0x09})},
    {"MarginZero",
     false,
     [](TGraphObject &o) { AsNode(o).SetMargin(0); },
     {},
     P().Prop("G.Margin").Int8(0)},
    {"DegreeNegative",
     false,
     [](TGraphObject &o) { AsNode(o).SetDegree(-90); },
     {},
     P().Prop("G.Degree").Raw({0x02, 0xA6})},
    {"DegreeBeyondOneTurn",
     false,
     [](TGraphObject &o) { AsNode(o).SetDegree(450); },
     {},
     P().Prop("G.Degree").Raw({0x03, 0xC2, 0x01})},
    {"NodeFieldsInOrder",
     false,
     [](TGraphObject &o) {
         TGraphNode &n = AsNode(o);
         n.SetIsTopBottomMirror(true);
         n.SetIsLeftRightMirror(true);
         n.SetDegree(180);
         n.SetMargin(3);
         n.SetIsCodeNode(true);
         n.SetAlignment(taLeftJustify);
     },
     {},
     P().Prop("G.Alignment")
         .Ident("taLeftJustify")
         .Prop("G.IsCodeNode")
         .True()
         .Prop("G.Margin")
         .Int8(3)
         .Prop("G.Degree")
         .Raw({0x03, 0xB4, 0x00})
         .Prop("G.IsLeftRightMirror")
         .True()
         .Prop("G.IsTopBottomMirror")
         .True()},
    // A link's red pen is always written; a black one is not.
    {"LinkAtDefaults", true, [](TGraphObject &) {}, P().Prop("G.Pen.Color").Ident("clRed"), {}},
    {"LinkBlackPen", true, [](TGraphObject &o) { o.Pen().SetColor(clBlack); }, {}, {}, false},
    {"LinkText",
     true,
     [](TGraphObject &o) { o.SetText("L"); },
     P().Prop("G.Text").Str("L").Prop("G.Pen.Color").Ident("clRed"),
     {}},
    {"LinkDirected", true, [](TGraphObject &o) { AsLink(o).SetKind(lkDirected); },
     P().Prop("G.Pen.Color").Ident("clRed"), P().Prop("G.Kind").Ident("lkDirected")},
    {"LinkFieldsInOrder", true,
     [](TGraphObject &o) {
         AsLink(o).SetArrowSize(10);
         AsLink(o).SetKind(lkBidirected);
     },
     P().Prop("G.Pen.Color").Ident("clRed"),
     P().Prop("G.Kind").Ident("lkBidirected").Prop("G.ArrowSize").Int8(10)},
    {"LinkSmallestArrow", true, [](TGraphObject &o) { AsLink(o).SetArrowSize(2); },
     P().Prop("G.Pen.Color").Ident("clRed"), P().Prop("G.ArrowSize").Int8(2)},
};

INSTANTIATE_TEST_SUITE_P(Properties, StreamPropertyWriteTest, ::testing::ValuesIn(PropertyCases),
                         [](const auto &info) { return std::string(info.param.Name); });
INSTANTIATE_TEST_SUITE_P(Properties, StreamPropertyReadTest,
                         ::testing::ValuesIn(Readable(PropertyCases)),
                         [](const auto &info) { return std::string(info.param.Name); });

// A property that is not in the block keeps the new object's value: a
// link read without "G.Pen.Color" is red, not black.
TEST(StreamFormatReadTest, OmittedPropertyKeepsTheNewObjectsValue)
{
    TGraphControl graph;
    Bytes block;
    block.Int32(3).Raw(PlainNodeRecord(NodeID, 10)).Raw(PlainNodeRecord(OtherNodeID, 100));
    block.Record("TGraphLink").BlockHead().Prop("ID").Int8(LinkID);
    block.Prop("G.FromNode").Int8(NodeID).Prop("G.ToNode").Int8(OtherNodeID).BlockEnd();
    ReadBlock(graph, block);
    ASSERT_EQ(graph.Objects().Count(), 3);
    EXPECT_EQ(graph.Objects()[2]->Pen().Color(), clRed);
}

// --- Integer tags, through the free integer "G.Tag" ---

struct IntegerCase {
    int32_t Value;
    QByteArray Bytes;
};

class StreamIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

QByteArray TagRecord(const QByteArray &value)
{
    return Bytes().NodeRecord("TRectangularNode", 1, 10, 20, 50, 30, P().Prop("G.Tag").Raw(value));
}

TEST_P(StreamIntegerTest, SmallestTagHoldsTheValue)
{
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(10, 20, 60, 50), &TRectangularNode::Class);
    node->SetTag(GetParam().Value);
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(TagRecord(GetParam().Bytes)));
}

TEST_P(StreamIntegerTest, ReadsSignExtended)
{
    TGraphControl graph;
    ReadBlock(graph, Bytes().Int32(1).Raw(TagRecord(GetParam().Bytes)));
    ASSERT_EQ(graph.Objects().Count(), 1);
    EXPECT_EQ(graph.Objects()[0]->Tag(), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, StreamIntegerTest,
    ::testing::Values(IntegerCase{1, Bytes().Raw({0x02, 0x01})},
                      IntegerCase{-1, Bytes().Raw({0x02, 0xFF})},
                      IntegerCase{127, Bytes().Raw({0x02, 0x7F})},
                      IntegerCase{-128, Bytes().Raw({0x02, 0x80})},
                      IntegerCase{128, Bytes().Raw({0x03, 0x80, 0x00})},
                      IntegerCase{-129, Bytes().Raw({0x03, 0x7F, 0xFF})},
                      IntegerCase{32767, Bytes().Raw({0x03, 0xFF, 0x7F})},
                      IntegerCase{-32768, Bytes().Raw({0x03, 0x00, 0x80})},
                      IntegerCase{32768, Bytes().Raw({0x04, 0x00, 0x80, 0, 0})},
                      IntegerCase{-32769, Bytes().Raw({0x04, 0xFF, 0x7F, 0xFF, 0xFF})},
                      IntegerCase{INT32_MAX, Bytes().Raw({0x04, 0xFF, 0xFF, 0xFF, 0x7F})},
                      IntegerCase{INT32_MIN, Bytes().Raw({0x04, 0x00, 0x00, 0x00, 0x80})}));

// --- The text rule, through "G.Text" ---

struct TextCase {
    const char *Name;
    QString Text;
    QByteArray Bytes;
    QString Read = {}; // what reading gives, when not the text itself
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.Name;
}

class StreamTextTest : public ::testing::TestWithParam<TextCase> {};

QByteArray TextRecord(const QByteArray &value)
{
    return Bytes().NodeRecord("TRectangularNode", 1, 10, 20, 50, 30, P().Prop("G.Text").Raw(value));
}

TEST_P(StreamTextTest, WritesByTheTextRule)
{
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(10, 20, 60, 50), &TRectangularNode::Class);
    node->SetText(GetParam().Text);
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(TextRecord(GetParam().Bytes)));
}

TEST_P(StreamTextTest, ReadsTheSameText)
{
    TGraphControl graph;
    ReadBlock(graph, Bytes().Int32(1).Raw(TextRecord(GetParam().Bytes)));
    ASSERT_EQ(graph.Objects().Count(), 1);
    EXPECT_EQ(graph.Objects()[0]->Text(),
              GetParam().Read.isEmpty() ? GetParam().Text : GetParam().Read);
}

const QByteArray A255(255, 'a');
const QByteArray A256(256, 'a');

INSTANTIATE_TEST_SUITE_P(
    Rule, StreamTextTest,
    ::testing::Values(TextCase{"AsciiK1", "K1", Bytes().Raw({0x06, 0x02, 0x4B, 0x31})},
                      TextCase{"Ascii255", QString::fromLatin1(A255),
                               Bytes().Raw({0x06, 0xFF}).Raw(A255)},
                      TextCase{"Ascii256", QString::fromLatin1(A256),
                               Bytes().Raw({0x0C, 0x00, 0x01, 0x00, 0x00}).Raw(A256)},
                      // Two code units, six UTF-8 bytes: UTF-16.
                      TextCase{"Chinese", QString::fromUtf8("照明"),
                               Bytes().Raw({0x12, 0x02, 0, 0, 0, 0x67, 0x71, 0x0E, 0x66})},
                      // Five code units, nine UTF-8 bytes: UTF-8.
                      TextCase{"Mixed", QString::fromUtf8("ABC照明"),
                               Bytes()
                                   .Raw({0x14, 0x09, 0, 0, 0})
                                   .Raw({0x41, 0x42, 0x43, 0xE7, 0x85, 0xA7, 0xE6, 0x98, 0x8E})},
                      // Two units, four UTF-8 bytes: u = 2n is not below it, so UTF-16.
                      TextCase{"MixedEven", QString::fromUtf8("A照"),
                               Bytes().Raw({0x12, 0x02, 0, 0, 0, 0x41, 0x00, 0x67, 0x71})}),
    [](const auto &info) { return std::string(info.param.Name); });

// Objects hold text of code page 936: a character the code page lacks is
// stored as the question mark it stands for, as reading gives it back.
INSTANTIATE_TEST_SUITE_P(
    CodePage, StreamTextTest,
    ::testing::Values(TextCase{"ThaiLetter", QString::fromUtf8("Aก"), Bytes().Str("A?"), "A?"},
                      TextCase{"ThaiAmongChinese", QString::fromUtf8("照ก"),
                               Bytes().Raw({0x12, 0x02, 0, 0, 0, 0x67, 0x71, 0x3F, 0x00}),
                               QString::fromUtf8("照?")}),
    [](const auto &info) { return std::string(info.param.Name); });

// --- Fonts ---

// A node whose font is its own: every font property but the optional
// name and pitch, then "G.ParentFont" false.
struct FontCase {
    const char *Name;
    std::function<void(TFont &)> Apply;
    QByteArray Charset = Bytes().Ident("DEFAULT_CHARSET");
    QByteArray Color = Bytes().Ident("clWindowText");
    QByteArray Height = Bytes().Raw({0x02, 0xF3});
    QByteArray FontName = Bytes().Str("Arial");
    QByteArray Pitch = {};
    QByteArray Style = Bytes().Raw({0x0B, 0x00});
    bool ReadBack = true;
};

void PrintTo(const FontCase &c, std::ostream *os)
{
    *os << c.Name;
}

QByteArray FontRecord(const FontCase &c)
{
    Bytes common;
    common.Prop("G.Font.Charset").Raw(c.Charset);
    common.Prop("G.Font.Color").Raw(c.Color);
    common.Prop("G.Font.Height").Raw(c.Height);
    if (!c.FontName.isEmpty()) common.Prop("G.Font.Name").Raw(c.FontName);
    if (!c.Pitch.isEmpty()) common.Prop("G.Font.Pitch").Raw(c.Pitch);
    common.Prop("G.Font.Style").Raw(c.Style);
    common.Prop("G.ParentFont").False();
    return Bytes().NodeRecord("TRectangularNode", NodeID, 10, 20, 50, 30, common);
}

class StreamFontWriteTest : public ::testing::TestWithParam<FontCase> {};
class StreamFontReadTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(StreamFontWriteTest, WritesTheFontWhenItIsTheObjectsOwn)
{
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(10, 20, 60, 50), &TRectangularNode::Class);
    node->SetID(NodeID);
    ASSERT_EQ(node->Font().Height(), -13);
    ASSERT_EQ(node->Font().Charset(), DEFAULT_CHARSET);
    node->Font().SetName("Arial");
    GetParam().Apply(node->Font());
    ASSERT_FALSE(node->ParentFont());
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(FontRecord(GetParam())));
}

TEST_P(StreamFontReadTest, ReadsBackToTheSameBytes)
{
    TGraphControl graph;
    ReadBlock(graph, Bytes().Int32(1).Raw(FontRecord(GetParam())));
    ASSERT_EQ(graph.Objects().Count(), 1);
    EXPECT_FALSE(graph.Objects()[0]->ParentFont());
    EXPECT_EQ(Hex(RecordOf(graph, graph.Objects()[0])), Hex(FontRecord(GetParam())));
}

FontCase WithCharset(const char *name, uint8_t charset, QByteArray bytes)
{
    FontCase c{name, [charset](TFont &f) { f.SetCharset(charset); }};
    c.Charset = bytes;
    return c;
}

FontCase Styled(const char *name, TFontStyles styles, QByteArray bytes)
{
    FontCase c{name, [styles](TFont &f) { f.SetStyle(styles); }};
    c.Style = bytes;
    return c;
}

std::vector<FontCase> FontCases(bool readableOnly)
{
    std::vector<FontCase> cases;
    cases.push_back({"EmptyStyleSet", [](TFont &) {}});
    cases.push_back(WithCharset("CharsetAnsi", 0, Bytes().Ident("ANSI_CHARSET")));
    cases.push_back(WithCharset("CharsetGB2312", 134, Bytes().Ident("GB2312_CHARSET")));
    cases.push_back(WithCharset("CharsetMac", 77, Bytes().Ident("MAC_CHARSET")));
    cases.push_back(WithCharset("CharsetOem", 255, Bytes().Ident("OEM_CHARSET")));
    cases.push_back(WithCharset("CharsetUnnamedSmall", 3, Bytes().Raw({0x02, 0x03})));
    cases.push_back(WithCharset("CharsetUnnamedLarge", 200, Bytes().Raw({0x03, 0xC8, 0x00})));
    FontCase blue{"ColorName", [](TFont &f) { f.SetColor(clBlue); }};
    blue.Color = Bytes().Ident("clBlue");
    cases.push_back(blue);
    FontCase rgb{"ColorInteger", [](TFont &f) { f.SetColor(0x010203); }};
    rgb.Color = Bytes().Raw({0x04, 0x03, 0x02, 0x01, 0x00});
    cases.push_back(rgb);
    FontCase tall{"Height", [](TFont &f) { f.SetHeight(-200); }};
    tall.Height = Bytes().Raw({0x03, 0x38, 0xFF});
    cases.push_back(tall);
    FontCase size{"PointSize", [](TFont &f) { f.SetSize(24); }};
    size.Height = Bytes().Raw({0x02, 0xE0}); // 24 pt at 96 dpi: 32 pixels
    cases.push_back(size);
    FontCase noName{"EmptyName", [](TFont &f) { f.SetName(QString()); }};
    noName.FontName = {};
    noName.ReadBack = false; // an omitted name reads as the diagram's font name
    cases.push_back(noName);
    FontCase chinese{"ChineseName", [](TFont &f) { f.SetName(QString::fromUtf8("新宋体")); }};
    chinese.FontName = Bytes().Raw({0x12, 0x03, 0, 0, 0, 0xB0, 0x65, 0x8B, 0x5B, 0x53, 0x4F});
    cases.push_back(chinese);
    FontCase fixed{"PitchFixed", [](TFont &f) { f.SetPitch(fpFixed); }};
    fixed.Pitch = Bytes().Ident("fpFixed");
    cases.push_back(fixed);
    FontCase variable{"PitchVariable", [](TFont &f) { f.SetPitch(fpVariable); }};
    variable.Pitch = Bytes().Ident("fpVariable");
    cases.push_back(variable);
    cases.push_back(Styled("Bold", fsBold, Bytes().Raw({0x0B, 0x06}).Raw("fsBold").Raw({0x00})));
    cases.push_back(Styled("AllStylesInOrder", fsStrikeOut | fsUnderline | fsItalic | fsBold,
                           Bytes().Set({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})));
    cases.push_back(Styled("ItalicStrikeOut", fsStrikeOut | fsItalic,
                           Bytes().Set({"fsItalic", "fsStrikeOut"})));
    if (readableOnly) std::erase_if(cases, [](const FontCase &c) { return !c.ReadBack; });
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Fonts, StreamFontWriteTest, ::testing::ValuesIn(FontCases(false)),
                         [](const auto &info) { return std::string(info.param.Name); });
INSTANTIATE_TEST_SUITE_P(Fonts, StreamFontReadTest, ::testing::ValuesIn(FontCases(true)),
                         [](const auto &info) { return std::string(info.param.Name); });

// A symbol as the application drops it: own font (10 pt bold blue), code
// text, palette tag, symbol fields, code node with margin 3 and a picture.
TEST(StreamFormatSymbolTest, SymbolNodeWritesItsPropertiesInOrder)
{
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(100, 200, 140, 240), &TIconNode::Class);
    QImage pixels(2, 2, QImage::Format_RGB32);
    pixels.fill(qRgb(1, 2, 3));
    const QByteArray bmp = BitmapCodec::Encode24(pixels);
    node->Background().LoadFromData(TPicture::Bitmap, bmp);
    node->SetTag(5);
    node->SetIsCodeNode(true);
    node->SetText("A01");
    node->Font().SetSize(10);
    node->Font().SetStyle(fsBold);
    node->Font().SetColor(0xFF0000);
    node->SetAlignment(taCenter);
    node->SetMargin(3);
    node->SetIconCaption(QString::fromUtf8("吸顶灯"));
    node->SetIconSystem("S");
    node->SetIconType("T");
    node->SetIconComment("C");
    node->SetIconSmallImagePath("A01.bmp");
    node->SetIconLargeImagePath("A01.jpg");

    Bytes picture;
    picture.Short("TBitmap").Int32(bmp.size()).Raw(bmp);
    Bytes expected;
    expected.Record("TIconNode").BlockHead();
    expected.Prop("ID").Int8(1);
    expected.Prop("G.Text").Str("A01");
    expected.Prop("G.Font.Charset").Ident("DEFAULT_CHARSET");
    expected.Prop("G.Font.Color").Ident("clBlue");
    expected.Prop("G.Font.Height").Raw({0x02, 0xF3});
    expected.Prop("G.Font.Name").Raw({0x12, 0x03, 0, 0, 0, 0xB0, 0x65, 0x8B, 0x5B, 0x53, 0x4F});
    expected.Prop("G.Font.Style").Set({"fsBold"});
    expected.Prop("G.ParentFont").False();
    expected.Prop("G.Tag").Int8(5);
    expected.Prop("G.IconCaption").Raw({0x12, 0x03, 0, 0, 0, 0x38, 0x54, 0x76, 0x98, 0x6F, 0x70});
    expected.Prop("G.IconSystem").Str("S");
    expected.Prop("G.IconType").Str("T");
    expected.Prop("G.IconSmallImagePath").Str("A01.bmp");
    expected.Prop("G.IconLargeImagePath").Str("A01.jpg");
    expected.Prop("G.IconComment").Str("C");
    expected.Prop("G.Left").Int8(100);
    expected.Prop("G.Top").Raw({0x03, 0xC8, 0x00});
    expected.Prop("G.Width").Int8(40);
    expected.Prop("G.Height").Int8(40);
    expected.Prop("G.IsCodeNode").True();
    expected.Prop("G.Margin").Int8(3);
    expected.Prop("G.Background.Data").Binary(picture);
    expected.BlockEnd();
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(expected));
}

// --- Class names ---

class StreamClassNameTest : public ::testing::TestWithParam<TGraphObjectClassRef> {};

TEST_P(StreamClassNameTest, RecordNamesTheClassAndReadsBackAsIt)
{
    TGraphObjectClassRef cls = GetParam();
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(10, 20, 110, 120), cls);
    ASSERT_NE(node, nullptr);
    const QByteArray record = RecordOf(graph, node);
    const QByteArray name(cls->Name);
    EXPECT_EQ(Hex(record.left(4 + name.size() + 1 + 4)),
              Hex(Bytes().Record(name).Raw({0x54, 0x50, 0x46, 0x30})));

    TGraphControl other;
    ReadBlock(other, Bytes().Int32(1).Raw(record));
    ASSERT_EQ(other.Objects().Count(), 1);
    EXPECT_EQ(other.Objects()[0]->ClassType(), cls);
    // Identifier 1 is read back as 2; everything else is the same.
    QByteArray again = record;
    again.replace(QByteArray(Bytes().Prop("ID").Int8(1)), QByteArray(Bytes().Prop("ID").Int8(2)));
    EXPECT_EQ(Hex(RecordOf(other, other.Objects()[0])), Hex(again));
}

INSTANTIATE_TEST_SUITE_P(NodeClasses, StreamClassNameTest,
                         ::testing::Values(&TRectangularNode::Class, &TRoundRectangularNode::Class,
                                           &TEllipticNode::Class, &TTriangularNode::Class,
                                           &TRhomboidalNode::Class, &TPentagonalNode::Class,
                                           &THLineNode::Class, &TVLineNode::Class,
                                           &TTextNode::Class, &TIconNode::Class),
                         [](const auto &info) { return std::string(info.param->Name); });

// --- What the reader accepts beyond what the writer produces ---

struct AcceptCase {
    const char *Name;
    QByteArray Properties; // between ID and the end of the property list
    std::function<void(const TGraphNode &)> Check;
};

void PrintTo(const AcceptCase &c, std::ostream *os)
{
    *os << c.Name;
}

class StreamReaderAcceptsTest : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(StreamReaderAcceptsTest, SetsTheField)
{
    TGraphControl graph;
    Bytes record;
    record.Record("TRectangularNode").BlockHead().Prop("ID").Int8(9);
    record.Prop("G.Left").Int8(10).Prop("G.Top").Int8(20);
    record.Prop("G.Width").Int8(50).Prop("G.Height").Int8(30);
    record.Raw(GetParam().Properties).BlockEnd();
    ReadBlock(graph, Bytes().Int32(1).Raw(record));
    ASSERT_EQ(graph.Objects().Count(), 1);
    GetParam().Check(*static_cast<TGraphNode *>(graph.Objects()[0]));
}

INSTANTIATE_TEST_SUITE_P(
    Values, StreamReaderAcceptsTest,
    ::testing::Values(
        AcceptCase{"LowerCaseNames",
                   P().Prop("g.text").Str("x").Prop("g.brush.color").Ident("clRed"),
                   [](const TGraphNode &n) {
                       EXPECT_EQ(n.Text(), "x");
                       EXPECT_EQ(n.Brush().Color(), clRed);
                   }},
        AcceptCase{
            "UpperCaseNames",
            P().Prop("G.TEXT").Str("y").Prop("G.PEN.WIDTH").Int8(4).Prop("G.ISCODENODE").True(),
            [](const TGraphNode &n) {
                EXPECT_EQ(n.Text(), "y");
                EXPECT_EQ(n.Pen().Width(), 4);
                EXPECT_TRUE(n.IsCodeNode());
            }},
        AcceptCase{
            "MixedCaseBounds",
            P().Prop("g.LEFT").Int16(1000).Prop("G.tOp").IntTag32(-5).Prop("g.Width").Int8(3),
            [](const TGraphNode &n) {
                EXPECT_EQ(n.Left(), 1000);
                EXPECT_EQ(n.Top(), -5);
                // Stored directly: no minimum size while reading.
                EXPECT_EQ(n.Width(), 3);
            }},
        AcceptCase{"IdentifiersIgnoreCase",
                   P().Prop("G.Brush.Style").Ident("BSCLEAR").Prop("G.Pen.Color").Ident("CLBLUE"),
                   [](const TGraphNode &n) {
                       EXPECT_EQ(n.Brush().Style(), bsClear);
                       EXPECT_EQ(n.Pen().Color(), clBlue);
                   }},
        AcceptCase{"BooleansAsIdentifiers",
                   P().Prop("G.Visible").Ident("False").Prop("G.IsCodeNode").Ident("True"),
                   [](const TGraphNode &n) {
                       EXPECT_FALSE(n.Visible());
                       EXPECT_TRUE(n.IsCodeNode());
                   }},
        AcceptCase{"TextAsGbkBytes", P().Prop("G.Text").Raw({0x06, 0x04, 0xD5, 0xD5, 0xC3, 0xF7}),
                   [](const TGraphNode &n) { EXPECT_EQ(n.Text(), QString::fromUtf8("照明")); }},
        AcceptCase{
            "LongTextAsGbkBytes",
            P().Prop("G.IconCaption").Raw({0x0C, 0x04, 0, 0, 0, 0xD5, 0xD5, 0xC3, 0xF7}),
            [](const TGraphNode &n) { EXPECT_EQ(n.IconCaption(), QString::fromUtf8("照明")); }},
        AcceptCase{"ColourAsInteger", P().Prop("G.Brush.Color").Int8(5),
                   [](const TGraphNode &n) { EXPECT_EQ(n.Brush().Color(), TColor(5)); }},
        AcceptCase{"CharsetAsInteger", P().Prop("G.Font.Charset").Int16(134),
                   [](const TGraphNode &n) {
                       EXPECT_EQ(n.Font().Charset(), 134);
                       // A font property makes the font the object's own.
                       EXPECT_FALSE(n.ParentFont());
                   }},
        AcceptCase{"FontColourAlone", P().Prop("G.Font.Color").Ident("clRed"),
                   [](const TGraphNode &n) {
                       EXPECT_EQ(n.Font().Color(), clRed);
                       EXPECT_FALSE(n.ParentFont());
                   }},
        // The carrier's own properties are taken and change nothing.
        AcceptCase{
            "CarrierProperties",
            P().Prop("Name").Str("").Prop("Tag").Int8(5).Prop("Left").Int8(77).Prop("Top").Int8(88),
            [](const TGraphNode &n) {
                EXPECT_EQ(n.Tag(), 0);
                EXPECT_EQ(n.Left(), 10);
                EXPECT_EQ(n.Top(), 20);
            }}),
    [](const auto &info) { return std::string(info.param.Name); });

} // namespace
