#include "ConfigList.h"
#include "ReportTestSupport.h"

#include "GraphLink.h"

#include <QStringList>

namespace {

class ConfigListTest : public ReportFixture {
protected:
    // "caption×quantity code" of every row, in order.
    QStringList Rows(TConfigList &list)
    {
        list.BuildConfigList(Wiring, Guard);
        QStringList rows;
        for (const TConfigItem &item : list.Items())
            rows << QStringLiteral("%1×%2 %3").arg(item.Caption).arg(item.Quantity).arg(item.Code);
        return rows;
    }
};

TEST_F(ConfigListTest, CountsInstalledProductsOfBothDrawingsInFirstSeenOrder)
{
    TConfigList list(Library.get(), App);
    EXPECT_TRUE(Rows(list).isEmpty()) << "both drawings empty";

    // A fridge with its socket, a lamp with its switch, wires and a label.
    TGraphNode *fridge = Place(Wiring, Fridge);
    TGraphNode *socket = Place(Wiring, Socket, 0, 80);
    Wiring.LinkNodes(fridge, socket);
    TGraphNode *lamp = Place(Wiring, Lamp, 100);
    Wiring.LinkNodes(lamp, Place(Wiring, Switch, 100, 80));
    // A second socket whose code and picture differ: merged into the first row.
    Symbol(Wiring, Socket, QStringLiteral("五孔插座"), QStringLiteral("插座"),
           QStringLiteral("B77"), QStringLiteral("K01.bmp"));
    AddWireAndLabel(Wiring);
    Place(Guard, Breaker);
    Place(Guard, Socket);
    AddWireAndLabel(Guard);

    EXPECT_EQ(Rows(list),
              (QStringList{QStringLiteral("五孔插座×3 B01"), QStringLiteral("一开单控×1 A01"),
                           QStringLiteral("C16断路器×1 K01")}));
    const TConfigItem &sockets = list[0];
    EXPECT_EQ(sockets.ImagePath, QStringLiteral("B01.bmp"));
    ASSERT_FALSE(sockets.Picture.isNull());
    EXPECT_EQ(sockets.Picture.size(), QSize(30, 30));
    EXPECT_EQ(sockets.Picture.pixel(5, 5), qRgb(0, 200, 0)) << "the first socket's picture";
    EXPECT_TRUE(list.ForeignTags().empty());

    // Deleting shows in the next build: the switch's row goes away. (Its
    // link goes with it, so the switches are found before any is removed.)
    std::vector<TGraphObject *> switches;
    for (TGraphObject *object : Wiring.Objects().Snapshot())
        if (object->IconCaption() == u"一开单控") switches.push_back(object);
    for (TGraphObject *object : switches)
        Wiring.Objects().Remove(object);
    EXPECT_EQ(Rows(list),
              (QStringList{QStringLiteral("五孔插座×3 B01"), QStringLiteral("C16断路器×1 K01")}));
}

TEST_F(ConfigListTest, GroupsByExactCaption)
{
    const QString captions[] = {QStringLiteral("Socket"), QStringLiteral("socket"),
                                QStringLiteral("Socket"), QString(), QString()};
    for (const QString &caption : captions)
        Symbol(Wiring, Socket, caption, QStringLiteral("插座"), QStringLiteral("B01"), QString());
    TConfigList list(Library.get(), App);
    EXPECT_EQ(Rows(list), (QStringList{QStringLiteral("Socket×2 B01"),
                                       QStringLiteral("socket×1 B01"), QStringLiteral("×2 B01")}))
        << "letter case makes another row; an empty caption still counts";
}

TEST_F(ConfigListTest, JudgesByTheLibraryTypeAtTagAndByTheNodesOwnTypeForForeignTags)
{
    const struct {
        int tag;
        const char16_t *ownType;
        bool listed;
        const char *why;
    } cases[] = {
        {Fridge, u"插座", false, "the library says appliance, whatever the node says"},
        {Socket, u"灯", true, "the library says socket"},
        {Lamp, u"", false, "the library says lamp"},
        {500, u"灯", false, "foreign tag: the node's own type is a lamp"},
        {600, u"家用电器", false, "foreign tag: the node's own type is an appliance"},
        {IconCount, u"插座", true, "one past the library: a foreign tag"},
        {-1, u"插座", true, "negative tag"},
        {500, u"开关", true, "a second foreign node with a tag already met"},
    };
    TConfigList list(Library.get(), App);
    for (const auto &c : cases) {
        TGraphNode *node = Symbol(Wiring, c.tag, QStringLiteral("x"), QString::fromUtf16(c.ownType),
                                  QString(), QString());
        EXPECT_EQ(list.IsListedObject(*node), c.listed) << c.why;
    }
    list.BuildConfigList(Wiring, Guard);
    EXPECT_EQ(list.ForeignTags(), (std::vector<int>{IconCount, -1, 500}))
        << "each foreign tag of a counted node once, in the order met";

    TConfigList noLibrary(nullptr, App);
    TGraphNode *appliance = Symbol(Guard, Socket, QStringLiteral("y"), QStringLiteral("家用电器"),
                                   QString(), QString());
    EXPECT_FALSE(noLibrary.IsListedObject(*appliance)) << "without a library every tag is foreign";
}

TEST_F(ConfigListTest, LinksWiresAndLabelsNeverCount)
{
    TGraphNode *a = Place(Wiring, Socket);
    TGraphNode *b = Place(Wiring, Switch, 100);
    TGraphLink *link = Wiring.LinkNodes(a, b);
    ASSERT_NE(link, nullptr);
    link->SetTag(Socket);
    AddWireAndLabel(Wiring);
    TConfigList list(Library.get(), App);
    EXPECT_FALSE(list.IsListedObject(*link));
    for (TGraphObject *object : Wiring.Objects().Snapshot())
        if (dynamic_cast<THLineNode *>(object) || dynamic_cast<TTextNode *>(object)) {
            EXPECT_FALSE(list.IsListedObject(*object)) << object->ClassType()->Name;
        }
    EXPECT_EQ(Rows(list).size(), 2);
}

TEST_F(ConfigListTest, LegendPicturesStayInsideTheLargePictureFolder)
{
    WriteBytes(App + QStringLiteral("iconstore/outside.bmp"),
               BitmapCodec::Encode24(Filled(qRgb(1, 2, 3))));
    WriteBytes(App + QStringLiteral("iconstore/150/broken.bmp"), "BM not a bitmap");
    const struct {
        const char *imagePath;
        const char *expected; // file inside iconstore/150, or "" for none
    } cases[] = {
        {"B01.bmp", "B01.bmp"},
        {"../outside.bmp", ""},
        {"..\\outside.bmp", ""},
        {"../../150/B01.bmp", "B01.bmp"},
        {"sub\\dir\\K01.bmp", "K01.bmp"},
        {"/etc/passwd", ""},
        {"..", ""},
        {"", ""},
        {"missing.bmp", ""},
    };
    for (const auto &c : cases) {
        const QString path = TConfigList::LargePicturePath(App, QLatin1String(c.imagePath));
        const QString expected =
            *c.expected ? App + QStringLiteral("iconstore/150/") + QLatin1String(c.expected)
                        : QString();
        EXPECT_EQ(path, expected) << c.imagePath;
    }

    // Counted all the same; a missing or damaged picture leaves the cell empty.
    for (const char *name : {"../outside.bmp", "broken.bmp", "missing.bmp"})
        Symbol(Wiring, Socket, QLatin1String(name), QStringLiteral("插座"), QString(),
               QLatin1String(name));
    TConfigList list(Library.get(), App);
    ASSERT_EQ(Rows(list).size(), 3);
    for (const TConfigItem &item : list.Items())
        EXPECT_TRUE(item.Picture.isNull()) << item.ImagePath.toStdString();
}

} // namespace
