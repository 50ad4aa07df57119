#include "LibraryCheck.h"
#include "SymbolGroups.h"
#include "iconstore.h"

#include "BitmapCodec.h"
#include "GraphObjectList.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IconstoreTest : public ::testing::Test {
protected:
    QString Write(const QByteArray &bytes, const QString &name = QStringLiteral("iconstore.xml"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray Icon(const QString &caption, const QString &system, const QString &type,
                           const QString &ref = QString(), const QString &code = QString())
    {
        return QStringLiteral("<icon><caption>%1</caption><system>%2</system><type>%3</type>"
                              "<comment>说明</comment><smallimage>s.bmp</smallimage>"
                              "<largeimage>l.bmp</largeimage><ref>%4</ref><code>%5</code></icon>")
            .arg(caption, system, type, ref, code)
            .toUtf8();
    }

    QTemporaryDir dir;
};

TEST_F(IconstoreTest, ReadsTheEightElementsInAnyOrder)
{
    const QString path = Write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<iconstore>\n"
        "  <icon>\n    <code>F01</code><ref>一开单控</ref><caption>吸顶灯</caption>\n"
        "    <largeimage>150/F01.bmp</largeimage><type>灯</type><system>电器线路</system>\n"
        "    <smallimage>F01.bmp</smallimage><comment>安装于顶棚</comment>\n  </icon>\n"
        "</iconstore>\n");
    const TIconstore library(path);
    ASSERT_EQ(library.IconCount(), 1);
    const IXMLIconType *icon = library.Icon(0);
    EXPECT_EQ(icon->Caption(), QStringLiteral("吸顶灯"));
    EXPECT_EQ(icon->System(), QStringLiteral("电器线路"));
    EXPECT_EQ(icon->Type(), QStringLiteral("灯"));
    EXPECT_EQ(icon->Comment(), QStringLiteral("安装于顶棚"));
    EXPECT_EQ(icon->SmallImage(), QStringLiteral("F01.bmp"));
    EXPECT_EQ(icon->LargeImage(), QStringLiteral("150/F01.bmp")); // a sub-path is kept
    EXPECT_EQ(icon->Ref(), QStringLiteral("一开单控"));
    EXPECT_EQ(icon->Code(), QStringLiteral("F01"));
}

TEST_F(IconstoreTest, MissingAndEmptyElementsReadAsEmptyTextAndTheFirstOfANameCounts)
{
    const QString path =
        Write("<iconstore><icon><caption>A</caption><caption>B</caption><ref/></icon></iconstore>");
    const TIconstore library(path);
    const IXMLIconType *icon = library.Icon(0);
    EXPECT_EQ(icon->Caption(), QStringLiteral("A"));
    EXPECT_EQ(icon->Ref(), QString());
    EXPECT_EQ(icon->Code(), QString());
    EXPECT_EQ(icon->System(), QString());
}

// The same document in each encoding its declaration may name.
TEST_F(IconstoreTest, EncodingsReadAlike)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>"
                                        "<iconstore><icon><caption>五孔插座</caption>"
                                        "<comment>10A，安装高度0.3米</comment></icon></iconstore>");
    const struct {
        const char *declared;
        const char *encoder;
    } cases[] = {{"UTF-8", "UTF-8"},   {"UTF-16", "UTF-16LE"}, {"GB2312", "GB2312"},
                 {"GBK", "GBK"},       {"gb2312", "GBK"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.declared);
        QStringEncoder encoder(c.encoder);
        QByteArray bytes = encoder.encode(text.arg(QLatin1String(c.declared)));
        if (QByteArray(c.encoder) == "UTF-16LE")
            bytes.prepend("\xFF\xFE");
        const TIconstore library(Write(bytes, QStringLiteral("%1.xml").arg(c.declared)));
        ASSERT_EQ(library.IconCount(), 1);
        EXPECT_EQ(library.Icon(0)->Caption(), QStringLiteral("五孔插座"));
        EXPECT_EQ(library.Icon(0)->Comment(), QStringLiteral("10A，安装高度0.3米"));
    }
}

TEST_F(IconstoreTest, ErrorsNameTheFileLineAndColumn)
{
    const struct {
        const char *name;
        QByteArray bytes;
        const char *expected; // a part of the message
    } cases[] = {
        {"broken.xml", "<iconstore>\n<icon><caption>A</icon>\n</iconstore>", "line 2"},
        {"wrongroot.xml", "<?xml version=\"1.0\"?>\n<library><icon/></library>",
         "\"library\", not \"iconstore\" (line 2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(c.bytes, QLatin1String(c.name));
        try {
            TIconstore library(path);
            ADD_FAILURE() << "no error";
        } catch (const EXMLDocError &error) {
            EXPECT_TRUE(error.Message().startsWith(path)) << error.what();
            EXPECT_TRUE(error.Message().contains(QLatin1String(c.expected))) << error.what();
            EXPECT_TRUE(error.Message().contains(QStringLiteral("column"))) << error.what();
        }
    }
    try {
        TIconstore library(dir.filePath(QStringLiteral("missing.xml")));
        ADD_FAILURE() << "no error";
    } catch (const EXMLDocError &error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("missing.xml"))) << error.what();
    }
}

TEST_F(IconstoreTest, ADocumentWithoutARootIsAnEmptyLibrary)
{
    const TIconstore library(Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"));
    EXPECT_EQ(library.IconCount(), 0);
}

TEST_F(IconstoreTest, IconOutOfRangeIsTheListIndexError)
{
    const TIconstore library(Write("<iconstore>" + Icon("A", "x", "y") + "</iconstore>"));
    for (int index : {-1, 1}) {
        try {
            library.Icon(index);
            ADD_FAILURE() << index;
        } catch (const EListError &error) {
            EXPECT_EQ(QString::fromStdString(error.what()),
                      QStringLiteral("List index out of bounds (%1)").arg(index));
        }
    }
}

TEST_F(IconstoreTest, AddAndInsertKeepPositionsAndWritesCreateMissingElements)
{
    TIconstore library(Write("<iconstore>" + Icon("A", "x", "y") + Icon("C", "x", "y") +
                             "</iconstore>"));
    IXMLIconType *b = library.Root().InsertIcon(1);
    b->SetCaption(QStringLiteral("B"));
    b->SetCode(QStringLiteral("K01"));
    library.Root().AddIcon()->SetCaption(QStringLiteral("D"));
    library.Root().InsertIcon(0)->SetCaption(QStringLiteral("Z"));
    QStringList captions;
    for (int i = 0; i < library.IconCount(); ++i)
        captions << library.Icon(i)->Caption();
    EXPECT_EQ(captions, QStringList({"Z", "A", "B", "C", "D"}));
    EXPECT_EQ(library.Icon(2)->Code(), QStringLiteral("K01"));
    library.Icon(1)->SetCaption(QStringLiteral("A2"));
    EXPECT_EQ(library.Icon(1)->Caption(), QStringLiteral("A2"));
}

TEST_F(IconstoreTest, RefFindsTheFirstIconOfACaption)
{
    const TIconstore library(Write("<iconstore>" + Icon("X", "s", "t") + Icon("开关", "s", "t") +
                                   Icon("开关", "s", "t") + "</iconstore>"));
    EXPECT_EQ(library.IndexOfCaption(QStringLiteral("开关")), 1);
    EXPECT_EQ(library.IndexOfCaption(QStringLiteral("none")), -1);
}

TEST(SymbolGroupsTest, SystemAndTypeChooseAPaletteGroup)
{
    const QString wiring = QStringLiteral("电器线路");
    const struct {
        QString system;
        QString type;
        TSymbolGroup::Palette palette;
        int index;
        QString caption;
    } cases[] = {
        {wiring, QStringLiteral("家用电器"), TSymbolGroup::Wiring, 0, QStringLiteral("家用电器")},
        {wiring, QStringLiteral("灯"), TSymbolGroup::Wiring, 1, QStringLiteral("灯")},
        {wiring, QStringLiteral("弱电系列"), TSymbolGroup::Wiring, 4, QStringLiteral("弱电系列")},
        {wiring, QStringLiteral("空调"), TSymbolGroup::Wiring, -1, QString()},
        // A box type in the wiring family belongs to no group there.
        {wiring, QStringLiteral("漏电保护器"), TSymbolGroup::Wiring, -1, QString()},
        {QStringLiteral("配电箱"), QStringLiteral("推荐方案"), TSymbolGroup::DistributionBox, 0,
         QStringLiteral("断路器配置方案")},
        {QString(), QStringLiteral("漏电保护器"), TSymbolGroup::DistributionBox, 1,
         QStringLiteral("断路器")},
        {QStringLiteral("x"), QStringLiteral("辅助元件"), TSymbolGroup::DistributionBox, 2,
         QStringLiteral("辅助元件")},
        {QStringLiteral("x"), QStringLiteral("灯"), TSymbolGroup::DistributionBox, -1, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type.toStdString());
        const TSymbolGroup group = SymbolGroups::Of(c.system, c.type);
        EXPECT_EQ(group.palette, c.palette);
        EXPECT_EQ(group.index, c.index);
        EXPECT_EQ(group.caption, c.caption);
    }
}

class LibraryCheckTest : public IconstoreTest {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath(QStringLiteral("iconstore/20"));
        QDir(dir.path()).mkpath(QStringLiteral("iconstore/150"));
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::white);
        Write(BitmapCodec::Encode24(image), QStringLiteral("iconstore/20/s.bmp"));
        Write(BitmapCodec::Encode24(image), QStringLiteral("iconstore/150/l.bmp"));
    }
};

TEST_F(LibraryCheckTest, ASoundLibraryHasNoProblems)
{
    const QString w = QStringLiteral("电器线路");
    const TIconstore library(
        Write("<iconstore>" + Icon(QStringLiteral("吸顶灯"), w, QStringLiteral("灯"),
                                   QStringLiteral("一开单控"), "F01") +
              Icon(QStringLiteral("一开单控"), w, QStringLiteral("开关"), QString(), "A01") +
              "</iconstore>"));
    EXPECT_EQ(LibraryCheck::Problems(library, dir.path()), QStringList());
}

TEST_F(LibraryCheckTest, EachKindOfProblemIsNamed)
{
    const QString w = QStringLiteral("电器线路");
    QByteArray broken = Icon(QStringLiteral("坏图"), w, QStringLiteral("开关"), QString(), "A02");
    broken.replace("s.bmp", "missing.bmp");
    const TIconstore library(Write(
        "<iconstore>" + Icon(QStringLiteral("吸顶灯"), w, QStringLiteral("灯"),
                             QStringLiteral("无此开关"), "F01") +
        Icon(QStringLiteral("空调柜"), w, QStringLiteral("空调"), QString(), "D01") +
        Icon(QStringLiteral("重复"), w, QStringLiteral("开关"), QString(), "F01") + broken +
        "</iconstore>"));
    const QStringList problems = LibraryCheck::Problems(library, dir.path());
    const QString all = problems.join(u'\n');
    EXPECT_TRUE(all.contains(QStringLiteral("ref \"无此开关\" names no caption"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("type \"空调\""))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("code F01 is also the code of icon 0")))
        << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("missing.bmp"))) << all.toStdString();
    EXPECT_EQ(problems.size(), 4);
}

} // namespace
