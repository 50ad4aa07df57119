#pragma once

// A throw-away data folder with a small symbol library, and two drawings
// to count: the fixture of the configuration list and report tests.

#include "BitmapCodec.h"
#include "GraphControl.h"
#include "GraphNode.h"
#include "LineNode.h"
#include "RectangularNode.h"
#include "iconstore.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QImage Filled(QRgb colour, int size = 30)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Library indices of the fixture's icons.
enum TFixtureIcon { Fridge, Socket, Lamp, Switch, Breaker, IconCount };

class ReportFixture : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString App; // ends in '/'
    std::unique_ptr<TIconstore> Library;
    TGraphControl Wiring;
    TGraphControl Guard;

    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        App = Dir.path() + u'/';
        QDir(App).mkpath(QStringLiteral("iconstore/150"));
        QDir(App).mkpath(QStringLiteral("iconstore/20"));
        const struct {
            const char16_t *caption, *system, *type, *code;
            QRgb colour;
        } icons[] = {
            {u"冰箱", u"电器线路", u"家用电器", u"D01", qRgb(200, 0, 0)},
            {u"五孔插座", u"电器线路", u"插座", u"B01", qRgb(0, 200, 0)},
            {u"吸顶灯", u"电器线路", u"灯", u"F01", qRgb(0, 0, 200)},
            {u"一开单控", u"电器线路", u"开关", u"A01", qRgb(200, 200, 0)},
            {u"C16断路器", u"配电箱", u"漏电保护器", u"K01", qRgb(0, 200, 200)},
        };
        QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><iconstore>");
        for (const auto &icon : icons) {
            const QString code = QString::fromUtf16(icon.code);
            WriteBytes(App + QStringLiteral("iconstore/150/") + code + QStringLiteral(".bmp"),
                       BitmapCodec::Encode24(Filled(icon.colour)));
            xml += QStringLiteral("<icon><caption>%1</caption><system>%2</system><type>%3</type>"
                                  "<comment>-</comment><smallimage>%4.bmp</smallimage>"
                                  "<largeimage>%4.bmp</largeimage><ref></ref><code>%4</code>"
                                  "</icon>")
                       .arg(QString::fromUtf16(icon.caption), QString::fromUtf16(icon.system),
                            QString::fromUtf16(icon.type), code);
        }
        WriteBytes(App + QStringLiteral("iconstore.xml"), (xml + "</iconstore>").toUtf8());
        Library = std::make_unique<TIconstore>(App + QStringLiteral("iconstore.xml"));
    }

    // A symbol node as a drop makes it: the library's fields copied over.
    TGraphNode *Place(TGraphControl &graph, int icon, int x = 0, int y = 0)
    {
        const IXMLIconType *entry = Library->Icon(icon);
        TGraphNode *node = Symbol(graph, icon, entry->Caption(), entry->Type(), entry->Code(),
                                  entry->LargeImage(), x, y);
        node->SetIconSystem(entry->System());
        return node;
    }
    // A symbol node with fields of its own.
    static TGraphNode *Symbol(TGraphControl &graph, int tag, const QString &caption,
                              const QString &type, const QString &code, const QString &largeImage,
                              int x = 0, int y = 0)
    {
        TGraphNode *node = graph.InsertNode(TRect(x, y, x + 40, y + 40), &TIconNode::Class);
        node->SetTag(tag);
        node->SetIconCaption(caption);
        node->SetIconType(type);
        node->SetText(code);
        node->SetIconLargeImagePath(largeImage);
        return node;
    }
    static void AddWireAndLabel(TGraphControl &graph)
    {
        graph.InsertNode(TRect(0, 100, 100, 110), &THLineNode::Class)->SetTag(Socket);
        graph.InsertNode(TRect(0, 100, 10, 200), &TVLineNode::Class)->SetTag(Socket);
        graph.InsertNode(TRect(0, 200, 100, 230), &TTextNode::Class)->SetTag(Socket);
    }
};
