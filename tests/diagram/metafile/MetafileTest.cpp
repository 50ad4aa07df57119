// The metafile paint device: painter calls recorded once, written as an
// enhanced and as a placeable Windows metafile, and read back by the
// program's own players and by third-party converters.

#include "GraphStream.h"
#include "MetafileCanvas.h"
#include "MetafileImage.h"
#include "WmfPlayer.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtEndian>
#include <emf2svg.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace MetafileRecord;

namespace {

constexpr int SceneWidth = 400, SceneHeight = 300;
const QString ChineseText = QStringLiteral("配电箱");
const QString ChineseFace = QStringLiteral("新宋体");

// One shape of each kind at a place of its own, in colours that tell the
// shapes apart when the picture is played back.
void PaintScene(QPainter &p)
{
    const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                   Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(Qt::red, i + 1, styles[i]));
        p.drawLine(10, 10 + 8 * i, 390, 10 + 8 * i);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::blue);
    p.drawRect(20, 70, 80, 50);
    p.setBrush(Qt::green);
    p.drawEllipse(120, 70, 80, 50);
    p.setBrush(Qt::yellow);
    p.drawRoundedRect(QRectF(220, 70, 80, 50), 10, 10);

    // A pentagram: odd-even leaves its centre empty.
    QPolygonF star;
    for (int i = 0; i < 5; ++i) {
        const double angle = -M_PI / 2 + i * 4 * M_PI / 5;
        star << QPointF(350 + 40 * std::cos(angle), 100 + 40 * std::sin(angle));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::magenta);
    p.drawPolygon(star, Qt::OddEvenFill);

    QImage picture(30, 30, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    p.drawImage(QRectF(20, 150, 60, 60), picture);

    p.save();
    p.setClipRect(120, 150, 40, 40);
    p.fillRect(100, 140, 100, 100, QColor(255, 128, 0));
    p.restore();

    QFont chinese(ChineseFace);
    chinese.setPixelSize(16);
    p.setFont(chinese);
    p.setPen(Qt::darkRed);
    p.drawText(220, 180, ChineseText);
    QFont latin(QStringLiteral("DejaVu Sans"));
    latin.setPixelSize(14);
    latin.setBold(true);
    p.setFont(latin);
    p.drawText(220, 210, QStringLiteral("Wiring"));
    p.save();
    p.translate(380, 290);
    p.rotate(-90);
    p.drawText(0, 0, QStringLiteral("Turned"));
    p.restore();
}

std::unique_ptr<TMetafile> Scene()
{
    auto metafile = std::make_unique<TMetafile>(SceneWidth, SceneHeight);
    QPainter painter(metafile->Device());
    PaintScene(painter);
    return metafile;
}

std::unique_ptr<TMetafile>
Record(int width, int height, const std::function<void(QPainter &)> &paint, int unitsPerPixel = 1)
{
    auto metafile = std::make_unique<TMetafile>(width, height, unitsPerPixel);
    QPainter painter(metafile->Device());
    paint(painter);
    return metafile;
}

std::vector<const TOp *> OpsOf(const TMetafile &metafile, TOpKind kind)
{
    std::vector<const TOp *> ops;
    for (const TOp &op : metafile.Recording().Ops)
        if (op.Kind == kind) ops.push_back(&op);
    return ops;
}

template <typename T> T At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

// --- Records of an enhanced metafile -------------------------------------

struct TEmfRecord {
    uint32_t Type;
    QByteArray Data; // the whole record
};

std::vector<TEmfRecord> EmfRecords(const QByteArray &bytes)
{
    std::vector<TEmfRecord> records;
    qsizetype offset = 0;
    while (offset + 8 <= bytes.size()) {
        const uint32_t size = At<uint32_t>(bytes, offset + 4);
        if (size < 8 || size % 4 != 0 || offset + size > bytes.size()) break;
        records.push_back({At<uint32_t>(bytes, offset), bytes.mid(offset, size)});
        offset += size;
    }
    return records;
}

// The record types of both formats, named for the tests that pick records out.
[[maybe_unused]] constexpr uint32_t EmrHeader = 1, EmrEof = 14, EmrSelectObject = 37,
                                    EmrCreatePen = 38, EmrCreateBrush = 39, EmrDeleteObject = 40,
                                    EmrEllipse = 42, EmrRectangle = 43, EmrIntersectClipRect = 30,
                                    EmrExtSelectClipRgn = 75, EmrStretchDIBits = 81,
                                    EmrExtCreateFont = 82, EmrExtTextOutW = 84, EmrPolygon = 3;

QString Utf16At(const QByteArray &bytes, qsizetype offset, int units)
{
    QString text;
    for (int i = 0; i < units; ++i)
        text += QChar(At<uint16_t>(bytes, offset + 2 * i));
    return text;
}

// --- Records of a Windows metafile ---------------------------------------

struct TWmfRecord {
    uint16_t Function;
    QByteArray Params;
};

std::vector<TWmfRecord> WmfRecords(const QByteArray &bytes)
{
    std::vector<TWmfRecord> records;
    qsizetype offset = 22 + 18;
    while (offset + 6 <= bytes.size()) {
        const uint32_t words = At<uint32_t>(bytes, offset);
        if (words < 3 || offset + 2 * qsizetype(words) > bytes.size())
            break;
        records.push_back({At<uint16_t>(bytes, offset + 4), bytes.mid(offset + 6, 2 * words - 6)});
        offset += 2 * words;
    }
    return records;
}

[[maybe_unused]] constexpr uint16_t WmfEof = 0, WmfSelectObject = 0x012D, WmfDeleteObject = 0x01F0,
                                    WmfCreatePen = 0x02FA, WmfCreateBrush = 0x02FC,
                                    WmfCreateFont = 0x02FB, WmfExtTextOut = 0x0A32,
                                    WmfStretchDib = 0x0F43, WmfEllipse = 0x0418,
                                    WmfIntersectClipRect = 0x0416, WmfCreateRegion = 0x06FF,
                                    WmfCreatePalette = 0x00F7, WmfCreatePatternBrush = 0x01F9,
                                    WmfDibCreatePatternBrush = 0x0142;

bool CreatesObject(uint16_t function)
{
    return function == WmfCreatePen || function == WmfCreateBrush || function == WmfCreateFont ||
           function == WmfCreateRegion || function == WmfCreatePalette ||
           function == WmfCreatePatternBrush || function == WmfDibCreatePatternBrush;
}

QImage White(int width = SceneWidth, int height = SceneHeight)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Runs a converter; an empty result when it is not installed.
QString Convert(const QString &program, const QStringList &arguments, const QString &output)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<failed: %1>")
            .arg(QString::fromLocal8Bit(process.readAllStandardError()));
    QFile file(output);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// --- The recording --------------------------------------------------------

TEST(MetafileDevice, AnswersItsSizeAtNinetySixDpi)
{
    TMetafile metafile(640, 480);
    EXPECT_EQ(metafile.Width(), 640);
    EXPECT_EQ(metafile.Height(), 480);
    EXPECT_EQ(metafile.Device()->width(), 640);
    EXPECT_EQ(metafile.Device()->height(), 480);
    EXPECT_EQ(metafile.Device()->logicalDpiX(), 96);
    EXPECT_EQ(metafile.Device()->logicalDpiY(), 96);
    EXPECT_EQ(metafile.Device()->depth(), 24);
    QPainter painter(metafile.Device());
    EXPECT_TRUE(painter.isActive());
}

TEST(MetafileRecording, KeepsShapesAsShapesInDevicePixels)
{
    const auto scene = Scene();
    const auto rects = OpsOf(*scene, TOpKind::Rectangle); // the box and the clipped fill
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0]->Rect, QRectF(20, 70, 80, 50));
    EXPECT_EQ(rects[0]->Brush.Color, qRgb(0, 0, 255));
    const auto ellipses = OpsOf(*scene, TOpKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0]->Rect, QRectF(120, 70, 80, 50));

    // Five visible line styles; the pen without a style draws nothing.
    std::vector<TPenStyle> styles;
    for (const TOp *op : OpsOf(*scene, TOpKind::Polyline))
        styles.push_back(op->Pen.Style);
    EXPECT_EQ(styles, (std::vector<TPenStyle>{TPenStyle::Solid, TPenStyle::Dash, TPenStyle::Dot,
                                              TPenStyle::DashDot, TPenStyle::DashDotDot}));

    const auto texts = OpsOf(*scene, TOpKind::Text);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0]->Text, ChineseText);
    EXPECT_EQ(texts[0]->Font.Face, ChineseFace);
    EXPECT_EQ(texts[0]->Font.Height, 16);
    EXPECT_TRUE(texts[0]->Font.Chinese);
    EXPECT_EQ(texts[0]->Origin, QPointF(220, 180));
    EXPECT_EQ(texts[1]->Font.Weight, 700);
    EXPECT_EQ(texts[2]->Text, QStringLiteral("Turned"));
    EXPECT_EQ(texts[2]->Font.Escapement, 900);
    EXPECT_EQ(OpsOf(*scene, TOpKind::Image).size(), 1u);
}

TEST(MetafileRecording, MapsTheWorldTransform)
{
    const auto zoomed = Record(200, 200, [](QPainter &p) {
        p.scale(2, 2);
        p.setPen(QPen(Qt::black, 3));
        p.setBrush(Qt::red);
        p.drawRect(5, 5, 20, 10);
        p.drawEllipse(QRectF(40, 5, 10, 10));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        p.setFont(font);
        p.drawText(10, 60, QStringLiteral("Zoom"));
    });
    const auto rect = OpsOf(*zoomed, TOpKind::Rectangle);
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0]->Rect, QRectF(10, 10, 40, 20));
    EXPECT_EQ(rect[0]->Pen.Width, 6);
    EXPECT_EQ(OpsOf(*zoomed, TOpKind::Ellipse).at(0)->Rect, QRectF(80, 10, 20, 20));
    const auto text = OpsOf(*zoomed, TOpKind::Text);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0]->Font.Height, 24);
    EXPECT_EQ(text[0]->Origin, QPointF(20, 120));

    // A turned ellipse is no longer an ellipse record but its outline.
    const auto turned = Record(200, 200, [](QPainter &p) {
        p.translate(100, 100);
        p.rotate(30);
        p.setBrush(Qt::red);
        p.drawEllipse(QRectF(-40, -20, 80, 40));
    });
    EXPECT_TRUE(OpsOf(*turned, TOpKind::Ellipse).empty());
    EXPECT_EQ(OpsOf(*turned, TOpKind::Polygon).size(), 1u);
}

TEST(MetafileRecording, KeepsFillRulesAndBrushes)
{
    const auto metafile = Record(100, 100, [](QPainter &p) {
        const QPolygonF triangle{QPointF(0, 0), QPointF(50, 0), QPointF(0, 50)};
        p.setBrush(QBrush(Qt::red, Qt::CrossPattern));
        p.drawPolygon(triangle, Qt::WindingFill);
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(triangle, Qt::OddEvenFill);
        QLinearGradient gradient(0, 0, 10, 0);
        gradient.setColorAt(0, Qt::blue);
        gradient.setColorAt(1, Qt::white);
        p.setBrush(gradient);
        p.drawPolygon(triangle);
    });
    const auto polygons = OpsOf(*metafile, TOpKind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_EQ(polygons[0]->FillRule, Qt::WindingFill);
    EXPECT_EQ(polygons[0]->Brush.Style, TBrushStyle::Cross);
    EXPECT_EQ(polygons[1]->FillRule, Qt::OddEvenFill);
    EXPECT_EQ(polygons[1]->Brush.Style, TBrushStyle::None);
    EXPECT_EQ(polygons[2]->Brush.Style, TBrushStyle::Solid);
    EXPECT_EQ(polygons[2]->Brush.Color, qRgb(0, 0, 255));
}

TEST(MetafileRecording, UnderlineIsTheFontsNotExtraStrokes)
{
    const auto metafile = Record(300, 100, [](QPainter &p) {
        QFont font(ChineseFace);
        font.setPixelSize(16);
        font.setUnderline(true);
        font.setStrikeOut(true);
        p.setFont(font);
        p.drawText(10, 30, QStringLiteral("配电Wiring箱"));
        p.drawText(QRectF(0, 40, 300, 40), Qt::AlignCenter, QStringLiteral("Hello 你好"));
        p.drawLine(0, 90, 300, 90); // a line of its own stays
    });
    for (const TOp *op : OpsOf(*metafile, TOpKind::Text)) {
        EXPECT_TRUE(op->Font.Underline);
        EXPECT_TRUE(op->Font.StrikeOut);
    }
    const auto lines = OpsOf(*metafile, TOpKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->Polygons.at(0).first(), QPointF(0, 90));
}

TEST(MetafileRecording, ClipsComeAndGo)
{
    const auto metafile = Record(200, 200, [](QPainter &p) {
        p.setClipRect(10, 10, 50, 50);
        p.fillRect(0, 0, 100, 100, Qt::red);
        QPainterPath circle;
        circle.addEllipse(100, 100, 80, 80);
        p.setClipPath(circle);
        p.fillRect(0, 0, 200, 200, Qt::blue);
        p.setClipping(false);
        p.fillRect(0, 0, 5, 5, Qt::green);
    });
    std::vector<TClipKind> clips;
    for (const TOp *op : OpsOf(*metafile, TOpKind::Clip))
        clips.push_back(op->Clip);
    EXPECT_EQ(clips, (std::vector<TClipKind>{TClipKind::Rect, TClipKind::Region, TClipKind::None}));
    EXPECT_EQ(OpsOf(*metafile, TOpKind::Clip)[0]->Rect, QRectF(10, 10, 50, 50));
}

// --- The enhanced metafile ----------------------------------------------

TEST(MetafileEmf, HeaderMatchesTheSizeAndTheRecords)
{
    for (const QSize size : {QSize(SceneWidth, SceneHeight), QSize(0, 0), QSize(1, 1)}) {
        SCOPED_TRACE(size.width());
        const auto metafile = size.width() == SceneWidth
                                  ? Scene()
                                  : Record(size.width(), size.height(), [](QPainter &) {});
        const QByteArray emf = metafile->EmfBytes();
        const auto records = EmfRecords(emf);
        ASSERT_GE(records.size(), 2u);
        EXPECT_EQ(records.front().Type, EmrHeader);
        EXPECT_EQ(records.back().Type, EmrEof);
        EXPECT_EQ(At<uint32_t>(emf, 40), 0x464D4520u); // " EMF"
        EXPECT_EQ(At<uint32_t>(emf, 48), uint32_t(emf.size()));
        EXPECT_EQ(At<uint32_t>(emf, 52), uint32_t(records.size()));
        // Bounds include their far edge, the frame is in 0.01 mm.
        EXPECT_EQ(At<int32_t>(emf, 16), size.width() - 1);
        EXPECT_EQ(At<int32_t>(emf, 20), size.height() - 1);
        EXPECT_EQ(At<int32_t>(emf, 32), (size.width() * 2540 + 48) / 96);
        EXPECT_EQ(At<int32_t>(emf, 36), (size.height() * 2540 + 48) / 96);
        const auto image = TMetafileImage::FromBytes(emf);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->Size(), size);
    }
}

TEST(MetafileEmf, HandlesStayWithinTheTable)
{
    // Many pens and brushes, inside and outside clips: every handle used
    // must have been created and not yet deleted, and the header must count
    // the table's highest slot.
    const auto metafile = Record(200, 200, [](QPainter &p) {
        for (int i = 0; i < 40; ++i) {
            if (i % 10 == 0) p.setClipRect(i, i, 100, 100);
            if (i % 10 == 5) p.setClipping(false);
            p.setPen(QColor(i * 6, 0, 0));
            p.setBrush(QColor(0, i * 6, 0));
            p.drawRect(i, i, 10, 10);
        }
    });
    const QByteArray emf = metafile->EmfBytes();
    const uint16_t handles = At<uint16_t>(emf, 56);
    std::map<uint32_t, bool> live;
    int created = 0;
    for (const TEmfRecord &record : EmfRecords(emf)) {
        const uint32_t handle = record.Data.size() >= 12 ? At<uint32_t>(record.Data, 8) : 0;
        switch (record.Type) {
        case EmrCreatePen:
        case EmrCreateBrush:
        case EmrExtCreateFont:
            EXPECT_FALSE(live[handle]) << "slot " << handle << " reused while alive";
            EXPECT_LT(handle, handles);
            live[handle] = true;
            ++created;
            break;
        case EmrSelectObject:
            if (!(handle & 0x80000000u)) {
                EXPECT_TRUE(live[handle]) << "selects dead slot " << handle;
            }
            break;
        case EmrDeleteObject:
            EXPECT_TRUE(live[handle]) << "deletes dead slot " << handle;
            live[handle] = false;
            break;
        }
    }
    EXPECT_EQ(created, 80);
    EXPECT_LE(handles, 8) << "objects are not deleted";
}

TEST(MetafileEmf, TextIsFontAndUnicodeTextRecords)
{
    const QByteArray emf = Scene()->EmfBytes();
    std::vector<QString> faces, texts;
    std::vector<int32_t> heights, escapements;
    for (const TEmfRecord &record : EmfRecords(emf)) {
        if (record.Type == EmrExtCreateFont) {
            // LOGFONTW after type, size and handle.
            heights.push_back(At<int32_t>(record.Data, 12));
            escapements.push_back(At<int32_t>(record.Data, 20));
            faces.push_back(Utf16At(record.Data, 12 + 28, 32).section(QChar(0), 0, 0));
        } else if (record.Type == EmrExtTextOutW) {
            // EMRTEXT after bounds, graphics mode and scales.
            const qsizetype text = 36;
            const uint32_t chars = At<uint32_t>(record.Data, text + 8);
            const uint32_t offset = At<uint32_t>(record.Data, text + 12);
            EXPECT_EQ(At<uint32_t>(record.Data, text + 16), 0u); // no clipping or opaquing
            ASSERT_LE(offset + 2 * chars, uint32_t(record.Data.size()));
            texts.push_back(Utf16At(record.Data, offset, int(chars)));
        }
    }
    EXPECT_EQ(texts, (std::vector<QString>{ChineseText, QStringLiteral("Wiring"),
                                           QStringLiteral("Turned")}));
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_EQ(faces[0], ChineseFace);
    EXPECT_EQ(heights[0], -16);
    EXPECT_EQ(escapements, (std::vector<int32_t>{0, 0, 900}));
}

TEST(MetafileEmf, LibEmf2SvgReadsIt)
{
    QByteArray emf = Scene()->EmfBytes();
    generatorOptions options{};
    options.nameSpace = const_cast<char *>("");
    options.svgDelimiter = true;
    char *svg = nullptr;
    size_t length = 0;
    ASSERT_TRUE(emf2svg(emf.data(), size_t(emf.size()), &svg, &length, &options));
    const QString text = QString::fromUtf8(svg, qsizetype(length));
    std::free(svg);
    EXPECT_TRUE(text.contains(ChineseText));
    EXPECT_TRUE(text.contains(QStringLiteral("Wiring")));
    EXPECT_TRUE(text.contains(QStringLiteral("<image")));
    EXPECT_TRUE(text.contains(QStringLiteral("<ellipse")) ||
                text.contains(QStringLiteral("<path")));
}

TEST(MetafileEmf, EmptyPictureIsValid)
{
    TMetafile empty(0, 0);
    QByteArray emf = empty.EmfBytes();
    generatorOptions options{};
    options.nameSpace = const_cast<char *>("");
    options.svgDelimiter = true;
    char *svg = nullptr;
    size_t length = 0;
    EXPECT_TRUE(emf2svg(emf.data(), size_t(emf.size()), &svg, &length, &options));
    std::free(svg);
    const QByteArray wmf = empty.WmfBytes();
    EXPECT_EQ(At<uint32_t>(wmf, 0), 0x9AC6CDD7u);
    EXPECT_EQ(WmfRecords(wmf).back().Function, WmfEof);
    const auto image = TMetafileImage::FromBytes(wmf);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Size(), QSize(0, 0));
}

// --- The Windows metafile -----------------------------------------------

TEST(MetafileWmf, PlaceableHeaderIsValid)
{
    const QByteArray wmf = Scene()->WmfBytes();
    EXPECT_EQ(At<uint32_t>(wmf, 0), 0x9AC6CDD7u);
    EXPECT_EQ(At<int16_t>(wmf, 10), SceneWidth);
    EXPECT_EQ(At<int16_t>(wmf, 12), SceneHeight);
    EXPECT_EQ(At<uint16_t>(wmf, 14), 96);
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= At<uint16_t>(wmf, 2 * i);
    EXPECT_EQ(At<uint16_t>(wmf, 20), checksum);
    EXPECT_EQ(At<uint16_t>(wmf, 22), 1);      // memory metafile
    EXPECT_EQ(At<uint16_t>(wmf, 24), 9);      // header words
    EXPECT_EQ(At<uint16_t>(wmf, 26), 0x0300); // version
    EXPECT_EQ(At<uint32_t>(wmf, 28), uint32_t((wmf.size() - 22) / 2));

    const auto records = WmfRecords(wmf);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().Function, WmfEof);
    uint32_t largest = 0;
    for (const TWmfRecord &record : records)
        largest = std::max(largest, uint32_t(record.Params.size() + 6) / 2);
    EXPECT_EQ(At<uint32_t>(wmf, 34), largest);

    // Objects take the lowest free slot; the header counts the table.
    const uint16_t objects = At<uint16_t>(wmf, 32);
    std::vector<bool> live(objects, false);
    for (const TWmfRecord &record : records) {
        if (CreatesObject(record.Function)) {
            const auto slot = std::find(live.begin(), live.end(), false);
            ASSERT_NE(slot, live.end()) << "more live objects than the header counts";
            *slot = true;
        } else if (record.Function == WmfSelectObject || record.Function == WmfDeleteObject) {
            const uint16_t index = At<uint16_t>(record.Params, 0);
            ASSERT_LT(index, objects);
            EXPECT_TRUE(live[index]);
            if (record.Function == WmfDeleteObject) live[index] = false;
        }
    }
}

TEST(MetafileWmf, TextIsInCodePage936)
{
    const QByteArray wmf = Scene()->WmfBytes();
    QStringDecoder gbk("GBK");
    std::vector<QString> faces, texts;
    std::vector<int> charsets;
    for (const TWmfRecord &record : WmfRecords(wmf)) {
        if (record.Function == WmfCreateFont) {
            charsets.push_back(uint8_t(record.Params.at(13)));
            faces.push_back(gbk(record.Params.mid(18).split('\0').first()));
        } else if (record.Function == WmfExtTextOut) {
            const int length = At<int16_t>(record.Params, 4);
            texts.push_back(gbk(record.Params.mid(8, length)));
        }
    }
    EXPECT_EQ(texts, (std::vector<QString>{ChineseText, QStringLiteral("Wiring"),
                                           QStringLiteral("Turned")}));
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(faces[0], ChineseFace);
    EXPECT_EQ(charsets[0], 134);
}

// --- Playing it back ----------------------------------------------------

TEST(MetafilePlayback, EveryPlayerShowsTheShapes)
{
    const auto scene = Scene();
    using TPlayer = std::function<void(QPainter &, const QRectF &)>;
    const std::map<std::string, TPlayer> players = {
        {"recording", [&](QPainter &p, const QRectF &r) { scene->Draw(p, r); }},
        {"wmf player",
         [&](QPainter &p, const QRectF &r) { WmfPlayer::Play(scene->WmfBytes(), p, r); }},
        {"emf image",
         [&](QPainter &p, const QRectF &r) {
             TMetafileImage::FromBytes(scene->EmfBytes())->Draw(p, r);
         }},
    };
    // The enhanced metafile goes through SVG, which loses some things on
    // the way: emf2svg writes no fill rule, the SVG renderer ignores clip
    // paths and smooths hairlines. Those probes hold for the other players.
    struct TProbe {
        const char *What;
        QPoint At;
        QColor Expected;
        bool ThroughSvg;
    };
    const TProbe probes[] = {
        {"rectangle", {60, 95}, Qt::blue, true},
        {"ellipse", {160, 95}, Qt::green, true},
        {"outside the ellipse", {122, 72}, Qt::white, true},
        {"rounded rectangle", {260, 95}, Qt::yellow, true},
        {"star point", {350, 70}, Qt::magenta, true},
        {"star centre (odd-even)", {350, 102}, Qt::white, false},
        {"picture", {50, 180}, Qt::cyan, true},
        {"inside the clip", {140, 170}, QColor(255, 128, 0), true},
        {"outside the clip", {110, 145}, Qt::white, false},
        {"solid line", {200, 10}, Qt::red, false},
    };
    for (const auto &[name, play] : players) {
        QImage image = White();
        {
            QPainter painter(&image);
            play(painter, QRectF(0, 0, SceneWidth, SceneHeight));
        }
        for (const TProbe &probe : probes) {
            if (name == "emf image" && !probe.ThroughSvg) continue;
            EXPECT_EQ(image.pixelColor(probe.At), probe.Expected) << name << ": " << probe.What;
        }
    }
}

TEST(MetafilePlayback, ScalesIntoTheTarget)
{
    const auto metafile = Record(100, 50, [](QPainter &p) { p.fillRect(50, 0, 50, 50, Qt::red); });
    QImage image = White(200, 100);
    {
        QPainter painter(&image);
        metafile->Draw(painter, QRectF(0, 0, 200, 100));
    }
    EXPECT_EQ(image.pixelColor(150, 50), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
}

// A 20-pixel picture drawn twenty times larger: with units finer than a
// pixel an edge between pixels stays where it was drawn and a pen keeps its
// width in every player, and every reader still takes the picture for
// 20 x 20 pixels.
TEST(MetafilePlayback, FinerUnitsKeepEdgesBetweenPixels)
{
    const auto paint = [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawRect(QRectF(5.25, 5.25, 9.5, 9.5));
        p.setPen(QPen(Qt::blue, 1.5));
        p.drawLine(QPointF(1, 18), QPointF(19, 18));
    };
    using TPlayer = std::function<void(const TMetafile &, QPainter &, const QRectF &)>;
    const std::map<std::string, TPlayer> players = {
        {"wmf image",
         [](const TMetafile &m, QPainter &p, const QRectF &r) {
             const auto image = TMetafileImage::FromBytes(m.WmfBytes());
             EXPECT_EQ(image->Size(), QSize(20, 20));
             image->Draw(p, r);
         }},
        {"emf image",
         [](const TMetafile &m, QPainter &p, const QRectF &r) {
             const auto image = TMetafileImage::FromBytes(m.EmfBytes());
             EXPECT_EQ(image->Size(), QSize(20, 20));
             image->Draw(p, r);
         }},
    };
    for (const int units : {1, 100}) {
        const auto metafile = Record(20, 20, paint, units);
        for (const auto &[name, play] : players) {
            QImage image = White(400, 400);
            {
                QPainter painter(&image);
                play(*metafile, painter, QRectF(0, 0, 400, 400));
            }
            const std::string what = name + " at " + std::to_string(units) + " units a pixel";
            EXPECT_EQ(image.pixelColor(200, 200), QColor(Qt::red)) << what;
            // The edges lie at 105 and 295: whole pixels move them to 100 and 300.
            EXPECT_EQ(image.pixelColor(102, 200) == QColor(Qt::white), units > 1) << what;
            EXPECT_EQ(image.pixelColor(297, 200) == QColor(Qt::white), units > 1) << what;
            // The line is 30 pixels wide around y = 360.
            if (units > 1) {
                EXPECT_EQ(image.pixelColor(200, 360), QColor(Qt::blue)) << what;
                EXPECT_EQ(image.pixelColor(200, 347), QColor(Qt::blue)) << what;
                EXPECT_EQ(image.pixelColor(200, 342), QColor(Qt::white)) << what;
            }
        }
    }
}

// A symbol's picture is rendered once per size for the screen; whatever was
// rendered before, each size shows the picture's own edges, and a vector
// device still receives shapes, not pixels.
TEST(MetafilePlayback, PictureIsSharpAtEverySizeAndShapesOnVectorDevices)
{
    const auto metafile = Record(
        20, 20,
        [](QPainter &p) {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::red);
            p.drawRect(QRectF(5.25, 5.25, 9.5, 9.5));
        },
        100);
    const auto picture = TMetafileImage::FromBytes(metafile->EmfBytes());
    ASSERT_TRUE(picture);
    for (const int zoom : {4, 2, 4, 8}) {
        QImage image = White(20 * zoom, 20 * zoom);
        {
            QPainter painter(&image);
            painter.scale(zoom, zoom);
            picture->Draw(painter, QRectF(0, 0, 20, 20));
        }
        const int edge = 21 * zoom / 4; // 5.25 pixels
        EXPECT_EQ(image.pixelColor(edge - 2, 10 * zoom), QColor(Qt::white)) << zoom;
        EXPECT_EQ(image.pixelColor(edge + 1, 10 * zoom), QColor(Qt::red)) << zoom;
    }
    TMetafile vector(40, 40);
    {
        QPainter painter(vector.Device());
        picture->Draw(painter, QRectF(0, 0, 40, 40));
    }
    EXPECT_TRUE(OpsOf(vector, TOpKind::Image).empty());
    EXPECT_FALSE(OpsOf(vector, TOpKind::Rectangle).empty() &&
                 OpsOf(vector, TOpKind::Polygon).empty());
}

// --- Files and third-party readers --------------------------------------

TEST(MetafileFile, ExtensionChoosesTheFormat)
{
    QTemporaryDir dir;
    const auto scene = Scene();
    const std::pair<const char *, bool> cases[] = {
        {"a.wmf", true}, {"b.WMF", true}, {"c.Wmf", true}, {"d.emf", false}, {"e.pic", false}};
    for (const auto &[name, placeable] : cases) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        scene->SaveToFile(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes, placeable ? scene->WmfBytes() : scene->EmfBytes()) << name;
    }
    try {
        scene->SaveToFile(dir.filePath(QStringLiteral("missing/x.emf")));
        ADD_FAILURE() << "no error";
    } catch (const EStreamError &error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Cannot create file \"")));
    }
}

TEST(MetafileFile, Emf2SvgConverterReadsIt)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/emf2svg-conv")))
        GTEST_SKIP() << "emf2svg-conv is not installed";
    QTemporaryDir dir;
    const QString emf = dir.filePath(QStringLiteral("scene.emf"));
    const QString svgPath = dir.filePath(QStringLiteral("scene.svg"));
    Scene()->SaveToFile(emf);
    const QString svg =
        Convert(QStringLiteral("/usr/bin/emf2svg-conv"),
                {QStringLiteral("-i"), emf, QStringLiteral("-o"), svgPath}, svgPath);
    for (const QString &expected :
         {ChineseText, QStringLiteral("Wiring"), QStringLiteral("Turned"), QStringLiteral("<image"),
          QStringLiteral("<ellipse"), QStringLiteral("<path"), QStringLiteral("<rect")})
        EXPECT_TRUE(svg.contains(expected)) << expected.toStdString() << "\n"
                                            << svg.left(400).toStdString();
}

TEST(MetafileFile, Wmf2SvgConverterReadsIt)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/wmf2svg")))
        GTEST_SKIP() << "wmf2svg is not installed";
    QTemporaryDir dir;
    const QString wmf = dir.filePath(QStringLiteral("scene.wmf"));
    const QString svgPath = dir.filePath(QStringLiteral("scene.svg"));
    Scene()->SaveToFile(wmf);
    const QString svg =
        Convert(QStringLiteral("/usr/bin/wmf2svg"),
                {QStringLiteral("--inline"), QStringLiteral("-o"), svgPath, wmf}, svgPath);
    for (const QString &expected :
         {QStringLiteral("Wiring"), QStringLiteral("Turned"), QStringLiteral("<image"),
          QStringLiteral("<ellipse"), QStringLiteral("<polygon"), QStringLiteral("<rect")})
        EXPECT_TRUE(svg.contains(expected)) << expected.toStdString() << "\n"
                                            << svg.left(400).toStdString();
}
