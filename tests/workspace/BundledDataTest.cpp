// The bundled data as shipped in data/: the library a home needs and the
// recommended schemes as consistent single-line diagrams.
#include "QStringPrinter.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "LibraryCheck.h"
#include "LineNode.h"
#include "RectangularNode.h"
#include "iconstore.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString DataDir = QStringLiteral(VARNETH_SOURCE_DATA) + u'/';

TEST(BundledDataTest, TheLibraryHoldsWhatAHomeNeedsWithTheRightCompanions)
{
    const TIconstore library(DataDir + QStringLiteral("iconstore.xml"));
    EXPECT_EQ(LibraryCheck::Problems(library, DataDir), QStringList());
    EXPECT_GE(library.IconCount(), 100);
    std::map<QString, QString> refOf;
    for (int i = 0; i < library.IconCount(); ++i)
        refOf[library.Icon(i)->Caption()] = library.Icon(i)->Ref();
    const struct {
        const char16_t *caption;
        const char16_t *companion; // empty: none expected
    } needed[] = {
        {u"1P+N断路器C16", u""},
        {u"2P漏电开关40A", u""},
        {u"2P过欠压保护器63A", u""},
        {u"中途开关", u""},
        {u"三开双控开关", u""},
        {u"空白面板", u""},
        {u"燃气泄漏报警器", u""},
        {u"网络摄像机", u""},
        {u"门磁感应器", u""},
        {u"窗磁感应器", u""},
        {u"电磁炉", u"16A带开关三孔插座"},
        {u"消毒柜", u"带开关五孔插座"},
        {u"燃气壁挂炉", u"10A三孔插座"},
        {u"电动晾衣架", u"防溅水插座"},
        {u"台灯", u"10A五孔插座"},
        {u"落地灯", u"10A五孔插座"},
        {u"小夜灯", u"带指示灯开关"},
        {u"应急照明灯", u"一开单控开关"},
        {u"浴霸", u"浴霸开关"},
    };
    for (const auto &n : needed) {
        const QString caption = QString::fromUtf16(n.caption);
        ASSERT_TRUE(refOf.count(caption)) << caption.toStdString();
        EXPECT_EQ(refOf[caption], QString::fromUtf16(n.companion)) << caption.toStdString();
    }
}

// Placed symbols keep their library index as Tag, and the configuration list
// reads the symbol's type through it: the entries drawings were made with
// keep their places, and new ones only follow them.
TEST(BundledDataTest, EarlierLibraryEntriesKeepTheirIndices)
{
    const QStringList firstCodes = QStringLiteral(
        "D01 D02 D03 D04 D05 D06 D07 D08 D09 D10 D11 D12 D13 D14 D15 F01 F02 F03 F04 F05 F06 "
        "F07 F08 F09 F10 F11 F12 F13 A01 A02 A03 A04 A05 A06 A07 A08 A09 A10 A11 B01 B02 B03 "
        "B04 B05 B06 B07 B08 B09 B10 B11 C01 C02 C03 C04 C05 C06 C07 C08 C09 S01 S02 S03 K01 "
        "K02 K03 K04 K05 K06 K07 K08 K09 K10 K11 K12 K13 K14 K15 L01 L02 L03 L04 L05 L06 L07")
                                       .split(u' ');
    const TIconstore library(DataDir + QStringLiteral("iconstore.xml"));
    ASSERT_GE(library.IconCount(), firstCodes.size());
    for (int i = 0; i < firstCodes.size(); ++i)
        EXPECT_EQ(library.Icon(i)->Code(), firstCodes[i]) << "index " << i;
}

// The pictures placed symbols show are enhanced metafiles of 20 x 20 pixels,
// drawn in units finer than a pixel so they stay sharp when zoomed.
TEST(BundledDataTest, EverySmallPictureIsAMetafileOfTwentyPixels)
{
    const TIconstore library(DataDir + QStringLiteral("iconstore.xml"));
    for (int i = 0; i < library.IconCount(); ++i) {
        const IXMLIconType *icon = library.Icon(i);
        TPicture picture;
        picture.LoadFromFile(DataDir + QStringLiteral("iconstore/20/") + icon->SmallImage());
        EXPECT_EQ(picture.GetFormat(), TPicture::Metafile) << icon->Code().toStdString();
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(20, 20))
            << icon->Code().toStdString();
    }
}

// A breaker is drawn from its small picture stretched to its 100 x 40
// node: at that size no two breakers may look alike.
TEST(BundledDataTest, EveryBreakerHasAPictureOfItsOwn)
{
    const TIconstore library(DataDir + QStringLiteral("iconstore.xml"));
    std::map<QByteArray, QString> seen;
    int breakers = 0;
    for (int i = 0; i < library.IconCount(); ++i) {
        const IXMLIconType *icon = library.Icon(i);
        if (icon->Type() != u"漏电保护器")
            continue;
        ++breakers;
        TPicture picture;
        picture.LoadFromFile(DataDir + QStringLiteral("iconstore/20/") + icon->SmallImage());
        QImage image(100, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            picture.Draw(painter, QRect(0, 0, 100, 40));
        }
        const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()),
                                image.sizeInBytes());
        const auto [it, fresh] = seen.emplace(pixels, icon->Caption());
        EXPECT_TRUE(fresh) << icon->Caption().toStdString() << " looks like "
                           << it->second.toStdString();
    }
    EXPECT_GE(breakers, 20);
}

// The rated current in a breaker's caption: 16 of "1P+N断路器C16", 63 of
// "2P过欠压保护器63A"; 0 when it names none.
int RatingOf(const QString &caption)
{
    static const QRegularExpression rating(QStringLiteral("C?(\\d+)A?$"));
    const QRegularExpressionMatch match = rating.match(caption);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

class SchemeTest : public ::testing::TestWithParam<const char16_t *> {};

TEST_P(SchemeTest, IsASingleLineDiagramWithConsistentRatings)
{
    TGraphControl graph;
    graph.LoadFromFile(DataDir + QStringLiteral("templates/") + QString::fromUtf16(GetParam()) +
                       QStringLiteral(".prj"));
    int links = 0, busbarPieces = 0;
    std::vector<TGraphNode *> breakers, labels, supply;
    TGraphNode *mainSwitch = nullptr;
    for (TGraphObject *object : graph.Objects().Snapshot()) {
        if (object->IsLink()) {
            ++links;
            continue;
        }
        auto *node = static_cast<TGraphNode *>(object);
        const QString caption = node->IconCaption();
        if (node->Text().startsWith(u"WL"))
            labels.push_back(node);
        else if (node->IsKindOf(&THLineNode::Class) && node->Pen().Width() > 1)
            ++busbarPieces;
        if (node->IconType() != u"漏电保护器")
            continue;
        if (node->Height() > node->Width()) // standing in a drop
            breakers.push_back(node);
        else
            supply.push_back(node);
        if (caption.contains(u"总开关"))
            mainSwitch = node;
    }
    EXPECT_EQ(links, 0) << "wires are wire pieces, not links fanning out";
    ASSERT_NE(mainSwitch, nullptr);
    EXPECT_GE(busbarPieces, 2);
    EXPECT_GE(labels.size(), 5u);
    ASSERT_EQ(labels.size(), breakers.size());
    const int main = RatingOf(mainSwitch->IconCaption());
    for (TGraphNode *device : supply)
        EXPECT_GE(RatingOf(device->IconCaption()), main) << device->IconCaption().toStdString();

    static const QRegularExpression label(
        QStringLiteral("^WL(\\d+) \\S+回路\\S* C(\\d+)( 30mA)? BV-3×(2\\.5|4|6|10|16)$"));
    for (size_t i = 0; i < labels.size(); ++i) {
        const QString text = labels[i]->Text();
        SCOPED_TRACE(text.toStdString());
        const QRegularExpressionMatch match = label.match(text);
        ASSERT_TRUE(match.hasMatch());
        EXPECT_EQ(match.captured(1).toInt(), int(i) + 1);
        // The breaker standing above the label is the one it names.
        const int centre = labels[i]->Left() + labels[i]->Width() / 2;
        TGraphNode *breaker = nullptr;
        for (TGraphNode *b : breakers)
            if (b->Left() <= centre && centre < b->Left() + b->Width() &&
                b->Top() < labels[i]->Top())
                breaker = b;
        ASSERT_NE(breaker, nullptr);
        const QString caption = breaker->IconCaption();
        EXPECT_EQ(RatingOf(caption), match.captured(2).toInt()) << caption.toStdString();
        EXPECT_EQ(caption.contains(u"漏电"), !match.captured(3).isEmpty()) << caption.toStdString();
        EXPECT_LT(RatingOf(caption), main);
    }
}

INSTANTIATE_TEST_SUITE_P(Bundled, SchemeTest,
                         ::testing::Values(u"一室一厅", u"两室一厅", u"三室两厅"));

} // namespace
