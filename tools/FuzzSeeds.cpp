// Writes the seed corpus of the fuzz targets: the worked example of the
// file format, diagrams that use every value tag and picture form, and
// pictures of every form.
//
//   fuzz_seeds OUTDIR    (writes OUTDIR/stream and OUTDIR/picture)

#include "BitmapCodec.h"
#include "EllipticNode.h"
#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "JpegCodec.h"
#include "MetafileCanvas.h"
#include "PolygonalNode.h"
#include "RectangularNode.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

namespace {

QByteArray ShortString(const QByteArray &s)
{
    return char(s.size()) + s;
}

QByteArray Int32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

// The worked example, built byte by byte.
QByteArray WorkedExample()
{
    const auto record = [](const QByteArray &cls, const QList<QPair<QByteArray, QByteArray>> &props) {
        QByteArray out = Int32(qint32(cls.size() + 1)) + cls + '\0' + "TPF0" +
                         ShortString("TGraphStreamableObject") + '\0';
        for (const auto &[name, value] : props)
            out += ShortString(name) + value;
        return out + QByteArray(2, '\0');
    };
    const auto i8 = [](int v) { return QByteArray(1, 0x02) + char(v); };
    const auto text = [](const QByteArray &s) { return QByteArray(1, 0x06) + ShortString(s); };
    const auto node = [&](int id, const QByteArray &t, int left) {
        return record("TRectangularNode", {{"ID", i8(id)}, {"G.Text", text(t)},
                                           {"G.Left", i8(left)}, {"G.Top", i8(10)},
                                           {"G.Width", i8(50)}, {"G.Height", i8(30)}});
    };
    return "0.GS" + Int32(3) + node(1, "A", 10) + node(2, "B", 100) +
           record("TGraphLink", {{"ID", i8(3)},
                                 {"G.Pen.Color", QByteArray(1, 0x07) + ShortString("clRed")},
                                 {"G.FromNode", i8(1)},
                                 {"G.ToNode", i8(2)}});
}

QImage Sample(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 40 % 256, y * 60 % 256, (x + y) * 20 % 256));
    return image;
}

QByteArray Icon()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    writer.write(Sample(16, 16));
    return bytes;
}

// The smallest enhanced metafile: a header and the end record.
QByteArray Emf()
{
    QByteArray header(88, '\0');
    qToLittleEndian<quint32>(1, header.data());       // EMR_HEADER
    qToLittleEndian<quint32>(88, header.data() + 4);  // size
    qToLittleEndian<qint32>(20, header.data() + 16);  // bounds right
    qToLittleEndian<qint32>(20, header.data() + 20);  // bounds bottom
    qToLittleEndian<qint32>(529, header.data() + 32); // frame, 0.01 mm
    qToLittleEndian<qint32>(529, header.data() + 36);
    qToLittleEndian<quint32>(0x464D4520, header.data() + 40);
    qToLittleEndian<quint32>(0x10000, header.data() + 44);
    qToLittleEndian<quint32>(88 + 20, header.data() + 48); // total bytes
    qToLittleEndian<quint32>(2, header.data() + 52);       // records
    qToLittleEndian<quint16>(1, header.data() + 56);       // handles
    qToLittleEndian<qint32>(1024, header.data() + 72);     // reference device, pixels
    qToLittleEndian<qint32>(768, header.data() + 76);
    qToLittleEndian<qint32>(270, header.data() + 80); // millimetres
    qToLittleEndian<qint32>(203, header.data() + 84);
    QByteArray eof(20, '\0');
    qToLittleEndian<quint32>(14, eof.data());
    qToLittleEndian<quint32>(20, eof.data() + 4);
    qToLittleEndian<quint32>(20, eof.data() + 16);
    return header + eof;
}

// A diagram whose objects use every value tag and picture form.
QByteArray EveryTag()
{
    TGraphControl graph;
    auto *a = graph.InsertNode(TRect(10, 10, 90, 60), &TRectangularNode::Class);
    a->SetText(QStringLiteral("K1"));
    a->SetIconCaption(QStringLiteral("照明"));
    a->SetIconComment(QStringLiteral("ABC照明"));
    a->SetIconSystem(QString(300, u'x'));
    a->Brush().SetColor(0x123456);
    a->Brush().SetStyle(bsCross);
    a->Pen().SetWidth(300);
    a->Pen().SetMode(pmXor);
    a->Pen().SetStyle(psDot);
    a->Font().SetStyle(fsBold | fsUnderline);
    a->Font().SetPitch(fpFixed);
    a->Font().SetCharset(GB2312_CHARSET);
    a->SetVisible(false);
    a->SetTag(-70000);
    a->SetAlignment(taRightJustify);
    a->SetIsCodeNode(true);
    a->SetMargin(-3);
    a->SetDegree(450);
    a->SetIsLeftRightMirror(true);
    a->SetIsTopBottomMirror(true);
    a->Background().SetImage(Sample(4, 3));
    auto *b = graph.InsertNode(TRect(200, 10, 260, 60), &TIconNode::Class);
    b->Background().LoadFromData(TPicture::Jpeg, JpegCodec::Encode(Sample(8, 8)));
    auto *c = graph.InsertNode(TRect(10, 200, 60, 260), &TEllipticNode::Class);
    c->Background().LoadFromData(TPicture::Icon, Icon());
    auto *d = graph.InsertNode(TRect(200, 200, 260, 260), &TPentagonalNode::Class);
    d->Background().LoadFromData(TPicture::Metafile, Emf());
    auto *link = graph.LinkNodes(a, b);
    link->SetKind(lkBidirected);
    link->SetArrowSize(6);
    link->SetText(QStringLiteral("线路"));
    graph.LinkNodes(c, d)->SetKind(lkDirected);
    return graph.SaveToBytes();
}

// A metafile with every kind of record the drawing code makes.
const TMetafile &DrawnMetafile()
{
    static TMetafile metafile(120, 80);
    static bool drawn = false;
    if (!drawn) {
        drawn = true;
        QPainter painter(metafile.Device());
        painter.setPen(QPen(Qt::red, 2, Qt::DashLine));
        painter.setBrush(Qt::yellow);
        painter.drawRect(5, 5, 50, 30);
        painter.drawEllipse(60, 5, 50, 30);
        painter.drawRoundedRect(5, 40, 50, 30, 8, 8);
        painter.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
        painter.drawPolygon(QPolygon({QPoint(70, 40), QPoint(110, 50), QPoint(80, 75)}));
        painter.setClipRect(0, 0, 100, 70);
        painter.drawImage(QRect(90, 60, 20, 10), Sample(4, 2));
        painter.setFont(QFont(QStringLiteral("新宋体"), 12));
        painter.drawText(10, 60, QStringLiteral("插座 B01"));
        painter.rotate(-30);
        painter.drawText(20, 60, QStringLiteral("照明"));
    }
    return metafile;
}

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath("stream");
    out.mkpath("picture");
    Write(out.filePath("stream/worked-example.wir"), WorkedExample());
    Write(out.filePath("stream/empty.wir"), QByteArray("0.GS") + Int32(0));
    Write(out.filePath("stream/every-tag.wir"), EveryTag());
    Write(out.filePath("stream/bad-signature.wir"), QByteArray("GS.0"));
    Write(out.filePath("picture/bitmap.bin"), '\0' + BitmapCodec::Encode24(Sample(5, 3)));
    Write(out.filePath("picture/jpeg.bin"), '\1' + JpegCodec::Encode(Sample(9, 7)));
    Write(out.filePath("picture/icon.bin"), '\2' + Icon());
    Write(out.filePath("picture/metafile.bin"), '\3' + Emf());
    Write(out.filePath("picture/drawn-emf.bin"), '\3' + DrawnMetafile().EmfBytes());
    Write(out.filePath("picture/drawn-wmf.bin"), '\3' + DrawnMetafile().WmfBytes());
    TPicture framed;
    framed.SetImage(Sample(2, 2));
    Write(out.filePath("picture/framed-bitmap.bin"), '\4' + framed.StreamData());
    return 0;
}
