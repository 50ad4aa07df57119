// Pictures inside the diagram stream: the four picture classes, each
// carried in its own file form through a node's "G.Background.Data", and
// the picture holder's loading by file extension.

#include "StreamTestSupport.h"

#include "BitmapCodec.h"
#include "GraphPicture.h"
#include "JpegCodec.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace StreamTest;

namespace {

// Pixels that differ from each other, so that a copy that moves or drops
// pixels shows.
QImage DistinctPixels(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, 200 - x * 10 - y));
    return image;
}

QByteArray SmallBmp()
{
    return BitmapCodec::Encode24(DistinctPixels(3, 2));
}

QByteArray SmallJpeg()
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(qRgb(30, 120, 200));
    return JpegCodec::Encode(image, 90);
}

QByteArray SmallIco()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgba(200, 10, 10, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image)) return QByteArray();
    return bytes;
}

// An enhanced metafile of two records: a header for a 100 x 50 pixel
// picture and the end record.
QByteArray MinimalEmf()
{
    Bytes header;
    header.Int32(1).Int32(88);                           // EMR_HEADER, record size
    header.Int32(0).Int32(0).Int32(99).Int32(49);        // bounds in device units
    header.Int32(0).Int32(0).Int32(2646).Int32(1323);    // frame in 0.01 mm (96 dpi)
    header.Raw({0x20, 0x45, 0x4D, 0x46});                // " EMF"
    header.Int32(0x10000).Int32(88 + 20).Int32(2);       // version, file size, records
    header.Raw({0x01, 0x00, 0x00, 0x00});                // handles, reserved
    header.Int32(0).Int32(0).Int32(0);                   // description, palette entries
    header.Int32(1024).Int32(768).Int32(271).Int32(203); // device pixels, millimetres
    Bytes eof;
    eof.Int32(14).Int32(20).Int32(0).Int32(16).Int32(20); // EMR_EOF
    return header.Data() + eof.Data();
}

struct PictureForm {
    const char *ClassName;
    TPicture::Format Format;
    std::function<QByteArray()> Make;
    // The framing after the class name: a length of its own or none.
    std::function<QByteArray(const QByteArray &)> Frame;
    int Width, Height;
};

void PrintTo(const PictureForm &f, std::ostream *os)
{
    *os << f.ClassName;
}

QByteArray WithLength(const QByteArray &bytes)
{
    return Bytes().Int32(bytes.size()).Raw(bytes);
}

const PictureForm Forms[] = {
    {"TBitmap", TPicture::Bitmap, SmallBmp, WithLength, 3, 2},
    {"TJPEGImage", TPicture::Jpeg, SmallJpeg, WithLength, 16, 8},
    {"TIcon", TPicture::Icon, SmallIco, [](const QByteArray &b) { return b; }, 16, 16},
    // The metafile's length counts its own four bytes.
    {"TMetafile", TPicture::Metafile, MinimalEmf,
     [](const QByteArray &b) { return Bytes().Int32(b.size() + 4).Raw(b).Data(); }, 100, 50},
};

QByteArray PictureRecord(const QByteArray &payload, const QByteArray &after = {})
{
    return Bytes().NodeRecord("TIconNode", 10, 0, 0, 40, 40, {},
                              Bytes().Prop("G.Background.Data").Binary(payload).Raw(after));
}

class StreamPictureTest : public ::testing::TestWithParam<PictureForm> {
protected:
    void SetUp() override
    {
        bytes = GetParam().Make();
        ASSERT_FALSE(bytes.isEmpty()) << "could not make the picture";
        payload = Bytes().Short(GetParam().ClassName).Raw(GetParam().Frame(bytes));
    }
    QByteArray bytes;
    QByteArray payload;
};

TEST_P(StreamPictureTest, NodeWritesThePictureInItsOwnForm)
{
    TGraphControl graph;
    TGraphNode *node = graph.InsertNode(TRect(0, 0, 40, 40), &TIconNode::Class);
    node->SetID(10);
    node->Background().LoadFromData(GetParam().Format, bytes);
    EXPECT_EQ(node->Background().GraphicClassName().toStdString(), GetParam().ClassName);
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(PictureRecord(payload)));
}

TEST_P(StreamPictureTest, ReadingGivesTheSameBytesBack)
{
    TGraphControl graph;
    ReadBlock(graph, Bytes().Int32(1).Raw(PictureRecord(payload)));
    ASSERT_EQ(graph.Objects().Count(), 1);
    auto *node = static_cast<TGraphNode *>(graph.Objects()[0]);
    const TPicture &picture = node->Background();
    EXPECT_EQ(picture.GraphicClassName().toStdString(), GetParam().ClassName);
    EXPECT_EQ(picture.GetFormat(), GetParam().Format);
    EXPECT_EQ(Hex(picture.Data()), Hex(bytes));
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), GetParam().Width);
    EXPECT_EQ(picture.Height(), GetParam().Height);
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(PictureRecord(payload)));
}

TEST_P(StreamPictureTest, LoadFromFileChoosesTheClassByExtension)
{
    static const std::map<TPicture::Format, QStringList> Extensions = {
        {TPicture::Bitmap, {"bmp", "BMP"}},
        {TPicture::Jpeg, {"jpg", "jpeg"}},
        {TPicture::Icon, {"ico"}},
        {TPicture::Metafile, {"emf"}},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString &extension : Extensions.at(GetParam().Format)) {
        const QString path = dir.filePath("picture." + extension);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        TPicture picture;
        picture.LoadFromFile(path);
        EXPECT_EQ(picture.GraphicClassName().toStdString(), GetParam().ClassName)
            << "." << extension.toStdString();
        EXPECT_EQ(Hex(picture.Data()), Hex(bytes));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, StreamPictureTest, ::testing::ValuesIn(Forms),
                         [](const auto &info) { return std::string(info.param.ClassName); });

// --- Empty and unknown pictures ---

struct EmptyPictureCase {
    const char *Name;
    QByteArray Payload;
    bool HasGraphic;
    QByteArray WrittenBack; // the payload a save writes, empty for none
};

void PrintTo(const EmptyPictureCase &c, std::ostream *os)
{
    *os << c.Name;
}

class StreamEmptyPictureTest : public ::testing::TestWithParam<EmptyPictureCase> {};

// The degree after the picture shows that reading went on behind it.
TEST_P(StreamEmptyPictureTest, ReadsWithoutErrorAndLeavesNothingToDraw)
{
    const EmptyPictureCase &c = GetParam();
    TGraphControl graph;
    const QByteArray degree = Bytes().Prop("G.Degree").Int8(90);
    ASSERT_NO_THROW(ReadBlock(graph, Bytes().Int32(1).Raw(PictureRecord(c.Payload, degree))));
    ASSERT_EQ(graph.Objects().Count(), 1);
    auto *node = static_cast<TGraphNode *>(graph.Objects()[0]);
    EXPECT_EQ(node->Degree(), 90);
    EXPECT_EQ(node->Background().HasGraphic(), c.HasGraphic);
    EXPECT_TRUE(node->Background().Empty());
    const QByteArray expected =
        c.HasGraphic ? PictureRecord(c.WrittenBack, degree)
                     : Bytes().NodeRecord("TIconNode", 10, 0, 0, 40, 40, {}, degree).Data();
    EXPECT_EQ(Hex(RecordOf(graph, node)), Hex(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, StreamEmptyPictureTest,
    ::testing::Values(
        EmptyPictureCase{"UnknownClass", Bytes().Short("TPngImage").Int32(3).Raw("PNG"), false, {}},
        EmptyPictureCase{"EmptyClassName", Bytes().Raw({0x00}), false, {}},
        EmptyPictureCase{"EmptyBitmap", Bytes().Short("TBitmap").Int32(0), true,
                         Bytes().Short("TBitmap").Int32(0)},
        EmptyPictureCase{"EmptyMetafile", Bytes().Short("TMetafile").Int32(4), true,
                         Bytes().Short("TMetafile").Int32(4)},
        // A length of four or less is an empty metafile, whatever follows.
        EmptyPictureCase{"MetafileLengthBelowFour", Bytes().Short("TMetafile").Int32(0xFFFFFFFF),
                         true, Bytes().Short("TMetafile").Int32(4)}),
    [](const auto &info) { return std::string(info.param.Name); });

// An unknown picture class replaces a picture read earlier in the block.
TEST(StreamPictureReplaceTest, LaterUnknownPictureEmptiesTheNode)
{
    TGraphControl graph;
    const QByteArray bmp = SmallBmp();
    Bytes record;
    record.Record("TIconNode").BlockHead().Prop("ID").Int8(10);
    record.Prop("G.Background.Data").Binary(Bytes().Short("TBitmap").Int32(bmp.size()).Raw(bmp));
    record.Prop("G.Background.Data").Binary(Bytes().Short("TGIFImage"));
    record.BlockEnd();
    ReadBlock(graph, Bytes().Int32(1).Raw(record));
    ASSERT_EQ(graph.Objects().Count(), 1);
    EXPECT_FALSE(static_cast<TGraphNode *>(graph.Objects()[0])->Background().HasGraphic());
}

// --- The picture holder ---

TEST(PictureHolderTest, SetImageKeepsABitmapOfThePixels)
{
    const QImage pixels = DistinctPixels(5, 3);
    TPicture picture;
    picture.SetImage(pixels);
    EXPECT_EQ(picture.GraphicClassName(), "TBitmap");
    ASSERT_TRUE(picture.Data().startsWith("BM"));
    const QImage decoded =
        BitmapCodec::Decode(picture.Data()).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(decoded, pixels);
    EXPECT_EQ(picture.Image().convertToFormat(QImage::Format_RGB32), pixels);
}

TEST(PictureHolderTest, LoadFromFileRefusesWhatItCannotRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir.filePath(name);
    };
    for (const QString &path : {write("picture.png", SmallBmp()),
                                write("broken.bmp", "not a bitmap"), dir.filePath("missing.bmp")}) {
        TPicture picture;
        EXPECT_THROW(picture.LoadFromFile(path), EInvalidGraphic) << path.toStdString();
        EXPECT_FALSE(picture.HasGraphic());
    }
}

} // namespace
