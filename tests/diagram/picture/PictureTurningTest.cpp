// Turning and mirroring a node's picture: the exact pixel rearrangement of
// quarter and half turns, what the node records, and pictures that are not
// bitmaps being rendered at the node's size first.

#include "StreamTestSupport.h"

#include "BitmapCodec.h"
#include "JpegCodec.h"
#include "NodePictureTurning.h"
#include "PictureTurning.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace StreamTest;
using namespace NodePictureTurning;
using PictureTurning::RotateBitmap;

namespace {

// Every pixel different: red carries the column, green the row.
QImage Distinct(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y * width) % 256));
    return image;
}

QRgb At(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// The rearrangement a turn must give: result (c, r) from source (x, y).
struct TurnCase {
    int Degrees;
    int Canonical; // 90, 180, 270 or 0: which rule applies
};

void PrintTo(const TurnCase &c, std::ostream *os)
{
    *os << c.Degrees;
}

std::pair<int, int> SourceOf(int canonical, int c, int r, int w, int h)
{
    switch (canonical) {
    case 90:
        return {w - 1 - r, c};
    case 270:
        return {r, h - 1 - c};
    case 180:
        return {w - 1 - c, h - 1 - r};
    default:
        return {c, r};
    }
}

class PictureTurningRotateTest
    : public ::testing::TestWithParam<std::tuple<TurnCase, std::pair<int, int>>> {};

TEST_P(PictureTurningRotateTest, RearrangesEveryPixelExactly)
{
    const auto &[turn, size] = GetParam();
    const auto [w, h] = size;
    const QImage source = Distinct(w, h);
    const QImage result = RotateBitmap(source, turn.Degrees);
    const bool quarter = turn.Canonical == 90 || turn.Canonical == 270;
    ASSERT_EQ(result.width(), quarter ? h : w);
    ASSERT_EQ(result.height(), quarter ? w : h);
    int wrong = 0;
    for (int r = 0; r < result.height(); ++r)
        for (int c = 0; c < result.width(); ++c) {
            const auto [x, y] = SourceOf(turn.Canonical, c, r, w, h);
            if (At(result, c, r) != At(source, x, y) && ++wrong <= 3)
                ADD_FAILURE() << "result (" << c << ", " << r << ") is not source (" << x << ", "
                              << y << ")";
        }
    EXPECT_EQ(wrong, 0);
}

const TurnCase Turns[] = {{90, 90},  {270, 270},  {180, 180}, {-90, 270}, {-270, 90},
                          {450, 90}, {-180, 180}, {540, 180}, {0, 0},     {360, 0}};
const std::pair<int, int> Sizes[] = {{20, 10}, {10, 20}, {7, 5}, {6, 9}, {8, 8}, {1, 4}};

std::string TurnName(const ::testing::TestParamInfo<PictureTurningRotateTest::ParamType> &info)
{
    const TurnCase turn = std::get<0>(info.param);
    const std::pair<int, int> size = std::get<1>(info.param);
    const std::string degrees =
        turn.Degrees < 0 ? "Minus" + std::to_string(-turn.Degrees) : std::to_string(turn.Degrees);
    return degrees + "_" + std::to_string(size.first) + "x" + std::to_string(size.second);
}

INSTANTIATE_TEST_SUITE_P(Turns, PictureTurningRotateTest,
                         ::testing::Combine(::testing::ValuesIn(Turns), ::testing::ValuesIn(Sizes)),
                         TurnName);

TEST(PictureTurningCornerTest, QuarterTurnsMoveTheExpectedCornerToTheTopLeft)
{
    const QImage source = Distinct(20, 10);
    const QImage left = RotateBitmap(source, 90);
    EXPECT_EQ(left.size(), QSize(10, 20));
    EXPECT_EQ(At(left, 0, 0), At(source, 19, 0)); // former top-right
    const QImage right = RotateBitmap(source, 270);
    EXPECT_EQ(right.size(), QSize(10, 20));
    EXPECT_EQ(At(right, 0, 0), At(source, 0, 9)); // former bottom-left
}

// Other angles follow the 16.16 fixed-point mapping, which rounds source
// positions down: 45 degrees on 20 x 10 gives 21 x 21, the corners fall
// outside the source and keep the new bitmap's black.
TEST(PictureTurningCornerTest, OtherAnglesRoundSourcePositionsDown)
{
    const QImage source = Distinct(20, 10);
    const QImage result = RotateBitmap(source, 45);
    ASSERT_EQ(result.size(), QSize(21, 21));
    EXPECT_EQ(At(result, 10, 10), At(source, 10, 4));
    EXPECT_EQ(At(result, 5, 10), At(source, 6, 1));
    EXPECT_EQ(At(result, 0, 0), 0u);
    EXPECT_EQ(At(result, 20, 20), 0u);
}

// --- Nodes ---

QByteArray JpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(40, 160, 90));
    return JpegCodec::Encode(image, 90);
}

QByteArray IconBytes()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 200, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "ico").write(image);
    return bytes;
}

// A symbol node 100 x 40 at (30, 50).
class PictureTurningNodeTest : public ::testing::Test {
protected:
    PictureTurningNodeTest() { node = graph.InsertNode(TRect(30, 50, 130, 90), &TIconNode::Class); }
    void ExpectBoundsUnchanged() const
    {
        EXPECT_EQ((std::array{node->Left(), node->Top(), node->Width(), node->Height()}),
                  (std::array{30, 50, 100, 40}));
    }
    QImage Pixels() const
    {
        return node->Background().Image().convertToFormat(QImage::Format_RGB32);
    }

    TGraphControl graph;
    TGraphNode *node = nullptr;
};

TEST_F(PictureTurningNodeTest, FourQuarterTurnsGiveThePixelsBack)
{
    const QImage original = Distinct(20, 10);
    node->Background().SetImage(original);
    for (int turn = 1; turn <= 4; ++turn) {
        Rotate(*node, 90);
        EXPECT_EQ(node->Degree(), 90 * turn);
        EXPECT_EQ(Pixels().size(), turn % 2 ? QSize(10, 20) : QSize(20, 10));
    }
    EXPECT_EQ(Pixels(), original);
    EXPECT_EQ(node->Background().GraphicClassName(), "TBitmap");
    ExpectBoundsUnchanged();
}

TEST_F(PictureTurningNodeTest, DegreeAddsUpWithoutLimit)
{
    node->Background().SetImage(Distinct(20, 10));
    Rotate(*node, 90);
    Rotate(*node, 90);
    Rotate(*node, 270);
    EXPECT_EQ(node->Degree(), 450);
    // Net a quarter turn to the left.
    EXPECT_EQ(Pixels(), RotateBitmap(Distinct(20, 10), 90));
}

// Each operation reports two content changes (the picture's and the
// node's own); the recorded turn or flag changes only after them.
TEST_F(PictureTurningNodeTest, ReportsTwoChangesBeforeRecordingWhatWasDone)
{
    node->Background().SetImage(Distinct(4, 4));
    std::vector<std::array<int, 3>> seen;
    graph.OnGraphChange = [&](TGraphControl *) {
        seen.push_back({node->Degree(), node->IsLeftRightMirror(), node->IsTopBottomMirror()});
    };
    graph.SetGraphModified(false);
    Rotate(*node, 180);
    EXPECT_TRUE(graph.GraphModified());
    MirrorLeftRight(*node);
    MirrorTopBottom(*node);
    const std::vector<std::array<int, 3>> expected = {{0, 0, 0},   {0, 0, 0},   {180, 0, 0},
                                                      {180, 0, 0}, {180, 1, 0}, {180, 1, 0}};
    EXPECT_EQ(seen, expected);
}

struct MirrorCase {
    const char *Name;
    void (*Mirror)(TGraphNode &);
    bool (TGraphNode::*Flag)() const;
    bool Horizontal;
};

void PrintTo(const MirrorCase &c, std::ostream *os)
{
    *os << c.Name;
}

class PictureTurningMirrorTest : public PictureTurningNodeTest,
                                 public ::testing::WithParamInterface<MirrorCase> {};

TEST_P(PictureTurningMirrorTest, MirrorsOnceAndBackAgain)
{
    const MirrorCase &c = GetParam();
    const QImage original = Distinct(7, 4);
    node->Background().SetImage(original);
    c.Mirror(*node);
    EXPECT_TRUE((node->*c.Flag)());
    const QImage once = Pixels();
    ASSERT_EQ(once.size(), original.size());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(At(once, x, y),
                      c.Horizontal ? At(original, 6 - x, y) : At(original, x, 3 - y))
                << x << ", " << y;
    c.Mirror(*node);
    EXPECT_FALSE((node->*c.Flag)());
    EXPECT_EQ(Pixels(), original);
    EXPECT_EQ(node->Degree(), 0);
    ExpectBoundsUnchanged();
}

INSTANTIATE_TEST_SUITE_P(Mirrors, PictureTurningMirrorTest,
                         ::testing::Values(MirrorCase{"LeftRight", MirrorLeftRight,
                                                      &TGraphNode::IsLeftRightMirror, true},
                                           MirrorCase{"TopBottom", MirrorTopBottom,
                                                      &TGraphNode::IsTopBottomMirror, false}),
                         [](const auto &info) { return std::string(info.param.Name); });

// A picture that is not a bitmap is drawn at the node's size first, so
// the turned bitmap follows the node's size, not the picture's.
struct RenderedCase {
    const char *Name;
    TPicture::Format Format;
    QByteArray (*Make)();
    int Degrees;
    QSize Result;
};

void PrintTo(const RenderedCase &c, std::ostream *os)
{
    *os << c.Name;
}

class PictureTurningRenderedTest : public PictureTurningNodeTest,
                                   public ::testing::WithParamInterface<RenderedCase> {};

TEST_P(PictureTurningRenderedTest, BecomesABitmapOfTheNodesSize)
{
    const RenderedCase &c = GetParam();
    const QByteArray bytes = c.Make();
    ASSERT_FALSE(bytes.isEmpty());
    node->Background().LoadFromData(c.Format, bytes);
    Rotate(*node, c.Degrees);
    EXPECT_EQ(node->Background().GraphicClassName(), "TBitmap");
    EXPECT_EQ(QSize(node->Background().Width(), node->Background().Height()), c.Result);
    EXPECT_EQ(node->Degree(), c.Degrees);
    ExpectBoundsUnchanged();

    // The saved diagram carries the turned picture as a bitmap.
    const QByteArray record = RecordOf(graph, node);
    const QByteArray data = Bytes().Prop("G.Background.Data").Data();
    const qsizetype at = record.indexOf(data);
    ASSERT_GE(at, 0);
    // Tag, four-byte length, then the class name as a short string.
    EXPECT_EQ(Hex(record.mid(at + data.size() + 5, 8)), Hex(Bytes().Short("TBitmap")));
    EXPECT_EQ(record.mid(at + data.size() + 5 + 8 + 4, 2), "BM");
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTurningRenderedTest,
    ::testing::Values(RenderedCase{"JpegHalfTurn", TPicture::Jpeg, [] { return JpegBytes(30, 20); },
                                   180, QSize(100, 40)},
                      RenderedCase{"JpegQuarterTurn", TPicture::Jpeg,
                                   [] { return JpegBytes(30, 20); }, 90, QSize(40, 100)},
                      RenderedCase{"IconHalfTurn", TPicture::Icon, IconBytes, 180, QSize(100, 40)}),
    [](const auto &info) { return std::string(info.param.Name); });

// A picture that would need a bitmap over the pixel limit at the node's size
// cannot be turned: the node keeps its picture, its bytes and its flags.
TEST_F(PictureTurningNodeTest, NodeTooLargeForABitmapIsLeftUntouched)
{
    node->SetBoundsRect(TRect(0, 0, 10000, 5000));
    const QByteArray jpeg = JpegBytes(30, 20);
    node->Background().LoadFromData(TPicture::Jpeg, jpeg);
    graph.SetGraphModified(false);
    for (auto turn :
         {+[](TGraphNode &n) { Rotate(n, 90); }, +[](TGraphNode &n) { MirrorLeftRight(n); },
          +[](TGraphNode &n) { MirrorTopBottom(n); }})
        turn(*node);
    EXPECT_EQ(node->Background().GraphicClassName(), "TJPEGImage");
    EXPECT_EQ(node->Background().StreamData().right(jpeg.size()), jpeg);
    EXPECT_EQ((std::array{node->Degree(), int(node->IsLeftRightMirror()),
                          int(node->IsTopBottomMirror())}),
              (std::array{0, 0, 0}));
    EXPECT_FALSE(graph.GraphModified());
}

// A bitmap keeps its own size when turned, whatever the node's size.
TEST_F(PictureTurningNodeTest, BitmapKeepsItsOwnSize)
{
    node->Background().LoadFromData(TPicture::Bitmap, BitmapCodec::Encode24(Distinct(20, 10)));
    Rotate(*node, 90);
    EXPECT_EQ(QSize(node->Background().Width(), node->Background().Height()), QSize(10, 20));
    EXPECT_EQ(Pixels(), RotateBitmap(Distinct(20, 10), 90));
}

} // namespace
